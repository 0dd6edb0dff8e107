#!/usr/bin/env bash
# The Debian package: CPack makes it from the build; it holds exactly the installed files
# under /usr; its control fields carry the dependencies dpkg-shlibdeps found, Mesa's
# software renderer and ffmpeg as a recommendation; the desktop entry and the metainfo
# validate; lintian finds no error.
#   package.sh CPACK BUILD VERSION
set -u
cpack=$1 build=$(realpath "$2") version=$3
tmp=$(mktemp -d "$build/package.XXXXXX")
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
here=$(dirname "$0")

"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$tmp" >"$tmp/log" 2>&1 || { cat "$tmp/log"; fail "cpack"; }
deb=$tmp/quenfold_${version}_amd64.deb
[ -f "$deb" ] || fail "no $deb"
dpkg-deb --info "$deb"

dpkg-deb --contents "$deb" | awk '$1 !~ /^d/ { print $NF }' | sed 's|^\./usr/||' | LC_ALL=C sort >"$tmp/packed"
"$here/expected-files.sh" "$build" >"$tmp/expected"
diff "$tmp/expected" "$tmp/packed" || fail "packed files differ from the expected list (< missing, > extra)"

field() { dpkg-deb --field "$deb" "$1"; }
[ "$(field Package)" = quenfold ] && [ "$(field Version)" = "$version" ] || fail "name or version"
field Depends | tr ',' '\n' | sed 's/^ *//; s/ .*//' >"$tmp/depends"
for lib in libc6 libstdc++6 libsdl2-2.0-0 libsdl2-mixer-2.0-0 libsdl2-image-2.0-0 libegl1 libgles2 libgl1-mesa-dri; do
    grep -qxF "$lib" "$tmp/depends" || fail "Depends lacks $lib: $(field Depends)"
done
[ "$(field Recommends)" = ffmpeg ] || fail "Recommends: $(field Recommends)"
[ -n "$(field Description | sed 1d)" ] || fail "no long description"

dpkg-deb --extract "$deb" "$tmp/root"
desktop-file-validate "$tmp/root/usr/share/applications/quenfold.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$tmp/root/usr/share/metainfo/org.example.Quenfold.metainfo.xml" >"$tmp/as" 2>&1 ||
    { cat "$tmp/as"; fail "appstreamcli validate"; }
lintian --fail-on error --display-info "$deb" 2>/dev/null >"$tmp/lintian"; status=$? # quiet: "running with root privileges"
cat "$tmp/lintian"
[ $status = 0 ] || fail "lintian found an error"
echo "PASS"
