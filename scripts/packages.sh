# Sourced by the other scripts: makes sure the Debian packages they need are
# installed, installing them as root or printing the exact command otherwise.

build_packages="cmake ninja-build g++ pkg-config qt6-base-dev fonts-liberation"
test_packages="libgtest-dev libgmock-dev libbenchmark-dev locales dpkg-dev desktop-file-utils appstream file"
# The web page: emscripten builds it, rsvg-convert draws its icons; the
# browser tests drive Debian's chromium.
web_packages="cmake ninja-build emscripten librsvg2-bin"
web_test_packages="chromium"
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
