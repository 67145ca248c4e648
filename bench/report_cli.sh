#!/usr/bin/env bash
# The command line's Contents report of one section of N users in every
# form, against the scan alone in the same run: wall seconds and peak memory
# (GNU time's maximum resident set). The target for memory is at most the
# scan's plus 64 MiB in every form.
#
#   bench/report_cli.sh [BUILD_DIR] [N]      (defaults: build, 100000)
#
# It does not build anything and reports numbers only; it exits non-zero only
# when it cannot run or a report fails.
set -euo pipefail

build_dir=${1:-build}
users=${2:-100000}
cli=$build_dir/bin/brindlewick-cli
gen=$build_dir/bin/gen_contents_log
margin_kb=$((64 * 1024))

die() { echo "report_cli.sh: $*" >&2; exit 2; }

[[ -x $cli ]] || die "$cli not found; build first"
[[ -x $gen ]] || die "$gen not found; build the gen_contents_log target first"
[[ -x /usr/bin/time ]] || die "GNU time (/usr/bin/time) is needed for the peak memory"
[[ $users =~ ^[0-9]+$ ]] && (( 10#$users > 0 )) || die "N must be a positive integer, got '$users'"

source "$(dirname "$0")/../scripts/deps.sh"
brindlewick_runtime_dir
export QT_QPA_PLATFORM=offscreen
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
"$gen" --users "$users" --sections 1 --out "$out/contents.log" || die "the generator failed"

# Prints "seconds kilobytes" of one run of the CLI with these arguments.
measure() {
    /usr/bin/time -f '%e %M' -o "$out/time" "$cli" scan contents "$out/contents.log" "$@" >/dev/null 2>"$out/err" \
        || { cat "$out/err" >&2; die "brindlewick-cli $* failed"; }
    cat "$out/time"
}

read -r scan_s scan_kb < <(measure)
echo "The Contents report of one section of $users users, headless"
echo
printf '%-16s %9s %12s  %s\n' "run" "seconds" "peak MiB" "memory against the scan's + 64 MiB"
printf '%-16s %9.2f %12.1f\n' "scan alone" "$scan_s" "$(awk -v k="$scan_kb" 'BEGIN { print k / 1024 }')"
for form in pdf htm txt csv qrp; do
    read -r s kb < <(measure --report "$out/r.$form")
    awk -v f="$form" -v s="$s" -v k="$kb" -v base="$scan_kb" -v m="$margin_kb" 'BEGIN {
        printf "%-16s %9.2f %12.1f  %s\n", "report ." f, s, k / 1024,
            k <= base + m ? "ok" : sprintf("%.0f MiB over", (k - base - m) / 1024)
    }'
done
