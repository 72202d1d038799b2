#!/usr/bin/env bash
# Installs what is missing, builds everything with warnings as errors, checks the formatting,
# and runs every test twice: in a normal build, then in a build with AddressSanitizer and
# UndefinedBehaviorSanitizer; builds the Debian package from a Release build (warnings as errors)
# and checks it; then a smoke run of each fuzz target and a few kill trials.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

jobs=$(nproc)
scripts/check-format.sh
scripts/check-layers.sh

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DANALYSIS_WERROR=ON
cmake --build build/release -j "$jobs"
ctest --test-dir build/release --output-on-failure -j "$jobs"

# The shipped programs in Release, so an optimised build stays free of warnings too.
package=$(ANALYSIS_WERROR=ON JOBS=$jobs scripts/package.sh | tail -n 1)
scripts/check-package.sh "$package"

cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DANALYSIS_SANITIZE=ON -DANALYSIS_WERROR=ON \
    -DANALYSIS_BUILD_BENCH=OFF
cmake --build build/sanitize -j "$jobs"
ASAN_OPTIONS=abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build/sanitize --output-on-failure -j "$jobs"

# Seconds per fuzz target and trials of the kill test; longer runs by hand (see each script).
scripts/fuzz.sh "${FUZZ_SECONDS:-5}"
scripts/kill-test.sh "${KILL_TRIALS:-6}" build/release
