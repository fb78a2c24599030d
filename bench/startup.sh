#!/bin/sh
# Start-up time to the first map and resident memory of the optimised
# tarvik beside the minimal Qt window of the yardstick, measured side by side
# in one run; then the instructions to the first paint under callgrind.
#   bench/startup.sh [rounds] [estimate]     (default 30)
# With "estimate", tarvik also starts over a saved estimate of 100 lines in
# the same run, its window closed at the last exit and open (so it opens
# again at start), and the instructions are counted over the open one too.
# The yardstick lives beside the repository (../shared/bench); set
# TARVIK_YARDSTICK to its folder where the checkout is elsewhere.
set -eu
cd "$(dirname "$0")/.."
rounds=${1:-30}
with_estimate=${2:-}
case $with_estimate in '' | estimate) ;; *) echo "usage: bench/startup.sh [rounds] [estimate]" >&2; exit 2 ;; esac
yardstick=${TARVIK_YARDSTICK:-../shared/bench}
. scripts/packages.sh
ensure_packages $build_packages libbenchmark-dev xvfb xauth x11-utils gcc libx11-dev libxres-dev dbus procps valgrind

cmake --preset release -DBUILD_TESTING=ON >/dev/null
cmake --build --preset release --target tarvik tarvik_first_map qt_baseline_first_map estimate_seed >/dev/null
out=build-release/bench
g++ -O2 -fPIC -o "$out/qt-baseline" "$yardstick/qt-baseline.cpp" $(pkg-config --cflags --libs Qt6Widgets)

tarvik=$(pwd)/build-release/app/tarvik
seed=$(pwd)/$out/estimate_seed
if [ -z "$with_estimate" ]; then
    set -- -- --label baseline --title 'Тарвик' "$out/qt-baseline" \
        -- --label tarvik --title 'Тарвик' "$tarvik"
else
    # Each case gets a data folder of its own in the run's scratch folder,
    # written once before the first round (the program is killed, so it never
    # writes them back). The folder is chosen through env, an exec of its own
    # (about 1.5 ms), so every program of the run starts through it.
    set -- --setup "mkdir -p \$BENCH_TMP/none" \
        --setup "$seed \$BENCH_TMP/closed/tarvik 100 closed" \
        --setup "$seed \$BENCH_TMP/open/tarvik 100 open" \
        -- --label baseline --title 'Тарвик' "XDG_DATA_HOME=\$BENCH_TMP/none $out/qt-baseline" \
        -- --label tarvik --title 'Тарвик' "XDG_DATA_HOME=\$BENCH_TMP/none $tarvik" \
        -- --label estimate-closed --title 'Тарвик' "XDG_DATA_HOME=\$BENCH_TMP/closed $tarvik" \
        -- --label estimate-open --title 'Тарвик' "XDG_DATA_HOME=\$BENCH_TMP/open $tarvik"
fi
"$yardstick/startup.sh" -n "$rounds" -w 2 --settle 0.5 --grace 0.3 "$@"

count() { # program -> instructions to its first paint
    QT_QPA_PLATFORM=offscreen valgrind --tool=callgrind --callgrind-out-file=/dev/null "$1" 2>&1 |
        sed -n 's/.*Collected : *\([0-9]*\).*/\1/p'
}
base=$(count "$out/qt_baseline_first_map")
ours=$(count "$out/tarvik_first_map")
ratio() { awk -v a="$1" -v b="$base" 'BEGIN { printf "%.2f", a / b }'; }
echo "instructions to the first paint (offscreen): baseline $base, tarvik $ours, ratio $(ratio "$ours")"
if [ -n "$with_estimate" ]; then
    data=$(mktemp -d)
    trap 'rm -rf "$data"' EXIT
    "$seed" "$data/tarvik_first_map" 100 open # the folder follows the program's name
    open=$(XDG_DATA_HOME=$data count "$out/tarvik_first_map")
    echo "  with a saved estimate of 100 lines, its window open at the last exit: $open, ratio $(ratio "$open")"
fi
