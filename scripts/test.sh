#!/usr/bin/env bash
# Sets up what is missing, builds with warnings as errors under
# AddressSanitizer and UndefinedBehaviorSanitizer, and runs every test.
# Usage: bash scripts/test.sh
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
# dpkg-dev and lintian build and check the Debian package.
TEST_PACKAGES=("${BUILD_PACKAGES[@]}" desktop-file-utils appstream clang libclang-rt-14-dev
    dpkg-dev lintian)
ensure_packages "${TEST_PACKAGES[@]}"
# MinGW and Wine run the registry suite against the Windows registry (about
# 2 GB); where they cannot be installed, that one test reports itself skipped.
ensure_packages mingw-w64 wine64 wine ||
    echo "MinGW and Wine could not be installed: the Windows registry suite will be skipped"
build_tree "$ROOT/build/test" -DCMAKE_BUILD_TYPE=Debug -DSONGBINDER_WERROR=ON \
    -DSONGBINDER_SANITIZE=ON -DSONGBINDER_BUILD_BENCH=ON
cd "$ROOT/build/test"
ctest --output-on-failure --parallel "$(nproc)"
