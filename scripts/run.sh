#!/usr/bin/env bash
# Builds Brindlewick and runs it: the window when a display is present,
# otherwise the headless scan of every bundled sample log.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
brindlewick_install_deps

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc 2>/dev/null || echo 2)"

if [ -x build/bin/brindlewick ] && { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; }; then
  exec build/bin/brindlewick "$@"
fi

for kind in contents documents expire structure; do
  log="samples/$kind.log"
  [ -f "$log" ] || continue
  echo "=== brindlewick-cli scan $kind $log"
  build/bin/brindlewick-cli scan "$kind" "$log"
done
