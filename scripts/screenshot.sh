#!/usr/bin/env bash
# Re-makes docs/screenshot.png: the main window on the demo day, in a virtual X server.
set -euo pipefail
cd "$(dirname "$0")/.."

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
convert "$shot" -trim +repage docs/screenshot.png
echo "docs/screenshot.png"
