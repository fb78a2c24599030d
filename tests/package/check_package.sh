#!/bin/sh
# Builds the Debian package in the given build folder, unpacks it into a
# scratch folder, checks its files and starts the unpacked program once.
set -eu
build=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

(cd "$build" && cpack -G DEB -B "$scratch/out" >/dev/null)
deb=$(ls "$scratch/out"/tarvik_*_amd64.deb)
echo "built $(basename "$deb")"
dpkg-deb -x "$deb" "$scratch/root"

for f in usr/bin/tarvik \
         usr/share/applications/ru.tarvik.tarvik.desktop \
         usr/share/metainfo/ru.tarvik.tarvik.metainfo.xml \
         usr/share/icons/hicolor/scalable/apps/tarvik.svg \
         usr/share/icons/hicolor/32x32/apps/tarvik.png \
         usr/share/icons/hicolor/48x48/apps/tarvik.png \
         usr/share/icons/hicolor/128x128/apps/tarvik.png \
         usr/share/icons/hicolor/256x256/apps/tarvik.png; do
    [ -f "$scratch/root/$f" ] || { echo "missing in the package: $f"; exit 1; }
done
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for d in fonts-liberation qt6-translations-l10n libqt6widgets6; do
    case $depends in *"$d"*) ;; *) echo "the package does not depend on $d"; exit 1 ;; esac
done

# The program has no way to quit by itself: still running after a few
# seconds means it started and is waiting for its user.
status=0
QT_QPA_PLATFORM=offscreen timeout 3 "$scratch/root/usr/bin/tarvik" || status=$?
[ "$status" -eq 124 ] || { echo "the unpacked program ended with status $status"; exit 1; }
echo "the unpacked program started"
