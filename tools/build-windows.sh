#!/bin/sh
# Cross-builds the 64-bit Windows program korvex.exe with MinGW-w64, and its
# Windows tests. The build directory is the first argument (default
# build-windows); korvex.exe lands at its top.
set -eu
cd "$(dirname "$0")/.."
build_dir=${1:-build-windows}

cmake --no-warn-unused-cli -S . -B "$build_dir" -DCMAKE_TOOLCHAIN_FILE=tools/mingw-w64.cmake \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVEX_TESTS=ON >/dev/null
cmake --build "$build_dir" -j "$(nproc)" --target korvex korvex_windows_tests
