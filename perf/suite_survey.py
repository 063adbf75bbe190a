#!/usr/bin/env python3
"""The bundled ARB suite beside the instruction survey, on this machine.

Runs `korvex --suite` and `korvex -a` (both with --min-time and --repeat) in a
scratch folder and prints two markdown tables:

1. each program's time per quad and rates, its ALU instructions with the
   survey's instruction rate of each, and the time its ALU work would take at
   those rates: the sum over its instructions of pixels / rate. The survey's
   programs fetch no texels, so what the prediction leaves out is the
   fetches and the fixed cost of a quad;
2. the work counted from each text beside the driver's native counts.

    perf/suite_survey.py [korvex binary] [minimum seconds] [repeat]

Run it from the repository root (it copies Images/ and fasm_1.txt from there).
"""
import json
import os
import shutil
import subprocess
import sys
import tempfile
from pathlib import Path

ROOT = Path.cwd()


def run(binary, folder, name, *options):
    subprocess.run([binary, "--json", name, "--no-progress", *options], cwd=folder, check=True,
                   stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL)
    with open(Path(folder) / name, encoding="utf-8") as results:
        return json.load(results)


def giga(rate):
    return "-" if rate is None else f"{rate / 1e9:.3f}"


def ms_per_quad(test):
    return test["median_ms"] / test["iterations"]


def suite_table(suite, survey):
    rates = {test["label"]: test["rates"]["instructions_per_s"] for test in survey["tests"]}
    pixels = suite["tests"][0]["width"] * suite["tests"][0]["height"]
    lines = ["| program | ms/quad | GPixel/s | GInstr/s | GFlops/s | GTexel/s | ALU instructions "
             "(survey GInstr/s) | ALU ms/quad at the survey's rates | share of the time |",
             "|---|---|---|---|---|---|---|---|---|"]
    for test in suite["tests"]:
        counts = test["work"]["counted"]["alu_by_opcode"]
        uses = ", ".join(f"{count} {op} ({giga(rates[op]) if op in rates else 'not surveyed'})"
                         for op, count in sorted(counts.items()))
        predicted = sum(count * pixels / rates[op] * 1000 for op, count in counts.items() if op in rates)
        partial = "" if all(op in rates for op in counts) else " (surveyed only)"
        r = test["rates"]
        lines.append(f"| {test['label']} | {ms_per_quad(test):.3f} | {giga(r['pixels_per_s'])} | "
                     f"{giga(r['instructions_per_s'])} | {giga(r['flops_per_s'])} | "
                     f"{giga(r['texels_per_s'])} | {uses} | {predicted:.3f}{partial} | "
                     f"{predicted / ms_per_quad(test):.0%} |")
    return lines


def native_table(suite):
    lines = ["| program | counted instructions | counted ALU | counted fetches | native instructions "
             "| native ALU | native TEX | native indirections | load ms |",
             "|---|---|---|---|---|---|---|---|---|"]
    for test in suite["tests"]:
        counted, native = test["work"]["counted"], test["compile"]["native"]
        shown = ["-" if native[name] is None else str(native[name])
                 for name in ("instructions", "alu_instructions", "tex_instructions", "tex_indirections")]
        lines.append(f"| {test['label']} | {counted['instructions']} | "
                     f"{sum(counted['alu_by_opcode'].values())} | {counted['texels']} | "
                     f"{' | '.join(shown)} | {test['compile']['load_ms']:.2f} |")
    return lines


def main():
    binary = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build/korvex")
    min_time = sys.argv[2] if len(sys.argv) > 2 else "0.3"
    repeat = sys.argv[3] if len(sys.argv) > 3 else "3"
    policy = ["--min-time", min_time, "--repeat", repeat]
    with tempfile.TemporaryDirectory() as folder:
        shutil.copytree(ROOT / "Images", Path(folder) / "Images")
        shutil.copy(ROOT / "fasm_1.txt", folder)
        suite = run(binary, folder, "suite.json", "--program", str(ROOT / "bench/suite/ARB"), *policy)
        survey = run(binary, folder, "survey.json", "-a", *policy)
    print(f"{suite['gl']['renderer']}, {suite['gl']['version']}; --min-time {min_time} "
          f"--repeat {repeat}\n")
    print("\n".join(suite_table(suite, survey)) + "\n")
    print("\n".join(native_table(suite)))


if __name__ == "__main__":
    main()
