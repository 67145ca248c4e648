#!/usr/bin/env bash
# Checks the layering, builds the normal and the sanitizer configuration and
# runs every test on both, then compiles the Release and the Clang builds.
# The presets make warnings errors in all four (BRINDLEWICK_WERROR). The
# print tests print to a CUPS scheduler of the script's own, stopped at the
# end, also when a step fails.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
brindlewick_install_deps
brindlewick_runtime_dir

export QT_QPA_PLATFORM=offscreen
trap brindlewick_stop_print_queues EXIT
brindlewick_start_print_queues
jobs=$(nproc 2>/dev/null || echo 2)

echo "== layering"
scripts/check-layers.sh

echo "== normal build"
cmake --preset normal >/dev/null
cmake --build --preset normal -j "$jobs"
ctest --preset normal -j "$jobs"

echo "== address and undefined-behaviour sanitizer build"
cmake --preset sanitize >/dev/null
cmake --build --preset sanitize -j "$jobs"
ctest --preset sanitize -j "$jobs"

# Compiled only: what they could add to the tests above is their warnings.
for preset in release clang; do
  echo "== $preset build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
done

echo "== all checks passed in $((SECONDS / 60))m $((SECONDS % 60))s"
