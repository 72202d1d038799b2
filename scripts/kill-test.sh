#!/usr/bin/env bash
# Kills the real window with SIGKILL at random moments of its start-up (decode, split), while it
# shows the day and writes the report files behind, of its close (the rejoin), of an
# Archive > Load and of a scratch save, then checks the day whole: the
# analysis text byte for byte as it was (or, for a load or a save, as that action leaves it once
# done), the settings file whole, and, after the next start and close, no report file and no
# temporary left. The day lives only in its text (the data file is removed after the first
# start), so a lost text would be a lost day.
#   scripts/kill-test.sh [TRIALS] [BUILD_DIR]      (default 20 trials, build/release)
set -euo pipefail
cd "$(dirname "$0")/.."

trials=${1:-20}
build=${2:-build/release}
if [ ! -x "$build/src/gui/Analysis" ] || [ ! -x "$build/tests/gui/window_driver" ]; then
    # A fresh clone has built nothing yet: build what the trials run.
    scripts/install-deps.sh
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build "$build" -j "$(nproc)" --target Analysis analysis-tool window_driver >/dev/null
fi
analysis=$(realpath "$build/src/gui/Analysis")
tool=$(realpath "$build/src/cli/analysis-tool")
driver=$(realpath "$build/tests/gui/window_driver")

work=$(mktemp -d "${TMPDIR:-/tmp}/analysis-kill-XXXXXX")
trap 'rm -rf "$work"' EXIT
profile=$work/profile
install=$profile/QuillmarshData/Analysis

now_ms() { echo $(($(date +%s%N) / 1000000)); }

# The window's moments go to $work/timing (ANALYSIS_TIMING).
run_window() {
    touch "$work/launched"
    sleep 0.01
    HOME=$profile USERPROFILE=$profile XDG_RUNTIME_DIR=$work/runtime QT_QPA_PLATFORM=offscreen \
        ANALYSIS_TIMING=1 "$analysis" >/dev/null 2>"$work/timing" &
    pid=$!
}

# Milliseconds from the process's start to a moment it told, once told.
moment() {
    local deadline=$(($(now_ms) + 20000)) line
    until line=$(grep -m1 "^timing $1 " "$work/timing"); do
        [ "$(now_ms)" -lt "$deadline" ] || { echo "kill-test: the window never told $1" >&2; exit 1; }
        sleep 0.005
    done
    echo "${line##* }"
}

# Files of the install folder other than the text, the schedule and the lock: report files and
# temporaries.
day_files() {
    find "$install" -maxdepth 1 -type f ! -name Analysis.TXT ! -name SimoDump.LST \
        ! -name '!Analysis@@@.lock' | wc -l
}

# Report files written since the window was launched: a killed copy's do not count.
split_files() {
    find "$install" -maxdepth 1 -type f -newer "$work/launched" ! -name Analysis.TXT \
        ! -name SimoDump.LST ! -name '!Analysis@@@.lock' | wc -l
}

# Reports in the text the window starts from: a day that a killed archive load left as the
# archive holds fewer than the day.
separators() { grep -ao $'\f@' "$1" | wc -l; }

wait_for_split() {
    local deadline=$(($(now_ms) + 20000)) expected=$reports
    [ -n "${day_separators:-}" ] &&
        expected=$((reports * $(separators "$install/Analysis.TXT") / day_separators))
    while [ "$(split_files)" -lt "$expected" ]; do
        [ "$(now_ms)" -lt "$deadline" ] || { echo "kill-test: the day was never split" >&2; exit 1; }
        sleep 0.02
    done
}

close_window() {
    kill -TERM "$pid"
    wait "$pid" || true
}

# The window driven through an action (load PART.TXT, or scratch) and its close.
run_driver() {
    HOME=$profile USERPROFILE=$profile XDG_RUNTIME_DIR=$work/runtime QT_QPA_PLATFORM=offscreen \
        "$driver" "$profile" "$@" >/dev/null 2>&1 &
    pid=$!
}

# What an action leaves once done, and how long it takes: run once, not killed.
measure_action() {
    local started
    cp "$work/day.txt" "$install/Analysis.TXT"
    started=$(now_ms)
    run_driver "$@"
    wait "$pid"
    action_ms=$(($(now_ms) - started))
}

mkdir -p "$work/runtime"
"$tool" demo "$install" --race-day 18000 >/dev/null

# Two clean starts and closes: the text they leave is the day as the program keeps it.
run_window
sleep 0.5
started=$(now_ms)
reports=1
wait_for_split
sleep 1
reports=$(day_files)
close_window
cp "$install/Analysis.TXT" "$work/day.txt"
day_separators=$(separators "$work/day.txt")
rm "$install/Data/Analysis.DAT"
started=$(now_ms)
run_window
wait_for_split
split_ms=$(($(now_ms) - started))
behind_ms=$(($(moment files-written) - $(moment first-report-shown)))
started=$(now_ms)
close_window
close_ms=$(($(now_ms) - started))
cmp -s "$install/Analysis.TXT" "$work/day.txt" || { echo "kill-test: a clean close changed the day" >&2; exit 1; }
sed 3d "$install/Exec/Analysis.OPT" >"$work/settings"
cp "$install/Exec/Analysis.OPT" "$work/settings.whole"

# An archive of a few of the day's reports, and the texts a finished load and a finished scratch
# save leave.
mkdir -p "$work/split"
"$tool" split "$work/day.txt" "$work/split" >/dev/null
mapfile -t some < <(find "$work/split" -maxdepth 1 -type f -name 'A*' ! -name '*~*' | sort | head -n 5)
"$tool" archive-save "$install/Archive/PART.TXT" "${some[@]}" >/dev/null
measure_action load PART.TXT
cp "$install/Analysis.TXT" "$work/loaded.txt"
load_ms=$action_ms
measure_action scratch
cp "$install/Analysis.TXT" "$work/edited.txt"
scratch_ms=$action_ms
cmp -s "$work/loaded.txt" "$work/day.txt" && { echo "kill-test: the archive load changed nothing" >&2; exit 1; }
cmp -s "$work/edited.txt" "$work/day.txt" && { echo "kill-test: the scratch save changed nothing" >&2; exit 1; }
cp "$work/day.txt" "$install/Analysis.TXT"
cp "$work/settings.whole" "$install/Exec/Analysis.OPT"

lost=0
for ((trial = 1; trial <= trials; ++trial)); do
    # The texts the day may be in after this trial: as it was, or as the action leaves it.
    done_text=$work/day.txt
    case $((RANDOM % 5)) in
    0)
        phase=start-up
        run_window
        delay=$((RANDOM % (split_ms + 50)))
        ;;
    1)
        phase=close
        run_window
        wait_for_split
        sleep 0.2
        kill -TERM "$pid"
        delay=$((RANDOM % (close_ms + 20)))
        ;;
    2)
        phase="archive load"
        done_text=$work/loaded.txt
        run_driver load PART.TXT
        delay=$((RANDOM % (load_ms + 50)))
        ;;
    3)
        phase="scratch save"
        done_text=$work/edited.txt
        run_driver scratch
        delay=$((RANDOM % (scratch_ms + 50)))
        ;;
    4)
        # The day is on screen and its report files are still being written.
        phase="files behind"
        run_window
        moment first-report-shown >/dev/null
        delay=$((RANDOM % (behind_ms + 10)))
        ;;
    esac
    sleep "$(printf '0.%03d' "$delay")"
    kill -KILL "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true

    fault=""
    whole() { cmp -s "$install/Analysis.TXT" "$work/day.txt" || cmp -s "$install/Analysis.TXT" "$done_text"; }
    whole || fault="the analysis text changed"
    # Every read adds the "G" group to the third line, so the settings are compared without it.
    sed 3d "$install/Exec/Analysis.OPT" | cmp -s - "$work/settings" ||
        fault="${fault:+$fault; }the settings are partial"
    # The next start and close put everything away, temporaries of the killed copy included.
    run_window
    wait_for_split
    close_window
    whole || fault="${fault:+$fault; }the day did not come back"
    [ "$(day_files)" -eq 0 ] || fault="${fault:+$fault; }files left over: $(ls "$install" | tr '\n' ' ')"
    if [ -n "$fault" ]; then
        lost=$((lost + 1))
        echo "kill-test: trial $trial ($phase, killed after ${delay} ms): $fault" >&2
        cp "$work/day.txt" "$install/Analysis.TXT"
        cp "$work/settings.whole" "$install/Exec/Analysis.OPT"
        find "$install" -maxdepth 1 -type f ! -name Analysis.TXT ! -name SimoDump.LST \
            ! -name '!Analysis@@@.lock' -delete
    fi
    # Each trial starts from the day as it was.
    cp "$work/day.txt" "$install/Analysis.TXT"
done
echo "kill-test: $lost lost of $trials trials (start-up ${split_ms} ms, files behind ${behind_ms} ms," \
    "close ${close_ms} ms," \
    "archive load ${load_ms} ms, scratch save ${scratch_ms} ms)"
[ "$lost" -eq 0 ]
