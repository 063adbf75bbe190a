#!/bin/sh
# Makes the korvex-results examples of perf/README.md on this machine: an
# instruction survey on each of Mesa's software drivers
# (perf/examples/survey-*.json), their chart (perf/examples/survey.png), a
# compare of the two drivers and one of two llvmpipe runs
# (perf/examples/compare-*.txt). About 10 minutes on an idle machine: 12 short
# llvmpipe runs, then softpipe, whose quads take 0.2 to 2.3 s against
# llvmpipe's milliseconds.
set -eu
cd "$(dirname "$0")/.."
results=tools/korvex-results
if [ ! -x build/korvex ]; then
  echo "$0: build/korvex is missing: run make build first" >&2
  exit 1
fi

# A korvex without --json would spend half an hour on the surveys for nothing.
probe=$(mktemp -d)
runs=$(mktemp -d)
trap 'rm -rf "$probe" "$runs"' EXIT
build/korvex -I 1 --json "$probe/probe.json" </dev/null >/dev/null
if [ ! -s "$probe/probe.json" ]; then
  echo "$0: build/korvex writes no JSON: it needs --json and --min-time" >&2
  exit 1
fi

# Five sections a side or more (--repeat 5, or six merged runs): with 3 a
# side, a two-sided Mann-Whitney U test never gets below p = 0.1, so compare
# could call nothing significant.
survey() {  # DRIVER JSON KORVEX-OPTIONS...
  driver=$1 json=$2
  shift 2
  echo "GALLIUM_DRIVER=$driver build/korvex -a $* --json $json" >&2
  # korvex reads fasm_1.txt and Images/ here, and waits for Enter at the end.
  GALLIUM_DRIVER=$driver build/korvex -a "$@" --json "$json" </dev/null >/dev/null
}

compare() {  # OUT BASE NEW
  out=$1
  shift
  {
    echo "\$ $results compare $*"
    status=0
    "$results" compare "$@" || status=$?
    echo "(exit code $status)"
  } >"$out"
  if [ "$status" -eq 2 ]; then
    echo "$0: compare $* failed; see $out" >&2
    exit 1
  fi
}

# This machine's speed drifts by 10 to 20 % over minutes, so two llvmpipe
# surveys taken one after the other differ by the drift. Instead each set is
# six short runs, taken in turn with the other set's (A B B A, three times, so
# that a steady drift weighs on both alike), and merged into one file.
run=0
for block in 1 2 3; do
  for set in base again again base; do
    run=$((run + 1))
    survey llvmpipe "$runs/$set-$run.json" --min-time 0.3
  done
done
for set in base again; do
  "$results" merge "$runs/$set"-*.json -o "$runs/$set.json"
done
cp "$runs/base.json" perf/examples/survey-llvmpipe.json
cp "$runs/again.json" perf/examples/survey-llvmpipe-again.json
survey softpipe perf/examples/survey-softpipe.json --min-time 0.5 --repeat 5

"$results" plot perf/examples/survey-llvmpipe.json perf/examples/survey-softpipe.json -o perf/examples/survey.png
compare perf/examples/compare-drivers.txt perf/examples/survey-llvmpipe.json perf/examples/survey-softpipe.json
compare perf/examples/compare-llvmpipe.txt perf/examples/survey-llvmpipe.json perf/examples/survey-llvmpipe-again.json
cat perf/examples/compare-drivers.txt perf/examples/compare-llvmpipe.txt
