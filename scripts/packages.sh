# Sourced by the other scripts: makes sure the Debian packages they need are
# installed, installing them as root or printing the exact command otherwise.

# qt6-translations-l10n: Qt's own texts (the input field's menu) in the user's language;
# librsvg2-bin: rsvg-convert draws the window's icon, which the build compiles in as pixels;
# ccache: a rebuild after a switch of branch or preset compiles only what changed.
build_packages="cmake ninja-build g++ pkg-config qt6-base-dev fonts-liberation qt6-translations-l10n
    librsvg2-bin ccache"
# poppler-utils: pdftotext reads the estimate's PDF back; libreoffice-calc-nogui:
# a real spreadsheet opens its CSV.
test_packages="libgtest-dev libgmock-dev libbenchmark-dev locales dpkg-dev desktop-file-utils appstream file
    xvfb xauth openbox x11-utils xdotool poppler-utils libreoffice-calc-nogui"
# The web page: emscripten builds it, rsvg-convert draws its icons, terser
# and cleancss minify its scripts and styles; the browser tests drive
# Debian's chromium.
web_packages="cmake ninja-build emscripten librsvg2-bin terser cleancss ccache"
web_test_packages="chromium"
# The fuzz targets (CI): clang with its libFuzzer and sanitizer runtimes.
fuzz_packages="clang-14 libclang-rt-14-dev"
# scripts/test-summary reads ctest's JUnit files with Python's XML parser.
summary_packages="python3"

# The tests without the window on four platforms (scripts/test-platforms):
# cross compilers for i386 and arm64 run under qemu-user, emscripten for
# wasm32 runs under node; GoogleTest for them builds from its sources.
platform_packages="cmake ninja-build g++ ccache libgtest-dev googletest locales
    g++-i686-linux-gnu g++-aarch64-linux-gnu qemu-user emscripten"

# ccache (used by the build where it is installed) shares its cache between
# checkouts in other folders, such as CI's fresh clone: paths under the
# checkout are hashed relative to it, and the working directory is left out
# of the debug builds' hash.
CCACHE_BASEDIR=$(pwd)
CCACHE_NOHASHDIR=true
export CCACHE_BASEDIR CCACHE_NOHASHDIR

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

# Arguments are command:package pairs. Checks for the command, not the
# package: a machine may carry node and npm from another package than
# Debian's nodejs and npm.
ensure_commands() {
    packages=""
    for pair in "$@"; do
        command -v "${pair%%:*}" >/dev/null 2>&1 || packages="$packages ${pair#*:}"
    done
    [ -z "$packages" ] || ensure_packages $packages
}
