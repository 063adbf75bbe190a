#!/bin/sh
# Net cost of every ARB instruction on this machine: runs all-instructions
# mode with --net and a short minimum time per timed section, and prints one
# table row per instruction: its net cost, net rate, the fixed cost per quad,
# the lengths fitted and how straight the line was, or why there is no net
# figure.
#   perf/net_survey.sh [korvex binary] [minimum seconds] [more korvex options...]
# Run from the repository root (it copies Images/ and fasm_1.txt from there).
set -eu

binary=$(realpath "${1:-build/korvex}")
minTime=${2:-0.2}
[ $# -gt 2 ] && shift 2 || set --
root=$(pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$root/Images" "$root/fasm_1.txt" "$work/"
cd "$work"

# The C locale keeps the full stop as the decimal separator.
echo | LC_ALL=C "$binary" -a --net --min-time "$minTime" "$@" >/dev/null

# "Net MAD: 4.21 GInstr/sec, 33.7 GFlops/sec (0.238 ns per pixel-instruction;
# fixed 0.310 ms per quad; lengths 32, 64, 128; r2 0.9998)", or
# "Warning: no net figures for MAD: <why>".
echo "| instruction | ns per pixel-instruction | net rate | fixed ms per quad | lengths | r2 |"
echo "|---|---|---|---|---|---|"
tr -d '\r' <korvex_results.txt | awk '
    /^Net [A-Z0-9]+: / {
        op = substr($2, 1, length($2) - 1)
        split($0, parts, /[(;)]/)
        sub(/ ns per pixel-instruction/, "", parts[2]); sub(/^ fixed /, "", parts[3])
        sub(/ ms per quad/, "", parts[3]); sub(/^ lengths /, "", parts[4]); sub(/^ r2 /, "", parts[5])
        rate = $3 " " $4; sub(/,$/, "", rate)
        printf "| %s | %s | %s | %s | %s | %s |\n", op, parts[2], rate, parts[3], parts[4], parts[5]
    }
    /^Warning: no net figures for / {
        op = $6; sub(/:$/, "", op)
        reason = $0; sub(/^Warning: no net figures for [A-Z0-9]+: /, "", reason)
        printf "| %s | no figure: %s | | | | |\n", op, reason
    }'
