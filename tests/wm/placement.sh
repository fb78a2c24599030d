#!/bin/sh
# The real window under a real window manager (openbox on Xvfb), which adds
# a title bar only after the window is mapped: on a large screen the frame
# stands at the stored position; on 1366x768 and 1024x768 the whole frame is
# on the screen at start and after the first kind choice widens the window.
# (800x600 no longer holds the frame: the material's controls below the
# calculation column make the window 696 pixels tall.)
#   placement.sh path/to/tarvik
# Exits 77 (skipped) when Xvfb, openbox or the X tools are missing.
set -u
tarvik=$1
for tool in Xvfb openbox xdotool xwininfo xprop; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "SKIPPED: $tool is not installed (packages xvfb openbox xdotool x11-utils)"
        exit 77
    fi
done

tmp=$(mktemp -d)
xvfb='' wm='' app=''
stop() {
    for pid in $app $wm $xvfb; do kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null; done
    app='' wm='' xvfb=''
}
trap 'stop; rm -rf "$tmp"' EXIT
fail() {
    echo "FAIL: $*"
    exit 1
}

# Waits up to 30 s for a command to succeed (the machine may be busy).
await() {
    i=0
    until "$@" >/dev/null 2>&1; do
        i=$((i + 1))
        [ $i -gt 300 ] && return 1
        sleep 0.1
    done
}

# Prints the frame of window $1 as "left top right bottom" (right and
# bottom one past the last pixel), from its client area and the frame
# extents the window manager set.
frame_of() (
    info=$(xwininfo -id "$1") || return 1
    x=$(echo "$info" | sed -n 's/.*Absolute upper-left X: *//p')
    y=$(echo "$info" | sed -n 's/.*Absolute upper-left Y: *//p')
    w=$(echo "$info" | sed -n 's/.*Width: *//p')
    h=$(echo "$info" | sed -n 's/.*Height: *//p')
    set -- $(xprop -id "$1" _NET_FRAME_EXTENTS | sed -n 's/.*= *//p' | tr -d ',')
    [ $# -eq 4 ] || return 1
    echo $((x - $1)) $((y - $3)) $((x + w + $2)) $((y + h + $4))
)

# True when window $1's whole frame lies on a $2 x $3 screen.
on_screen() {
    set -- "$1" "$2" "$3" $(frame_of "$1")
    [ $# -eq 7 ] && [ "$4" -ge 0 ] && [ "$5" -ge 0 ] && [ "$6" -le "$2" ] && [ "$7" -le "$3" ]
}

# True when window $1's frame has width $2 and its top-left corner at $3, $4.
frame_at() {
    set -- "$1" "$2" "$3" "$4" $(frame_of "$1")
    [ $# -eq 8 ] && [ $(($7 - $5)) -eq "$2" ] && [ "$5" -eq "$3" ] && [ "$6" -eq "$4" ]
}

start() { # width height: a fresh X server, window manager and program
    rm -f "$tmp/display"
    Xvfb -displayfd 3 -screen 0 "$1x$2x24" -nolisten tcp 3>"$tmp/display" 2>"$tmp/xvfb.log" &
    xvfb=$!
    await test -s "$tmp/display" || fail "Xvfb did not start: $(cat "$tmp/xvfb.log")"
    DISPLAY=:$(cat "$tmp/display")
    export DISPLAY
    await xprop -root || fail "Xvfb does not answer on $DISPLAY: $(cat "$tmp/xvfb.log")"
    # On a busy machine openbox now and then fails to open a display that
    # has just started: give it more chances, a moment apart.
    for attempt in 1 2 3 4 5; do
        openbox >"$tmp/openbox.log" 2>&1 &
        wm=$!
        await sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' && break
        kill "$wm" 2>/dev/null && wait "$wm" 2>/dev/null
        [ $attempt -eq 5 ] && fail "openbox did not start: $(cat "$tmp/openbox.log")"
        sleep 1
    done
    # The test presets run every test on the offscreen platform.
    QT_QPA_PLATFORM=xcb LC_ALL=ru_RU.UTF-8 "$tarvik" 2>"$tmp/tarvik.log" &
    app=$!
    win=$(timeout 60 xdotool search --sync --onlyvisible --class tarvik | head -n 1)
    [ -n "$win" ] || fail "no window: $(cat "$tmp/tarvik.log")"
    await frame_of "$win" || fail "openbox never framed the window"
}

# Stays so for a moment: the window does not wander off after placement.
settled() {
    await "$@" && sleep 0.5 && "$@"
}

widen() { # the first header, then its first kind
    xdotool mousemove --window "$win" 115 27 click 1
    sleep 0.3
    xdotool mousemove --window "$win" 60 47 click 1
}

start 1920 1080
settled frame_at "$win" 234 979 350 || fail "not at the stored position on 1920x1080: $(frame_of "$win")"
widen
settled frame_at "$win" 644 979 350 || fail "widened window left its place: $(frame_of "$win")"
echo "1920x1080: the frame stays at 979, 350: $(frame_of "$win")"
stop

# Where the widened frame fits the screen, the narrow one starts where
# widening moves nothing: a double-click on a kind lands both clicks on it.
for size in 1366x768 1024x768; do
    w=${size%x*} h=${size#*x}
    start "$w" "$h"
    settled on_screen "$win" "$w" "$h" || fail "frame off the $size screen at start: $(frame_of "$win")"
    set -- $(frame_of "$win")
    echo "$size at start: $*"
    widen
    settled sh -c "[ \$(xwininfo -id $win | sed -n 's/.*Width: *//p') -gt 600 ]" ||
        fail "the first kind choice did not widen the window"
    settled on_screen "$win" "$w" "$h" || fail "frame off the $size screen once widened: $(frame_of "$win")"
    settled frame_at "$win" $(($(frame_of "$win" | cut -d' ' -f3) - $1)) "$1" "$2" ||
        fail "widening moved the window on $size: from $1 $2 to $(frame_of "$win")"
    echo "$size widened in place: $(frame_of "$win")"
    stop
done
