#!/usr/bin/env bash
# Installs what is needed, builds everything and runs every test: once in an optimised build
# with warnings as errors, once with AddressSanitizer and UndefinedBehaviorSanitizer; then runs
# the fuzz harnesses for 30 seconds each when clang is present.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

echo "== Optimised build =="
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVO_WARNINGS_AS_ERRORS=ON
cmake --build build/test -j "$jobs"
ctest --test-dir build/test --output-on-failure -j "$jobs"

echo "== Debian package =="
(cd build/test && cpack -G DEB >/dev/null)
package=$(ls build/test/tarvo-map-editor_*_amd64.deb)
dpkg-deb --field "$package" Depends | grep libqt6widgets6 >/dev/null
dpkg-deb --contents "$package" | grep "usr/bin/tarvo-map-editor$" >/dev/null
echo "built $package"

echo "== Sanitizer build (address, undefined) =="
cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTARVO_SANITIZE=ON \
  -DTARVO_WARNINGS_AS_ERRORS=ON -DTARVO_BUILD_BENCHMARKS=OFF
cmake --build build/sanitize -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build/sanitize --output-on-failure -j "$jobs"

# The fuzz harnesses need clang's libFuzzer; without clang the stage is skipped, visibly.
if command -v clang++ >/dev/null; then
  echo "== Fuzzers (libFuzzer with address and undefined sanitizers, 30 seconds each) =="
  cmake -S . -B build/fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang \
    -DTARVO_BUILD_FUZZERS=ON -DTARVO_BUILD_TESTS=OFF -DTARVO_BUILD_BENCHMARKS=OFF \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo
  cmake --build build/fuzz -j "$jobs" --target fuzzers
  bash scripts/fuzz.sh 30
else
  echo "== skipping fuzzers: clang++ not found =="
fi
