#!/bin/sh
# Whether interleaved surveys with a precision goal agree where plain ones
# drift apart: two `korvex -a --interleave --precision 1` surveys back to
# back, then two plain `-a --min-time 0.3 --repeat 5` surveys, and
# `korvex-results compare` of each pair. Prints each survey's time and the
# load average after it, and for each pair the tests compare flags
# (SLOWER or faster) and the largest change. The goal: no test flagged
# between the interleaved surveys, each under 2 minutes.
#   perf/precision_surveys.sh [korvex binary] [section seconds] [max seconds a test]
# The interleaved surveys' sections last at least `section seconds` (0.05),
# and each test spends at most `max seconds a test` (4). Run from the
# repository root (it copies Images/ and fasm_1.txt from there).
set -eu

binary=$(realpath "${1:-build/korvex}")
sectionTime=${2:-0.05}
maxTime=${3:-4}
root=$(pwd)
results="$root/tools/korvex-results"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$root/Images" "$root/fasm_1.txt" "$work/"
cd "$work"

# The CPU time counters of /proc/stat: user, nice, system, idle, ...
cpuTimes() { head -n 1 /proc/stat; }

# survey NAME OPTIONS...: one survey into NAME.json, with its time and how
# the CPUs were shared meanwhile: the share of normal-priority work (the
# survey, mostly) and of niced work (other jobs; builds run niced here).
survey() {
    name=$1
    shift
    before=$(cpuTimes)
    start=$(date +%s.%N)
    # The C locale keeps the full stop as the decimal separator.
    echo | LC_ALL=C "$binary" -a --no-progress --json "$name.json" "$@" >/dev/null
    end=$(date +%s.%N)
    shares=$(printf '%s\n%s\n' "$before" "$(cpuTimes)" | awk '
        { for (i = 2; i <= NF; i++) if (NR == 1) first[i] = $i; else { d[i] = $i - first[i]; all += d[i] } }
        END { printf "CPU %.0f%% normal, %.0f%% niced, %.0f%% idle", 100 * (d[2] + d[4]) / all,
                     100 * d[3] / all, 100 * d[5] / all }')
    echo "$name: $(awk "BEGIN { printf \"%.1f\", $end - $start }") s, load average $(cut -d' ' -f1-3 /proc/loadavg), $shares"
}

# pair BASE NEW: how many tests compare flags, and the largest change.
pair() {
    "$results" compare "$1.json" "$2.json" >"$1-$2.txt" || true
    flagged=$(grep -cE ' (SLOWER|faster)( \*)?$' "$1-$2.txt" || true)
    largest=$(awk '$5 ~ /%$/ { change = $5; sub(/%/, "", change); sub(/^\+/, "", change);
                               change += 0; if (change < 0) change = -change; if (change > most) most = change }
                   END { printf "%.1f%%", most }' "$1-$2.txt")
    echo "compare $1 $2: $flagged of 25 tests flagged, largest change $largest"
    cat "$1-$2.txt"
}

echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
survey interleaved-1 --interleave --precision 1 --min-time "$sectionTime" --max-time "$maxTime"
survey interleaved-2 --interleave --precision 1 --min-time "$sectionTime" --max-time "$maxTime"
survey plain-1 --min-time 0.3 --repeat 5
survey plain-2 --min-time 0.3 --repeat 5
for name in interleaved-1 interleaved-2; do
    echo "$name: $(grep -c '"stopped": "converged"' "$name.json" || true) of 25 tests converged"
done
pair interleaved-1 interleaved-2
pair plain-1 plain-2
