#!/bin/sh
# Installs the build into a temporary prefix and checks one part of what a
# desktop needs. Usage: check_install.sh files|desktop-entry|metainfo BUILD_DIR
# Exits 77 (skipped) when the validator for the part is not installed.
set -eu
part="$1"
build="$2"
id=org.songbinder.Songbinder

need() {
    if ! command -v "$1" >/dev/null 2>&1; then
        echo "skipped: $1 is not installed (Debian package $2)"
        exit 77
    fi
}
case "$part" in
    desktop-entry) need desktop-file-validate desktop-file-utils ;;
    metainfo) need appstreamcli appstream ;;
esac

prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

case "$part" in
    files)
        status=0
        for file in bin/songbinder \
            "share/applications/$id.desktop" \
            "share/metainfo/$id.metainfo.xml" \
            "share/icons/hicolor/32x32/apps/$id.png" \
            "share/icons/hicolor/scalable/apps/$id.svg"; do
            if [ -f "$prefix/$file" ]; then
                echo "installed: $file"
            else
                echo "missing: $file"
                status=1
            fi
        done
        [ -x "$prefix/bin/songbinder" ] || { echo "not executable: bin/songbinder"; status=1; }
        exit "$status"
        ;;
    desktop-entry)
        desktop-file-validate "$prefix/share/applications/$id.desktop"
        echo "desktop entry valid"
        ;;
    metainfo)
        appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml"
        # The tree as a whole: the launchable desktop entry and the icon are found.
        appstreamcli validate-tree --no-net "$prefix"
        ;;
    *)
        echo "unknown part: $part"
        exit 2
        ;;
esac
