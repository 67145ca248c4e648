#!/usr/bin/env bash
# Builds the normal and the sanitizer configuration and runs every test on both.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
brindlewick_install_deps

export QT_QPA_PLATFORM=offscreen
jobs=$(nproc 2>/dev/null || echo 2)

echo "== normal build"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$jobs"
(cd build && ctest --output-on-failure -j "$jobs")

echo "== address and undefined-behaviour sanitizer build"
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DBRINDLEWICK_SANITIZE=ON >/dev/null
cmake --build build-sanitize -j "$jobs"
(cd build-sanitize && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --output-on-failure -j "$jobs")
