#!/bin/sh
# Builds the Debian package from a configured and built tree, then checks it:
# the files a desktop needs, the control fields, and lintian (where
# installed) with no error. Usage: check_deb.sh CPACK BUILD_DIR VERSION
# Exits 77 (skipped) when dpkg-shlibdeps, which finds the dependencies, is
# not installed.
set -eu
cpack="$1"
build="$2"
version="$3"
id=org.songbinder.Songbinder

if ! command -v dpkg-shlibdeps >/dev/null 2>&1; then
    echo "skipped: dpkg-shlibdeps is not installed (Debian package dpkg-dev)"
    exit 77
fi
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 ||
    { cat "$out/cpack.log"; exit 1; }
deb="$out/songbinder_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || { echo "not built: $deb"; ls "$out"; exit 1; }

status=0
contents="$(dpkg-deb -c "$deb" | awk '{print $NF}')"
for file in ./usr/bin/songbinder \
    "./usr/share/applications/$id.desktop" \
    "./usr/share/metainfo/$id.metainfo.xml" \
    "./usr/share/icons/hicolor/32x32/apps/$id.png" \
    "./usr/share/icons/hicolor/scalable/apps/$id.svg" \
    ./usr/share/man/man1/songbinder.1.gz \
    ./usr/share/doc/songbinder/copyright \
    ./usr/share/doc/songbinder/changelog.gz; do
    if echo "$contents" | grep -qx "$file"; then
        echo "packed: $file"
    else
        echo "missing: $file"
        status=1
    fi
done

field() { dpkg-deb -f "$deb" "$1"; }
expect() {
    if [ "$(field "$1")" = "$2" ]; then
        echo "$1: $2"
    else
        echo "$1 is '$(field "$1")', expected '$2'"
        status=1
    fi
}
expect Package songbinder
expect Version "$version"
expect Architecture "$(dpkg --print-architecture)"
depends="$(field Depends)"
echo "Depends: $depends"
for library in libc6 libqt6core6 libqt6widgets6; do
    echo "$depends" | grep -q "$library" || { echo "Depends lacks $library"; status=1; }
done

if command -v lintian >/dev/null 2>&1; then
    lintian --fail-on error --tag-display-limit 0 "$deb" || status=1
else
    echo "lintian is not installed (Debian package lintian): not run"
fi
exit "$status"
