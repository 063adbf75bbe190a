#!/bin/sh
# Cross-builds the Windows program korvex.exe with MinGW-w64, its Windows
# tests and its release archive. Usage: build-windows.sh [x64|x86] [BUILD_DIR].
# x64 (the default) is the 64-bit program, configured by the preset
# "windows" into build-windows; x86 the 32-bit one for Windows XP and later,
# by "windows-x86" into build-windows-x86 (CMakePresets.json). korvex.exe and
# korvex-VERSION-windows-ARCH.zip land at the build folder's top.
set -eu
cd "$(dirname "$0")/.."
arch=${1:-x64}
case "$arch" in
  x64) preset=windows default_dir=build-windows ;;
  x86) preset=windows-x86 default_dir=build-windows-x86 ;;
  *) echo "usage: $0 [x64|x86] [BUILD_DIR]" >&2; exit 2 ;;
esac
build_dir=${2:-$default_dir}

cmake --preset "$preset" -B "$build_dir" >/dev/null
cmake --build "$build_dir" -j "$(nproc)" --target korvex korvex_windows_tests korvex_dist
