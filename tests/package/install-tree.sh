#!/usr/bin/env bash
# cmake --install into a DESTDIR holds exactly the expected files; the installed renderer
# reads the installed resources and draws the build's frames byte for byte; a program with
# no resources anywhere names every place it looked in; QUENFOLD_RESOURCES wins; --version.
#   install-tree.sh CMAKE BUILD DATADIR VERSION   (DATADIR: the configure-time data directory)
set -u
cmake=$1 build=$(realpath "$2") datadir=$3 version=$4
tmp=$(realpath "$(mktemp -d "$build/install-tree.XXXXXX")")
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
here=$(dirname "$0")

DESTDIR=$tmp/dest "$cmake" --install "$build" --prefix /opt/qf >/dev/null || fail "cmake --install"
root=$tmp/dest/opt/qf
(cd "$root" && find . -type f | sed 's|^\./||' | LC_ALL=C sort) >"$tmp/installed"
"$here/expected-files.sh" "$build" >"$tmp/expected"
diff "$tmp/expected" "$tmp/installed" || fail "installed files differ from the expected list (< missing, > extra)"
for size in 48 64 128 256 512; do
    file "$root/share/icons/hicolor/${size}x${size}/apps/quenfold.png" | grep -q "PNG image data, $size x $size," ||
        fail "the ${size}x${size} icon is no PNG of that size"
done

# Frames from the installed tree equal the build's.
for run in "--demo --times 1" "--effect Crystal --times 1"; do
    name=${run// /_}
    # shellcheck disable=SC2086
    "$build/quenfold-render" $run --out "$tmp/build$name" >/dev/null 2>&1 || fail "build: $run"
    # shellcheck disable=SC2086
    "$root/bin/quenfold-render" $run --out "$tmp/inst$name" >"$tmp/log" 2>&1 || { cat "$tmp/log"; fail "installed: $run"; }
    grep -q "Reading resources from $root/share/quenfold\$" "$tmp/log" || { cat "$tmp/log"; fail "not the installed resources"; }
    diff -r "$tmp/build$name" "$tmp/inst$name" >/dev/null || fail "installed frames differ from the build's: $run"
done

# Alone, without resources: one line naming every place, status 1.
mkdir -p "$tmp/lone/bin"
cp "$root/bin/quenfold" "$root/bin/quenfold-render" "$tmp/lone/bin/"
if [ -d "$datadir" ]; then
    echo "note: $datadir exists, so the lone programs would find it; their failure is not checked"
else
    for program in quenfold "quenfold-render --effect Crystal --times 1 --out $tmp/none"; do
        # shellcheck disable=SC2086
        "$tmp/lone/bin/"$program >/dev/null 2>"$tmp/err"; status=$?
        [ "$status" = 1 ] || fail "${program%% *} without resources: status $status"
        [ "$(wc -l <"$tmp/err")" = 1 ] || { cat "$tmp/err"; fail "${program%% *}: not one line"; }
        for place in "$tmp/lone/bin/resources" "$tmp/lone/resources" "$tmp/lone/share/quenfold" "$datadir"; do
            grep -qF "$place" "$tmp/err" || { cat "$tmp/err"; fail "${program%% *}: $place not named"; }
        done
    done
fi
QUENFOLD_RESOURCES=$root/share/quenfold "$tmp/lone/bin/quenfold-render" --effect Crystal --times 1 \
    --out "$tmp/chosen" >/dev/null 2>&1 || fail "QUENFOLD_RESOURCES not read"
diff -r "$tmp/build--effect_Crystal_--times_1" "$tmp/chosen" >/dev/null || fail "QUENFOLD_RESOURCES: other frames"
QUENFOLD_RESOURCES=$tmp/nowhere "$build/quenfold-render" --effect Crystal --times 1 --out "$tmp/none" \
    >/dev/null 2>"$tmp/err" && fail "QUENFOLD_RESOURCES=nowhere: the build's resources were read instead"
grep -qF "$tmp/nowhere" "$tmp/err" && ! grep -qF "$build/resources" "$tmp/err" ||
    { cat "$tmp/err"; fail "QUENFOLD_RESOURCES=nowhere: not the only place named"; }

[ "$("$root/bin/quenfold" --version)" = "quenfold $version" ] || fail "quenfold --version"
[ "$("$root/bin/quenfold-render" --version)" = "quenfold-render $version" ] || fail "quenfold-render --version"
echo "PASS"
