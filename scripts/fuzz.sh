#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each for the given number of seconds
# on two cores at most, starting from the seed corpus in fuzz/corpus.
#
#   scripts/fuzz.sh [seconds per target, default 5] [target...]
#   scripts/fuzz.sh 3600             # the long run
#   scripts/fuzz.sh coverage         # line coverage each corpus reaches
#
# New inputs found go to build-fuzz/corpus/<target> (the seeds stay as they
# are); a crash leaves its input in build-fuzz/crashes and fails the script.
source "$(dirname "$0")/common.sh"
set -euo pipefail

TARGETS=(http_response group_index video_list picture form_description)
mode=${1:-5}
shift || true
[ $# -gt 0 ] && TARGETS=("$@")

configure() {
    local dir=$1
    shift
    cmake -S "$ROOT/fuzz" -B "$dir" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        "$@" >/dev/null
    cmake --build "$dir" -j2 >/dev/null
}

if [ "$mode" = coverage ]; then
    dir=$ROOT/build-fuzz-coverage
    configure "$dir" -DVELMORA_FUZZ_COVERAGE=ON
    for target in "${TARGETS[@]}"; do
        corpus=$ROOT/build-fuzz/corpus/$target
        [ -d "$corpus" ] || corpus=$ROOT/fuzz/corpus/$target
        LLVM_PROFILE_FILE=$dir/$target.profraw QT_QPA_PLATFORM=offscreen \
            "$dir/fuzz_$target" -runs=0 "$corpus" >/dev/null 2>&1
        llvm-profdata merge -sparse "$dir/$target.profraw" -o "$dir/$target.profdata"
        echo "== $target (corpus $corpus)"
        llvm-cov report "$dir/fuzz_$target" -instr-profile="$dir/$target.profdata" \
            "$ROOT/guides" "$ROOT/platform" "$ROOT/videos" | tail -n +1
    done
    exit 0
fi

dir=$ROOT/build-fuzz
configure "$dir"
mkdir -p "$dir/crashes"
status=0
for target in "${TARGETS[@]}"; do
    corpus=$dir/corpus/$target
    mkdir -p "$corpus"
    echo "== fuzz_$target for $mode s"
    if ! QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
        "$dir/fuzz_$target" -max_total_time="$mode" -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$dir/crashes/$target-" "$corpus" "$ROOT/fuzz/corpus/$target" \
        2>"$dir/$target.log"; then
        status=1
        tail -40 "$dir/$target.log"
    fi
    grep -E '^stat::(number_of_executed_units|average_exec_per_sec|new_units_added)' \
        "$dir/$target.log" || true
    grep -E '^#[0-9]+.*DONE' "$dir/$target.log" | tail -1 || true
done
exit $status
