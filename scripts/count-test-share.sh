#!/usr/bin/env bash
# The tests' share of the code: non-blank, non-comment lines of tests/ (every
# file but the benchmarks and fuzz harnesses in tests/bench and tests/fuzz)
# against the same count of the program's own folders. tools/ is left out:
# it holds helpers for the scripts (start-up probe, screen grabs), not the
# program. A comment line starts with // or # after blanks; /* */ blocks count
# as comments too.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

# Counts the code lines of the files named on standard input, one a line.
count() {
  xargs -r -d '\n' awk '
    { line = $0; sub(/^[ \t\r]+/, "", line) }
    in_block { if (line ~ /\*\//) in_block = 0; next }
    line == "" { next }
    line ~ /^(\/\/|#)/ { next }
    line ~ /^\/\*/ { if (line !~ /\*\//) in_block = 1; next }
    { n++ }
    END { print n + 0 }' |
    awk '{ s += $1 } END { print s + 0 }'
}

tests="$(find tests -type f -not -path 'tests/bench/*' -not -path 'tests/fuzz/*' | sort | count)"
program="$(find ratedata calc report charts platform app specials listing comparison cli web -type f | sort | count)"
echo "tests:   $tests"
echo "program: $program"
awk -v t="$tests" -v p="$program" 'BEGIN { printf "share:   %.2f\n", t / p }'
