#!/bin/sh
# Start-up time to the first map and resident memory of the optimised
# tarvik beside the minimal Qt window of the yardstick, measured side by side
# in one run; then the instructions to the first paint under callgrind.
#   bench/startup.sh [rounds]     (default 30)
# The yardstick lives beside the repository (../shared/bench); set
# TARVIK_YARDSTICK to its folder where the checkout is elsewhere.
set -eu
cd "$(dirname "$0")/.."
rounds=${1:-30}
yardstick=${TARVIK_YARDSTICK:-../shared/bench}
. scripts/packages.sh
ensure_packages $build_packages libbenchmark-dev xvfb xauth x11-utils gcc libx11-dev libxres-dev dbus procps valgrind

cmake --preset release -DBUILD_TESTING=ON >/dev/null
cmake --build --preset release --target tarvik tarvik_first_map qt_baseline_first_map >/dev/null
out=build-release/bench
g++ -O2 -fPIC -o "$out/qt-baseline" "$yardstick/qt-baseline.cpp" $(pkg-config --cflags --libs Qt6Widgets)

"$yardstick/startup.sh" -n "$rounds" -w 2 --settle 0.5 --grace 0.3 \
    -- --label baseline --title 'Тарвик' "$out/qt-baseline" \
    -- --label tarvik --title 'Тарвик' "$(pwd)/build-release/app/tarvik"

count() { # program -> instructions to its first paint
    QT_QPA_PLATFORM=offscreen valgrind --tool=callgrind --callgrind-out-file=/dev/null "$1" 2>&1 |
        sed -n 's/.*Collected : *\([0-9]*\).*/\1/p'
}
base=$(count "$out/qt_baseline_first_map")
ours=$(count "$out/tarvik_first_map")
echo "instructions to the first paint (offscreen): baseline $base, tarvik $ours," \
    "ratio $(awk -v a="$ours" -v b="$base" 'BEGIN { printf "%.2f", a / b }')"
