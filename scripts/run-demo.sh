#!/usr/bin/env bash
# Installs what is missing, builds, sets up a demo installation in demo/ and opens the program
# on it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build/release -j "$(nproc)" --target Analysis analysis-tool
program=$(scripts/make-demo.sh build/release demo)

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "run-demo: no display to open the window on; scripts/screenshot.sh shows it under Xvfb" >&2
    exit 1
fi
# shellcheck disable=SC1091
source demo/env
exec "$program"
