#!/usr/bin/env bash
# Builds the Debian package levywise_<version>_amd64.deb the way Debian
# builds its own: the compiler and linker flags of dpkg-buildflags, the tests
# run on that build (DEB_BUILD_OPTIONS=nocheck leaves them out), dependencies
# found by dpkg-shlibdeps, and lintian's verdict, which must name no error.
#   scripts/package.sh            # the package lands in build-package/
# LEVYWISE_PACKAGE_BUILD_DIR picks the build folder; LEVYWISE_WERROR=ON makes
# any compiler warning fail the build.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/install-deps.sh"
if ! command -v lintian >/dev/null; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get install -y -qq --no-install-recommends lintian
fi
build="${LEVYWISE_PACKAGE_BUILD_DIR:-$root/build-package}"

flag() { dpkg-buildflags --get "$1"; }
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=None -DCMAKE_INSTALL_PREFIX=/usr \
  -DCMAKE_CXX_FLAGS="$(flag CXXFLAGS) $(flag CPPFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(flag LDFLAGS)" -DCMAKE_SHARED_LINKER_FLAGS="$(flag LDFLAGS)" \
  -DLEVYWISE_BENCHMARKS=OFF -DLEVYWISE_WERROR="${LEVYWISE_WERROR:-OFF}" >/dev/null
cmake --build "$build" -j "$(nproc)"
case " ${DEB_BUILD_OPTIONS:-} " in
  *" nocheck "*) ;;
  *) (cd "$build" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)" --timeout 600) ;;
esac

rm -f "$build"/levywise_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
package="$(ls "$build"/levywise_*_amd64.deb)"
echo "Package: $package ($(du -k "$package" | cut -f1) KiB)"
dpkg-deb --field "$package" Depends | sed 's/^/Depends: /'
lintian --fail-on error "$package"
echo "lintian: no error"
"$root/scripts/package-web.sh" "$build" # the web site: levywise-web_<version>.zip
