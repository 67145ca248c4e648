#!/usr/bin/env bash
# Builds the libFuzzer targets (in the "clang" preset's tree: Clang, address
# and undefined-behaviour sanitizers) and runs each for a while.
#
#   scripts/fuzz.sh [SECONDS [TARGET...]]   run each target SECONDS (default 600)
#   scripts/fuzz.sh --smoke                 a short run of each on its seed corpus
#
# Each long run works on a copy of the seed corpus under build-clang/corpus, so
# what it finds stays out of the repository; a crash leaves its input in
# build-clang/findings and ends the script with status 1. The last line of each
# run ("Done N runs in S second(s)") is the figure for docs/RELIABILITY.md.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
brindlewick_install_deps

smoke=0
seconds=600
if [ "${1:-}" = --smoke ]; then
    smoke=1
    shift
elif [ $# -gt 0 ]; then
    seconds=$1
    shift
fi
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(fuzz_scan_contents fuzz_scan_documents fuzz_scan_expire fuzz_scan_structure fuzz_prefix fuzz_order fuzz_version_block fuzz_page_file)

cmake --preset clang >/dev/null
cmake --build --preset clang -j "$(nproc 2>/dev/null || echo 2)" --target "${targets[@]}" >/dev/null

seeds() {
    case $1 in
        fuzz_scan_*) echo tests/fuzz/corpus/scan ;;
        fuzz_prefix) echo tests/fuzz/corpus/prefix ;;
        fuzz_order) echo tests/fuzz/corpus/order ;;
        fuzz_version_block) echo tests/fuzz/corpus/version ;;
        fuzz_page_file) echo tests/fuzz/corpus/pagefile ;;
    esac
}

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1
mkdir -p build-clang/findings
for t in "${targets[@]}"; do
    if [ $smoke = 1 ]; then
        # The seeds, then a few hundred mutations of them.
        status=0
        # New inputs go to the first folder given: keep them out of the seeds.
        found=build-clang/smoke/$t
        rm -rf "$found" && mkdir -p "$found"
        build-clang/bin/"$t" -dict=tests/fuzz/markers.dict -runs=2000 -max_len=65536 \
            -artifact_prefix=build-clang/findings/"$t"- "$found" "$(seeds "$t")" > build-clang/"$t".log 2>&1 || status=$?
        if [ $status -ne 0 ]; then
            grep -E 'ERROR|SUMMARY|Test unit written' build-clang/"$t".log >&2 || true
            echo "fuzz: $t failed on its smoke run (build-clang/$t.log)" >&2
            exit 1
        fi
        echo "fuzz: $t smoke run passed: $(grep -E '^Done' build-clang/"$t".log)"
    else
        work=build-clang/corpus/$t
        mkdir -p "$work"
        cp -n "$(seeds "$t")"/* "$work"/
        echo "== $t for $seconds s"
        status=0
        build-clang/bin/"$t" -dict=tests/fuzz/markers.dict -max_total_time="$seconds" -max_len=65536 \
            -print_final_stats=1 -artifact_prefix=build-clang/findings/"$t"- "$work" > build-clang/"$t".log 2>&1 || status=$?
        grep -E '^Done|^stat::number_of_executed_units|ERROR|SUMMARY' build-clang/"$t".log || true
        [ $status -eq 0 ] || { echo "fuzz: $t found a fault; see build-clang/findings and build-clang/$t.log" >&2; exit 1; }
    fi
done
