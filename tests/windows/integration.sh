#!/bin/sh
# The Windows korvex.exe end to end under Wine, each case in a fresh
# directory holding the test images and fasm_1.txt. Needs a display (Xvfb)
# and a Wine prefix in the environment; tools/windows-test.sh provides both.
# Usage: integration.sh WINE KORVEX_EXE SOURCE_DIR
set -u
wine=$1
korvex=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
source_dir=$(cd "$3" && pwd)

work=$(mktemp -d "${TMPDIR:-/tmp}/korvex-wine-XXXXXX")
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
  echo "  FAILED: $*"
  failures=$((failures + 1))
}

# Runs korvex.exe with the arguments, Enter on its input; leaves the output in
# $work/case/out and the exit code in $code. $setup, when set, runs in the
# case's directory first.
run() {
  rm -rf "$work/case"
  mkdir "$work/case"
  cp -r "$source_dir/Images" "$source_dir/fasm_1.txt" "$work/case/"
  [ -z "${setup:-}" ] || (cd "$work/case" && eval "$setup")
  (cd "$work/case" && printf '\r\n' | timeout 120 "$wine" "$korvex" "$@" >out 2>err)
  code=$?
}

expect_code() {
  [ "$code" -eq "$1" ] || fail "exit code $code, expected $1"
}

# Line N of the output, without its CR.
line() {
  sed -n "$1p" "$work/case/out" | tr -d '\r'
}

expect_line() {
  [ "$(line "$1")" = "$2" ] || fail "line $1 is '$(line "$1")', expected '$2'"
}

# Some output line matches the extended regular expression (CR excluded).
expect_match() {
  tr -d '\r' <"$work/case/out" | grep -Eq "$1" || fail "no line matches '$1'"
}

# Every line ends in CR LF, and there is no other CR.
expect_crlf() {
  lines=$(tr -cd '\n' <"$work/case/out" | wc -c)
  ending_in_cr=$(grep -c "$(printf '\r')\$" "$work/case/out")
  carriage_returns=$(tr -cd '\r' <"$work/case/out" | wc -c)
  [ "$ending_in_cr" -eq "$lines" ] && [ "$carriage_returns" -eq "$lines" ] ||
    fail "lines do not all end in a single CR LF"
}

expect_line_count() {
  count=$(tr -cd '\n' <"$work/case/out" | wc -c)
  [ "$count" -eq "$1" ] || fail "$count lines, expected $1"
}

echo "disclaimer"
run -d
expect_code 0
expect_line_count 22
expect_line 1 "korvex v0.7 x64 win64"
expect_crlf

echo "usage for 30 parameters, an empty quoted pair not counting"
set --
while [ $# -lt 30 ]; do set -- "$@" "-I"; done
run "$@" ""
expect_code 0
expect_line 3 "Usage: korvex [-Options..]"
expect_crlf

echo "default run with 5 iterations"
run -I 5
expect_code 0
expect_crlf
expect_match '^Blur +9 +73 +5 +512 +768 +5 +[0-9]+\.[0-9]{4} ms$'
for unit in GInstr/sec GPixel/sec GFlops/sec GTexel/sec "GB/sec"; do
  expect_match "^[0-9]+\.[0-9]{4} $unit\$"
done
[ "$(tr -d '\r' <"$work/case/korvex_results.txt" 2>/dev/null | grep -c .)" -eq 6 ] ||
  fail "korvex_results.txt lacks its 6 lines"

echo "program texts pass over taken names; the results replace the old file"
setup='mkdir fasm_0000.txt && echo other >fasm_0001.txt && echo old >korvex_results.txt'
run -o d -I 2
setup=
expect_code 0
[ "$(head -n 1 "$work/case/fasm_0002.txt" 2>/dev/null | tr -d '\r')" = '!!ARBfp1.0' ] ||
  fail "the program text is not in fasm_0002.txt"
[ "$(cat "$work/case/fasm_0001.txt")" = other ] || fail "another run's fasm_0001.txt was overwritten"
[ "$(tr -d '\r' <"$work/case/korvex_results.txt" | grep -c .)" -eq 6 ] || fail "korvex_results.txt was not replaced"
[ -z "$(ls "$work/case" | grep '\.tmp$')" ] || fail "a temporary file was left"

echo "outputs of one file, their names differing in case, are refused before the run"
run -I 1 --json out.json --csv OUT.JSON
expect_code 2
[ "$(tr -d '\r' <"$work/case/err")" = '--csv "OUT.JSON" names the same file as --json "out.json"' ] ||
  fail "no refusal line: $(cat "$work/case/err")"
[ ! -e "$work/case/out.json" ] && [ ! -e "$work/case/korvex_results.txt" ] || fail "a file was written"

echo "the NUL device takes the JSON where it is"
run -I 2 --json NUL --csv r.csv
expect_code 0
[ -z "$(ls "$work/case" | grep -i -e '^nul' -e '\.tmp$')" ] || fail "a file was made for NUL, or a temporary left"
[ -s "$work/case/r.csv" ] || fail "the CSV was not written"

echo "capability report"
run -g -I 5
expect_code 0
expect_match '^GL_VENDOR +: Mesa'
expect_match '^Driver Name +: [Oo][Pp][Ee][Nn][Gg][Ll]32\.[Dd][Ll][Ll]$'
expect_match '^Driver Version +: [0-9]'
expect_match '^ARB_fragment_program$'

echo "latency and bandwidth on four draw buffers"
run -M -I 5
expect_code 0
expect_match '^[0-9]+\.[0-9]{4} ms latency$'
expect_match '^[0-9]+\.[0-9]{4} GB/sec$'

echo "NV profile on a driver without it"
run -f fp1
expect_code 2
expect_line 1 "GL_NV_fragment_program not supported"

if [ "$failures" -ne 0 ]; then
  echo "korvex.exe under Wine: $failures failed checks"
  exit 1
fi
echo "korvex.exe under Wine: all cases passed"
