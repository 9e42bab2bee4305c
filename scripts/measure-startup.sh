#!/usr/bin/env bash
# Measures the program's start-up time and peak memory side by side with a
# bare Qt window (a main window with one label, built the same way), on the
# offscreen platform and, where Xvfb is installed, on a virtual X screen.
#
#   scripts/measure-startup.sh [--runs N] [--callgrind] [--program PATH] [--bare PATH] [BUILD_DIR]
#
# Start-up runs from the moment the script starts the process until the
# process reports its window painted for the first time (the option
# --exit-when-shown; the program loads the sample county and computes its
# first estimate before it shows the window). Peak memory is the maximum
# resident set size (GNU time). Medians of N interleaved runs are reported,
# with the program's ratio to the bare window: the goals are at most 1.3x the
# time and 1.5x the memory. With --callgrind, where valgrind is installed,
# the instructions each executes (offscreen, one run each, steadier than
# time) are counted too: up to its window's first painting, and in all.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${LEVYWISE_BUILD_DIR:-$root/build}"
runs=9 program="" bare="" inside="" callgrind=""
while [ $# -gt 0 ]; do
  case "$1" in
    --runs) runs="$2"; shift 2 ;;
    --program) program="$2"; shift 2 ;;
    --bare) bare="$2"; shift 2 ;;
    --inside-xvfb) inside=1; shift ;;
    --callgrind) callgrind=1; shift ;;
    -h|--help) sed -n '2,17p' "${BASH_SOURCE[0]}"; exit 0 ;;
    *) build="$1"; shift ;;
  esac
done
program="${program:-$build/app/levywise}"
bare="${bare:-$build/tools/levywise_bare_window}"
# Both run from data/, where the sample county is: a relative path given here
# must still name them there.
program="$(realpath -m -- "$program")" bare="$(realpath -m -- "$bare")"
gnu_time=/usr/bin/time

for f in "$program" "$bare"; do
  [ -x "$f" ] || { echo "no executable at $f: build it first" >&2; exit 1; }
done
[ -x "$gnu_time" ] || { echo "GNU time is missing (Debian package time): scripts/install-deps.sh" >&2; exit 1; }
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
chmod 700 "$XDG_RUNTIME_DIR"

# One start: prints "<milliseconds> <peak kilobytes>".
measure_once() {
  local exe="$1" memfile out start shown
  memfile="$(mktemp)"
  start="${EPOCHREALTIME/./}"    # microseconds, taken without starting a process
  out="$(cd "$root/data" && timeout 20 "$gnu_time" -f '%M' -o "$memfile" \
           "$exe" --no-splash --exit-when-shown 2>/dev/null)" || true
  shown="$(sed -n 's/^levywise-shown-at-ns \([0-9]*\)$/\1/p' <<<"$out" | head -n 1)"
  if [ -z "$shown" ]; then
    rm -f "$memfile"
    echo "$exe did not report its window (does it take --exit-when-shown?)" >&2
    return 1
  fi
  awk -v s="$start" -v e="$shown" -v m="$(tail -n 1 "$memfile")" \
    'BEGIN { printf "%.1f %d\n", (e / 1000 - s) / 1000, m }'
  rm -f "$memfile"
}

median() { sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else printf "%.1f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# Interleaved runs of both programs on the current platform; one table line.
measure_platform() {
  local label="$1" i bare_times="" bare_mem="" app_times="" app_mem="" r
  measure_once "$bare" >/dev/null && measure_once "$program" >/dev/null || return 1 # warm the caches
  for ((i = 0; i < runs; i++)); do
    r="$(measure_once "$bare")" || return 1
    bare_times+="${r% *}"$'\n'; bare_mem+="${r#* }"$'\n'
    r="$(measure_once "$program")" || return 1
    app_times+="${r% *}"$'\n'; app_mem+="${r#* }"$'\n'
  done
  local bt at bm am
  bt="$(printf '%s' "$bare_times" | median)"; at="$(printf '%s' "$app_times" | median)"
  bm="$(printf '%s' "$bare_mem" | median)"; am="$(printf '%s' "$app_mem" | median)"
  awk -v l="$label" -v bt="$bt" -v at="$at" -v bm="$bm" -v am="$am" 'BEGIN {
    tr = at / bt; mr = am / bm
    printf "%-10s start-up  bare %7.1f ms   levywise %7.1f ms   ratio %.2f (goal <= 1.30) %s\n",
           l, bt, at, tr, (tr <= 1.3 ? "ok" : "OVER")
    printf "%-10s memory    bare %7.1f MB   levywise %7.1f MB   ratio %.2f (goal <= 1.50) %s\n",
           l, bm / 1024, am / 1024, mr, (mr <= 1.5 ? "ok" : "OVER")
  }'
}

# Instructions of one offscreen start under callgrind: "<until shown> <all>".
# The probe ends the event loop once the window is painted; a dump taken
# just before that splits the count.
count_instructions() {
  local dir out
  dir="$(mktemp -d)"
  (cd "$root/data" && QT_QPA_PLATFORM=offscreen valgrind --tool=callgrind \
     --dump-before='QCoreApplication::exit*' --callgrind-out-file="$dir/out" \
     "$1" --no-splash --exit-when-shown >/dev/null 2>&1)
  out="$(sed -n 's/^totals: //p' "$dir/out.1") $(cat "$dir"/out* | sed -n 's/^totals: //p' | awk '{ s += $1 } END { print s }')"
  rm -rf "$dir"
  echo "$out"
}

if [ -n "$inside" ]; then
  QT_QPA_PLATFORM=xcb measure_platform xvfb
  exit
fi

echo "median of $runs runs each, $(nproc) cores, $(date -u +%Y-%m-%dT%H:%MZ)"
QT_QPA_PLATFORM=offscreen measure_platform offscreen
if command -v xvfb-run >/dev/null; then
  timeout 600 xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
    bash "${BASH_SOURCE[0]}" --inside-xvfb --runs "$runs" --program "$program" --bare "$bare"
else
  echo "xvfb   not measured: xvfb-run is not installed (Debian package xvfb)"
fi

if [ -n "$callgrind" ]; then
  if command -v valgrind >/dev/null; then
    b="$(count_instructions "$bare")" a="$(count_instructions "$program")"
    awk -v b="$b" -v a="$a" 'BEGIN { split(b, x, " "); split(a, y, " ")
      printf "callgrind  shown     bare %7.1f M    levywise %7.1f M    ratio %.2f\n", x[1] / 1e6, y[1] / 1e6, y[1] / x[1]
      printf "callgrind  in all    bare %7.1f M    levywise %7.1f M    ratio %.2f\n", x[2] / 1e6, y[2] / 1e6, y[2] / x[2] }'
  else
    echo "callgrind  not counted: valgrind is not installed"
  fi
fi
