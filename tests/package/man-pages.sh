#!/usr/bin/env bash
# Each manual page's OPTIONS section names exactly the options its program's --help lists.
#   man-pages.sh PAGE PROGRAM [PAGE PROGRAM...]
set -u
help=$(mktemp) man=$(mktemp)
trap 'rm -f "$help" "$man"' EXIT
status=0
while [ $# -ge 2 ]; do
    page=$1 program=$2
    shift 2
    "$program" --help | grep -o -- '--[a-z][a-z-]*' | LC_ALL=C sort -u >"$help"
    # Option names in the tags (the line after .TP) of OPTIONS, "\-" read as "-".
    sed -n '/^\.SH OPTIONS/,/^\.SH /p' "$page" | awk 'tag { print } { tag = ($1 == ".TP") }' |
        sed 's/\\-/-/g' | grep -o -- '--[a-z][a-z-]*' | LC_ALL=C sort -u >"$man"
    if ! diff "$help" "$man" >/dev/null; then
        echo "FAIL: $(basename "$page") and $(basename "$program") --help differ (< only in --help, > only in the page):"
        diff "$help" "$man"
        status=1
    fi
done
[ $status = 0 ] && echo PASS
exit $status
