#!/bin/sh
# Builds korvex plainly and under AddressSanitizer and UndefinedBehaviorSanitizer,
# runs every test in both builds, then the tests of tools/korvex-results and
# the GPU check script on this machine's driver, then the Windows programs
# (64 and 32 bits) under Wine.
set -eu
cd "$(dirname "$0")/.."
jobs=$(nproc)

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVEX_TESTS=ON >/dev/null
cmake --build build -j "$jobs"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DKORVEX_SANITIZE=ON >/dev/null
cmake --build build-asan -j "$jobs"

(cd build && ctest --output-on-failure -j "$jobs")
(cd build-asan && ctest --output-on-failure -j "$jobs")
KORVEX_BINARY=build/korvex /usr/bin/python3 -m pytest -q -p no:cacheprovider tests/tools
tests/tools/gpu_check_test.sh build/korvex
tools/fuzz-smoke.sh
tools/windows-test.sh x64
tools/windows-test.sh x86
