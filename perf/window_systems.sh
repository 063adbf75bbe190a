#!/bin/sh
# EGL against GLX on this machine, in turns so that drift weighs on both:
#  1. the bundled blur, ms per quad: korvex --repeat 3 --min-time 1 through
#     each, ROUNDS rounds (default 4), each round's order swapped;
#  2. the start-up: the wall time of korvex -I 1 (window, driver, images,
#     pixel buffer, one quad, release) through each, 20 turns, the median.
# GLX runs on an Xvfb display of its own, stopped by its PID at the end.
#   perf/window_systems.sh [korvex binary] [rounds]
# Run from the repository root (it copies Images/ and fasm_1.txt from there).
set -eu

binary=$(realpath "${1:-build/korvex}")
rounds=${2:-4}
root=$(pwd)
work=$(mktemp -d)
xvfb_pid=""
trap '[ -n "$xvfb_pid" ] && kill "$xvfb_pid"; rm -rf "$work"' EXIT
. "$root/tools/start-xvfb.sh"
start_xvfb "$work"
cp -r "$root/Images" "$root/fasm_1.txt" "$work/"
cd "$work"

load() { echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"; }

# blur WS: the median ms per quad of one calibrated run through WS.
blur() {
    "$binary" --platform "$1" --no-progress --repeat 3 --min-time 1 --json "$1.json" </dev/null >/dev/null
    /usr/bin/python3 -c '
import json, sys
t = json.load(open(sys.argv[1]))["tests"][0]
print("%.3f" % (t["median_ms"] / t["iterations"]))' "$1.json"
}

# startup WS: the wall milliseconds of korvex -I 1 through WS.
startup() {
    start=$(date +%s%N)
    "$binary" --platform "$1" --no-progress -I 1 </dev/null >/dev/null
    echo $((($(date +%s%N) - start) / 1000000))
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

load
echo "== 1. blur, ms per quad (--repeat 3 --min-time 1), $rounds rounds"
round=1
while [ "$round" -le "$rounds" ]; do
    if [ $((round % 2)) -eq 1 ]; then order="egl glx"; else order="glx egl"; fi
    for ws in $order; do echo "round $round $ws $(blur "$ws")"; done
    round=$((round + 1))
done | tee blur.txt
for ws in egl glx; do echo "$ws median $(grep " $ws " blur.txt | cut -d' ' -f4 | median) ms per quad"; done
load
echo "== 2. start-up, korvex -I 1 wall time, 20 turns"
: >startup.txt
turn=1
while [ "$turn" -le 20 ]; do
    for ws in egl glx; do echo "$ws $(startup "$ws")" >>startup.txt; done
    turn=$((turn + 1))
done
for ws in egl glx; do
    echo "$ws median $(grep "^$ws " startup.txt | cut -d' ' -f2 | median) ms," \
        "range $(grep "^$ws " startup.txt | cut -d' ' -f2 | sort -n | sed -n '1p;$p' | paste -sd- -) ms"
done
load
