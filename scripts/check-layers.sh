#!/usr/bin/env bash
# Fails when a file of the engines (src/core) includes a Qt or CUPS header: the core is plain
# C++ with the standard library only, so the window and the command line share it unchanged.
set -euo pipefail
cd "$(dirname "$0")/.."
pattern='^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"](Q[A-Za-z]*|Qt[A-Za-z]*/[^>"]*|cups/[^>"]*)[>"]'
if offending=$(git ls-files -- 'src/core/*' | xargs -r grep -nE "$pattern"); then
    echo "check-layers: src/core must not include Qt or CUPS headers:" >&2
    echo "$offending" >&2
    exit 1
fi
