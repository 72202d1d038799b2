#!/usr/bin/env bash
# Installs what is missing, builds, sets up a demo installation in demo/ and opens the program
# on it.
set -euo pipefail
cd "$(dirname "$0")/.."

# Said before minutes of building, not after.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "run-demo: there is no display to open the window on: run it in a desktop session, or" \
        "see the window under Xvfb with scripts/screenshot.sh build/screenshot.png" >&2
    exit 1
fi

scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build/release -j "$(nproc)" --target Analysis analysis-tool
program=$(scripts/make-demo.sh build/release demo)

# shellcheck disable=SC1091
source demo/env
exec "$program"
