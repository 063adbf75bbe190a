#!/bin/sh
# Builds the fuzz targets with clang in their own build directory and runs
# each for a short while (20 seconds, or KORVEX_FUZZ_SECONDS) from its seed
# corpus. A crash, a sanitizer report, a leak or a broken property fails the
# script; the input that caused it is kept in the build directory.
set -eu
cd "$(dirname "$0")/.."
seconds=${KORVEX_FUZZ_SECONDS:-20}
build=build-fuzz-smoke

targets=""
for corpus in tests/fuzz/corpus/*/; do
  targets="$targets $(basename "$corpus")_fuzz"
done

# The "fuzzing" preset of CMakePresets.json builds into $build.
cmake --preset fuzzing >/dev/null
# shellcheck disable=SC2086
cmake --build --preset fuzzing -j "$(nproc)" --target $targets

for target in $targets; do
  name=${target%_fuzz}
  scratch=$(mktemp -d)
  log="$build/$target.log"
  # New inputs go to the scratch corpus; the committed seeds stay as they are.
  if "$build/tests/fuzz/$target" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
      -artifact_prefix="$build/$target-" "$scratch" "tests/fuzz/corpus/$name" >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    echo "$target: $runs inputs, no findings"
    rm -rf "$scratch"
  else
    tail -n 40 "$log"
    echo "$target: FAILED (log: $log)"
    rm -rf "$scratch"
    exit 1
  fi
done
