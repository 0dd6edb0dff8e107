#!/usr/bin/env bash
# Opens the windowed program on a virtual display, lets it run two seconds and
# asks it to quit as a window manager would (SIGTERM): it must close cleanly.
set -u
program="$1"
xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
    "$0" > "$TMPDIR_SMOKE/out.txt" 2>&1 & pid=$!
    sleep 2
    kill -0 $pid || { echo "the program ended early"; cat "$TMPDIR_SMOKE/out.txt"; exit 1; }
    kill -TERM $pid
    wait $pid; status=$?
    cat "$TMPDIR_SMOKE/out.txt"
    exit $status' "$program"
