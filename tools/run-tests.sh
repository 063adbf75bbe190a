#!/bin/sh
# Checks that every C++ file is as clang-format writes it, builds korvex
# plainly and under AddressSanitizer and UndefinedBehaviorSanitizer, runs
# every test in both builds, then the tests of tools/korvex-results and
# the GPU check script on this machine's driver. The program alone is also
# built with g++-11, the oldest compiler Debian 12 offers, unoptimised, so
# that nothing newer than the declared minimum creeps in.
set -eu
cd "$(dirname "$0")/.."
jobs=$(nproc)

tools/check-format.sh
# The configurations are the presets of CMakePresets.json.
cmake --preset plain >/dev/null
cmake --build --preset plain -j "$jobs"
cmake --preset sanitizers >/dev/null
cmake --build --preset sanitizers -j "$jobs"
cmake --preset oldest-compiler >/dev/null
cmake --build --preset oldest-compiler -j "$jobs"

ctest --preset plain -j "$jobs"
ctest --preset sanitizers -j "$jobs"
KORVEX_BINARY=build/korvex /usr/bin/python3 -m pytest -q -p no:cacheprovider tests/tools
tests/tools/gpu_check_test.sh build/korvex
tools/fuzz-smoke.sh
tools/windows-test.sh
