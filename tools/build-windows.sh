#!/bin/sh
# Cross-builds the Windows program korvex.exe with MinGW-w64, its Windows
# tests and its release archive. Usage: build-windows.sh [x64|x86] [BUILD_DIR].
# x64 (the default) is the 64-bit program, in build-windows; x86 the 32-bit
# one for Windows XP and later, in build-windows-x86. korvex.exe and
# korvex-VERSION-windows-ARCH.zip land at the build folder's top.
set -eu
cd "$(dirname "$0")/.."
arch=${1:-x64}
case "$arch" in
  x64) toolchain=tools/mingw-w64.cmake default_dir=build-windows ;;
  x86) toolchain=tools/mingw-w64-i686.cmake default_dir=build-windows-x86 ;;
  *) echo "usage: $0 [x64|x86] [BUILD_DIR]" >&2; exit 2 ;;
esac
build_dir=${2:-$default_dir}

cmake --no-warn-unused-cli -S . -B "$build_dir" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVEX_TESTS=ON >/dev/null
cmake --build "$build_dir" -j "$(nproc)" --target korvex korvex_windows_tests korvex_dist
