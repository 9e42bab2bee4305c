#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks what a desktop user
# gets: the program, the sample county, the icon and a launcher that starts
# the program in the sample county's folder.
#   check_install.sh BUILD_DIR
set -euo pipefail
build="$1"
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

fail() { echo "FAIL: $*"; exit 1; }
[ -x "$prefix/bin/levywise" ] || fail "bin/levywise is missing or not executable"
cmp -s "$prefix/share/levywise/taxrate.tab" "$(dirname "$0")/../../data/taxrate.tab" ||
  fail "share/levywise/taxrate.tab is not the sample county"
grep -q '<svg' "$prefix/share/icons/hicolor/scalable/apps/levywise.svg" || fail "the icon is missing"
launcher="$prefix/share/applications/levywise.desktop"
[ -f "$launcher" ] || fail "the launcher is missing"
grep -qx '\[Desktop Entry\]' "$launcher" || fail "the launcher has no [Desktop Entry] group"
grep -qx "Exec=$prefix/bin/levywise" "$launcher" || fail "the launcher does not start the installed program"
grep -qx "Path=$prefix/share/levywise" "$launcher" || fail "the launcher does not start in the sample folder"
grep -qx 'Icon=levywise' "$launcher" || fail "the launcher names no icon"
! grep -q '@' "$launcher" || fail "the launcher has unfilled placeholders"
echo "PASS: installed into a scratch prefix"
