#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package from a release build folder (default build/bench) and checks it: its
# name, its dependencies, its file list, that its desktop entry and metainfo validate, that its
# manual pages and completion cover every option of the programs' --help, and that lintian
# reports no error and no warning.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/bench}
id=cn.kestrin.Tremvale
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
deb="$build/tremvale_${version}_amd64.deb"
rm -f "$deb"
(cd "$build" && cpack -G DEB >/dev/null)
[[ -f "$deb" ]] || { echo "package check: $deb was not made" >&2; exit 1; }

fail=0
files=$(dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|')
expected=(/usr/bin/tremvale /usr/share/applications/$id.desktop /usr/share/metainfo/$id.metainfo.xml)
for size in 16 32 48 256; do expected+=("/usr/share/icons/hicolor/${size}x${size}/apps/$id.png"); done
expected+=(/usr/share/doc/tremvale/copyright /usr/share/doc/tremvale/changelog.gz)
expected+=(/usr/share/man/man1/tremvale.1.gz /usr/share/man/man1/tremvale-cli.1.gz)
expected+=(/usr/bin/tremvale-cli /usr/share/bash-completion/completions/tremvale-cli)
for path in "${expected[@]}"; do
  grep -qx "$path" <<<"$files" || { echo "package check: $path is not in the package" >&2; fail=1; }
done
# Nothing but the programs, their desktop files and documents: no tests, benchmarks or headers.
shared='applications|metainfo|icons|man/man1|bash-completion/completions|doc/tremvale'
unexpected=$(grep -vE "/\$|^/usr/bin/tremvale(-cli)?\$|^/usr/share/($shared)/" <<<"$files" || true)
[[ -z "$unexpected" ]] || { echo "package check: unexpected files: $unexpected" >&2; fail=1; }

depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6core6 libqt6widgets6 libqt6charts6 libstdc++6; do
  grep -q "$lib" <<<"$depends" || { echo "package check: Depends lacks $lib: $depends" >&2; fail=1; }
done

unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"
desktop-file-validate "$unpacked/usr/share/applications/$id.desktop" || fail=1
appstreamcli validate --no-net --explain "$unpacked/usr/share/metainfo/$id.metainfo.xml" >/dev/null ||
  { appstreamcli validate --no-net "$unpacked/usr/share/metainfo/$id.metainfo.xml" >&2; fail=1; }
"$unpacked/usr/bin/tremvale" --version | grep -qx "Tremvale $version" ||
  { echo "package check: tremvale --version does not print Tremvale $version" >&2; fail=1; }
bash packaging/check-help-coverage.sh "$unpacked/usr/bin/tremvale" \
  "$unpacked/usr/share/man/man1/tremvale.1.gz" || fail=1
bash packaging/check-help-coverage.sh "$unpacked/usr/bin/tremvale-cli" \
  "$unpacked/usr/share/man/man1/tremvale-cli.1.gz" \
  "$unpacked/usr/share/bash-completion/completions/tremvale-cli" || fail=1

# Debian's own checks. An override needs its reason beside it, in the package's overrides file.
lintian --display-info --fail-on error,warning "$deb" >&2 || {
  echo "package check: lintian reports errors or warnings" >&2
  fail=1
}
((fail == 0)) && echo "package check: $(basename "$deb") holds the programs, desktop entry, metainfo, icons," \
  "manual pages, completion, copyright and changelog; lintian is content"
exit $fail
