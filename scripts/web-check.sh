#!/usr/bin/env bash
# Builds the browser site (scripts/web.sh) and levywise-cli, then drives the
# page in headless Chromium (tests/web/web_test.py): figures against
# levywise-cli, axe-core's WCAG 2.1 A and AA rules, the security policy, the
# refusal of bad files, the phone layout; prints the site's size and timings
# first (tests/bench/web_figures.py).
#   scripts/web-check.sh     # builds in build-web/ ($LEVYWISE_WEB_BUILD_DIR)
# Ends with the line "web: N passed, N failed"; exit status 0 when none failed.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${LEVYWISE_WEB_BUILD_DIR:-$root/build-web}"
axe_version=4.8.4

packages=(chromium chromium-driver python3-selenium g++ cmake ninja-build libcli11-dev nlohmann-json3-dev)
command -v npm >/dev/null || packages+=(npm)
"$root/scripts/apt-install.sh" "${packages[@]}"

LEVYWISE_WEB_BUILD_DIR="$build" "$root/scripts/web.sh" --build
cmake -S "$root" -B "$build/native" -G Ninja -DCMAKE_BUILD_TYPE=Release -DLEVYWISE_GUI=OFF \
  -DLEVYWISE_TESTS=OFF -DLEVYWISE_BENCHMARKS=OFF >/dev/null
cmake --build "$build/native" --target levywise-cli
axe="$build/axe/node_modules/axe-core/axe.min.js"
if ! grep -q "axe v$axe_version" "$axe" 2>/dev/null; then
  mkdir -p "$build/axe"
  (cd "$build/axe" && npm install --no-save --no-audit --no-fund "axe-core@$axe_version" >/dev/null)
fi
rm -rf "$build/work"
mkdir -p "$build/work"
args=("$build/site" "$build/native/cli/levywise-cli" "$axe" "$build/work")
/usr/bin/python3 "$root/tests/bench/web_figures.py" "${args[@]}" || echo "web figures: not measured"
exec /usr/bin/python3 "$root/tests/web/web_test.py" "${args[@]}"
