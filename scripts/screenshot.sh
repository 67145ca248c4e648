#!/usr/bin/env bash
# Starts the window offscreen on each sample log, lets the scan run to its
# first pause and saves a picture of the window: docs/window.png (the Contents
# Check tab) and docs/tab-KIND.png for each of the four tabs; docs/about.png
# is the About box.
#   scripts/screenshot.sh [OUT_DIR]   (default: docs)
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-docs}
[ -x build/bin/brindlewick ] || { echo "build first: ./scripts/run.sh or cmake --preset normal && cmake --build --preset normal" >&2; exit 1; }
mkdir -p "$out"
source scripts/deps.sh
brindlewick_runtime_dir
shot() {
  QT_QPA_PLATFORM=offscreen build/bin/brindlewick --tab "$1" --screenshot "$2" "samples/$1.log" \
    2> >(grep -v -e propagateSizeHints >&2)
}
shot contents "$out/window.png"
for kind in contents documents expire structure; do
  shot "$kind" "$out/tab-$kind.png"
done
QT_QPA_PLATFORM=offscreen build/bin/brindlewick --about-screenshot "$out/about.png"
