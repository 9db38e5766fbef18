#!/usr/bin/env bash
# Writes docs/terrain-blocks.png (or the path given): the built-in art in large fills, as a
# designer sees it at 50 pixels a tile. tools/terrain_blocks makes the map (a 10 x 10 block of
# every plain type with grass around it, a river system and a coastline laid from stamps) and
# tarvo-map renders it.
set -euo pipefail
cd "$(dirname "$0")/.."

out="${1:-docs/terrain-blocks.png}"
build="${TARVO_CONTACT_SHEET_BUILD:-build/contact-sheet}"

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DTARVO_BUILD_TESTS=OFF -DTARVO_BUILD_BENCHMARKS=OFF > /dev/null
cmake --build "$build" --target tarvo_terrain_blocks tarvo-map
map="$(mktemp -d)/terrain-blocks.gmp"
trap 'rm -rf "$(dirname "$map")"' EXIT
"$build/bin/tarvo_terrain_blocks" gamedata/tarvo.ini "$map"
"$build/bin/tarvo-map" render "$map" "$out" --tile 50
echo "terrain blocks: $out"
