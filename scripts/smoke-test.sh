#!/usr/bin/env bash
# Starts the built program on a virtual X screen with the sample county,
# waits for its main window, takes a screenshot and checks that it is not
# blank and shows the window's pale yellow.
#
#   scripts/smoke-test.sh [--program PATH] [--grab PATH] [--out FILE.png] [BUILD_DIR]
#
# Exit status: 0 passed, 1 failed, 77 skipped (no Xvfb, or nothing built yet).
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${LEVYWISE_BUILD_DIR:-$root/build}"
program="" grab="" out=""
while [ $# -gt 0 ]; do
  case "$1" in
    --program) program="$2"; shift 2 ;;
    --grab) grab="$2"; shift 2 ;;
    --out) out="$2"; shift 2 ;;
    -h|--help) sed -n '2,9p' "${BASH_SOURCE[0]}"; exit 0 ;;
    *) build="$1"; shift ;;
  esac
done
program="${program:-$build/app/levywise}"
grab="${grab:-$build/tools/levywise_screen_grab}"
out="${out:-$build/smoke/levywise-main-window.png}"

skip() { echo "SKIP: $*"; exit 77; }
command -v xvfb-run >/dev/null || skip "xvfb-run is not installed (Debian package xvfb)"
[ -x "$program" ] || skip "no program at $program: build it first"
[ -x "$grab" ] || skip "no screen grabber at $grab: build the target levywise_screen_grab"
[ -f "$root/data/taxrate.tab" ] || { echo "FAIL: the sample county data/taxrate.tab is missing"; exit 1; }

mkdir -p "$(dirname "$out")"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

# Everything inside runs on the virtual screen; the program is ended by its
# process id once the screenshot is taken, or when the wait runs out.
cat >"$work/inside.sh" <<'INSIDE'
set -u
program="$1" grab="$2" out="$3" data="$4" log="$5"
export QT_QPA_PLATFORM=xcb
cd "$data"
"$program" --no-splash >"$log" 2>&1 &
pid=$!
"$grab" "$out" --wait 30 --colour ffffc0 --min-colours 8
status=$?
if ! kill -0 "$pid" 2>/dev/null; then
  wait "$pid"
  echo "the program ended early with status $?"
  status=1
fi
kill "$pid" 2>/dev/null
for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -9 "$pid" 2>/dev/null
wait "$pid" 2>/dev/null
exit "$status"
INSIDE

timeout 90 xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
  bash "$work/inside.sh" "$program" "$grab" "$out" "$root/data" "$work/program.log"
status=$?
if [ "$status" -eq 0 ]; then
  echo "PASS: main window on screen, screenshot in $out"
  exit 0
fi
echo "FAIL: the main window did not show (status $status); last screenshot in $out"
if [ -s "$work/program.log" ]; then
  echo "--- program output ---"
  tail -n 40 "$work/program.log"
fi
exit 1
