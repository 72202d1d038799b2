#!/usr/bin/env bash
# Draws the main window on the demo day in a virtual X server into a picture:
#   scripts/screenshot.sh [OUT.png]      (default build/screenshot.png)
# `scripts/screenshot.sh docs/screenshot.png` re-makes the README's picture.
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-build/screenshot.png}

scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build/release -j "$(nproc)" --target Analysis analysis-tool
demo=build/screenshot-demo
program=$(scripts/make-demo.sh build/release "$demo")
shot=$(realpath -m "$demo/screen.png")

# shellcheck disable=SC1090
source "$demo/env"
xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
    "$1" & app=$!
    sleep 4
    import -window root "$2"
    kill -TERM "$app"
    wait "$app"
' _ "$program" "$shot"
# The root window is black around the program's window: trim it away.
mkdir -p "$(dirname "$out")"
convert "$shot" -trim +repage "$out"
echo "$out"
