#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test twice: once in an
# optimised build, once in a debug build under AddressSanitizer and
# UndefinedBehaviorSanitizer (where the debug-only checks are on too).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

jobs=$(nproc)
echo "== optimised build"
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build/release -j"$jobs"
ctest --test-dir build/release --output-on-failure -j"$jobs"

echo "== sanitizer build"
cmake -S . -B build/sanitize -DCMAKE_BUILD_TYPE=Debug -DTREE_SANITIZE=ON -DTREE_BUILD_BENCH=OFF
cmake --build build/sanitize -j"$jobs"
ctest --test-dir build/sanitize --output-on-failure -j"$jobs"
