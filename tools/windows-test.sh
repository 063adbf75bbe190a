#!/bin/sh
# Builds the Windows program with MinGW-w64 and tests it under Wine: the
# Windows unit tests, then the korvex.exe cases of tests/windows/integration.sh.
# Wine runs in a private prefix under the build directory, on an Xvfb display
# of its own; both are stopped by their PID on the way out, also on failure.
set -eu
cd "$(dirname "$0")/.."
root=$(pwd)
build_dir=${KORVEX_WINDOWS_BUILD:-build-windows}
started=$(date +%s)

tools/install-deps.sh test
tools/build-windows.sh "$build_dir"

wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
export WINEPREFIX="$root/$build_dir/wineprefix"
# No Mono or Gecko prompts, no debugger waiting on a crash, no trace noise.
export WINEDLLOVERRIDES="mscoree,mshtml=,winedbg.exe=d"
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
. tools/start-xvfb.sh
start_xvfb "$scratch" || exit 1

# A new prefix takes its first start here, not inside a test.
"$wine" wineboot --init >/dev/null 2>&1

timeout 600 "$wine" "$build_dir/tests/windows/korvex_windows_tests.exe" --gtest_brief=1
tests/windows/integration.sh "$wine" "$build_dir/korvex.exe" "$root"

echo "Windows build and tests under Wine: $(($(date +%s) - started)) s"
