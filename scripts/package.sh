#!/usr/bin/env bash
# Builds the Debian packages the way Debian builds its own, from debian/:
# dpkg-buildpackage with debhelper (CMake and Ninja, Debian's compiler flags,
# the tests run on that build unless DEB_BUILD_OPTIONS holds nocheck),
# dependencies found by dpkg-shlibdeps, then lintian's verdict on both
# packages, which must name no error and no warning.
#   scripts/package.sh   # build-package/levywise_<version>_amd64.deb and its -dbgsym,
#                        # and the browser site as levywise-web_<version>.zip
# LEVYWISE_PACKAGE_BUILD_DIR picks the folder the packages land in.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/apt-install.sh" debhelper dpkg-dev lintian
out="${LEVYWISE_PACKAGE_BUILD_DIR:-$root/build-package}"

version="$(dpkg-parsechangelog -l "$root/debian/changelog" -S Version)"
cmake_version="$(sed -nE 's/^project\(Levywise VERSION ([0-9.]+).*/\1/p' "$root/CMakeLists.txt")"
cmake_version+="$(sed -nE 's/^set\(LEVYWISE_RELEASE_LETTER ([a-z]*)\)/\1/p' "$root/CMakeLists.txt")"
if [ "$version" != "$cmake_version" ]; then
  echo "debian/changelog is at $version, the program at $cmake_version: add a changelog entry." >&2
  exit 1
fi

# Built in a copy of the tree (what git knows of it, changes included);
# dpkg-buildpackage leaves its results beside that copy, whence they move
# to the output folder.
src="$out/src/levywise-$version"
rm -rf "$out/src" "$out"/levywise*_"$version"_*
mkdir -p "$src"
git -C "$root" ls-files -z --cached --others --exclude-standard |
  (cd "$root" && xargs -0 tar --no-recursion -cf - --ignore-failed-read) | tar -xf - -C "$src"
(cd "$src" && dpkg-buildpackage -us -uc -b)
mv "$out"/src/levywise*_"$version"_* "$out"/

package="$out/levywise_${version}_amd64.deb"
echo "Package: $package ($(du -k "$package" | cut -f1) KiB)"
dpkg-deb --field "$package" Depends | sed 's/^/Depends: /'
lintian --fail-on error,warning "$package" "$out/levywise-dbgsym_${version}_amd64.deb"
echo "lintian: no error, no warning"
"$root/scripts/package-web.sh" "$out" # the web site: levywise-web_<version>.zip
