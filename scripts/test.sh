#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test twice: once in an
# optimised build made with gcc, once in a debug build made with clang under
# AddressSanitizer and UndefinedBehaviorSanitizer (where the debug-only checks
# are on too). Warnings are errors in both, so both compilers must accept the
# code. The sanitizer build also runs the libFuzzer targets (30 s each).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

jobs=$(nproc)
echo "== optimised build"
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build/release -j"$jobs"
ctest --test-dir build/release --output-on-failure -j"$jobs"

echo "== sanitizer build (clang)"
# A folder configured earlier with another compiler is configured afresh.
if [ -f build/sanitize/CMakeCache.txt ] &&
   ! grep -q '^CMAKE_CXX_COMPILER:[A-Z]*=.*clang++' build/sanitize/CMakeCache.txt; then
  rm -rf build/sanitize
fi
CC=clang CXX=clang++ cmake -S . -B build/sanitize -DCMAKE_BUILD_TYPE=Debug -DTREE_SANITIZE=ON -DTREE_BUILD_BENCH=OFF
cmake --build build/sanitize -j"$jobs"
ctest --test-dir build/sanitize --output-on-failure -j"$jobs"
