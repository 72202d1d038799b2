#!/bin/sh
# PCL composition beside enscript -2r on the same 20 MB print file, in MB/s, and the PCL
# engine's peak memory for a 5 MB and a 20 MB file (equal when memory does not grow with the
# file). Usage: bench/pcl_vs_enscript.sh [path/to/pcl_bench]  (a Release build).
set -eu
bench=${1:-build/release/bench/pcl_bench}
if [ ! -x "$bench" ]; then
    echo "pcl_vs_enscript: no benchmark program at $bench (build the pcl_bench target)" >&2
    exit 2
fi
command -v enscript >/dev/null || { echo "pcl_vs_enscript: enscript is not installed" >&2; exit 2; }
json=$(mktemp)
trap 'rm -f "$json"' EXIT
"$bench" --benchmark_repetitions=3 --benchmark_report_aggregates_only=true \
    --benchmark_format=json --benchmark_out="$json" >/dev/null 2>&1
python3 - "$json" <<'PY'
import json, sys
runs = {b["run_name"]: b for b in json.load(open(sys.argv[1]))["benchmarks"]
        if b.get("aggregate_name") == "median"}
def run(name):
    found = [r for n, r in runs.items() if n.startswith(name)]
    return found[0] if found else None
mb = 1024 * 1024
enscript = run("BM_Enscript/20")
print("engine           MB/s   max RSS MB   x enscript")
for letter in "HJG":
    pcl = run(f"BM_PclCompose/20/{ord(letter)}")
    if pcl is None or enscript is None:
        print(f"PCL {letter}: missing result"); continue
    rate = pcl["bytes_per_second"] / mb
    print(f"PCL {letter} 20 MB  {rate:7.0f}   {pcl['max_rss_MB']:10.1f}   "
          f"{pcl['bytes_per_second'] / enscript['bytes_per_second']:10.1f}")
small = run(f"BM_PclCompose/5/{ord('H')}")
if small is not None:
    print(f"PCL H  5 MB  {small['bytes_per_second'] / mb:7.0f}   {small['max_rss_MB']:10.1f}")
if enscript is not None:
    print(f"enscript -2r {enscript['bytes_per_second'] / mb:7.0f}")
PY
