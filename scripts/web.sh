#!/usr/bin/env bash
# Builds Levywise for the browser into build-web/site/ (a static site: any web
# host serves it, and index.html also works opened from disk) and serves it on
# http://127.0.0.1:8080/ until stopped.
#   scripts/web.sh             # build and serve
#   scripts/web.sh --build     # build only
# Installs its Debian 12 packages (with sudo when not run as root).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${LEVYWISE_WEB_BUILD_DIR:-$root/build-web}"

"$root/scripts/apt-install.sh" emscripten node-acorn libfast-float-dev libfmt-dev nlohmann-json3-dev python3 \
  cmake ninja-build

# Debian's emscripten finds acorn there; its own cache folder is root's.
export NODE_PATH=/usr/share/nodejs
[ -w /usr/share/emscripten/cache ] || export EM_CACHE="$build/emscripten-cache"

emcmake cmake -S "$root/web" -B "$build/wasm" -G Ninja >/dev/null
cmake --build "$build/wasm"
rm -rf "$build/site"
mkdir -p "$build/site"
cp "$root"/web/site/* "$build/wasm/levywise.js" "$build/site/"
echo "Site: $build/site"

[ "${1:-}" = "--build" ] && exit 0
echo "Serving on http://127.0.0.1:8080/ (Ctrl+C stops)"
exec /usr/bin/python3 -m http.server 8080 --bind 127.0.0.1 --directory "$build/site"
