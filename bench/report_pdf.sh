#!/usr/bin/env bash
# Times a report of N rows through the engine (layout, the preview's first
# page, the PDF export with its document information) against a plain
# QPdfWriter loop that draws the same rows, in one process, best of RUNS
# runs each, and prints the ratio; the target is at most 1.25.
#
#   bench/report_pdf.sh [BUILD_DIR] [N] [RUNS]      (defaults: build, 10000, 5)
#
# It does not build anything and reports numbers only; it exits non-zero only
# when it cannot run or the export fails.
set -euo pipefail

build_dir=${1:-build}
rows=${2:-10000}
runs=${3:-5}
bin=$build_dir/bin/report_pdf
target=1.25

die() { echo "report_pdf.sh: $*" >&2; exit 2; }

[[ -x $bin ]] || die "$bin not found; build the report_pdf target first"
[[ $rows =~ ^[0-9]+$ ]] && (( 10#$rows > 0 )) || die "N must be a positive integer, got '$rows'"
[[ $runs =~ ^[0-9]+$ ]] && (( 10#$runs > 0 )) || die "RUNS must be a positive integer, got '$runs'"

source "$(dirname "$0")/../scripts/deps.sh"
brindlewick_runtime_dir
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

read -r engine plain ratio < <("$bin" "$rows" "$runs" "$out") || die "the benchmark failed"
pages=$(pdfinfo "$out/report.pdf" 2>/dev/null | awk '/^Pages:/ { print $2 }' || true)

echo "A $rows-row report to PDF, headless; wall seconds, best of $runs runs"
echo
printf '%-44s %8.3f\n' "engine: layout, first page, PDF (${pages:-?} pages)" "$engine"
printf '%-44s %8.3f\n' "peer: plain QPdfWriter loop, same rows" "$plain"
awk -v r="$ratio" -v t="$target" 'BEGIN {
    printf "%-44s %8.2f  %s\n", "ratio", r, r <= t ? "ok" : "above the target of " t
}'
