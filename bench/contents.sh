#!/usr/bin/env bash
# Times the headless contents scan against `grep -cF` over the same markers on a
# generated log, and compares the scan's peak memory on two log sizes; once
# for each section size, so that the cost per row shows at small and at large
# sections in one run.
#
#   bench/contents.sh [BUILD_DIR] [SIZE_MB]      (defaults: build, 600; 1 MB = 2^20 bytes)
#
# Environment:
#   BRINDLEWICK_CLI          path of the CLI to time (default BUILD_DIR/bin/brindlewick-cli)
#   BENCH_JOBLOG=1           generate the GroupWise 6/7 job-log form instead
#   BENCH_USERS_PER_SECTION  users per section, one or more sizes separated by blanks
#                            (default "2000 200000")
#   TMPDIR                   where the logs are written
#
# It does not build anything and reports numbers only; it exits non-zero only
# when it cannot run or a timed command fails.
set -euo pipefail

build_dir=${1:-build}
size_mb=${2:-600}
cli=${BRINDLEWICK_CLI:-$build_dir/bin/brindlewick-cli}
gen=$build_dir/bin/gen_contents_log
read -r -a section_sizes <<< "${BENCH_USERS_PER_SECTION:-2000 200000}"
runs=5

die() { echo "contents.sh: $*" >&2; exit 2; }

if [[ ! $size_mb =~ ^[0-9]+$ ]] || (( 10#$size_mb == 0 )); then
    die "SIZE_MB must be a positive integer, got '$size_mb'"
fi
(( ${#section_sizes[@]} > 0 )) || die "BENCH_USERS_PER_SECTION must name at least one size"
for (( k = 0; k < ${#section_sizes[@]}; k++ )); do
    if [[ ! ${section_sizes[k]} =~ ^[0-9]+$ ]] || (( 10#${section_sizes[k]} == 0 )); then
        die "BENCH_USERS_PER_SECTION must hold positive integers, got '${section_sizes[k]}'"
    fi
    section_sizes[k]=$(( 10#${section_sizes[k]} ))
done
size_mb=$(( 10#$size_mb ))
[[ -x $gen ]] || die "generator not found: $gen (build the gen_contents_log target first)"
[[ -x $cli ]] || die "CLI not found: $cli (build brindlewick-cli first, or set BRINDLEWICK_CLI)"
[[ -x /usr/bin/time ]] || die "/usr/bin/time (GNU time) is required"

gen_args=()
form="GroupWise 5 form"
if [[ ${BENCH_JOBLOG:-0} == 1 ]]; then
    gen_args+=(--joblog)
    form="GroupWise 6/7 job-log form"
fi

# Every marker the contents parser and the job-log detection look for: the
# scan has to find all of them in every line, so grep does too.
markers=(
    "===== TASK LOG -" "===== BEGIN - JOB LOG" "Novell GroupWise - GWCH" "Version 6" "Version 7"
    "CONTENTS VERIFICATION" "Checking user =" "PROCESSING COMPLETE" "END - JOB LOG"
    "User stats:" "InBox," "OutBox," "bytes in use by user" "Size Limit Exceeded"
    "Current size:" "Threshold limit exceeded" "Disk space management" "Size Limit - "
    "Threshold - "
)
grep_args=()
for m in "${markers[@]}"; do
    grep_args+=(-e "$m")
done

tmp=$(mktemp -d "${TMPDIR:-/tmp}/brindlewick-bench.XXXXXX")
trap 'rm -rf "$tmp"' EXIT
trap 'exit 130' INT TERM

mib() { awk -v b="$1" 'BEGIN { printf "%.1f", b / 1048576 }'; }
now() { date +%s.%N; }

# Users needed for the requested size, from a small calibration log.
calib_users=20000
"$gen" --users "$calib_users" --sections 10 --out "$tmp/calib.log" "${gen_args[@]}"
calib_bytes=$(stat -c %s "$tmp/calib.log")
rm -f "$tmp/calib.log"
users_for() { echo $(( $1 * 1048576 * calib_users / calib_bytes )); }

# make_log FILE USERS: sections grow with the users so that a section, and with
# it the rows the scan holds at once, stays the same size.
make_log() {
    local sections=$(( ($2 + users_per_section - 1) / users_per_section ))
    (( sections > 0 )) || sections=1
    local t0
    t0=$(now)
    "$gen" --users "$2" --sections "$sections" --out "$1" "${gen_args[@]}"
    gen_seconds=$(awk -v a="$t0" -v b="$(now)" 'BEGIN { printf "%.2f", b - a }')
    gen_sections=$sections
}

failures=0

# time_once LABEL MAX_OK_STATUS STDOUT_FILE CMD...: one timed run; its elapsed
# seconds go to $run_s, its peak RSS (KiB) to $run_kib.
time_once() {
    local label=$1 max_ok=$2 out=$3
    shift 3
    local status=0
    /usr/bin/time -f '%e %M' -o "$tmp/time.txt" "$@" >"$out" 2>"$tmp/stderr.txt" || status=$?
    read -r run_s run_kib < <(tail -n 1 "$tmp/time.txt")
    if (( status > max_ok )); then
        echo "warning: $label exited with status $status; first lines of its error output:" >&2
        head -n 5 "$tmp/stderr.txt" >&2
        failures=$(( failures + 1 ))
    fi
}

# keep_best BEST_VAR PEAK_VAR: folds the last run into the best time and the
# highest peak.
keep_best() {
    if [[ -z ${!1} ]] || awk -v a="$run_s" -v b="${!1}" 'BEGIN { exit !(a < b) }'; then
        printf -v "$1" '%s' "$run_s"
    fi
    if (( run_kib > ${!2} )); then
        printf -v "$2" '%s' "$run_kib"
    fi
}

rate() { awk -v b="$1" -v s="$2" 'BEGIN { if (s > 0) printf "%.0f", b / 1048576 / s; else print "-" }'; }

# run_section_size USERS_PER_SECTION: the whole comparison at one section
# size; the ratio to grep goes to $ratio.
run_section_size() {
    users_per_section=$1
    local log=$tmp/contents.log
    users=$(users_for "$size_mb")
    make_log "$log" "$users"
    bytes=$(stat -c %s "$log")
    # Written back to disk first: the kernel writing a fresh log out while the
    # timed commands run would slow whichever runs then.
    sync "$log"
    cat "$log" >/dev/null

    # The two alternate, so that a slow spell of the machine falls on both.
    grep_s="" grep_kib=0 cli_s="" cli_kib=0
    local i
    for (( i = 1; i <= runs; i++ )); do
        time_once grep 1 "$tmp/grep.txt" env LC_ALL=C grep -cF "${grep_args[@]}" "$log"
        keep_best grep_s grep_kib
        time_once brindlewick-cli 0 /dev/null "$cli" scan contents "$log"
        keep_best cli_s cli_kib
    done
    grep_count=$(cat "$tmp/grep.txt")

    ratio=$(awk -v c="$cli_s" -v g="$grep_s" 'BEGIN { if (g > 0) printf "%.2f", c / g; else print "-" }')

    echo "Contents scan benchmark, $form, $users_per_section users per section"
    echo "log: $(mib "$bytes") MiB ($bytes bytes), $users users in $gen_sections sections, generated in ${gen_seconds} s"
    echo "best of $runs runs each, the two alternating, page cache warm; grep matched $grep_count lines"
    echo
    printf '%-28s %10s %10s %16s\n' "" "seconds" "MiB/s" "peak RSS (MiB)"
    printf '%-28s %10s %10s %16s\n' "grep -cF (${#markers[@]} markers)" "$grep_s" "$(rate "$bytes" "$grep_s")" "$(mib $(( grep_kib * 1024 )))"
    printf '%-28s %10s %10s %16s\n' "brindlewick-cli" "$cli_s" "$(rate "$bytes" "$cli_s")" "$(mib $(( cli_kib * 1024 )))"
    printf '%-28s %10s\n' "ratio cli / grep" "$ratio"
    echo

    # Same section size, a quarter of the log: the peak should differ by no
    # more than the read-ahead does (a sixteenth of the log, up to 32 MiB).
    rm -f "$log"
    local small_log=$tmp/contents-quarter.log
    local small_users=$(( users / 4 ))
    make_log "$small_log" "$small_users"
    local small_bytes
    small_bytes=$(stat -c %s "$small_log")
    cat "$small_log" >/dev/null
    local small_s="" small_kib=0
    for (( i = 1; i <= runs; i++ )); do
        time_once brindlewick-cli 0 /dev/null "$cli" scan contents "$small_log"
        keep_best small_s small_kib
    done
    rm -f "$small_log"

    echo "Peak memory of brindlewick-cli against log size ($users_per_section users per section)"
    printf '%12s MiB log: %8s s, peak RSS %8s MiB (%s KiB)\n' "$(mib "$bytes")" "$cli_s" "$(mib $(( cli_kib * 1024 )))" "$cli_kib"
    printf '%12s MiB log: %8s s, peak RSS %8s MiB (%s KiB)\n' "$(mib "$small_bytes")" "$small_s" "$(mib $(( small_kib * 1024 )))" "$small_kib"
}

ratios=()
for (( k = 0; k < ${#section_sizes[@]}; k++ )); do
    (( k == 0 )) || echo
    run_section_size "${section_sizes[k]}"
    ratios+=("$ratio")
done

if (( ${#section_sizes[@]} > 1 )); then
    echo
    echo "Ratio cli / grep by section size (the cost per line should not depend on it)"
    for (( k = 0; k < ${#section_sizes[@]}; k++ )); do
        printf '%12s users per section: %s\n' "${section_sizes[k]}" "${ratios[k]}"
    done
fi

if (( failures > 0 )); then
    echo "warning: $failures timed run(s) failed; see above" >&2
    exit 1
fi
exit 0
