#!/bin/sh
# Shows that the generated programs' time grows with their length: runs the
# all-instructions mode (ARB) at two lengths and prints, per instruction, the
# milliseconds per 512 x 768 quad at each length and their ratio. A ratio near
# 1 would mean the driver removed the work.
#   perf/generator_length_scaling.sh [korvex binary] [iterations] [short length] [long length]
# Run from the repository root (it copies Images/ and fasm_1.txt from there).
set -eu

binary=$(realpath "${1:-build/korvex}")
iterations=${2:-20}
short=${3:-8}
long=${4:-64}
root=$(pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$root/Images" "$root/fasm_1.txt" "$work/"
cd "$work"

# The result line of each test: label, instructions, flops, texels, 512, 768,
# iterations, time, "ms".
perQuad() {
    echo | "$binary" -a -l "$1" -I "$iterations" >/dev/null
    tr -d '\r' <korvex_results.txt | awk -v n="$iterations" '$NF == "ms" { printf "%s %s %.4f\n", $1, $2, $(NF-1) / n }'
}

perQuad "$short" | sort >short.txt
perQuad "$long" | sort >long.txt
echo "instruction  instr@$short  ms/quad@$short  instr@$long  ms/quad@$long  time ratio"
join short.txt long.txt | awk '{ printf "%-11s  %8s  %13.3f  %9s  %12.3f  %10.2f\n", $1, $2, $3, $4, $5, $5 / $3 }'
