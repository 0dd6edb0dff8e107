#!/usr/bin/env bash
# One presenter (gl or cpu, the second argument) on a virtual display: the
# demo paused at 0 s (the timeline strip's left end), the window read back
# (xwd) and compared with the frame, letterboxed: at 1x
# in the 960x640 window, at 2x, after a resize to 1040x500 and in full
# screen (F11) on the 1200x900 screen where a window manager grants it.
# The frame each is compared with is the one F12 writes of that moment (the
# demo's state depends on the frames before, so a headless run of the same
# demo time draws another landscape).
set -u
program="$1"
present="$2"
here=$(cd "$(dirname "$0")" && pwd)
for tool in xdotool xwd xwininfo xprop xvfb-run ffmpeg python3; do
    command -v "$tool" > /dev/null || { echo "FAIL: $tool is not installed (scripts/setup)"; exit 1; }
done

if [ "${WINDOW_PRESENTER_INNER:-}" != 1 ]; then
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    WINDOW_PRESENTER_INNER=1 WORK="$work" xvfb-run -a -s "-screen 0 1200x900x24" bash "$0" "$@"
    exit $?
fi

# A window manager, where one is installed, grants full screen.
if command -v openbox > /dev/null; then
    openbox --sm-disable > /dev/null 2>&1 &
    for _ in $(seq 50); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2> /dev/null | grep -q "window id" && break
        sleep 0.1
    done
fi

export XDG_PICTURES_DIR="$WORK/pictures"
export SDL_AUDIODRIVER=dummy
log="$WORK/log.txt"
"$program" --dev --scale 1 --present "$present" > "$log" 2>&1 &
pid=$!
fail() { echo "FAIL ($present): $*"; echo "--- program output"; cat "$log"; kill -TERM $pid 2>/dev/null; exit 1; }
eventually() {
    for _ in $(seq 50); do "$@" && return 0; sleep 0.2; done
    return 1
}

win=$(timeout 20 xdotool search --sync --name '^Quenfold$' | head -1)
[ -n "$win" ] || fail "no window"
xdotool windowfocus --sync "$win" 2> /dev/null
case "$present" in
gl) way="presenting by GL swap" ;;
cpu) way="presenting through the window surface" ;;
esac
grep -q "^$way.*(as asked" "$log" || fail "the presenter was not logged as '$way'"
eventually grep -q "^Mirande: loaded" "$log" || fail "the demo did not start"

# Paused, then the strip's left end: 0 s, the first frame's time exactly.
xdotool key --window "$win" space F2
sleep 0.5
xdotool mousemove --window "$win" 16 630 click 1
seeked() { grep "^Timeline: the demo shows" "$log" | tail -1 | awk '{print $5}'; }
hasSeeked() { test -n "$(seeked)"; }
eventually hasSeeked || fail "the click on the strip did not seek"
[ "$(seeked)" = 0.000 ] || fail "the strip's left end showed $(seeked) s"
xdotool key --window "$win" F2
sleep 1

# The frame as F12 writes it (the n-th capture), and the window against it.
captured() { [ "$(ls "$XDG_PICTURES_DIR"/Quenfold/*.png 2> /dev/null | wc -l)" -ge "$1" ]; }
matches() {
    xdotool key --window "$win" F12
    eventually captured "$1" || fail "F12 wrote no picture"
    frame=$(ls -tr "$XDG_PICTURES_DIR"/Quenfold/*.png | tail -1)
    sleep 2 # "Frame saved" gone
    xwd -silent -id "$win" > "$WORK/shot.xwd" || return 1
    python3 "$here/window-matches.py" "$WORK/shot.xwd" "$frame" "$2"
}
matches 1 480x320 || fail "the window at 1x does not show the frame"
xdotool key --window "$win" F3
eventually grep -q "^content scale 2x" "$log" || fail "F3 did not switch to 2x"
sleep 1
matches 2 960x640 || fail "the window at 2x does not show the frame"
xdotool windowsize --sync "$win" 1040 500
sleep 1
matches 3 960x640 || fail "the window resized to 1040x500 does not show the frame letterboxed"
xdotool key --window "$win" F11
sleep 1.5
# Full screen needs a window manager to grant it; a bare Xvfb has none.
if [ "$(xwininfo -id "$win" | awk '/Width:/ {print $2}')" = 1200 ]; then
    matches 4 960x640 || fail "the full-screen window does not show the frame letterboxed"
else
    echo "full screen not checked: no window manager on the virtual display (openbox grants it)"
fi

kill -TERM $pid
wait $pid
status=$?
[ $status -eq 0 ] || fail "exit status $status"
echo "1 passed, 0 failed ($present)"
