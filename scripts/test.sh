#!/usr/bin/env bash
# Sets up, builds and runs every test. ctest prints the closing summary.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
build="${LEVYWISE_BUILD_DIR:-$root/build}"
export QT_QPA_PLATFORM=offscreen
cd "$build"
ctest --output-on-failure -j "$(nproc)"
