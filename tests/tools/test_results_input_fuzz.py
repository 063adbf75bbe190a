"""Random and extreme results files, given to every korvex-results command:
each ends with exit code 0, 1 or 2, never with a traceback."""
import json
import os
import random
import traceback

import pytest

from korvex_results.cli import main
from results_fixtures import make_latency, make_run, make_test

CASES = int(os.environ.get("FUZZ_CASES", 100))  # more with FUZZ_CASES=4000
STEADY = [10.0, 10.1, 9.9, 10.05, 9.95]
# Texts that no JSON encoder writes, put into the file as they are.
RAW_TEXTS = ["1e400", "-1e400", "NaN", "-Infinity", "1" + "0" * 400, "-0", "5e-324",
             "[" * 70 + "]" * 70, "[" * 100000 + "]" * 100000]
VALUES = [None, True, False, 0, -1, 1, 2 ** 63, -(2 ** 63), 1e308, -1e308, 0.0, -2.5, "",
          "MAD", "a\nb|c", "<br>&", "\ud800", "x" * 5000, [], {}]
KEYS = ["label", "sections_ms", "iterations", "tests", "latency", "format_version", "net",
        "outputs", "ms", "gl", "renderer", "x"]


def _random_value(rng, depth=0):
    kind = rng.randrange(5 if depth < 3 else 3)
    if kind == 0:
        return rng.choice(VALUES)
    if kind == 1:
        return f"@raw{rng.randrange(len(RAW_TEXTS))}@"
    if kind == 2:
        return rng.choice([rng.uniform(-1e6, 1e6), rng.randrange(-10 ** 6, 10 ** 6)])
    if kind == 3:
        return [_random_value(rng, depth + 1) for _ in range(rng.randrange(4))]
    return {rng.choice(KEYS): _random_value(rng, depth + 1) for _ in range(rng.randrange(4))}


def _places(value, path=()):
    yield path
    children = value.items() if isinstance(value, dict) else enumerate(value) \
        if isinstance(value, list) else ()
    for key, child in children:
        yield from _places(child, path + (key,))


def _mutated(rng, document):
    """The document with one to three parts replaced, removed or added, as text."""
    document = json.loads(json.dumps(document))  # its own lists, not the fixtures'
    for _ in range(rng.randrange(1, 4)):
        path = rng.choice(list(_places(document)))
        if not path:
            document = _random_value(rng)
            continue
        parent = document
        for key in path[:-1]:
            parent = parent[key]
        action = rng.randrange(3)
        if action == 0 and isinstance(parent, dict):
            del parent[path[-1]]
        elif action == 1 and isinstance(parent, list):
            parent.append(_random_value(rng))
        else:
            parent[path[-1]] = _random_value(rng)
    text = json.dumps(document)
    for index, raw in enumerate(RAW_TEXTS):
        text = text.replace(f'"@raw{index}@"', raw)
    return text


def _valid(rng):
    if rng.random() < 0.3:
        return make_run(latency=[make_latency(STEADY), make_latency(STEADY, outputs=4)])
    return make_run([make_test("MAD", STEADY), make_test("MUL", [12.0, 11.0, 13.0])])


def test_every_command_ends_cleanly_on_random_and_extreme_input(tmp_path):
    good = tmp_path / "good.json"
    good.write_text(json.dumps(_valid(random.Random(0))))
    for case in range(CASES):
        rng = random.Random(case)
        bad = tmp_path / f"case{case}.json"
        bad.write_text(_mutated(rng, _valid(rng)), encoding="utf-8", errors="surrogatepass")
        commands = [["compare", str(good), str(bad)], ["compare", str(bad), str(bad)],
                    ["table", str(bad)], ["table", str(bad), "--format", "csv"],
                    ["merge", str(good), str(bad), "-o", str(tmp_path / "merged.json")],
                    ["history", "add", str(bad), "--db", str(tmp_path / "history.db")],
                    ["history", "check", "--db", str(tmp_path / "history.db")]]
        if case % 10 == 0:  # a chart takes a while
            commands.append(["plot", str(bad), "-o", str(tmp_path / "chart.png")])
        for command in commands:
            try:
                code = main(command)
            except Exception:  # noqa: BLE001  (the test reports any kind)
                pytest.fail(f"case {case}, {command[0]}: {bad.read_text()[:300]}\n"
                            f"{traceback.format_exc()}")
            assert code in (0, 1, 2), (case, command)
