# Sourced, from the repository root, by the scripts that run the Windows
# program under Wine (tools/windows-test.sh, perf/windows_arch_compare.sh).
# It provides:
#   wine_loader ARCH      prints the Wine loader for x64 or x86 programs
#   use_wine_prefix ARCH DIR
#                         makes DIR/wineprefix the prefix for ARCH programs
#                         (WINEPREFIX, WINEARCH); the first call for a prefix
#                         starts it, so that no test or timing pays for that,
#                         and makes a crash end the program at once instead
#                         of waiting on a dialog
#   start_display         starts Xvfb on a free display (tools/start-xvfb.sh)
#                         and sets DISPLAY
# On the way out, also on failure, the EXIT trap stops the wineserver of each
# prefix used and Xvfb, by its PID.

. tools/start-xvfb.sh

# No Mono or Gecko prompts, no trace noise.
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEDEBUG=-all
wine_server=$(command -v wineserver || echo /usr/lib/wine/wineserver)
wine_scratch=$(mktemp -d "${TMPDIR:-/tmp}/korvex-wine-session-XXXXXX")
wine_xvfb_pid=""

stop_wine_session() {
  if [ -f "$wine_scratch/prefixes" ]; then
    while IFS= read -r prefix; do
      WINEPREFIX=$prefix "$wine_server" -k 2>/dev/null || true
    done <"$wine_scratch/prefixes"
  fi
  if [ -n "$wine_xvfb_pid" ]; then
    kill "$wine_xvfb_pid" 2>/dev/null || true
    wait "$wine_xvfb_pid" 2>/dev/null || true
  fi
  rm -rf "$wine_scratch"
}
trap stop_wine_session EXIT
trap 'exit 130' INT TERM

wine_loader() {
  case "$1" in
    x64) command -v wine64 || echo /usr/lib/wine/wine64 ;;
    # The 32-bit loader; /usr/bin/wine is only there with the "wine" package.
    *) echo /usr/lib/wine/wine ;;
  esac
}

use_wine_prefix() {
  WINEPREFIX="$(cd "$2" && pwd)/wineprefix"
  export WINEPREFIX
  if [ "$1" = x86 ]; then export WINEARCH=win32; else export WINEARCH=win64; fi
  grep -qxF "$WINEPREFIX" "$wine_scratch/prefixes" 2>/dev/null && return 0
  echo "$WINEPREFIX" >>"$wine_scratch/prefixes"
  "$(wine_loader "$1")" wineboot --init >/dev/null 2>&1
  "$(wine_loader "$1")" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
    >/dev/null 2>&1
}

start_display() {
  start_xvfb "$wine_scratch" || exit 1
  wine_xvfb_pid=$xvfb_pid
}
