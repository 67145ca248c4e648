#!/usr/bin/env bash
# Times the Contents scan in the window (offscreen, Continue pressed at every
# pause) against the headless scan of the same generated log, in one run, for
# small sections (2,000 users) and for large ones (200,000 users).
#
#   bench/window.sh [BUILD_DIR] [SIZE_MB]      (defaults: build, 600)
#
# It does not build anything and reports numbers only.
set -euo pipefail

build_dir=${1:-build}
size_mb=${2:-600}
gen=$build_dir/bin/gen_contents_log
cli=$build_dir/bin/brindlewick-cli
app=$build_dir/bin/brindlewick
runs=5
for f in "$gen" "$cli" "$app"; do
    [[ -x $f ]] || { echo "window.sh: $f not found; build first" >&2; exit 2; }
done

tmp=$(mktemp -d "${TMPDIR:-/tmp}/brindlewick-bench.XXXXXX")
trap 'rm -rf "$tmp"' EXIT
log=$tmp/contents.log
# About 540 bytes a user in the generated mix.
users=$(( size_mb * 1048576 / 540 ))
best() { sort -g | head -n 1; }

for per_section in 2000 200000; do
    "$gen" --users "$users" --sections $(( (users + per_section - 1) / per_section )) --out "$log"
    # Written back to disk first: the kernel writing a fresh log out while the
    # timed commands run would slow whichever runs then.
    sync "$log"
    cat "$log" >/dev/null
    cli_times=()
    app_times=()
    for (( i = 1; i <= runs; i++ )); do
        s=$(date +%s.%N)
        "$cli" scan contents "$log" >/dev/null
        cli_times+=("$(awk -v a="$s" -v b="$(date +%s.%N)" 'BEGIN { printf "%.3f", b - a }')")
        # The window's own clock: from Parse to the end of the log.
        app_times+=("$(QT_QPA_PLATFORM=offscreen "$app" --bench "$log" 2>/dev/null | awk '/scanned in/ { print $3 }')")
    done
    cli_s=$(printf '%s\n' "${cli_times[@]}" | best)
    app_s=$(printf '%s\n' "${app_times[@]}" | best)
    echo "log: $(awk -v b="$(stat -c %s "$log")" 'BEGIN { printf "%.1f", b / 1048576 }') MiB, $users users, $per_section a section, best of $runs runs"
    printf '%-34s %8s s\n' "brindlewick-cli scan contents" "$cli_s" "window, offscreen, Continue pressed" "$app_s"
    printf '%-34s %8s\n' "ratio window / cli" "$(awk -v a="$app_s" -v c="$cli_s" 'BEGIN { printf "%.2f", a / c }')"
    rm -f "$log"
done
