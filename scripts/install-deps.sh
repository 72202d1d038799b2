#!/usr/bin/env bash
# Installs the Debian 12 packages that building, testing and running Analysis need.
# Runs apt-get as root, or through sudo for a normal user; does nothing when all are present.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev libcups2-dev cups
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xauth imagemagick poppler-utils desktop-file-utils
    fonts-liberation2 fonts-dejavu-core
    enscript paps clang-format hyperfine
    clang libclang-rt-dev
    dpkg-dev lintian appstream man-db shared-mime-info libxml2-utils
)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
    sudo=()
elif command -v sudo >/dev/null; then
    sudo=(sudo)
else
    echo "install-deps: these packages are missing and there is no sudo: ${missing[*]}" >&2
    exit 1
fi
echo "install-deps: installing ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
