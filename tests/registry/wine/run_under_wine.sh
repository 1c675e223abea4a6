#!/bin/sh
# Cross-builds the registry suite for Windows with MinGW and runs it under
# Wine, in a Wine prefix made for this run alone and removed afterwards,
# without a display. Exits 77 (skipped), saying why, when MinGW or Wine is
# not installed. Usage: run_under_wine.sh SOURCE_DIR BUILD_DIR
set -u
source_dir="$1"
build_dir="$2"

compiler=x86_64-w64-mingw32-g++-posix
wine=""
for candidate in wine wine64; do
    if command -v "$candidate" >/dev/null 2>&1; then
        wine="$candidate"
        break
    fi
done
if ! command -v "$compiler" >/dev/null 2>&1 || [ -z "$wine" ]; then
    echo "skipped: MinGW ($compiler) or Wine is not installed;" \
        "scripts/test.sh installs mingw-w64 wine64 wine where it can"
    exit 77
fi

if [ ! -f "$build_dir/CMakeCache.txt" ]; then
    cmake -S "$source_dir/tests/registry/wine" -B "$build_dir" -G Ninja \
        -DCMAKE_BUILD_TYPE=Debug \
        -DCMAKE_TOOLCHAIN_FILE="$source_dir/cmake/mingw-w64-x86_64.cmake" >/dev/null || exit 1
fi
cmake --build "$build_dir" || exit 1

prefix="$(mktemp -d "${TMPDIR:-/tmp}/songbinder-wine-XXXXXX")"
cleanup() {
    WINEPREFIX="$prefix" wineserver -k >/dev/null 2>&1
    rm -rf "$prefix"
}
trap cleanup EXIT

# No display, no debug output, no offer to install Mono or Gecko; the
# prefix holds nothing but this run, so the suite may use
# HKEY_CLASSES_ROOT itself.
unset DISPLAY WAYLAND_DISPLAY
WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
    SONGBINDER_THROWAWAY_REGISTRY=1 LC_ALL=C \
    "$wine" "$build_dir/songbinder-registry-suite.exe" 2>"$prefix.log"
status=$?
if [ "$status" -ne 0 ]; then
    echo "Wine's messages:"
    cat "$prefix.log"
fi
rm -f "$prefix.log"
exit "$status"
