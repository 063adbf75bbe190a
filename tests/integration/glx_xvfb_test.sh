#!/bin/sh
# The GLX window system end to end on an Xvfb display of its own: the single
# test, -a, -M and -g (whose report matches the EGL run's apart from the
# driver lines), each with few iterations. Also checks that the binary needs
# neither libEGL nor libX11 to start, and (as root) that it starts in a root
# of its own without either and names both reasons. Xvfb picks a free display
# and is stopped by its PID on the way out, also on failure.
#
#   tests/integration/glx_xvfb_test.sh BUILD/korvex
set -eu
korvex=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
source_dir=$(cd "$(dirname "$0")/../.." && pwd)

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

needed=$(readelf -d "$korvex" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')
for library in libEGL libX11 libGL libGLX libOpenGL; do
  case " $(echo $needed) " in
    *" $library".so*) fail "korvex is linked against $library: $needed" ;;
  esac
done

scratch=$(mktemp -d)

# A root holding korvex, its C libraries and the OpenGL library alone.
if [ "$(id -u)" -eq 0 ]; then
  bare=$scratch/bare
  opengl=$(ldconfig -p | sed -n 's/.*libOpenGL.so.0 .*=> //p' | head -n 1)
  for file in $( (ldd "$korvex"; ldd "$opengl"; echo " $opengl") | grep -o '/[^ ]*' | sort -u); do
    mkdir -p "$bare$(dirname "$file")"
    cp -L "$file" "$bare$file"
  done
  cp "$korvex" "$source_dir/fasm_1.txt" "$bare/"
  code=0
  (cd "$bare" && chroot "$bare" /korvex -I 1 </dev/null >"$scratch/bare.txt" 2>&1) || code=$?
  [ "$code" -eq 2 ] && [ "$(tr -d '\r' <"$scratch/bare.txt")" = "EGL: libEGL.so.1 not found; GLX: libX11.so.6 not found" ] ||
    fail "without EGL and X: exit code $code, $(cat "$scratch/bare.txt")"
else
  echo "not root: the run without EGL and X is left out"
fi
xvfb_pid=""
cleanup() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$scratch"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

. "$source_dir/tools/start-xvfb.sh"
start_xvfb "$scratch" || fail "Xvfb did not start"

cp "$source_dir/fasm_1.txt" "$scratch/"
cp -r "$source_dir/Images" "$scratch/"
cd "$scratch"

# run NAME ARGS...: korvex through GLX, Enter given, its output in NAME.txt.
run() {
  name=$1
  shift
  printf '\n' | timeout 120 "$korvex" --platform glx "$@" >"$name.txt" 2>"$name.err" ||
    fail "korvex --platform glx $* ended with $?: $(cat "$name.txt" "$name.err")"
}

run single -I 2 --json single.json
grep -q '"window_system": "glx"' single.json || fail "the JSON results do not record GLX"
grep -q '^Blur ' single.txt || fail "the single test printed no result line"
run all -a -I 2
[ "$(grep -c ' ms' all.txt)" -ge 20 ] || fail "-a ran fewer tests than it has: $(cat all.txt)"
run outputs -M 2 -I 2
grep -q 'latency' outputs.txt || fail "-M 2 printed no latency line"
run report -g -I 1

# The report is everything before the first empty line.
report() { tr -d '\r' <"$1" | sed '/^$/q' | grep -v '^Driver '; }
printf '\n' | DISPLAY= timeout 120 "$korvex" --platform egl -g -I 1 >egl-report.txt 2>/dev/null ||
  fail "the EGL -g run failed"
report egl-report.txt >egl.lines
report report.txt >glx.lines
diff egl.lines glx.lines >&2 || fail "the GLX -g report differs from the EGL one beyond the driver lines"
echo "GLX on Xvfb: single, -a, -M 2 and -g passed; the binary needs neither EGL nor X"
