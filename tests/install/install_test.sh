#!/usr/bin/env bash
# Installs the build into a temporary DESTDIR and uses it as an installed program: the tool run
# from another folder finds the installed game data, and the menu entry, map file type, icons,
# manual pages and documentation are where desktops and man look for them.
# Usage: install_test.sh BUILD_DIR
set -euo pipefail
build=$1
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
fail() { echo "install test: $*" >&2; exit 1; }
expect_file() { [ -s "$root/usr/$1" ] || fail "missing $1"; }

DESTDIR="$root" cmake --install "$build" --prefix /usr >/dev/null
for f in bin/tarvo-map bin/tarvo-map-editor share/tarvo-map/gamedata/tarvo.ini \
         share/doc/tarvo-map/README.md share/doc/tarvo-map/map.schema.json \
         share/applications/tarvo-map-editor.desktop \
         share/mime/packages/tarvo-map.xml share/man/man1/tarvo-map.1 \
         share/man/man1/tarvo-map-editor.1; do
  expect_file "$f"
done
for size in 16 32 48 64 128 256; do
  expect_file "share/icons/hicolor/${size}x${size}/apps/tarvo-map-editor.png"
done

# From a folder with nothing in it, the tool finds the game data installed beside it.
work="$root/work"
mkdir "$work"
cd "$work"
tool="$root/usr/bin/tarvo-map"
"$tool" --help | grep "new" >/dev/null || fail "--help does not list the commands"
"$tool" new --width 24 --height 30 --fill grass -o plain.gmp ||
  fail "new with the installed game data failed"
"$tool" new --gamedata "$root/usr/share/tarvo-map/gamedata/tarvo.ini" --width 20 --height 20 \
  --fill ocean -o named.gmp || fail "new with --gamedata failed"
"$tool" info plain.gmp | grep "^Size: *24 x 30 tiles$" >/dev/null || fail "info does not show the new map"
"$tool" info named.gmp | grep "^Verification: *passed$" >/dev/null || fail "info does not pass the map"
[ "$(head -c 4 plain.gmp)" = "VEKT" ] || fail "the new map does not open as a map file"

desktop="$root/usr/share/applications/tarvo-map-editor.desktop"
grep -q '^Exec=tarvo-map-editor %f$' "$desktop" || fail "desktop entry does not open a map"
grep -q '^MimeType=application/x-tarvo-map;$' "$desktop" || fail "desktop entry has no map type"
grep -q '^Categories=Graphics;2DGraphics;$' "$desktop" || fail "desktop entry categories"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$desktop" || fail "desktop-file-validate rejects the entry"
fi
mime="$root/usr/share/mime/packages/tarvo-map.xml"
if command -v xmllint >/dev/null; then
  xmllint --noout "$mime" || fail "the MIME package is not well-formed XML"
fi
if command -v update-mime-database >/dev/null; then
  # The map type resolves from the magic bytes alone, without the .gmp name.
  cp -r "$root/usr/share/mime" "$root/mime"
  update-mime-database "$root/mime" >/dev/null 2>&1 || fail "update-mime-database rejects the package"
  grep -q "application/x-tarvo-map" "$root/mime/magic" || fail "the map type has no magic"
fi
if command -v man >/dev/null; then
  MANWIDTH=80 man -l "$root/usr/share/man/man1/tarvo-map.1" 2>&1 | grep "render" >/dev/null ||
    fail "the manual page of tarvo-map does not show the commands"
fi
echo "install test: passed"
