#!/usr/bin/env bash
# Starts the window offscreen on the sample contents log, lets the scan run
# to its first pause and saves a picture of the window.
#   scripts/screenshot.sh [OUT.png] [LOG]   (defaults: docs/window.png, samples/contents.log)
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-docs/window.png}
log=${2:-samples/contents.log}
[ -x build/bin/brindlewick ] || { echo "build first: ./scripts/run.sh or cmake --preset normal && cmake --build --preset normal" >&2; exit 1; }
mkdir -p "$(dirname "$out")"
QT_QPA_PLATFORM=offscreen build/bin/brindlewick --screenshot "$out" "$log" 2> >(grep -v -e propagateSizeHints -e XDG_RUNTIME_DIR >&2)
