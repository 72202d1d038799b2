#!/usr/bin/env bash
# The window's start and close on a day, whole process, as a user waits for them: from launch to
# the first report shown, to the day's report files all written, and from the close request to
# the process's end (the program's own ANALYSIS_TIMING=1 lines); beside plain creation of the
# same report files (cp of the split day's folder) in the same run.
#   bench/window_day.sh [BUILD_DIR] [RUNS] [--demo]   (a Release or RelWithDebInfo build; the
#                                                       heavy day unless --demo)
# A build without the timing lines (an older one) is measured from outside: its files are counted
# as they appear, and its first report is shown only after them.
set -euo pipefail
build=$(realpath "${1:-build/release}")
runs=${2:-5}
shape=--heavy
[ "${3:-}" = --demo ] && shape=
analysis="$build/src/gui/Analysis"
tool="$build/src/cli/analysis-tool"
[ -x "$analysis" ] && [ -x "$tool" ] || { echo "window_day: no Analysis in $build" >&2; exit 2; }

work=$(mktemp -d "${TMPDIR:-/tmp}/analysis-window-day-XXXXXX")
trap 'rm -rf "$work"' EXIT
profile=$work/profile
install=$profile/QuillmarshData/Analysis
mkdir -p "$work/runtime"
"$tool" demo "$install" $shape --race-day 18000 >/dev/null
"$tool" decode "$install/Data/Analysis.DAT" "$work/day.txt" >/dev/null
mkdir "$work/split"
"$tool" split "$work/day.txt" "$work/split" >/dev/null
files=$(find "$work/split" -maxdepth 1 -type f | wc -l)
echo "day: $(du -h "$install/Data/Analysis.DAT" | cut -f1) data file, $files report files"

now_ms() { echo $(($(date +%s%N) / 1000000)); }
report_files() { find "$install" -maxdepth 1 -type f ! -name Analysis.TXT ! -name SimoDump.LST | wc -l; }
median() { sort -n | awk '{v[NR]=$1} END {print (NR % 2) ? v[(NR + 1) / 2] : int((v[NR / 2] + v[NR / 2 + 1]) / 2)}'; }

: >"$work/first" ; : >"$work/written" ; : >"$work/closed" ; : >"$work/plain"
for ((run = 1; run <= runs; ++run)); do
    launched=$(now_ms)
    HOME=$profile USERPROFILE=$profile XDG_RUNTIME_DIR=$work/runtime QT_QPA_PLATFORM=offscreen \
        ANALYSIS_TIMING=1 "$analysis" >/dev/null 2>"$work/stderr" &
    pid=$!
    deadline=$((launched + 60000))
    until grep -q "^timing files-written" "$work/stderr" || [ "$(report_files)" -ge "$files" ]; do
        [ "$(now_ms)" -lt "$deadline" ] || { echo "window_day: the day was never split" >&2; exit 1; }
        sleep 0.005
    done
    outside_written=$(($(now_ms) - launched))
    sleep 0.3
    kill -TERM "$pid"
    close_asked=$(now_ms)
    wait "$pid" || true
    outside_closed=$(($(now_ms) - close_asked))
    first=$(awk '$2 == "first-report-shown" {print $3}' "$work/stderr")
    written=$(awk '$2 == "files-written" {print $3}' "$work/stderr")
    closed=$(awk '$2 == "closed" {print $3}' "$work/stderr")
    echo "${first:-$outside_written}" >>"$work/first"
    echo "${written:-$outside_written}" >>"$work/written"
    echo "${closed:-$outside_closed}" >>"$work/closed"

    rm -rf "$work/copy"
    sync
    started=$(now_ms)
    cp -r "$work/split" "$work/copy"
    echo $(($(now_ms) - started)) >>"$work/plain"
done

timed=yes
grep -q "^timing" "$work/stderr" || timed="no (measured from outside)"
echo "medians of $runs runs, ms; the program's own timing lines: $timed"
echo "  first report shown     $(median <"$work/first")"
echo "  report files written   $(median <"$work/written")"
echo "  close to process end   $(median <"$work/closed")"
echo "  peer: cp of the $files report files   $(median <"$work/plain")"
