#!/usr/bin/env bash
# Sets up, builds and starts Levywise on the bundled sample county.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
build="${LEVYWISE_BUILD_DIR:-$root/build}"
# The program looks for its settings and rate file in the current folder (a
# settings file of the user's own, once it remembers a file, comes first).
cd "$root/data"
if [ -x "$build/app/levywise" ]; then
  exec "$build/app/levywise" "$@"
fi
# Without the windows: estimate a sample property from the command line.
exec "$build/cli/levywise-cli" estimate --rates taxrate.tab --value 250000 \
  --county 101 --city 201 --school 910 --homestead "$@"
