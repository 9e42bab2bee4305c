#!/usr/bin/env bash
# Builds the fuzz targets (clang) and runs each for a long campaign, one
# after the other, one process at a time.
# Usage: scripts/fuzz.sh [seconds per target] [target ...]
#   default 600 seconds (or 10 million inputs, whichever comes first) for
#   every target: rate_file settings_file number_text formats calculation.
# The growing corpora stay in build-fuzz/campaign/<target>/; an input that
# breaks a property is saved as build-fuzz/campaign/<target>-crash-*.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${LEVYWISE_FUZZ_BUILD_DIR:-$root/build-fuzz}"
seconds="${1:-600}"
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(rate_file settings_file number_text formats calculation)

LEVYWISE_BUILD_DIR="$build" "$root/scripts/build.sh" \
  -DCMAKE_CXX_COMPILER=clang++-14 -DLEVYWISE_FUZZ=ON \
  -DLEVYWISE_TESTS=OFF -DLEVYWISE_GUI=OFF -DLEVYWISE_BENCHMARKS=OFF

status=0
for name in "${targets[@]}"; do
  corpus="$build/campaign/$name"
  mkdir -p "$corpus"
  mapfile -t options <"$build/tests/fuzz/fuzz_$name.options"
  echo "=== fuzz_$name for ${seconds}s"
  if ! "$build/tests/fuzz/fuzz_$name" "${options[@]}" \
      -max_total_time="$seconds" -runs=10000000 -print_final_stats=1 \
      -artifact_prefix="$build/campaign/$name-" \
      "$corpus" "$root/tests/fuzz/corpus/$name" 2>"$build/campaign/$name.log"; then
    status=1
    tail -n 40 "$build/campaign/$name.log"
  fi
  grep -E '^(Done|stat::number_of_executed_units|stat::average_exec_per_sec)|DONE' \
    "$build/campaign/$name.log" || true
done
exit $status
