#!/bin/sh
# Builds the Windows program with MinGW-w64 and tests it under Wine of the
# same width: the Windows unit tests, then the korvex.exe and release archive
# cases of tests/windows/integration.sh; for the 32-bit program also its fit
# for Windows XP (imports and header, and a run with Wine reporting XP).
# Usage: windows-test.sh [x64|x86] [BUILD_DIR]; x64 is the default, the
# build folders those of tools/build-windows.sh. Wine runs in a private
# prefix under the build folder, on an Xvfb display of its own
# (tools/wine-session.sh).
set -eu
cd "$(dirname "$0")/.."
root=$(pwd)
arch=${1:-x64}
case "$arch" in
  x64) default_dir=build-windows ;;
  x86) default_dir=build-windows-x86 ;;
  *) echo "usage: $0 [x64|x86] [BUILD_DIR]" >&2; exit 2 ;;
esac
build_dir=${2:-$default_dir}
started=$(date +%s)

tools/install-deps.sh test
tools/build-windows.sh "$arch" "$build_dir"

. tools/wine-session.sh
start_display
use_wine_prefix "$arch" "$build_dir"
wine=$(wine_loader "$arch")

# The unit tests take about 10 s; a hang fails in a minute.
timeout 60 "$wine" "$build_dir/tests/windows/korvex_windows_tests.exe" --gtest_brief=1
[ "$arch" = x86 ] && python3 tools/check-xp-imports.py "$build_dir/korvex.exe"
archive=$(sed -n 's/^set(CPACK_PACKAGE_FILE_NAME "\(.*\)")$/\1/p' "$build_dir/CPackConfig.cmake").zip
tests/windows/integration.sh "$wine" "$arch" "$build_dir/korvex.exe" "$build_dir/$archive" "$root"

echo "Windows $arch build and tests under Wine: $(($(date +%s) - started)) s"
