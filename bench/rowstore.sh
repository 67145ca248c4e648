#!/usr/bin/env bash
# Times the logs whose rows once cost more the more a list held (Document rows
# all captioned 0, Contents users of one name with many file IDs, Contents
# users checked twice in their section) at N and 2N rows, through the real
# parsers and lists, and prints the growth of each: about 2 when every row
# costs the same, at most 2.2 as the target. The peer is a log of users each
# checked once, which never cost more: what memory alone adds at twice the rows.
#
#   bench/rowstore.sh [BUILD_DIR] [N]      (defaults: build, 100000; N at most 296352)
#
# It does not build anything and reports numbers only; it exits non-zero only
# when it cannot run or a scan does not hold the rows it should.
set -euo pipefail

build_dir=${1:-build}
rows=${2:-100000}
bin=$build_dir/bin/rowstore_growth
# Nine runs of each size, in three rounds of three that take N and 2N in
# turn, so that a slower spell of the machine falls on both sizes alike.
rounds=3
runs_per_round=3
runs=$(( rounds * runs_per_round ))
target=2.2

die() { echo "rowstore.sh: $*" >&2; exit 2; }

[[ -x $bin ]] || die "$bin not found; build the rowstore_growth target first"
if [[ ! $rows =~ ^[0-9]+$ ]] || (( 10#$rows == 0 )); then
    die "N must be a positive integer, got '$rows'"
fi
rows=$(( 10#$rows ))

cases=(documents shared-name checked-twice checked-twice-window distinct)
labels=("Document rows all captioned 0" "Contents, one name, many file IDs" "Contents, users checked twice"
        "  the same, settled as the window" "peer: users each checked once")

# seconds CASE ROWS: the best CPU time of $runs scans, in a process of its own.
seconds() {
    local out
    out=$("$bin" "$1" "$2" "$runs_per_round") || die "$1 at $2 rows: the scan failed or held the wrong number of rows ($out)"
    echo "${out%% *}"
}

# lesser A B: the smaller of two times, B empty meaning none yet.
lesser() { awk -v a="$1" -v b="$2" 'BEGIN { print (b == "" || a < b) ? a : b }'; }

echo "RowStore growth through the real parsers, headless; CPU seconds, best of $runs runs, N and 2N in turn, N = $rows"
echo
printf '%-36s %10s %10s %8s\n' "" "N (s)" "2N (s)" "growth"
for (( k = 0; k < ${#cases[@]}; k++ )); do
    small=""
    large=""
    for (( r = 0; r < rounds; r++ )); do
        # Assigned on their own, so that a failed scan stops the script.
        s=$(seconds "${cases[k]}" "$rows")
        l=$(seconds "${cases[k]}" $(( 2 * rows )))
        small=$(lesser "$s" "$small")
        large=$(lesser "$l" "$large")
    done
    awk -v label="${labels[k]}" -v a="$small" -v b="$large" -v t="$target" 'BEGIN {
        g = a > 0 ? b / a : 0
        printf "%-36s %10.3f %10.3f %8.2f  %s\n", label, a, b, g, g <= t ? "ok" : "above the target of " t
    }'
done
