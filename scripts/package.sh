#!/usr/bin/env bash
# Builds the Debian package of Analysis: a Release build of the shipped programs with Debian's
# hardening flags, packed by CPack with its dependencies computed by dpkg-shlibdeps. The package
# lands in build/; its path is the last line printed.
#   scripts/package.sh [BUILD_FOLDER]     (default build/package)
# ANALYSIS_WERROR=ON makes warnings errors, as the test command builds it.
set -euo pipefail
cd "$(dirname "$0")/.."

for command in cmake ninja cpack dpkg-buildflags dpkg-shlibdeps; do
    if ! command -v "$command" >/dev/null; then
        echo "package: $command is missing; scripts/install-deps.sh installs it" >&2
        exit 1
    fi
done

build=${1:-build/package}
# Debian's build flags with every hardening feature (bind now too), as a package of the
# distribution gets them, but without -Wdate-time: the About box shows the build's date on
# purpose.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS | sed 's/-Wdate-time//')"
LDFLAGS="$(dpkg-buildflags --get LDFLAGS)"
export CXXFLAGS LDFLAGS

# The install step builds only what the package holds, not the tests and benchmarks.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DANALYSIS_BUILD_BENCH=OFF \
    -DANALYSIS_WERROR="${ANALYSIS_WERROR:-OFF}" -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >/dev/null
cmake --build "$build" -j "${JOBS:-$(nproc)}" --target Analysis analysis-tool \
    analysis-tool-print analysis_package_files analysis_changelog >&2
rm -f "$build"/analysis_*.deb
(cd "$build" && cpack -G DEB >&2)
mkdir -p build
package=$(ls "$build"/analysis_*.deb)
cp "$package" build/
echo "build/$(basename "$package")"
