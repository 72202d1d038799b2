#!/usr/bin/env bash
# Checks a built Debian package of Analysis without installing it: its file list, that it runs
# no maintainer script and depends on what its programs link, the desktop entry, the AppStream
# data, the data file type, the manual pages, the icons and the completion; then unpacks it into
# a throwaway root and runs the installed tool from there. Lintian last, when it is installed.
#   scripts/check-package.sh [PACKAGE.deb]     (default: the one scripts/package.sh built)
set -euo pipefail
cd "$(dirname "$0")/.."

package=${1:-$(ls build/analysis_*.deb 2>/dev/null | head -n 1)}
if [ -z "$package" ] || [ ! -f "$package" ]; then
    echo "check-package: no package; scripts/package.sh builds it" >&2
    exit 1
fi
failures=0
fail() {
    echo "check-package: $*" >&2
    failures=$((failures + 1))
}

appId=com.quillmarsh.Analysis
expected="./usr/
./usr/bin/
./usr/bin/Analysis
./usr/bin/analysis-tool
./usr/libexec/
./usr/libexec/analysis/
./usr/libexec/analysis/analysis-tool-print
./usr/share/
./usr/share/applications/
./usr/share/applications/$appId.desktop
./usr/share/bash-completion/
./usr/share/bash-completion/completions/
./usr/share/bash-completion/completions/analysis-tool
./usr/share/doc/
./usr/share/doc/analysis/
./usr/share/doc/analysis/changelog.gz
./usr/share/doc/analysis/copyright
./usr/share/icons/
./usr/share/icons/hicolor/"
for size in 128 16 24 256 32 48 64; do
    expected+="
./usr/share/icons/hicolor/${size}x${size}/
./usr/share/icons/hicolor/${size}x${size}/apps/
./usr/share/icons/hicolor/${size}x${size}/apps/$appId.png"
done
expected+="
./usr/share/icons/hicolor/scalable/
./usr/share/icons/hicolor/scalable/apps/
./usr/share/icons/hicolor/scalable/apps/$appId.svg
./usr/share/man/
./usr/share/man/man1/
./usr/share/man/man1/Analysis.1.gz
./usr/share/man/man1/analysis-tool.1.gz
./usr/share/metainfo/
./usr/share/metainfo/$appId.metainfo.xml
./usr/share/mime/
./usr/share/mime/packages/
./usr/share/mime/packages/$appId.xml"

# Only these files, all under /usr: removing the package leaves nothing of it behind.
listed=$(dpkg-deb -c "$package" | awk '{print $6}' | LC_ALL=C sort)
if [ "$listed" != "$(printf '%s\n' "$expected" | LC_ALL=C sort)" ]; then
    fail "the package holds other files than expected:"
    diff <(printf '%s\n' "$expected" | LC_ALL=C sort) <(printf '%s\n' "$listed") >&2 || true
fi
# No maintainer script and no configuration file: installing and removing run nothing of ours
# and never reach a user's files (dpkg's triggers refresh the menu, icon and type caches).
control=$(dpkg-deb -I "$package")
for script in preinst postinst prerm postrm conffiles; do
    if grep -qw "$script" <<<"$control"; then
        fail "the package carries $script"
    fi
done
depends=$(dpkg-deb -f "$package" Depends)
for library in libc6 libstdc++6 libqt6widgets6 libqt6printsupport6 libcups2; do
    if ! grep -q "\b$library\b" <<<"$depends"; then
        fail "Depends misses $library (computed: $depends)"
    fi
done

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$package" "$root"
share=$root/usr/share

desktop-file-validate "$share/applications/$appId.desktop" || fail "the desktop entry is not valid"
grep -qx 'Exec=Analysis %f' "$share/applications/$appId.desktop" ||
    fail "the desktop entry does not start Analysis with the file"
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$share/metainfo/$appId.metainfo.xml" >/dev/null ||
        fail "the AppStream data is not valid: appstreamcli validate --no-net says why"
fi

# The data file type: the shared MIME database accepts the package's definition, and a day's
# data file gets the type the desktop entry declares.
mimeType=$(sed -n 's/^MimeType=\([^;]*\);$/\1/p' "$share/applications/$appId.desktop")
if update-mime-database "$share/mime" 2>/dev/null; then
    [ -f "$share/mime/${mimeType}.xml" ] || fail "the MIME database has no $mimeType"
    grep -qi "^[0-9]*:$mimeType:Analysis\*\.DAT$" "$share/mime/globs2" ||
        fail "Analysis*.DAT is not $mimeType in the MIME database"
else
    fail "update-mime-database refuses the package's data file type"
fi

# The manual pages render without a warning, and the tool's page names every verb it has.
for page in analysis-tool Analysis; do
    warnings=$(MANWIDTH=80 man --warnings -l "$root/usr/share/man/man1/$page.1.gz" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "man $page warns: $warnings"
done
manText=$(MANWIDTH=80 man -l "$root/usr/share/man/man1/analysis-tool.1.gz" 2>/dev/null)
verbs=$("$root/usr/bin/analysis-tool" --help | sed -n 's/^  \([a-z][a-z-]*\)  .*/\1/p')
[ -n "$verbs" ] || fail "the installed analysis-tool lists no verbs"
for verb in $verbs; do
    grep -q "^   $verb\$" <<<"$manText" || fail "the manual page has no section for $verb"
done

# The icons are pictures of the size their folder names.
for size in 48 128; do
    png=$share/icons/hicolor/${size}x${size}/apps/$appId.png
    read -r width height < <(od -An -tu4 --endian=big -j16 -N8 "$png")
    [ "$width $height" = "$size $size" ] || fail "$png is ${width}x$height"
done
xmllint --noout "$share/icons/hicolor/scalable/apps/$appId.svg" 2>/dev/null ||
    fail "the scalable icon is not well-formed"

# The installed tool finds its print helper in the helper folder.
"$root/usr/bin/analysis-tool" canvas --help >/dev/null ||
    fail "the installed analysis-tool cannot start its print helper"

# The completion offers the verbs, then a verb's own options.
completes() {
    bash -c 'source "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _analysis_tool;
             printf "%s\n" "${COMPREPLY[@]}"' _ \
        "$share/bash-completion/completions/analysis-tool" "$@"
}
grep -qx pcl <<<"$(completes analysis-tool pc)" || fail "the completion does not offer pcl"
grep -qx -- --pdf <<<"$(completes analysis-tool pcl --p)" ||
    fail "the completion does not offer pcl's --pdf"

if command -v lintian >/dev/null; then
    lintian --fail-on error,warning,info --display-info \
        --suppress-tags-from-file packaging/lintian-explained \
        "$package" || fail "lintian finds faults in the package"
fi

if [ "$failures" -ne 0 ]; then
    echo "check-package: $failures check(s) failed for $package" >&2
    exit 1
fi
echo "check-package: $package is sound"
