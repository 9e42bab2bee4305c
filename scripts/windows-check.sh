#!/usr/bin/env bash
# Cross-compiles the core, levywise-cli and the core tests for Windows with
# Debian's MinGW-w64 (posix threads; GoogleTest built from Debian's sources)
# and runs them under wine64: the core tests must pass, and levywise-cli must
# print what the Linux build prints for the sample county (line ends aside:
# the Windows build ends its lines with CR LF).
#   scripts/windows-check.sh      # builds in build-windows/ ($LEVYWISE_WINDOWS_BUILD_DIR)
# Ends with the line "windows: N passed, N failed, N skipped"; exit status 0 when none failed.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
work="${LEVYWISE_WINDOWS_BUILD_DIR:-$root/build-windows}"
jobs="$(nproc)"

packages=(g++-mingw-w64-x86-64-posix wine64 googletest libcli11-dev nlohmann-json3-dev cmake ninja-build g++)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

toolchain="$root/cmake/mingw-w64.cmake"
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
deps="$work/deps"
if [ ! -f "$deps/lib/cmake/GTest/GTestConfig.cmake" ]; then
  cmake -S /usr/src/googletest -B "$work/googletest" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$deps" -DBUILD_GMOCK=OFF "${launcher[@]}" >/dev/null
  cmake --build "$work/googletest" -j "$jobs" >/dev/null
  cmake --install "$work/googletest" >/dev/null
fi

cmake -S "$root" -B "$work/levywise" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DCMAKE_BUILD_TYPE=Release -DLEVYWISE_WERROR=ON -DLEVYWISE_GUI=OFF -DLEVYWISE_BENCHMARKS=OFF \
  -DGTest_DIR="$deps/lib/cmake/GTest" -DCLI11_DIR="$root/cmake/mingw" \
  -Dnlohmann_json_DIR="$root/cmake/mingw" \
  -DCMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE=PRE_TEST "${launcher[@]}" >/dev/null
cmake --build "$work/levywise" -j "$jobs" --target core_tests levywise-cli
# The Linux program the Windows one is compared with.
cmake -S "$root" -B "$work/linux-cli" -G Ninja -DCMAKE_BUILD_TYPE=Release -DLEVYWISE_GUI=OFF \
  -DLEVYWISE_TESTS=OFF -DLEVYWISE_BENCHMARKS=OFF -DLEVYWISE_MAN=OFF >/dev/null
cmake --build "$work/linux-cli" -j "$jobs" --target levywise-cli >/dev/null

export WINEPREFIX="${LEVYWISE_WINEPREFIX:-$HOME/.cache/levywise/wine}"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine=/usr/lib/wine/wine64
[ -d "$WINEPREFIX" ] || { mkdir -p "$WINEPREFIX" && "$wine" wineboot --init >/dev/null 2>&1; }

passed=0
failed=0
skipped=0
log="$work/core_tests.log"
"$wine" "$work/levywise/tests/core_tests.exe" --gtest_brief=1 2>&1 | tr -d '\r' >"$log" || true
ran="$(sed -nE 's/^\[==========\] ([0-9]+) tests? from .* ran\..*/\1/p' "$log")"
ok="$(sed -nE 's/^\[  PASSED  \] ([0-9]+) tests?\..*/\1/p' "$log")"
skip="$(sed -nE 's/^\[  SKIPPED \] ([0-9]+) tests?[.,].*/\1/p' "$log")"
if [ -z "$ran" ]; then
  echo "core_tests.exe ended without a summary:"
  tail -n 20 "$log"
  failed=$((failed + 1))
else
  grep -E '^\[  (FAILED|SKIPPED) \] [A-Za-z]' "$log" || true
  passed=$((passed + ${ok:-0}))
  skipped=$((skipped + ${skip:-0}))
  failed=$((failed + ran - ${ok:-0} - ${skip:-0}))
  echo "core_tests.exe: ${ok:-0} of $ran tests passed, ${skip:-0} skipped"
fi

# Each case: arguments to both programs, run in data/.
cases=(
  "estimate --rates taxrate.tab --value 250000 --county 101 --city 201 --school 910 --homestead --over65 --veteran 2"
  "estimate --rates taxrate.tab --value 187500.5 --county 101 --city 202 --school 911 --special 301,304 --json"
  "list taxrate.tab --sort rate --desc --format csv"
  "check taxrate.tab"
)
for args in "${cases[@]}"; do
  # shellcheck disable=SC2086
  linux="$(cd "$root/data" && "$work/linux-cli/cli/levywise-cli" $args 2>&1; echo "exit $?")"
  # shellcheck disable=SC2086
  windows="$(cd "$root/data" && "$wine" "$work/levywise/cli/levywise-cli.exe" $args 2>&1 | tr -d '\r'; echo "exit ${PIPESTATUS[0]}")"
  if [ "$linux" = "$windows" ]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "levywise-cli $args: the Windows build differs from the Linux build"
    diff <(echo "$linux") <(echo "$windows") | head -n 20 || true
  fi
done

echo "windows: $passed passed, $failed failed, $skipped skipped"
[ "$failed" -eq 0 ]
