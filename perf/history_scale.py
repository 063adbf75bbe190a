#!/usr/bin/python3
"""How long korvex-results history takes at scale, and how well its check
finds steps.

Writes RUNS synthetic runs of a 25-test survey (the ARB instructions, 5
sections each, 3 % noise between runs, a 10 % step in three tests partway),
then times `history add` of all of them, in one call and in calls of 25
files (a fleet's daily upload), and `history check`, `show` and `list` on
the full history. Then fits simulated series of 60 runs many times over and
prints how often check sees a step in a flat series and where it places a
real one.

    perf/history_scale.py [RUNS]      (default 1000)
"""
import json
import math
import random
import subprocess
import sys
import tempfile
import time
from collections import Counter
from datetime import datetime, timedelta
from pathlib import Path

REPO = Path(__file__).resolve().parents[1]
sys.path[:0] = [str(REPO / "tools"), str(REPO / "tests" / "tools")]

from korvex_results import changepoints  # noqa: E402
from korvex_results.changepoints import find_steps  # noqa: E402
from results_fixtures import make_run, make_test  # noqa: E402

INSTRUCTIONS = ["ABS", "ADD", "COS", "DP3", "DP4", "DPH", "DST", "EX2", "FLR", "FRC", "LG2",
                "LIT", "LRP", "MAD", "MAX", "MIN", "MOV", "MUL", "POW", "RCP", "RSQ", "SCS",
                "SIN", "SUB", "XPD"]
STEPPED = {"MAD": 1.1, "LRP": 1.1, "RSQ": 1 / 1.1}


def write_runs(folder, count):
    rng = random.Random(1)
    paths = []
    for index in range(count):
        tests = []
        for number, label in enumerate(INSTRUCTIONS):
            level = (1 + number / 10) * (STEPPED.get(label, 1) if index >= count * 2 // 3 else 1)
            level *= math.exp(rng.gauss(0, 0.03))
            tests.append(make_test(label, [level * math.exp(rng.gauss(0, 0.01))
                                           for _ in range(5)]))
        run = make_run(tests)
        started = datetime(2026, 1, 1) + timedelta(hours=index)
        run["started_utc"] = started.strftime("%Y-%m-%dT%H:%M:%SZ")
        run["driver"]["version"] = f"build-{index}"
        path = folder / f"run{index:04}.json"
        path.write_text(json.dumps(run, indent=1))
        paths.append(str(path))
    return paths


def timed(*arguments):
    start = time.perf_counter()
    done = subprocess.run([REPO / "tools" / "korvex-results", "history", *arguments],
                          capture_output=True, text=True)
    return time.perf_counter() - start, done


def measure_scale(count):
    with tempfile.TemporaryDirectory() as scratch:
        folder = Path(scratch)
        paths = write_runs(folder, count)
        seconds, _ = timed("add", *paths, "--db", str(folder / "one.db"))
        print(f"add, {count} runs in one call: {seconds:.1f} s")
        start = time.perf_counter()
        for first in range(0, count, 25):
            timed("add", *paths[first:first + 25], "--db", str(folder / "daily.db"))
        print(f"add, {count} runs in calls of 25: {time.perf_counter() - start:.1f} s")
        size = (folder / "one.db").stat().st_size
        print(f"history file: {size / 1e6:.1f} MB")
        for action in ("check", "show", "list"):
            seconds, done = timed(action, "--db", str(folder / "one.db"))
            print(f"{action}: {seconds:.2f} s (exit code {done.returncode})")
            if action == "check":
                print("  " + "\n  ".join(done.stdout.splitlines()[-5:]))


def measure_accuracy(trials=5000):
    rng = random.Random(2)

    def noisy(levels):
        return [level * math.exp(rng.gauss(0, 0.03)) for level in levels]

    flats = [noisy([1.0] * 60) for _ in range(trials)]
    steps = [noisy([1.0] * 30 + [1.1] * 30) for _ in range(trials)]
    print(f"60 runs, 3 % normal noise, threshold 5 %, {trials} series each:")
    for factor in (changepoints.PENALTY_FACTOR, 2):
        changepoints.PENALTY_FACTOR = factor
        flat, stepped = find_steps(flats, threshold_pct=5), find_steps(steps, 5)
        places = Counter("at run 30" if [index for index, _ in found] == [30] else
                         "within 2 runs" if len(found) == 1 and abs(found[0][0] - 30) <= 2 else
                         "missed or more" for found in stepped)
        print(f"  penalty {factor} sigma^2 ln n: a flat series has a step "
              f"{sum(map(bool, flat)) / trials:.2%}; a 10 % step at run 30 is found "
              + ", ".join(f"{what} {count / trials:.1%}" for what, count in places.most_common()))


if __name__ == "__main__":
    measure_scale(int(sys.argv[1]) if len(sys.argv) > 1 else 1000)
    measure_accuracy()
