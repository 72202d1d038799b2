#!/bin/sh
# Canvas printing beside paps on the same heavy day, in pages per second, portrait (J) and
# landscape (G). Usage: bench/canvas_vs_paps.sh [path/to/canvas_bench]  (a Release build).
set -eu
bench=${1:-build/release/bench/canvas_bench}
if [ ! -x "$bench" ]; then
    echo "canvas_vs_paps: no benchmark program at $bench (build the canvas_bench target)" >&2
    exit 2
fi
command -v paps >/dev/null || { echo "canvas_vs_paps: paps is not installed" >&2; exit 2; }
json=$(mktemp)
trap 'rm -f "$json"' EXIT
QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$bench" --benchmark_filter='CanvasToPdf|Paps' \
    --benchmark_repetitions=3 --benchmark_report_aggregates_only=true \
    --benchmark_format=json --benchmark_out="$json" >/dev/null 2>&1
python3 - "$json" <<'PY'
import json, sys
runs = {b["run_name"]: b for b in json.load(open(sys.argv[1]))["benchmarks"]
        if b.get("aggregate_name") == "median"}
def rate(prefix, letter):
    for name, run in runs.items():
        if name.startswith(prefix + "/" + str(ord(letter))):
            return run["pages_per_s"]
    return None
print("layout  canvas pages/s  paps pages/s  canvas/paps")
for letter, label in (("J", "J 9pt"), ("G", "G land")):
    canvas, paps = rate("BM_CanvasToPdf", letter), rate("BM_Paps", letter)
    if canvas is None or paps is None:
        print(f"{label:7} missing result"); continue
    print(f"{label:7} {canvas:14.0f} {paps:13.0f} {canvas / paps:12.2f}")
PY
