#!/usr/bin/env bash
# Times `brindlewick-cli compare contents OLD NEW` against scanning both logs
# with `brindlewick-cli scan contents`, on two generated logs of SIZE_MB each,
# and reports both peak memories. The compare should take at most 2.5 times
# the two scans: each log's users are sorted by name as it is read, and the
# two lists joined in one pass.
#
#   bench/compare.sh [BUILD_DIR] [SIZE_MB]      (defaults: build, 600; 1 MB = 2^20 bytes)
#
# TMPDIR says where the logs are written. Best of three runs each, taken in turn.
set -euo pipefail

build_dir=${1:-build}
size_mb=${2:-600}
cli=${BRINDLEWICK_CLI:-$build_dir/bin/brindlewick-cli}
gen=$build_dir/bin/gen_contents_log
runs=3
users_per_section=2000

die() { echo "compare.sh: $*" >&2; exit 2; }
[[ $size_mb =~ ^[0-9]+$ ]] && (( size_mb > 0 )) || die "SIZE_MB must be a positive integer"
[[ -x $gen ]] || die "generator not found: $gen"
[[ -x $cli ]] || die "CLI not found: $cli"
[[ -x /usr/bin/time ]] || die "/usr/bin/time (GNU time) is required"

tmp=$(mktemp -d "${TMPDIR:-/tmp}/brindlewick-compare.XXXXXX")
trap 'rm -rf "$tmp"' EXIT

calib_users=20000
"$gen" --users "$calib_users" --sections 10 --out "$tmp/calib.log"
calib_bytes=$(stat -c %s "$tmp/calib.log")
rm -f "$tmp/calib.log"
users=$(( size_mb * 1048576 * calib_users / calib_bytes ))
sections=$(( (users + users_per_section - 1) / users_per_section ))
"$gen" --users "$users" --sections "$sections" --seed 1 --out "$tmp/old.log"
"$gen" --users "$users" --sections "$sections" --seed 2 --out "$tmp/new.log"
sync "$tmp/old.log" "$tmp/new.log"
cat "$tmp/old.log" "$tmp/new.log" >/dev/null

best() { awk -v a="$1" -v b="$2" 'BEGIN { print (b == "" || a < b) ? a : b }'; }
scan_s="" scan_kib=0 compare_s="" compare_kib=0
for (( i = 1; i <= runs; i++ )); do
    /usr/bin/time -f '%e %M' -o "$tmp/t1" "$cli" scan contents "$tmp/old.log" >/dev/null
    /usr/bin/time -f '%e %M' -o "$tmp/t2" "$cli" scan contents "$tmp/new.log" >/dev/null
    read -r s1 k1 < "$tmp/t1"
    read -r s2 k2 < "$tmp/t2"
    scan_s=$(best "$(awk -v a="$s1" -v b="$s2" 'BEGIN { print a + b }')" "$scan_s")
    (( k1 > scan_kib )) && scan_kib=$k1
    (( k2 > scan_kib )) && scan_kib=$k2
    /usr/bin/time -f '%e %M' -o "$tmp/t3" "$cli" compare contents "$tmp/old.log" "$tmp/new.log" >"$tmp/compare.txt"
    read -r s3 k3 < "$tmp/t3"
    compare_s=$(best "$s3" "$compare_s")
    (( k3 > compare_kib )) && compare_kib=$k3
done

echo "logs: 2 x $(awk -v b="$(stat -c %s "$tmp/old.log")" 'BEGIN { printf "%.0f", b / 1048576 }') MiB, $users users each"
sed -n 3,4p "$tmp/compare.txt"
echo "scan of both: $scan_s s, peak $(( scan_kib / 1024 )) MiB"
echo "compare:      $compare_s s, peak $(( compare_kib / 1024 )) MiB"
awk -v c="$compare_s" -v s="$scan_s" 'BEGIN { printf "ratio compare / scans: %.2f (target at most 2.5)\n", c / s }'
