#!/bin/sh
# The Windows korvex.exe end to end under Wine, each case in a fresh
# directory holding the test images and fasm_1.txt, then the release archive
# unpacked into an empty folder and run there; for the 32-bit program also a
# run with Wine reporting Windows XP. Needs a display (Xvfb) and a Wine prefix
# in the environment; tools/windows-test.sh provides both.
# Usage: integration.sh WINE x64|x86 KORVEX_EXE ARCHIVE SOURCE_DIR
set -u
wine=$1
arch=$2
korvex=$(cd "$(dirname "$3")" && pwd)/$(basename "$3")
archive=$(cd "$(dirname "$4")" && pwd)/$(basename "$4")
source_dir=$(cd "$5" && pwd)
case "$arch" in
  x64) version_line="korvex v0.7 x64 win64" objdump=x86_64-w64-mingw32-objdump ;;
  *) version_line="korvex v0.7 x86 win32" objdump=i686-w64-mingw32-objdump ;;
esac

work=$(mktemp -d "${TMPDIR:-/tmp}/korvex-wine-XXXXXX")
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
  echo "  FAILED: $*"
  failures=$((failures + 1))
}

# Runs PROGRAM in DIRECTORY with the arguments, Enter on its input; leaves
# the output in DIRECTORY/out and the exit code in $code. A run takes at most
# 15 s here; a hang fails in a minute.
run_in() {
  out=$1/out
  (cd "$1" && shift && printf '\r\n' | timeout 60 "$wine" "$@" >out 2>err)
  code=$?
}

# Runs korvex.exe with the arguments in $work/case, made afresh with the test
# images and fasm_1.txt. $setup, when set, runs in the case's directory first.
run() {
  rm -rf "$work/case"
  mkdir "$work/case"
  cp -r "$source_dir/Images" "$source_dir/fasm_1.txt" "$work/case/"
  [ -z "${setup:-}" ] || (cd "$work/case" && eval "$setup")
  run_in "$work/case" "$korvex" "$@"
}

expect_code() {
  [ "$code" -eq "$1" ] || fail "exit code $code, expected $1"
}

# Line N of the output, without its CR.
line() {
  sed -n "$1p" "$out" | tr -d '\r'
}

expect_line() {
  [ "$(line "$1")" = "$2" ] || fail "line $1 is '$(line "$1")', expected '$2'"
}

# Some output line matches the extended regular expression (CR excluded).
expect_match() {
  tr -d '\r' <"$out" | grep -Eq "$1" || fail "no line matches '$1'"
}

# Every line of the file (the output by default) ends in CR LF, and there is
# no other CR.
expect_crlf() {
  file=${1:-$out}
  lines=$(tr -cd '\n' <"$file" | wc -c)
  ending_in_cr=$(grep -c "$(printf '\r')\$" "$file")
  carriage_returns=$(tr -cd '\r' <"$file" | wc -c)
  [ "$ending_in_cr" -eq "$lines" ] && [ "$carriage_returns" -eq "$lines" ] ||
    fail "lines of $(basename "$file") do not all end in a single CR LF"
}

expect_line_count() {
  count=$(tr -cd '\n' <"$out" | wc -c)
  [ "$count" -eq "$1" ] || fail "$count lines, expected $1"
}

# The results file in DIRECTORY holds COUNT non-empty lines.
expect_results() {
  [ "$(tr -d '\r' <"$1/korvex_results.txt" 2>/dev/null | grep -c .)" -eq "$2" ] ||
    fail "korvex_results.txt lacks its $2 lines"
}

echo "disclaimer"
run -d
expect_code 0
expect_line_count 22
expect_line 1 "$version_line"
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
expect_results "$work/case" 6

echo "program texts pass over taken names; the results replace the old file"
setup='mkdir fasm_0000.txt && echo other >fasm_0001.txt && echo old >korvex_results.txt'
run -o d -I 2
setup=
expect_code 0
[ "$(head -n 1 "$work/case/fasm_0002.txt" 2>/dev/null | tr -d '\r')" = '!!ARBfp1.0' ] ||
  fail "the program text is not in fasm_0002.txt"
[ "$(cat "$work/case/fasm_0001.txt")" = other ] || fail "another run's fasm_0001.txt was overwritten"
expect_results "$work/case" 6
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

echo "the release archive, unpacked into an empty folder"
mkdir "$work/unpacked"
python3 -m zipfile -e "$archive" "$work/unpacked" || fail "the archive does not unpack"
name=$(basename "$archive" .zip)
folder=$work/unpacked/$name
listing=$(cd "$work/unpacked" && find . | LC_ALL=C sort | tr '\n' ' ')
pages=$(cd "$source_dir" && ls docs/*.md)
expected=$(printf '%s\n' . "./$name" "./$name/Images" "./$name/Images/3dsmax5beta_image1.tga" \
  "./$name/Images/memorial_orig_tm.tga" "./$name/Images/spectrum.tga" "./$name/LICENSE" "./$name/README.txt" \
  "./$name/docs" $(echo "$pages" | sed "s|^|./$name/|") "./$name/fasm_1.txt" "./$name/korvex.exe" |
  LC_ALL=C sort | tr '\n' ' ')
[ "$listing" = "$expected" ] || fail "the archive holds $listing"
for text in README.md:README.txt LICENSE:LICENSE $(echo "$pages" | sed 's|.*|&:&|'); do
  expect_crlf "$folder/${text#*:}"
  tr -d '\r' <"$folder/${text#*:}" | cmp -s - "$source_dir/${text%:*}" || fail "${text#*:} is not ${text%:*}"
done
"$objdump" -h "$folder/korvex.exe" | grep -q '\.debug' && fail "korvex.exe is not stripped"
run_in "$folder" korvex.exe -I 5
expect_code 0
expect_match '^Blur +9 +73 +5 +512 +768 +5 +[0-9]+\.[0-9]{4} ms$'
expect_results "$folder" 6
run_in "$folder" korvex.exe -a -I 1
expect_code 0
expect_results "$folder" 150

if [ "$arch" = x86 ]; then
  echo "Wine reporting Windows XP"
  # What `winecfg -v winxp` sets for the whole prefix, set for korvex.exe
  # alone and taken back after, so that the prefix stays as Wine made it.
  app_defaults='HKCU\Software\Wine\AppDefaults\korvex.exe'
  "$wine" reg add "$app_defaults" /v Version /d winxp /f >/dev/null 2>&1
  run -I 5 --json run.json
  "$wine" reg delete "$app_defaults" /f >/dev/null 2>&1
  expect_code 0
  expect_results "$work/case" 6
  grep -Eq '"kernel": *"5\.1\.' "$work/case/run.json" 2>/dev/null || fail "Wine did not report Windows XP"
fi

if [ "$failures" -ne 0 ]; then
  echo "korvex.exe under Wine: $failures failed checks"
  exit 1
fi
echo "korvex.exe under Wine: all cases passed"
