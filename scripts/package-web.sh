#!/usr/bin/env bash
# Builds the browser site (scripts/web.sh) and packs it as
# levywise-web_<version>.zip, for a county to put on its web host: the files
# at the top of the archive, index.html first.
#   scripts/package-web.sh [OUTPUT_DIR]     # default build-package/
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="${1:-${LEVYWISE_PACKAGE_BUILD_DIR:-$root/build-package}}"
build="${LEVYWISE_WEB_BUILD_DIR:-$root/build-web}"
"$root/scripts/apt-install.sh" zip

LEVYWISE_WEB_BUILD_DIR="$build" "$root/scripts/web.sh" --build >/dev/null
version="$(sed -nE 's/^project\(Levywise VERSION ([0-9.]+).*/\1/p' "$root/CMakeLists.txt")"
version+="$(sed -nE 's/^set\(LEVYWISE_RELEASE_LETTER ([a-z]*)\)/\1/p' "$root/CMakeLists.txt")"
mkdir -p "$out"
zipfile="$(cd "$out" && pwd)/levywise-web_$version.zip"
rm -f "$zipfile"
(cd "$build/site" && zip -q -X "$zipfile" index.html $(ls | grep -v '^index.html$'))
echo "Web site: $zipfile ($(du -k "$zipfile" | cut -f1) KiB)"
