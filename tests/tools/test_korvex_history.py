"""korvex-results history: the steps found in series, the runs kept in the
file, and a history of real korvex runs."""
import json
import math
import random
import sqlite3
from datetime import datetime, timedelta
from pathlib import Path

import pytest

from korvex_results import history_store
from korvex_results.changepoints import find_steps
from korvex_results.cli import main
from korvex_runs import run_korvex
from results_fixtures import make_run, make_test, write

HERE = Path(__file__).resolve().parent


def noisy(levels, seed, noise=0.03):
    rng = random.Random(seed)
    return [level * (1 + rng.uniform(-noise, noise)) for level in levels]


def stepped(ratio, at=30, length=60):
    return [1.0] * at + [ratio] * (length - at)


@pytest.mark.parametrize("seed", range(5))
def test_a_ten_percent_step_under_three_percent_noise_is_found_at_its_run(seed):
    slower, faster, flat = find_steps(
        [noisy(stepped(1.1), seed), noisy(stepped(1 / 1.1), seed + 100), noisy([1.0] * 60, seed)],
        threshold_pct=5)
    assert [index for index, _ in slower] == [30]
    assert slower[0][1] == pytest.approx(0.1, abs=0.015)
    assert [index for index, _ in faster] == [30]
    assert faster[0][1] == pytest.approx(-0.09, abs=0.015)
    assert flat == []


def test_steps_under_the_threshold_do_not_count_and_short_series_have_none():
    small = noisy(stepped(1.04, at=10, length=20), 7, noise=0.005)
    assert find_steps([small], threshold_pct=5) == [[]]
    assert [index for index, _ in find_steps([small], threshold_pct=3)[0]] == [10]
    # Without any noise every step is exact, and still none under the threshold.
    exact = [1.0] * 5 + [2.0] * 5 + [2.02] * 5
    assert find_steps([exact], threshold_pct=5) == [[(5, pytest.approx(1.01, abs=0.001))]]
    assert find_steps([[1.0], [1.0, 1.5], []], threshold_pct=5) == [[], [], []]


def stored_runs(tmp_path, levels_by_label, first=0):
    """Runs in time order, one hour apart, each tagged rNN by its driver version."""
    paths = []
    for index in range(first, first + len(next(iter(levels_by_label.values())))):
        run = make_run([make_test(label, [10 * levels[index - first] * factor
                                          for factor in (0.995, 1.0, 1.005)])
                        for label, levels in levels_by_label.items()])
        started = datetime(2026, 12, 1) + timedelta(hours=index)
        run["started_utc"] = started.strftime("%Y-%m-%dT%H:%M:%SZ")
        run["driver"]["version"] = f"r{index:02}"
        paths.append(write(tmp_path, f"run{index:02}.json", run))
    return paths


def history(*arguments):
    return main(["history", *arguments])


def test_check_fails_only_while_the_newest_run_is_past_a_step_toward_slower(tmp_path, capsys):
    db = str(tmp_path / "history.db")
    levels = {"MAD": noisy(stepped(1.1), 1), "MUL": noisy(stepped(1 / 1.1), 2),
              "ADD": noisy([1.0] * 60, 3)}
    assert history("add", *stored_runs(tmp_path, levels), "--db", db) == 0
    assert capsys.readouterr().out.splitlines()[-1] == f"{tmp_path / 'run59.json'}: added, tag r59"
    assert history("check", "--db", db) == 1
    out = capsys.readouterr().out
    assert "  MAD (ARB)  r30  2026-12-02T06:00:00Z  +10." in out
    assert out.count("SLOWER: the newest run is past it") == 1
    assert "  MUL (ARB)  r30  2026-12-02T06:00:00Z  -8." in out
    assert out.endswith("2 steps in 3 tests; in 1 the newest run is past a step toward slower\n")
    assert history("check", "--db", db, "--test", "MUL") == 0  # faster is no regression
    assert history("check", "--db", db, "--since", "r31") == 0  # an accepted step
    assert history("check", "--db", db, "--since", "r30") == 1
    assert history("check", "--db", db, "--since", "r99") == 2
    assert history("check", "--db", db, "--threshold", "15") == 0
    assert "  no step" in capsys.readouterr().out
    # A test that the newest run no longer has is history, whatever its last step.
    later = stored_runs(tmp_path, {"MUL": [0.91], "ADD": [1.0]}, first=60)
    assert history("add", *later, "--db", db) == 0
    assert history("check", "--db", db) == 0


def test_add_keeps_each_run_once_and_a_bad_file_changes_nothing(tmp_path, capsys):
    db = tmp_path / "history.db"
    first, second, third = stored_runs(tmp_path, {"MAD": [1.0, 1.1, 1.2]})
    assert history("add", first, second, "--db", str(db), "--tag", "abc123") == 0
    capsys.readouterr()
    # The same run laid out otherwise is still the same run.
    relaid = write(tmp_path, "again.json", json.dumps(json.loads(Path(first).read_text()),
                                                      indent=4))
    assert history("add", relaid, "--db", str(db)) == 0
    assert capsys.readouterr().out == f"{relaid}: already in the history (tag abc123); " \
                                      f"nothing added\n"
    before = db.read_bytes()
    bad = write(tmp_path, "bad.json", make_run([make_test("MAD", [1.0], sections_ms=[])]))
    assert history("add", third, bad, "--db", str(db)) == 2
    assert capsys.readouterr().err.startswith(f"korvex-results: {bad}: does not match the ")
    assert db.read_bytes() == before
    assert history("list", "--db", str(db)) == 0
    lines = capsys.readouterr().out.splitlines()
    assert len(lines) == 3 and lines[0].split() == ["tag", "started", "host", "renderer",
                                                    "driver", "mode", "tests"]
    assert lines[1].startswith("abc123  2026-12-01T00:00:00Z  AMD EPYC 7B13, Linux 6.1.0-18-amd64"
                               "  llvmpipe (LLVM 15.0.6, 256 bits)  libGLX_mesa.so.0 r00  "
                               "all_instructions  1")


def test_a_history_of_the_first_schema_opens_and_grows(tmp_path, capsys):
    db = str(tmp_path / "old.db")
    with sqlite3.connect(db) as connection:
        connection.executescript((HERE / "history_schema_1.sql").read_text())
        stored = connection.execute("SELECT document FROM runs WHERE id = 1").fetchone()[0]
    assert history("check", "--db", db, "--test", "MAD") == 0  # two runs: too few for a step
    # Its runs, of format version 1, are found again, and share the series
    # of a version 2 run of the same program.
    assert history("add", write(tmp_path, "run0.json", stored), "--db", db) == 0
    assert "already in the history (tag schema-1-run-0)" in capsys.readouterr().out
    assert history("add", *stored_runs(tmp_path, {"MAD": [1.5]}, first=48), "--db", db) == 0
    capsys.readouterr()
    assert history("show", "--db", db) == 0
    out = capsys.readouterr().out
    assert out.startswith("llvmpipe (LLVM 15.0.6, 256 bits): MAD (ARB)\n")
    assert "  1    schema-1-run-0  2026-12-01T13:00:00Z  0.1      0.099 to 0.101" in out
    assert "  3    r48             2026-12-03T00:00:00Z  0.15     0.1492 to 0.1507" in out


@pytest.mark.parametrize("prepare, message", [
    (lambda db: None, "cannot read it: No such file or directory"),
    (lambda db: db.write_text("not a database, but long enough to have a header " * 4),
     "not a usable results history: file is not a database"),
    (lambda db: sqlite3.connect(db).execute("CREATE TABLE notes (text)"),
     "an SQLite file, but not a korvex results history"),
    (lambda db: sqlite3.connect(db).executescript(
        f"PRAGMA application_id = {history_store.APPLICATION_ID}; "
        f"PRAGMA user_version = {history_store.VERSION + 1}"),
     f"a history of schema version {history_store.VERSION + 1}, newer than this "),
])
def test_a_file_that_is_no_history_of_this_version_is_refused(tmp_path, capsys, prepare,
                                                              message):
    db = tmp_path / "history.db"
    prepare(db)
    before = db.read_bytes() if db.exists() else None
    assert history("check", "--db", str(db)) == 2
    assert capsys.readouterr().err.startswith(f"korvex-results: {db}: {message}")
    assert (db.read_bytes() if db.exists() else None) == before


def test_show_tables_and_charts_each_test_over_the_runs(tmp_path, capsys):
    db = str(tmp_path / "history.db")
    history("add", *stored_runs(tmp_path, {"MAD": [1.0, 1.2], "MUL": [2.0, 2.0]}), "--db", db)
    capsys.readouterr()
    assert history("show", "--db", db, "--test", "MUL") == 0
    assert capsys.readouterr().out == (
        "llvmpipe (LLVM 15.0.6, 256 bits): MUL (ARB)\n"
        "  run  tag  started               ms/quad  sections ms/quad\n"
        "  1    r00  2026-12-01T00:00:00Z  0.2      0.199 to 0.201\n"
        "  2    r01  2026-12-01T01:00:00Z  0.2      0.199 to 0.201\n")
    # Another program text, or other settings shaping it, start a series of
    # its own, named by what tells it apart.
    changed = make_run([make_test("MUL", [20.0] * 3, program_sha256="1" * 64)] * 2)
    shaped = make_run([make_test("MUL", [30.0] * 3, program={"length": 16})])
    assert history("add", write(tmp_path, "changed.json", changed),
                   write(tmp_path, "shaped.json", shaped), "--db", db) == 0
    assert history("show", "--db", db, "--test", "MUL") == 0
    headings = [line.split(": ", 1)[1] for line in capsys.readouterr().out.splitlines()
                if "MUL" in line]
    assert headings == [f"MUL (ARB) length 4, program {make_test('MUL', [1])['program_sha256'][:8]}",
                        "MUL (ARB) length 4, program 11111111",
                        "MUL (ARB) length 4, program 11111111 #2", "MUL (ARB) length 16"]
    assert history("show", "--db", db, "--renderer", "softpipe") == 2
    assert "no test in the history matches --renderer 'softpipe'" in capsys.readouterr().err
    assert history("show", "--db", db, "-o", str(tmp_path / "chart.png")) == 0
    assert (tmp_path / "chart.png").read_bytes().startswith(b"\x89PNG")


def test_a_history_of_real_runs_shows_one_llvmpipe_thread_as_a_step(tmp_path, capsys):
    db = str(tmp_path / "history.db")
    for index, threads in enumerate(["", "", "", "1", "1", "1"]):
        run_korvex(tmp_path, "-I", "20", "--repeat", "3", "--json", "run.json",
                   env={"LP_NUM_THREADS": threads} if threads else None)
        assert history("add", str(tmp_path / "run.json"), "--db", db,
                       "--tag", f"{threads or 'all'}-threads-{index}") == 0
    capsys.readouterr()
    history("show", "--db", db)
    medians = [float(line.split()[3]) for line in capsys.readouterr().out.splitlines()[2:]]
    assert len(medians) == 6
    ratio = min(medians[3:]) / max(medians[:3])
    if ratio < 1.3:
        pytest.skip(f"one llvmpipe thread was only {ratio:.2f} times as slow: the cores are busy")
    # The fit weighs the step against the scatter within each side: three
    # runs of a drifting machine can scatter so far that no fit should call
    # the step one, so the step must stand well clear of that scatter.
    scatter = max(max(side) / min(side) for side in (medians[:3], medians[3:]))
    if math.log(ratio) < 3 * math.log(scatter):
        pytest.skip(f"a step of {ratio:.2f} times, and the runs of one side scattered by {scatter:.2f} times")
    assert history("check", "--db", db, "--threshold", "20") == 1
    out = capsys.readouterr().out
    assert "  Blur (ARB)  1-threads-3  " in out and out.count("SLOWER") == 1
