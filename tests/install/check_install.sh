#!/usr/bin/env bash
# Installs the build into a scratch DESTDIR under the prefix /usr, as a
# package would, and checks what a user gets: both programs, their man
# pages, the sample county, and a launcher, AppStream description and icon
# that the desktop's own validators accept.
#   check_install.sh BUILD_DIR
set -euo pipefail
build="$1"
source_dir="$(cd "$(dirname "$0")/../.." && pwd)"
dest="$(mktemp -d)"
trap 'rm -rf "$dest"' EXIT
DESTDIR="$dest" cmake --install "$build" --prefix /usr >/dev/null
root="$dest/usr"

fail() { echo "FAIL: $*"; exit 1; }
for program in levywise levywise-cli; do
  [ -x "$root/bin/$program" ] || fail "bin/$program is missing or not executable"
  version="$("$root/bin/$program" --version)" || fail "$program --version failed"
  [[ "$version" =~ ^$program\ [0-9]+\.[0-9]+[a-z]?$ ]] || fail "$program --version says \"$version\""
  page="$root/share/man/man1/$program.1.gz"
  [ -f "$page" ] || fail "the man page $program.1.gz is missing"
  # Every option the program offers is in its page (written with \- there).
  # The page is read once: grep -q quitting early would break a pipe under pipefail.
  text="$(zcat "$page" | sed 's/\\-/-/g')"
  for option in $("$root/bin/$program" --help | grep -oE -- '--[a-z][a-z0-9-]*' | sort -u); do
    [[ "$text" == *"$option"* ]] || fail "$program.1 lacks $option"
  done
done
# The last page read is levywise-cli's.
[[ "$text" == *--veteran* ]] || fail "levywise-cli.1 lacks the estimate command's options"

cmp -s "$root/share/levywise/taxrate.tab" "$source_dir/data/taxrate.tab" ||
  fail "share/levywise/taxrate.tab is not the sample county"

id=io.github.levywise.Levywise
grep -q '<svg' "$root/share/icons/hicolor/scalable/apps/levywise.svg" || fail "the icon is missing"
launcher="$root/share/applications/$id.desktop"
[ -f "$launcher" ] || fail "the launcher is missing"
desktop-file-validate "$launcher" || fail "desktop-file-validate refuses the launcher"
grep -qx "Exec=/usr/bin/levywise" "$launcher" || fail "the launcher does not start the installed program"
! grep -q "^Path=" "$launcher" || fail "the launcher pins the working folder"
grep -qx 'Icon=levywise' "$launcher" || fail "the launcher names no icon"
metainfo="$root/share/metainfo/$id.metainfo.xml"
appstreamcli validate --no-net "$metainfo" >/dev/null || fail "appstreamcli refuses $metainfo"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
  fail "the metainfo does not launch the installed launcher"
license="$(sed -n 's/^License: //p' "$source_dir/packaging/copyright" | head -n 1)"
grep -q "<project_license>$license</project_license>" "$metainfo" ||
  fail "the metainfo's licence is not $license, the licence of packaging/copyright"
grep -q "<release version=\"${version#levywise-cli }\"" "$metainfo" ||
  fail "the metainfo has no release entry for this version"
echo "PASS: installed into a scratch DESTDIR"
