#!/usr/bin/env bash
# The program's verbs as a user runs them, whole process (start-up, reading, writing, syncing),
# each beside its peer in the same run, on the heavy demonstration day:
#   analysis-tool --help            beside  cat --help
#   analysis-tool decode            beside  dd conv=fsync of the same data file
#   analysis-tool pcl (layout G)    beside  enscript -2r -f Courier7 on the same print file
# Usage: bench/whole_process.sh [BUILD_DIR]   (a Release or RelWithDebInfo build)
set -euo pipefail
build=$(realpath "${1:-build/release}")
tool="$build/src/cli/analysis-tool"
[ -x "$tool" ] || { echo "whole_process: no analysis-tool in $build/src/cli" >&2; exit 2; }
for command in hyperfine enscript; do
    command -v "$command" >/dev/null || {
        echo "whole_process: $command is not installed (scripts/install-deps.sh installs it)" >&2
        exit 2
    }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$tool" demo "$work/install" --heavy >/dev/null
dat="$work/install/Data/Analysis.DAT"
"$tool" decode "$dat" "$work/day.PRN" >/dev/null
echo "heavy day: data file $(du -h "$dat" | cut -f1), print file $(du -h "$work/day.PRN" | cut -f1)"

run() {
    hyperfine --shell=none --warmup 3 --runs "$1" --style basic --export-json "$work/run.json" \
        "${@:2}" >/dev/null
    python3 - "$work/run.json" <<'PY'
import json, sys
results = json.load(open(sys.argv[1]))["results"]
base = results[1]
for r in results:
    cpu = r["user"] + r["system"]
    print(f"  {r['mean'] * 1000:8.1f} ms wall {cpu * 1000:8.1f} ms CPU"
          f"  {r['mean'] / base['mean']:5.2f}x wall {cpu / (base['user'] + base['system']):5.2f}x CPU"
          f"  {r['command']}")
PY
}

echo "start-up:"
run 50 "$tool --help" "cat --help"
echo "decode, durable:"
run 10 "$tool decode $dat $work/out.TXT" "dd if=$dat of=$work/copy.DAT bs=1M conv=fsync status=none"
echo "PCL, landscape two-up:"
run 5 "$tool pcl $work/day.PRN G -o $work/out.PCL" "enscript -2r -f Courier7 -q -p $work/out.PS $work/day.PRN"
