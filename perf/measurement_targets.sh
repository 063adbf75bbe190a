#!/bin/sh
# The measurement targets on this machine:
#  1. the single test, korvex --repeat 5 --min-time 1, three runs in a row:
#     their medians per quad (the count is calibrated per run) within 3%;
#  2. korvex -a --min-time 1: the wall time, target under 90 s;
#  3. the default korvex -a (10000 quads per test), estimated from a run with
#     -I 500: the run's fixed part plus 20 times its timed sections.
# It prints the load average before each step: the machine is shared, and
# every time grows with the load.
#   perf/measurement_targets.sh [korvex binary] [quick]
# "quick" leaves out the third step, which takes minutes.
# Run from the repository root (it copies Images/ and fasm_1.txt from there).
set -eu

binary=$(realpath "${1:-build/korvex}")
root=$(pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$root/Images" "$root/fasm_1.txt" "$work/"
cd "$work"

load() { echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"; }

# Runs korvex with the arguments and prints its wall seconds.
timed() {
    start=$(date +%s.%N)
    "$binary" --no-progress "$@" </dev/null >/dev/null
    /usr/bin/python3 -c 'import sys; print("%.1f" % (float(sys.argv[2]) - float(sys.argv[1])))' "$start" "$(date +%s.%N)"
}

# Per test of a results file: label, iterations, median ms, ms per quad.
tests() {
    /usr/bin/python3 -c '
import json, sys
for t in json.load(open(sys.argv[1]))["tests"]:
    print(t["label"], t["iterations"], "%.4f" % t["median_ms"], "%.5f" % (t["median_ms"] / t["iterations"]),
          "spread %.1f%%" % (100 * (t["max_ms"] - t["min_ms"]) / t["median_ms"]))' "$1"
}

echo "== 1. korvex --repeat 5 --min-time 1, three runs"
load
for run in 1 2 3; do
    seconds=$(timed --repeat 5 --min-time 1 --json "single$run.json")
    echo "run $run: $(tests "single$run.json") (${seconds} s)"
done
/usr/bin/python3 -c '
import json
perQuad = [json.load(open(f"single{run}.json"))["tests"][0] for run in (1, 2, 3)]
values = [t["median_ms"] / t["iterations"] for t in perQuad]
print("medians per quad agree within %.2f%% (target 3%%)" % (100 * (max(values) - min(values)) / min(values)))'

echo "== 2. korvex -a --min-time 1"
load
echo "wall time: $(timed -a --min-time 1 --json all.json) s (target under 90 s)"

[ "${2:-}" = quick ] && exit 0
echo "== 3. korvex -a -I 500, and the default -a estimated from it"
load
seconds=$(timed -a -I 500 --json all500.json)
/usr/bin/python3 -c '
import json, sys
wall = float(sys.argv[1])
timed = sum(t["median_ms"] for t in json.load(open("all500.json"))["tests"]) / 1000
print("wall time %.1f s, of it %.1f s in timed sections" % (wall, timed))
print("default -a (10000 quads) estimated: %.0f s = %.1f min" % (wall - timed + 20 * timed, (wall - timed + 20 * timed) / 60))' "$seconds"
load
