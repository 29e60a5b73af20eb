#!/usr/bin/env bash
# Installs what is missing, builds everything with AddressSanitizer and
# UndefinedBehaviorSanitizer, runs every test under ctest, and builds the benchmarks
# in an optimised build (they are never run as tests).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh

jobs=$(nproc)
cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug \
      -DVESTRANO_SANITIZE=ON -DVESTRANO_WERROR=ON -DVESTRANO_BENCH=OFF
cmake --build build/asan -j "$jobs"
ctest --test-dir build/asan --output-on-failure -j "$jobs"

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DVESTRANO_WERROR=ON -DVESTRANO_TESTS=OFF
cmake --build build/release -j "$jobs" --target benchmarks
