#!/usr/bin/env bash
# Peak memory of the headless scan on logs with very long lines: a file of
# SIZE_MB bytes without a line feed, and a normal sample log with a line of a
# third of that size inside. Memory should stay bounded by the line cap
# (16 MiB) whatever the size.
#
#   bench/longline.sh [BUILD_DIR] [SIZE_MB]      (defaults: build, 1024)
set -euo pipefail
build_dir=${1:-build}
size_mb=${2:-1024}
cli=${BRINDLEWICK_CLI:-$build_dir/bin/brindlewick-cli}
[[ -x $cli ]] || { echo "longline.sh: CLI not found: $cli" >&2; exit 2; }
[[ -x /usr/bin/time ]] || { echo "longline.sh: /usr/bin/time (GNU time) is required" >&2; exit 2; }
cd "$(dirname "$0")/.."

tmp=$(mktemp -d "${TMPDIR:-/tmp}/brindlewick-longline.XXXXXX")
trap 'rm -rf "$tmp"' EXIT

bytes=$(( size_mb * 1048576 ))
head -c "$bytes" /dev/zero | tr '\0' 'a' > "$tmp/noline.log"
{
    head -n 20 samples/contents.log
    head -c $(( bytes / 3 )) /dev/zero | tr '\0' 'b'
    printf '\n'
    tail -n +21 samples/contents.log
} > "$tmp/inside.log"

measure() { # NAME FILE
    local rss seconds
    read -r seconds rss < <( { /usr/bin/time -f '%e %M' "$cli" scan contents "$2" > /dev/null; } 2>&1 | tail -n 1)
    printf '%-36s %8.1f MiB   %6.2f s   peak RSS %7.1f MiB\n' "$1" \
        "$(awk -v b="$(stat -c %s "$2")" 'BEGIN { print b / 1048576 }')" "$seconds" \
        "$(awk -v k="$rss" 'BEGIN { print k / 1024 }')"
}
echo "Peak memory of brindlewick-cli scan contents on long lines"
measure "no line feed at all" "$tmp/noline.log"
measure "one long line in the sample log" "$tmp/inside.log"
