#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for a fixed time on fresh
# seeds. Fails on any crash, sanitizer report or broken promise.
# Usage: run_fuzzers.sh BUILD-FOLDER [SECONDS-PER-TARGET]
# Environment: SONGBINDER_FUZZ_CXX (clang++), CMAKE (cmake), CMAKE_GENERATOR.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
build="${1:?usage: run_fuzzers.sh BUILD-FOLDER [SECONDS-PER-TARGET]}"
seconds="${2:-30}"
cxx="${SONGBINDER_FUZZ_CXX:-$(command -v clang++-14 || command -v clang++ || true)}"
cmake="${CMAKE:-cmake}"

if [ -z "$cxx" ] || [ ! -x "$cxx" ]; then
    echo "run_fuzzers.sh: clang++ not found; install clang and libclang-rt-14-dev" >&2
    exit 1
fi

"$cmake" -S "$here" -B "$build" -G "${CMAKE_GENERATOR:-Ninja}" \
    -DCMAKE_CXX_COMPILER="$cxx" -DCMAKE_BUILD_TYPE=Debug >/dev/null
"$cmake" --build "$build" -j 2

rm -rf "$build/seeds" "$build/corpus" "$build/artifacts"
mkdir -p "$build/artifacts"
"$build/make_seeds" "$build/seeds"

export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=1"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:+$UBSAN_OPTIONS:}print_stacktrace=1:halt_on_error=1"
for target in id3_decode tag_message playlist_read registry_text; do
    mkdir -p "$build/corpus/$target"
    echo "== fuzz_$target for ${seconds}s"
    "$build/fuzz_$target" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$build/artifacts/$target-" "$build/corpus/$target" "$build/seeds/$target"
done
