#!/usr/bin/env bash
# Makes docs/screenshot.png (or the path given): the editor's window with a generated 44 x 30 map open at 25 pixels a tile,
# grabbed on Qt's offscreen platform.
set -euo pipefail
cd "$(dirname "$0")/.."

out="${1:-docs/screenshot.png}"
build="${TARVO_SCREENSHOT_BUILD:-build/screenshot}"

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DTARVO_BUILD_TESTS=OFF -DTARVO_BUILD_BENCHMARKS=OFF > /dev/null
cmake --build "$build" --target tarvo-editor-screenshot
QT_QPA_PLATFORM=offscreen "$build/bin/tarvo-editor-screenshot" "$out"
echo "screenshot: $out"
