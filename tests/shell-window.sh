#!/usr/bin/env bash
# Drives the windowed program on a virtual display with real input events
# (xdotool) and reads the screen back (xwd): a double click shows the
# navigation bar, its back button shows the list "Fx", a row runs the demo
# again, F12 saves the frame as a PNG; with --dev, F2 shows the timeline strip
# and a click on it seeks. The 960x640 window shows the 480x320 frame at twice
# its size, so frame point (x, y) is window pixel (2x, 2y). Then at content
# scale 2 the frame has the window's 960x640 pixels: F12 writes them, F3
# switches to 1x and back.
set -u
program="$1"
render="$2"
for tool in xdotool xwd xvfb-run; do
    command -v "$tool" > /dev/null || { echo "FAIL: $tool is not installed (scripts/setup)"; exit 1; }
done

if [ "${SHELL_WINDOW_INNER:-}" != 1 ]; then
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    # An unknown effect: the names, exit status 2, no window.
    "$program" --effect NoSuchEffect > "$work/bad.txt" 2>&1
    status=$?
    [ $status -eq 2 ] || { echo "FAIL: unknown effect gave status $status"; exit 1; }
    first=$("$render" --list | head -1)
    grep -q "NoSuchEffect" "$work/bad.txt" && grep -q "$first" "$work/bad.txt" ||
        { echo "FAIL: the error does not list the effects:"; cat "$work/bad.txt"; exit 1; }
    # A scale out of range: the reason, status 2, no window.
    "$program" --scale 5 > "$work/bad.txt" 2>&1
    status=$?
    [ $status -eq 2 ] && grep -q "scale needs a whole number from 1 to 4" "$work/bad.txt" ||
        { echo "FAIL: --scale 5 gave status $status:"; cat "$work/bad.txt"; exit 1; }
    SHELL_WINDOW_INNER=1 WORK="$work" FIRST="$first" \
        xvfb-run -a -s "-screen 0 960x640x24" bash "$0" "$program" "$render"
    exit $?
fi

export XDG_PICTURES_DIR="$WORK/pictures"
export SDL_AUDIODRIVER=dummy # music plays, silently
log="$WORK/log.txt"
"$program" --dev > "$log" 2>&1 &
pid=$!
fail() { echo "FAIL: $*"; echo "--- program output"; cat "$log"; kill -TERM $pid 2>/dev/null; exit 1; }

win=$(timeout 20 xdotool search --sync --name '^Quenfold$' | head -1)
[ -n "$win" ] || fail "no window"
xdotool windowfocus --sync "$win" 2> /dev/null
sleep 1.5

# RGB of frame point (x, y), read from a dump of the window.
pixel() {
    xwd -silent -id "$win" > "$WORK/shot.xwd" || return 1
    local h
    read -r -a h <<< "$(od -An -v -tu1 -N 100 "$WORK/shot.xwd" | tr -s ' \n' ' ')"
    word() { echo $(( (h[$1*4] << 24) | (h[$1*4+1] << 16) | (h[$1*4+2] << 8) | h[$1*4+3] )); }
    local header=$(word 0) order=$(word 7) bpp=$(word 11) line=$(word 12) colors=$(word 19)
    local at=$(( header + colors * 12 + 2 * $2 * line + 2 * $1 * bpp / 8 ))
    local b
    read -r -a b <<< "$(od -An -v -tu1 -j $at -N 4 "$WORK/shot.xwd")"
    if [ "$order" = 0 ]; then echo "${b[2]} ${b[1]} ${b[0]}"; else echo "${b[1]} ${b[2]} ${b[3]}"; fi
}
# True when frame point (x, y) shows r g b, within 4 levels.
shows() {
    local p
    read -r -a p <<< "$(pixel "$1" "$2")"
    [ ${#p[@]} -eq 3 ] || return 1
    local d0=$(( p[0] - $3 )) d1=$(( p[1] - $4 )) d2=$(( p[2] - $5 ))
    [ ${d0#-} -le 4 ] && [ ${d1#-} -le 4 ] && [ ${d2#-} -le 4 ]
}
click() { xdotool mousemove --window "$win" $(( 2 * $1 )) $(( 2 * $2 )) click 1; }

# The navigation bar's top band is (0.16, 0.18, 0.24) of full scale: 41 46 61.
bar="41 46 61"
# A row's disclosure mark is (0.22, 0.5, 0.95): 56 128 242.
mark="56 128 242"

# Waits up to 10 s for a command to succeed (frames are slow on a busy machine).
eventually() {
    for _ in $(seq 50); do "$@" && return 0; sleep 0.2; done
    return 1
}
hides() { ! shows "$@"; }

shows 240 2 $bar && fail "the bar shows before any tap"
shows 447 59 $mark && fail "the list shows first, not the demo"
# Input is read between frames: on a busy machine a slow frame may fall
# between the two clicks, so a person would double-click again.
doubleClickShowsBar() {
    for _ in 1 2 3; do
        xdotool mousemove --window "$win" 480 400 click --repeat 2 --delay 60 1
        for _ in $(seq 20); do shows 240 2 $bar && return 0; sleep 0.2; done
    done
    return 1
}
doubleClickShowsBar || fail "a double click did not show the bar (pixel $(pixel 240 2))"

click 30 16 # the back button
eventually shows 447 59 $mark || fail "back did not show the list (pixel $(pixel 447 59))"
grep -qx "GLView dealloc" "$log" || fail "leaving the GL screen was not logged"

click 150 50 # the first row's name
eventually grep -qx "$FIRST" "$log" || fail "choosing the first row did not log its name"
eventually hides 447 59 $mark || fail "the list stayed after choosing a row"
eventually hides 240 2 $bar || fail "the demo screen opened with the bar shown"

# The strip: 215 s over frame x 8 to 472, the TarskFade lane (0.75 grey: 191)
# on rows 313 to 315, so x 240 stands for (240 - 8) / 464 * 215 = 107.5 s.
lane="191 191 191"
hides 400 314 $lane || fail "a strip shows before F2"
xdotool key --window "$win" F2
eventually shows 400 314 $lane || fail "F2 did not show the strip (pixel $(pixel 400 314))"
xdotool key --window "$win" space # paused: the next frame shows the time sought
click 240 300
seeked() { grep "^Timeline: the demo shows" "$log" | tail -1 | awk '{print $5}'; }
hasSeeked() { test -n "$(seeked)"; } # looked at anew on every try
eventually hasSeeked || fail "a click on the strip did not seek"
awk -v t="$(seeked)" 'BEGIN { exit !(t - 107.5 <= 1 / 60 && 107.5 - t <= 1 / 60) }' ||
    fail "the click at 107.5 s showed $(seeked) s"

xdotool key --window "$win" F12
eventually ls "$XDG_PICTURES_DIR"/Quenfold/*.png > /dev/null 2>&1
shot=$(ls "$XDG_PICTURES_DIR"/Quenfold/*.png 2> /dev/null | head -1)
[ -n "$shot" ] || fail "F12 wrote no picture"
head -c 8 "$shot" | od -An -tx1 | grep -q "89 50 4e 47 0d 0a 1a 0a" || fail "$shot is not a PNG"
grep -q "saved frame to $shot" "$log" || fail "the capture was not logged"
captured=$(ffmpeg -v error -i "$shot" -f rawvideo -pix_fmt rgb24 - | od -An -tu1 -j $(( (314 * 480 + 400) * 3 )) -N 3)
[ -n "$captured" ] || fail "cannot read $shot back"
[ "$(echo $captured)" != "$lane" ] || fail "the strip is in the capture"

kill -TERM $pid
wait $pid
status=$?
cat "$log"
[ $status -eq 0 ] || { echo "FAIL: exit status $status"; exit 1; }

log="$WORK/log2.txt"
rm -rf "$XDG_PICTURES_DIR"
"$program" --dev --scale 2 > "$log" 2>&1 &
pid=$!
win=$(timeout 20 xdotool search --sync --name '^Quenfold$' | head -1)
[ -n "$win" ] || fail "no window at scale 2"
xdotool windowfocus --sync "$win" 2> /dev/null
grep -q "^content scale 2x: frames of 960x640 pixels" "$log" || fail "the scale asked for was not logged"
eventually grep -q "^Mirande: loaded" "$log" || fail "the demo did not start at scale 2"
sleep 1
# Counted anew on every try.
saved() { [ "$(ls "$XDG_PICTURES_DIR"/Quenfold/*.png 2> /dev/null | wc -l)" -ge "$1" ]; }
logged() { [ "$(grep -c "$1" "$log")" -ge "$2" ]; }
# Frames saved in order: the n-th as raw RGB, with its size.
capture() {
    xdotool key --window "$win" F12
    eventually saved "$1" || return 1
    shot=$(ls -tr "$XDG_PICTURES_DIR"/Quenfold/*.png | tail -1)
    size=$(od -An -tu1 -j 16 -N 8 "$shot" | awk '{ print $3 * 256 + $4 "x" $7 * 256 + $8 }')
    ffmpeg -v error -i "$shot" -f rawvideo -pix_fmt rgb24 "$WORK/shot.rgb" -y
}
# How many of the capture's pixels at (x, y) pairs, in a frame w wide, pass a test on r g b.
count() {
    local test=$1 w=$2 n=0 r g b
    shift 2
    while [ $# -ge 2 ]; do
        read -r r g b <<< "$(od -An -tu1 -j $(( ($2 * w + $1) * 3 )) -N 3 "$WORK/shot.rgb")"
        $test "$r" "$g" "$b" && n=$(( n + 1 ))
        shift 2
    done
    echo $n
}
# The demo's first seconds: the orange landscape below a black sky (a rain
# triangle may cover a point or two).
orange() { [ "$1" -ge 90 ] && [ "$1" -gt "$2" ] && [ "$2" -gt "$3" ] && [ $(( $1 - $3 )) -ge 60 ]; }
dark() { [ $(( $1 + $2 + $3 )) -le 60 ]; }
capture 1 || fail "F12 wrote no picture at scale 2"
[ "$size" = 960x640 ] || fail "the capture at scale 2 is $size"
[ "$(count orange 960 60 600 300 600 500 600 700 600 900 600 900 500)" -ge 5 ] ||
    fail "the capture's bottom is not the landscape"
[ "$(count dark 960 60 30 300 30 500 30 700 30 900 30 900 80)" -ge 5 ] || fail "the capture's top is not the sky"

xdotool key --window "$win" F3
eventually grep -q "^content scale 1x: frames of 480x320 pixels" "$log" || fail "F3 did not switch to 1x"
capture 2 || fail "F12 wrote no picture at scale 1"
[ "$size" = 480x320 ] || fail "the capture after F3 is $size"
[ "$(count orange 480 30 300 250 300 450 300 450 250)" -ge 3 ] || fail "the 1x capture's bottom is not the landscape"
xdotool key --window "$win" F3
eventually logged "^content scale 2x" 2 || fail "F3 did not switch back to 2x"

kill -TERM $pid
wait $pid
status=$?
cat "$log"
[ $status -eq 0 ] || { echo "FAIL: exit status $status at scale 2"; exit 1; }
echo "1 passed, 0 failed"
