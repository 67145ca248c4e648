#!/usr/bin/env bash
# Builds Brindlewick and runs it: the window when a display is present,
# otherwise the headless scan of every bundled sample log.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
brindlewick_install_deps

brindlewick_runtime_dir

# The build stays quiet unless it fails; then its whole output is shown.
echo "Building (the first build takes a few minutes)..."
build_log=$(mktemp)
trap 'rm -f "$build_log"' EXIT
if ! { cmake --preset normal && cmake --build --preset normal -j "$(nproc 2>/dev/null || echo 2)"; } >"$build_log" 2>&1; then
  cat "$build_log" >&2
  echo "run.sh: the build failed" >&2
  exit 1
fi
rm -f "$build_log"

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  [ -x build/bin/brindlewick ] && exec build/bin/brindlewick "$@"
  echo "The window was not built; running the headless scan of the sample logs instead."
else
  echo "No display found; running the headless scan of the sample logs instead."
fi

for kind in contents documents expire structure; do
  log="samples/$kind.log"
  [ -f "$log" ] || continue
  echo "=== brindlewick-cli scan $kind $log"
  build/bin/brindlewick-cli scan "$kind" "$log"
done
