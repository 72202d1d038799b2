#!/usr/bin/env bash
# The core (src/core) is plain C++ with the standard library only, so the window and the command
# line share it unchanged, and it is built in layers, each of which may use only those before it:
#
#   common -> installation -> document -> print -> schedule -> tools -> day
#
# Fails when a core file includes a Qt or CUPS header, or a header of a layer after its own.
# The build enforces the same order (each layer sees only the headers below it); this check says
# it before anything is compiled.
set -euo pipefail
cd "$(dirname "$0")/.."
layers=(common installation document print schedule tools day)

pattern='^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"](Q[A-Za-z]*|Qt[A-Za-z]*/[^>"]*|cups/[^>"]*)[>"]'
if offending=$(git ls-files -- 'src/core/*' | xargs -r grep -nE "$pattern"); then
    echo "check-layers: src/core must not include Qt or CUPS headers:" >&2
    echo "$offending" >&2
    exit 1
fi

rank() {
    local i
    for i in "${!layers[@]}"; do
        [ "${layers[$i]}" = "$1" ] && { echo "$i"; return; }
    done
    echo -1
}

status=0
while IFS= read -r file; do
    layer=${file#src/core/}
    layer=${layer%%/*}
    own=$(rank "$layer")
    if [ "$own" -lt 0 ]; then
        echo "check-layers: $file is in no layer of the core (${layers[*]})" >&2
        status=1
        continue
    fi
    while IFS= read -r included; do
        [ "$(rank "$included")" -gt "$own" ] || continue
        echo "check-layers: $file (layer $layer) includes core/$included, a layer above it" >&2
        status=1
    done < <(sed -nE 's@^[[:space:]]*#[[:space:]]*include[[:space:]]*"core/([a-z_]+)/.*@\1@p' "$file" | sort -u)
done < <(git ls-files -- 'src/core/*.h' 'src/core/*.cpp')
exit $status
