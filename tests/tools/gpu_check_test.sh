#!/bin/sh
# tools/gpu-check.sh on this machine's driver (Mesa, no NV languages): it runs
# to its end through each window system that works, reports the NV profiles
# as not runnable here, names each program a driver rejects with the driver's
# words, and says why a binary cannot start.
# Usage: tests/tools/gpu_check_test.sh [KORVEX], from anywhere; build/korvex
# by default.
set -u
cd "$(dirname "$0")/../.." || exit 1
korvex=$(realpath "${1:-build/korvex}")
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failures=0
# Without a display GLX cannot work, whatever the machine running the test has.
unset DISPLAY

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}
expect_line() { grep -qF -- "$2" "$1" || fail "no line with '$2' in $1"; }
check() { # OUTDIR NAME CODE: the run NAME (WINDOW-SYSTEM/CASE) ended with exit code CODE
    [ "$(cat "$1/cases/$2/exit-code.txt" 2>/dev/null)" = "$3" ] || fail "$2 did not end with exit code $3"
}

# The real driver, through EGL; without a display GLX is named and left.
out=$tmp/mesa
KORVEX=$korvex GPU_CHECK_MEASURE="-I 1" tools/gpu-check.sh "$out" >"$tmp/mesa.stdout" 2>/dev/null ||
    fail "the check ended with exit code $?"
cmp -s "$tmp/mesa.stdout" "$out/summary.txt" || fail "stdout is not the summary"
for case in gpuid single M1 M2 M3 M4 arb; do check "$out" "egl/$case" 0; done
for case in arb-n-fp1 arb-n-fp2 fp1 fp2 fp4; do check "$out" "egl/$case" 2; done
check "$out" glx/gpuid 2
[ -e "$out/cases/glx/single" ] && fail "GLX cases ran without a display"
expect_line "$out/summary.txt" "== through egl (--platform egl)"
expect_line "$out/summary.txt" 'gpuid  korvex -g e: exit 2, cannot run here: cannot open display "" (DISPLAY is not set)'
expect_line "$out/summary.txt" "glx does not work here; its other cases were not run"
expect_line "$out/summary.txt" "arb (-f arb): exit 0, ran; 25 programs generated, 25 tests run"
expect_line "$out/summary.txt" "fp1 (-f fp1): exit 2, cannot run here: GL_NV_fragment_program not supported; 0 programs"
expect_line "$out/summary.txt" "arb-n-fp2 (-f arb -n fp2): exit 2, cannot run here: GL_NV_fragment_program not supported; GL_NV_fragment_program2 not supported;"
expect_line "$out/summary.txt" "fp4 (-f fp4): exit 2, cannot run here: GL_NV_fragment_program4 not supported;"
expect_line "$out/summary.txt" "GL_RENDERER"
expect_line "$out/cases/egl/arb/command.txt" "korvex --platform egl -a -o d -f arb -I 1"
[ -f "$out/cases/egl/arb/fasm_0024.txt" ] || fail "the generated programs were not saved"
[ -z "$(find "$out" -type l)" ] || fail "links were left in the output folder"

# A driver that rejects the set: a stand-in korvex runs the real one, then
# breaks the third saved program and answers as a rejecting driver would.
# Each program is then judged alone by the real korvex and Mesa.
cat >"$tmp/rejecting-korvex" <<EOF
#!/bin/sh
case " \$* " in
*" -a "*) ;;
*) exec "$korvex" "\$@" ;;
esac
"$korvex" "\$@" >/dev/null
[ -f fasm_0002.txt ] || exit 2
rm -f fasm_00[1-2][0-9].txt fasm_000[3-9].txt
sed -i '1a BROKEN x;\r' fasm_0002.txt
printf 'Fragment program contains errors:\n\nthe first error\n'
exit 3
EOF
chmod +x "$tmp/rejecting-korvex"
out=$tmp/rejecting
KORVEX=$tmp/rejecting-korvex GPU_CHECK_MEASURE="-I 1" tools/gpu-check.sh "$out" >/dev/null 2>&1 ||
    fail "the check with a rejecting driver ended with exit code $?"
expect_line "$out/summary.txt" "arb (-f arb): exit 3, the driver rejected a program; 3 programs generated, 0 tests run"
expect_line "$out/summary.txt" "  the whole set: the first error"
expect_line "$out/summary.txt" "  fasm_0002.txt (program 3 of 3) rejected:"
expect_line "$out/summary.txt" "    line 2, char 1: error: syntax error"
expect_line "$out/summary.txt" "  1 of 3 programs rejected on their own"
check "$out" egl/arb/programs/0000 0
check "$out" egl/arb/programs/0002 3

# A machine where EGL fails and GLX works: a stand-in answers for both.
cat >"$tmp/glx-only-korvex" <<EOF
#!/bin/sh
case " \$* " in
*" --platform egl "*) echo "eglInitialize failed"; exit 2 ;;
*" --platform glx "*) echo "GL_RENDERER           : stand-in"; exit 0 ;;
esac
exec "$korvex" "\$@"
EOF
chmod +x "$tmp/glx-only-korvex"
out=$tmp/glx-only
KORVEX=$tmp/glx-only-korvex GPU_CHECK_MEASURE="-I 1" tools/gpu-check.sh "$out" >/dev/null 2>&1 ||
    fail "the check with GLX alone ended with exit code $?"
expect_line "$out/summary.txt" "gpuid  korvex -g e: exit 2, cannot run here: eglInitialize failed"
expect_line "$out/summary.txt" "egl does not work here; its other cases were not run"
expect_line "$out/summary.txt" "== through glx (--platform glx)"
expect_line "$out/summary.txt" "GL_RENDERER           : stand-in"
for case in gpuid single arb fp4 M4; do check "$out" "glx/$case" 0; done
expect_line "$out/cases/glx/M4/command.txt" "korvex --platform glx -M 4 -I 1"

# A binary the loader refuses.
printf '#!/bin/sh\necho "korvex: /lib/libc.so.6: version \\`GLIBC_2.99'"'"' not found (required by korvex)" >&2\nexit 1\n' \
    >"$tmp/old-glibc-korvex"
chmod +x "$tmp/old-glibc-korvex"
out=$tmp/old-glibc
KORVEX=$tmp/old-glibc-korvex tools/gpu-check.sh "$out" >"$tmp/old-glibc.stdout" 2>&1
[ $? -eq 1 ] || fail "a binary that cannot start did not give exit code 1"
expect_line "$tmp/old-glibc.stdout" "korvex cannot start here"
expect_line "$tmp/old-glibc.stdout" "it needs glibc 2.99 or newer; this machine has glibc"

[ "$failures" -eq 0 ] && echo "gpu-check test passed"
[ "$failures" -eq 0 ]
