#!/usr/bin/env bash
# Sets up, builds and runs every test, in eight passes:
#   format    every C++ file is as clang-format-14 lays it out (.clang-format);
#   normal    the ordinary build ($LEVYWISE_BUILD_DIR, default build/);
#   release   the core, the command-line tool and their tests built as a
#             user's first build is, with -O3 (build-release/);
#   sanitize  the same tests built with AddressSanitizer and
#             UndefinedBehaviorSanitizer (build-sanitize/);
#   fuzz      a short run of each fuzz target, built with clang (build-fuzz/);
#   windows   the core, levywise-cli and the core tests cross-compiled with
#             MinGW-w64 and run under wine64 (scripts/windows-check.sh);
#   libcxx    the core, the command-line tool and their tests built with
#             clang++-14 and LLVM's libc++, GoogleTest too (build-libcxx/);
#   web       the browser site built with Emscripten and driven in headless
#             Chromium against levywise-cli and axe-core (scripts/web-check.sh).
# LEVYWISE_TEST_PASSES picks passes, e.g. "normal" for a quick check.
# A failing pass does not stop the next; the last line counts all tests.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/install-deps.sh"
passes="${LEVYWISE_TEST_PASSES:-format normal release sanitize fuzz windows libcxx web}"
export QT_QPA_PLATFORM=offscreen

passed=0
failed=0

# Builds into $1 with the cmake options after it, runs the tests there and
# adds their counts to the totals.
run_pass() {
  local build="$1"
  shift
  LEVYWISE_BUILD_DIR="$build" "$root/scripts/build.sh" -DLEVYWISE_WERROR=ON "$@"
  local log="$build/ctest.log"
  (cd "$build" && ctest --output-on-failure -j "$(nproc)" --timeout 600) 2>&1 | tee "$log" || true
  local counts
  counts="$(sed -nE 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1 \2/p' "$log" | tail -n 1)"
  if [ -z "$counts" ]; then
    echo "No test summary in $log: counted as one failed test."
    failed=$((failed + 1))
    return
  fi
  local f total
  read -r f total <<<"$counts"
  failed=$((failed + f))
  passed=$((passed + total - f))
}

# Runs a check script ($2) that ends with the line "$1: N passed, N failed",
# logging into the folder $3, and adds its counts to the totals.
run_check() {
  mkdir -p "$3"
  local log="$3/$1-check.log"
  "$2" 2>&1 | tee "$log" || true
  local counts
  counts="$(sed -nE "s/^$1: ([0-9]+) passed, ([0-9]+) failed.*/\1 \2/p" "$log" | tail -n 1)"
  if [ -z "$counts" ]; then
    echo "No test summary in $log: counted as one failed test."
    failed=$((failed + 1))
    return
  fi
  local f p
  read -r p f <<<"$counts"
  passed=$((passed + p))
  failed=$((failed + f))
}

for pass in $passes; do
  echo "=== $pass pass"
  case "$pass" in
    format)
      # Counted as one test: every C++ file as clang-format-14 lays it out.
      if git -C "$root" ls-files -z '*.cpp' '*.h' |
        (cd "$root" && xargs -0 clang-format-14 --dry-run -Werror); then
        passed=$((passed + 1))
      else
        failed=$((failed + 1))
      fi
      ;;
    normal)
      run_pass "${LEVYWISE_BUILD_DIR:-$root/build}"
      ;;
    release)
      run_pass "${LEVYWISE_RELEASE_BUILD_DIR:-$root/build-release}" \
        -DCMAKE_BUILD_TYPE=Release -DLEVYWISE_GUI=OFF -DLEVYWISE_BENCHMARKS=OFF
      ;;
    sanitize)
      # Leaks are checked too: Qt on the offscreen platform leaks nothing.
      export ASAN_OPTIONS="detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1"
      export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
      run_pass "${LEVYWISE_SANITIZE_BUILD_DIR:-$root/build-sanitize}" \
        -DLEVYWISE_SANITIZE=ON -DLEVYWISE_BENCHMARKS=OFF
      unset ASAN_OPTIONS UBSAN_OPTIONS
      ;;
    fuzz)
      run_pass "${LEVYWISE_FUZZ_BUILD_DIR:-$root/build-fuzz}" \
        -DCMAKE_CXX_COMPILER=clang++-14 -DLEVYWISE_FUZZ=ON \
        -DLEVYWISE_TESTS=OFF -DLEVYWISE_GUI=OFF -DLEVYWISE_BENCHMARKS=OFF
      ;;
    libcxx)
      # Debian's GoogleTest binaries are built for libstdc++: built again from its source.
      build="${LEVYWISE_LIBCXX_BUILD_DIR:-$root/build-libcxx}"
      libcxx=(-DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_CXX_FLAGS=-stdlib=libc++)
      if [ ! -f "$build/deps/lib/cmake/GTest/GTestConfig.cmake" ]; then
        cmake -S /usr/src/googletest -B "$build/googletest" -G Ninja "${libcxx[@]}" \
          -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$build/deps" -DBUILD_GMOCK=OFF >/dev/null
        cmake --build "$build/googletest" >/dev/null
        cmake --install "$build/googletest" >/dev/null
      fi
      run_pass "$build" "${libcxx[@]}" -DGTest_DIR="$build/deps/lib/cmake/GTest" \
        -DLEVYWISE_GUI=OFF -DLEVYWISE_BENCHMARKS=OFF
      ;;
    windows)
      run_check windows "$root/scripts/windows-check.sh" "${LEVYWISE_WINDOWS_BUILD_DIR:-$root/build-windows}"
      ;;
    web)
      run_check web "$root/scripts/web-check.sh" "${LEVYWISE_WEB_BUILD_DIR:-$root/build-web}"
      ;;
    *)
      echo "Unknown test pass: $pass" >&2
      exit 2
      ;;
  esac
done

echo "$passed passed, $failed failed (passes: $passes)"
[ "$failed" -eq 0 ]
