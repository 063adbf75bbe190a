#!/bin/sh
# Builds the Windows program with MinGW-w64 and tests it under Wine of the
# same width: the Windows unit tests, then the korvex.exe and release archive
# cases of tests/windows/integration.sh; for the 32-bit program also its fit
# for Windows XP (imports and header, and a run with Wine reporting XP).
# Usage: windows-test.sh [x64|x86] [BUILD_DIR]; x64 is the default, the
# build folders those of tools/build-windows.sh.
# Wine runs in a private prefix under the build directory, on an Xvfb display
# of its own; both are stopped by their PID on the way out, also on failure.
set -eu
cd "$(dirname "$0")/.."
root=$(pwd)
arch=${1:-x64}
case "$arch" in
  x64) default_dir=build-windows wine=$(command -v wine64 || echo /usr/lib/wine/wine64) ;;
  # The 32-bit loader; /usr/bin/wine is only there with the "wine" package.
  x86) default_dir=build-windows-x86 wine=/usr/lib/wine/wine ;;
  *) echo "usage: $0 [x64|x86] [BUILD_DIR]" >&2; exit 2 ;;
esac
build_dir=${2:-$default_dir}
started=$(date +%s)

tools/install-deps.sh test
tools/build-windows.sh "$arch" "$build_dir"

wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
export WINEPREFIX="$root/$build_dir/wineprefix"
[ "$arch" = x86 ] && export WINEARCH=win32
# No Mono or Gecko prompts, no trace noise.
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEDEBUG=-all

scratch=$(mktemp -d "${TMPDIR:-/tmp}/korvex-xvfb-XXXXXX")
xvfb_pid=""
cleanup() {
  "$wineserver" -k 2>/dev/null || true
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  rm -rf "$scratch"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# Xvfb picks a free display itself and reports its number.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$scratch/display" 2>"$scratch/xvfb.log" &
xvfb_pid=$!
waited=0
while [ ! -s "$scratch/display" ]; do
  if [ "$waited" -ge 100 ] || ! kill -0 "$xvfb_pid" 2>/dev/null; then
    echo "Xvfb did not start:" >&2
    cat "$scratch/xvfb.log" >&2
    exit 1
  fi
  sleep 0.1
  waited=$((waited + 1))
done
export DISPLAY=":$(cat "$scratch/display")"

# A new prefix takes its first start here, not inside a test. A crash prints
# its backtrace and ends the program at once, instead of waiting on a crash
# dialog on the display.
"$wine" wineboot --init >/dev/null 2>&1
"$wine" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1

# The unit tests take about 10 s; a hang fails in a minute.
timeout 60 "$wine" "$build_dir/tests/windows/korvex_windows_tests.exe" --gtest_brief=1
[ "$arch" = x86 ] && python3 tools/check-xp-imports.py "$build_dir/korvex.exe"
archive=$(sed -n 's/^set(CPACK_PACKAGE_FILE_NAME "\(.*\)")$/\1/p' "$build_dir/CPackConfig.cmake").zip
tests/windows/integration.sh "$wine" "$arch" "$build_dir/korvex.exe" "$build_dir/$archive" "$root"

echo "Windows $arch build and tests under Wine: $(($(date +%s) - started)) s"
