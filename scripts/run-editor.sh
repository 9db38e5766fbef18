#!/usr/bin/env bash
# Installs what is needed, builds everything and starts the editor.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARVO_BUILD_TESTS=OFF \
  -DTARVO_BUILD_BENCHMARKS=OFF
cmake --build build/release -j "$(nproc)"

exec build/release/bin/tarvo-map-editor "$@"
