#!/bin/sh
# The 32-bit and the 64-bit korvex.exe under Wine on this machine, taking
# turns so that a drifting machine weighs on both alike. Each round runs, for
# x64 and then x86, `korvex.exe -g -I 1` (start, capability report, one quad:
# the wall time) and `korvex.exe -I ITERATIONS` (the blur: its time a quad).
# Prints each run, then the medians and the sizes of the release archives.
# Wine runs each width's own Mesa (llvmpipe), so a difference in the blur is
# Mesa's, not korvex's.
# Usage: perf/windows_arch_compare.sh [ROUNDS] [ITERATIONS] (default 5, 200),
# from the repository root, after tools/build-windows.sh x64 and x86.
set -eu
cd "$(dirname "$0")/.."
rounds=${1:-5}
iterations=${2:-200}
for dir in build-windows build-windows-x86; do
  [ -f "$dir/korvex.exe" ] || { echo "$dir/korvex.exe is missing: run tools/build-windows.sh first" >&2; exit 2; }
done

. tools/wine-session.sh
start_display
work=$wine_scratch/run
mkdir "$work"
cp -r Images fasm_1.txt "$work/"

# Runs korvex.exe of ARCH with the arguments in $work; prints the seconds it took.
run() {
  arch=$1
  shift
  if [ "$arch" = x64 ]; then dir=build-windows; else dir=build-windows-x86; fi
  use_wine_prefix "$arch" "$dir"
  exe=$(pwd)/$dir/korvex.exe
  start=$(date +%s.%N)
  (cd "$work" && printf '\r\n' | timeout 120 "$(wine_loader "$arch")" "$exe" "$@" >out 2>&1)
  awk -v start="$start" -v end="$(date +%s.%N)" 'BEGIN { printf "%.2f", end - start }'
}

# The blur's time a quad from the last run's result line.
blur_ms() {
  tr -d '\r' <"$work/out" | awk -v n="$iterations" '$1 == "Blur" { printf "%.3f", $(NF - 1) / n }'
}

median() {
  sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

for arch in x64 x86; do run "$arch" -g -I 1 >/dev/null; done # first starts of each prefix, not counted
echo "round arch start+report_s blur_ms_a_quad"
round=1
while [ "$round" -le "$rounds" ]; do
  for arch in x64 x86; do
    seconds=$(run "$arch" -g -I 1)
    run "$arch" -I "$iterations" >/dev/null
    echo "$round $arch $seconds $(blur_ms)" | tee -a "$work/results"
  done
  round=$((round + 1))
done
for arch in x64 x86; do
  start=$(awk -v a="$arch" '$2 == a { print $3 }' "$work/results" | median)
  blur=$(awk -v a="$arch" '$2 == a { print $4 }' "$work/results" | median)
  echo "median $arch: start+report $start s, blur $blur ms a quad"
done
ls -l build-windows/korvex-*-windows-x64.zip build-windows-x86/korvex-*-windows-x86.zip 2>/dev/null || true
