# Sourced by the other scripts: makes sure the Debian packages they need are
# installed, installing them as root or printing the exact command otherwise.

# qt6-translations-l10n: Qt's own texts (the input field's menu) in the user's language.
build_packages="cmake ninja-build g++ pkg-config qt6-base-dev fonts-liberation qt6-translations-l10n"
test_packages="libgtest-dev libgmock-dev libbenchmark-dev locales dpkg-dev desktop-file-utils appstream file
    xvfb xauth openbox x11-utils xdotool"
# The fuzz targets (CI): clang with its libFuzzer and sanitizer runtimes.
fuzz_packages="clang-14 libclang-rt-14-dev"

ensure_packages() {
    missing=""
    for p in "$@"; do
        status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
        case $status in
            *" installed") ;;
            *) missing="$missing $p" ;;
        esac
    done
    [ -z "$missing" ] && return 0
    if [ "$(id -u)" -eq 0 ]; then
        echo "Installing:$missing"
        export DEBIAN_FRONTEND=noninteractive
        apt-get update && apt-get install -y --no-install-recommends $missing || exit 1
    else
        echo "Missing Debian packages. Run as root:"
        echo "  apt-get update && apt-get install -y --no-install-recommends$missing"
        exit 1
    fi
}
