#!/usr/bin/env bash
# Installs what is missing, builds Quillet and runs every test, then the unit
# tests again under the address and undefined-behaviour sanitizers.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build
ctest --test-dir build --output-on-failure

# The sanitizer run: its own build (-O1, so the tests stay quick), the unit
# tests only; the end-to-end scripts time real networks and stay out. Any
# report fails the test that made it.
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUILLET_SANITIZE=ON
cmake --build build-asan
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp \
    ctest --test-dir build-asan --output-on-failure -L unit
