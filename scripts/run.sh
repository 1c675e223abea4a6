#!/usr/bin/env bash
# Sets up what is missing, builds, and starts Songbinder.
# Usage: bash scripts/run.sh [PLAYLIST.m3u]
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
ensure_packages "${BUILD_PACKAGES[@]}"
build_tree "$ROOT/build/release" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF \
    -DSONGBINDER_BUILD_BENCH=OFF
exec "$ROOT/build/release/app/songbinder" "$@"
