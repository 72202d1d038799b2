#!/usr/bin/env bash
# Runs every libFuzzer target for SECONDS seconds each (default 5: the test command's smoke
# run) in a clang build with AddressSanitizer and UndefinedBehaviorSanitizer. The corpus of each
# target grows in build/fuzz/corpus/TARGET from seeds the demo generator writes; whatever makes a
# target fail is left as build/fuzz/crash-* and the script fails. Longer runs by hand:
#   scripts/fuzz.sh 600            # ten minutes a target
#   scripts/fuzz.sh 60 decoder     # one target
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-5}
shift || true
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(decoder report_index canvas_reader pcl_composer pcl_pages stamp settings)

# clang and its sanitizer runtime come with the project's packages.
scripts/install-deps.sh
build=build/fuzz
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DANALYSIS_FUZZ=ON \
    -DANALYSIS_WERROR=ON -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build" -j "${JOBS:-$(nproc)}" >/dev/null

"$build/fuzz/make_fuzz_seeds" "$build/seeds"
# The targets write their inputs to files; memory-backed files keep the disk out of the figures.
[ -w /dev/shm ] && export TMPDIR=/dev/shm
export ASAN_OPTIONS=abort_on_error=1:detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1
for target in "${targets[@]}"; do
    corpus="$build/corpus/$target"
    mkdir -p "$corpus"
    log="$build/$target.log"
    if ! "$build/fuzz/${target}_fuzz" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=1024 \
        -max_len=65536 -artifact_prefix="$build/crash-$target-" -print_final_stats=1 \
        "$corpus" "$build/seeds/$target" >"$log" 2>&1; then
        echo "fuzz: $target failed; see $log" >&2
        tail -40 "$log" >&2
        exit 1
    fi
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || true)
    cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | grep -o '[0-9]*' || true)
    echo "fuzz: $target: ${runs:-?} runs in ${seconds}s, coverage ${cov:-?} edges, corpus $(ls "$corpus" | wc -l) inputs"
done
