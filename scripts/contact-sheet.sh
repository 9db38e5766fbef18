#!/usr/bin/env bash
# Writes all built-in terrain art (every sheet, both sets of river pieces, and a small sample
# map at 50 and 25 pixels per tile) into one PNG, docs/builtin-art.png unless a path is given.
# The art is made by tools/artgen, the same generator the build runs.
set -euo pipefail
cd "$(dirname "$0")/.."

out="${1:-docs/builtin-art.png}"
build="${TARVO_CONTACT_SHEET_BUILD:-build/contact-sheet}"

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DTARVO_BUILD_TESTS=OFF -DTARVO_BUILD_BENCHMARKS=OFF > /dev/null
cmake --build "$build" --target tarvo_artgen
"$build/bin/tarvo_artgen" --contact-sheet "$out"
echo "contact sheet: $out"
