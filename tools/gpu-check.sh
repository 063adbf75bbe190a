#!/bin/bash
# Runs every fragment-program profile of korvex once on this machine's GL
# driver, through each window system that works here (EGL, GLX), and records
# what the driver says: meant for a short visit to a machine with an NVIDIA
# GPU. Run it from the repository root, or from any
# folder that holds build/korvex, fasm_1.txt and Images/:
#
#   tools/gpu-check.sh OUTDIR
#
# OUTDIR (new or empty) gets system.txt, ldd.txt, egl-vendors.txt,
# nvidia-smi.txt, one folder per run under cases/WINDOW-SYSTEM/ and
# summary.txt, which is also printed. Exit code 0: it ran to its end, whatever the driver said;
# 1: korvex cannot start here (the reason is printed); 2: bad usage.
set -u

# Measurement options of every korvex run; "{case}" becomes the run's name,
# so each run leaves its JSON results in its own folder.
default_measure='--min-time 0.2 --json {case}.json'
MEASURE=${GPU_CHECK_MEASURE:-$default_measure}
KORVEX=${KORVEX:-build/korvex}
CASE_SECONDS=60    # one korvex run
PROGRAM_SECONDS=20 # one program's verdict, after the driver rejected one
BUDGET_SECONDS=360 # all runs together: later runs are skipped, not started

WINDOW_SYSTEMS=(egl glx)
PROFILE_NAMES=(arb arb-n-fp1 arb-n-fp2 fp1 fp2 fp4)
PROFILE_OPTIONS=("-f arb" "-f arb -n fp1" "-f arb -n fp2" "-f fp1" "-f fp2" "-f fp4")

if [ $# -ne 1 ]; then
    echo "usage: $0 OUTDIR" >&2
    exit 2
fi
for needed in "$KORVEX" fasm_1.txt Images; do
    if [ ! -e "$needed" ]; then
        echo "$needed is missing: run this from the folder that holds $KORVEX, fasm_1.txt and Images/" >&2
        exit 2
    fi
done
if [ -e "$1" ] && [ -n "$(ls -A "$1")" ]; then
    echo "$1 is not empty: give a new folder" >&2
    exit 2
fi
mkdir -p "$1/cases" || exit 2
out=$(cd "$1" && pwd)
root=$(pwd)
korvex=$(cd "$(dirname "$KORVEX")" && pwd)/$(basename "$KORVEX")
summary=$out/summary.txt
: >"$summary"

note() { printf '%s\n' "$*" >>"$summary"; }

glibc_version() {
    local version
    if version=$(getconf GNU_LIBC_VERSION 2>/dev/null); then
        echo "${version#glibc }"
    else
        ldd --version 2>/dev/null | sed -n '1s/.* //p'
    fi
}

record_system() {
    {
        echo "date: $(date -u '+%Y-%m-%d %H:%M:%S UTC')"
        echo "uname: $(uname -a)"
        echo "glibc: $(glibc_version)"
        echo "ldd --version: $(ldd --version 2>&1 | head -n 1)"
        sed -n 's/^PRETTY_NAME=//p' /etc/os-release 2>/dev/null
        echo "measurement options: $MEASURE"
        env | grep -E '^(__EGL_VENDOR_LIBRARY|__GLX_VENDOR|EGL_PLATFORM|LIBGL_|MESA_|NVIDIA_|LD_LIBRARY_PATH|DISPLAY|DRI_PRIME)=' | sort
    } >"$out/system.txt"
    ldd "$korvex" >"$out/ldd.txt" 2>&1
    if command -v nvidia-smi >/dev/null; then
        timeout 30 nvidia-smi >"$out/nvidia-smi.txt" 2>&1
        timeout 30 nvidia-smi --query-gpu=name,driver_version --format=csv,noheader >>"$out/nvidia-smi.txt" 2>&1
    else
        echo "nvidia-smi: not on PATH" >"$out/nvidia-smi.txt"
    fi
    # The glvnd vendor files name the EGL driver libraries that libEGL loads.
    local dir file
    for dir in /etc/glvnd/egl_vendor.d /usr/share/glvnd/egl_vendor.d \
        /usr/local/share/glvnd/egl_vendor.d /usr/local/nvidia/share/glvnd/egl_vendor.d; do
        [ -d "$dir" ] || continue
        echo "== $dir"
        for file in "$dir"/*; do
            [ -f "$file" ] || continue
            echo "-- $file"
            cat "$file"
        done
    done >"$out/egl-vendors.txt" 2>&1
}

# A binary that the loader refuses never reaches its own error reporting:
# name the missing libraries or the glibc it needs.
check_start() {
    "$korvex" -h </dev/null >/dev/null 2>"$out/start.txt"
    local code=$?
    [ "$code" -eq 0 ] && return
    note "korvex cannot start here ($KORVEX, exit code $code):"
    note "$(cat "$out/start.txt")"
    local missing needed
    missing=$(grep 'not found' "$out/ldd.txt")
    [ -n "$missing" ] && note "libraries not found (ldd):" "$missing"
    needed=$(grep -o "GLIBC_[0-9.]*' not found" "$out/start.txt" | sed "s/GLIBC_//; s/' not found//" | sort -V | tail -n 1)
    [ -n "$needed" ] && note "it needs glibc $needed or newer; this machine has glibc $(glibc_version)"
    grep -q "GLIBCXX_[0-9.]*' not found" "$out/start.txt" &&
        note "it needs a newer libstdc++ than this machine's: build it with the static C++ runtime (a plain, non-sanitizer build)"
    cat "$summary"
    exit 1
}

# A run's folder, with the bundled program and images linked in; the links
# go again after the run, so the folder can be copied back as it is.
new_case() {
    local dir=$1
    mkdir -p "$dir"
    ln -s "$root/Images" "$dir/Images"
    [ -e "$dir/fasm_1.txt" ] || ln -s "$root/fasm_1.txt" "$dir/fasm_1.txt"
}

# run_case DIR SECONDS OPTIONS...: korvex through $window_system with OPTIONS
# and the measurement options in DIR; command, stdout, stderr and exit code
# are saved there.
run_case() {
    local dir=$1 limit=$2
    shift 2
    local left=$((BUDGET_SECONDS - SECONDS))
    if [ "$left" -lt 5 ]; then
        echo skipped >"$dir/exit-code.txt"
    else
        [ "$limit" -gt "$left" ] && limit=$left
        local -a measure
        read -r -a measure <<<"${MEASURE//\{case\}/$(basename "$dir")}"
        local -a words=(--platform "$window_system" "$@" "${measure[@]}")
        echo "korvex ${words[*]}" >"$dir/command.txt"
        (cd "$dir" && timeout -k 5 "$limit" "$korvex" "${words[@]}" </dev/null >stdout.txt 2>stderr.txt)
        echo $? >"$dir/exit-code.txt"
        echo "$limit" >"$dir/time-limit.txt"
    fi
    rm -f "$dir/Images"
    [ -L "$dir/fasm_1.txt" ] && rm -f "$dir/fasm_1.txt"
}

# A run's saved output without the CR of its CR LF lines.
output() { [ -f "$1/$2" ] && tr -d '\r' <"$1/$2"; }

# What a run's exit code means, with the run's own words.
verdict() {
    local dir=$1 code
    code=$(cat "$dir/exit-code.txt")
    case $code in
    0) echo "exit 0, ran$(output "$dir" stdout.txt | grep -m 1 '^Warning: ' | sed 's/^/; /')" ;;
    1) echo "exit 1, error: $(output "$dir" stderr.txt | tail -n 1)" ;;
    2) echo "exit 2, cannot run here: $(output "$dir" stdout.txt | grep -E 'not supported|failed|not found|cannot open display' | paste -sd ';' - | sed 's/;/; /g')" ;;
    3) echo "exit 3, the driver rejected a program" ;;
    124 | 137) echo "exit $code, timed out after $(cat "$dir/time-limit.txt") s" ;;
    skipped) echo "skipped: the time budget of $BUDGET_SECONDS s was spent" ;;
    *) echo "exit $code: $(output "$dir" stderr.txt | tail -n 1)" ;;
    esac
}

# The driver's text from a rejection: the lines after korvex's header.
driver_text() { output "$1" stdout.txt | awk 'found && NF; /^Fragment program contains errors:$/ { found = 1 }'; }

# Each printout of -a lists every test run so far and ends with an empty
# line; the last one's result lines are the tests that ran.
tests_run() {
    output "$1" stdout.txt | awk '/^$/ { last = n; n = 0; next } / 512 +768 / { n++ } END { print last + 0 }'
}

# How many program texts -o d saved in a run's folder.
saved_programs() {
    local count=0 program
    for program in "$1"/fasm_[0-9]*.txt; do
        [ -f "$program" ] && count=$((count + 1))
    done
    echo "$count"
}

# After a rejection, each saved program alone, as the single test's text,
# so that every rejected program and the driver's words for it are known.
judge_programs() {
    local dir=$1 options=$2 program number count rejected=0
    count=$(saved_programs "$dir")
    for program in "$dir"/fasm_[0-9]*.txt; do
        [ -f "$program" ] || continue
        number=$(basename "$program" .txt)
        number=${number#fasm_}
        local pdir=$dir/programs/$number
        mkdir -p "$pdir"
        cp "$program" "$pdir/fasm_1.txt"
        new_case "$pdir"
        # shellcheck disable=SC2086 # the profile's options are words
        run_case "$pdir" "$PROGRAM_SECONDS" $options
        case $(cat "$pdir/exit-code.txt") in
        0) ;;
        3)
            rejected=$((rejected + 1))
            note "  fasm_$number.txt (program $((10#$number + 1)) of $count) rejected:"
            driver_text "$pdir" | sed 's/^/    /' >>"$summary"
            ;;
        *) note "  fasm_$number.txt (program $((10#$number + 1)) of $count): $(verdict "$pdir")" ;;
        esac
    done
    note "  $rejected of $count programs rejected on their own"
}

run_profile() {
    local name=$1 options=$2 dir=$out/cases/$window_system/$1
    echo "running $name through $window_system: korvex -a -o d $options" >&2
    new_case "$dir"
    # shellcheck disable=SC2086 # the profile's options are words
    run_case "$dir" "$CASE_SECONDS" -a -o d $options
    local code generated
    code=$(cat "$dir/exit-code.txt")
    generated=$(saved_programs "$dir")
    note "$name ($options): $(verdict "$dir"); $generated programs generated, $(tests_run "$dir") tests run"
    if [ "$code" = 3 ]; then
        note "  the whole set: $(driver_text "$dir" | paste -sd ' ' -)"
        judge_programs "$dir" "$options"
    fi
}

run_single() {
    local name=$1 dir=$out/cases/$window_system/$1
    shift
    echo "running $name through $window_system: korvex $*" >&2
    new_case "$dir"
    run_case "$dir" "$CASE_SECONDS" "$@"
    note "$(printf '%-6s' "$name") korvex${*:+ $*}: $(verdict "$dir")"
}

record_system
check_start

note "korvex GPU check, $(date -u '+%Y-%m-%d %H:%M:%S UTC'), $(uname -n)"
note "glibc $(glibc_version); nvidia-smi: $(tail -n 1 "$out/nvidia-smi.txt")"
note "measurement options: $MEASURE"
# Every case through one window system; one whose -g run cannot make a
# context here is named with its reason and left.
run_window_system() {
    window_system=$1
    note ""
    note "== through $window_system (--platform $window_system)"
    run_single gpuid -g e
    if [ "$(cat "$out/cases/$window_system/gpuid/exit-code.txt")" != 0 ]; then
        note "$window_system does not work here; its other cases were not run"
        return
    fi
    output "$out/cases/$window_system/gpuid" stdout.txt |
        grep -E '^(GL_RENDERER|GL_VENDOR|GL_VERSION|Driver [A-Z][a-z]+) ' >>"$summary"
    run_single single
    note ""
    note "all instructions (-a), per profile:"
    for i in "${!PROFILE_NAMES[@]}"; do run_profile "${PROFILE_NAMES[$i]}" "${PROFILE_OPTIONS[$i]}"; done
    note ""
    for m in 1 2 3 4; do run_single "M$m" -M "$m"; done
}

for window_system in "${WINDOW_SYSTEMS[@]}"; do run_window_system "$window_system"; done
note ""
note "took $SECONDS s"
cat "$summary"
exit 0
