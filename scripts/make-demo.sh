#!/usr/bin/env bash
# Sets up a demo installation: a profile folder holding the program's folder tree, the program
# installed in Exec/, a generated race day in Data/Analysis.DAT, and a desktop of its own.
# Usage: scripts/make-demo.sh BUILD_DIR DEMO_DIR   (prints the environment to run it with)
set -euo pipefail
build=$(realpath "$1")
demo=$(realpath -m "$2")

profile="$demo/profile"
install="$profile/QuillmarshData/Analysis"
rm -rf "$install"
mkdir -p "$profile/Desktop" "$demo/config"
"$build/src/cli/analysis-tool" demo "$install" >&2
cp "$build/src/gui/Analysis" "$install/Exec/Analysis.EXE"
# The desktop the program puts its launcher on is the demo's own.
printf 'XDG_DESKTOP_DIR="%s"\n' "$profile/Desktop" > "$demo/config/user-dirs.dirs"

cat > "$demo/env" <<ENV
export USERPROFILE="$profile"
export XDG_CONFIG_HOME="$demo/config"
ENV
echo "$install/Exec/Analysis.EXE"
