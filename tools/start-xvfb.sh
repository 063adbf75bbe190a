# Sourced by the scripts that need an X display of their own:
#   start_xvfb DIR
# starts Xvfb on a display number it picks itself (-displayfd), with its log
# in DIR/xvfb.log, and sets xvfb_pid and DISPLAY; the caller stops it by that
# PID. Returns 1, the log printed, when Xvfb did not start within 10 s.
start_xvfb() {
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$1/display" 2>"$1/xvfb.log" &
  xvfb_pid=$!
  waited=0
  while [ ! -s "$1/display" ]; do
    if [ "$waited" -ge 100 ] || ! kill -0 "$xvfb_pid" 2>/dev/null; then
      echo "Xvfb did not start:" >&2
      cat "$1/xvfb.log" >&2
      return 1
    fi
    sleep 0.1
    waited=$((waited + 1))
  done
  DISPLAY=":$(cat "$1/display")"
  export DISPLAY
}
