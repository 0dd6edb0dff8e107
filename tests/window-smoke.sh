#!/usr/bin/env bash
# Opens the windowed program on a virtual display, lets it run two seconds and
# asks it to quit as a window manager would (SIGTERM): it must close cleanly.
# Its frame log meets a file size limit of 0: the log stops with the reason,
# as on a full disk, and the program runs on. The output goes through a pipe,
# out of the limit's reach.
set -u
program="$1"
xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
    pipe="$TMPDIR_SMOKE/out.pipe" frames="$TMPDIR_SMOKE/frames.txt"
    rm -f "$pipe" "$frames" && mkfifo "$pipe"
    cat "$pipe" > "$TMPDIR_SMOKE/out.txt" & reader=$!
    (ulimit -f 0; exec "$0" --frame-log "$frames") > "$pipe" 2>&1 & pid=$!
    sleep 2
    kill -0 $pid || { wait $reader; echo "the program ended early"; cat "$TMPDIR_SMOKE/out.txt"; exit 1; }
    kill -TERM $pid
    wait $pid; status=$?
    wait $reader
    rm -f "$pipe"
    cat "$TMPDIR_SMOKE/out.txt"
    grep -Eq "frame log .* could not be (written|completed) \(File too large\)" "$TMPDIR_SMOKE/out.txt" ||
        { echo "Error: the frame log past the limit was not reported"; exit 1; }
    exit $status' "$program"
