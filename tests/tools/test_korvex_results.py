import csv
import hashlib
import io
import os
import statistics
import subprocess

import pytest

from korvex_results import plot
from korvex_results.cli import main
from korvex_results.load import load
from korvex_runs import REPO, run_korvex
from results_fixtures import as_version1, make_latency, make_program_test, make_run, make_test, write

STEADY = [10.0, 10.1, 9.9, 10.05, 9.95]
SLOWER_BY_20 = [12.0, 12.1, 11.9, 12.05, 11.95]


def compare(tmp_path, base, new, *extra):
    return main(["compare", write(tmp_path, "base.json", base),
                 write(tmp_path, "new.json", new), *extra])


def test_compare_matches_tests_and_reports_what_differs(tmp_path, capsys):
    base = make_run([make_test("MAD", STEADY), make_test("MUL", STEADY), make_test("ADD", STEADY)])
    new = make_run([make_test("MAD", STEADY, program_sha256="0" * 64),
                    make_test("MUL", STEADY, width=256, height=256), make_test("SUB", STEADY)],
                   renderer="softpipe", cpu="Intel Xeon",
                   policy={"kind": "min_time", "min_time_s": 0.5})
    assert compare(tmp_path, base, new) == 0
    out = capsys.readouterr().out
    assert "llvmpipe (LLVM 15.0.6, 256 bits), 4.5 (Core Profile) Mesa 22.3.6; " \
           "libGLX_mesa.so.0 22.3.6; through EGL" in out
    assert "softpipe" in out and "AMD EPYC 7B13" in out and "Intel Xeon" in out
    assert "Only in base: ADD (ARB)" in out and "Only in new: SUB (ARB)" in out
    assert "MAD (ARB): program text, iteration policy" in out
    assert "MUL (ARB): iteration policy, frame 512x768 / 256x256" in out
    assert "Program settings differ" not in out
    new["settings"].update(precision={"target_pct": 1, "confidence": 0.95, "max_time_s": 30},
                           interleave=True)
    assert compare(tmp_path, base, new) == 0
    assert "repeat 5, precision 1% within 30 s, interleaved" in capsys.readouterr().out


def test_tests_of_differently_shaped_programs_do_not_match(tmp_path, capsys):
    base = make_run([make_test("MAD", STEADY)])
    new = make_run([make_test("MAD", STEADY, program={"length": 16, "clamp": True})])
    assert compare(tmp_path, base, new) == 0
    out = capsys.readouterr().out
    assert "Program settings differ, so their tests do not match: clamp false / true; " \
           "length 4 / 16" in out
    assert "Only in base: MAD (ARB)" in out and "Only in new: MAD (ARB)" in out


def test_version_1_files_are_read_with_their_programs_shape(tmp_path, capsys):
    tests = [make_test("MAD", STEADY), make_test("MUL", SLOWER_BY_20)]
    old = as_version1(make_run(tests), {"length": 4, "fragmentProgram": 0, "json": "old.json",
                                        "iterations": 100, "programCount": 2})
    assert load(write(tmp_path, "old.json", old)) == make_run(tests)
    assert compare(tmp_path, old, make_run(tests)) == 0
    out = capsys.readouterr().out
    assert "MUL   ARB" in out and "Only in" not in out and "Program settings differ" not in out

    shaped = as_version1(make_run(tests), {"length": 16, "vectorAndScalar": 1})
    assert compare(tmp_path, shaped, make_run(tests)) == 0
    assert "Program settings differ, so their tests do not match: length 16 / 4; " \
           "vector_and_scalar true / false" in capsys.readouterr().out


@pytest.mark.parametrize("base_sections, new_sections, new_iterations, threshold, code, shown", [
    (STEADY, SLOWER_BY_20, 100, "5", 1, "SLOWER"),
    (STEADY, [9.0, 10.6, 11.5, 9.5, 10.7], 100, "5", 0, "+6.0%   0.690"),  # noise
    (STEADY, SLOWER_BY_20, 100, "25", 0, "+20.0%"),  # below the threshold
    (STEADY, [8.0, 8.1, 7.9, 8.05, 7.95], 100, "5", 0, "faster"),  # faster is no regression
    (STEADY, [20.0, 20.2, 19.8, 20.1, 19.9], 200, "5", 0, "+0.0%"),  # twice the quads
    (STEADY, [20.0, 20.1], 100, "5", 0, "too few runs"),
    ([10.0, 10.1], [50.0] * 5, 100, "5", 0, "too few runs"),
])
def test_significance_rule(tmp_path, capsys, base_sections, new_sections, new_iterations,
                           threshold, code, shown):
    base = make_run([make_test("MAD", base_sections)])
    new = make_run([make_test("MAD", new_sections, iterations=new_iterations)])
    assert compare(tmp_path, base, new, "--threshold", threshold) == code
    assert shown in capsys.readouterr().out


@pytest.mark.parametrize("base_count, new_count, can_find", [
    (5, 5, None), (4, 4, True), (3, 5, True), (3, 4, False), (3, 3, False), (2, 9, False),
])
def test_compare_warns_of_too_few_sections_and_whether_any_change_can_count(
        tmp_path, capsys, base_count, new_count, can_find):
    # Every section of new 20% slower than every one of base: the clearest
    # change there is, which the warning says whether the test can find.
    base = make_run([make_test("MAD", (STEADY * 2)[:base_count]), make_test("MUL", STEADY)])
    new = make_run([make_test("MAD", (SLOWER_BY_20 * 2)[:new_count]),
                    make_test("MUL", SLOWER_BY_20)])
    assert compare(tmp_path, base, new) == 1
    warnings = [line for line in capsys.readouterr().out.splitlines() if "warning" in line]
    if can_find is None:
        assert warnings == []
        return
    assert warnings == [
        "warning: 1 of 2 tests have fewer than 5 sections on a side, too few for the test to "
        "find any but the clearest change" + ("" if can_find else " (1 of them can find none)")
        + f"; take 5 or more a side (korvex --repeat 5). Sections base/new: "
        f"MAD (ARB) {base_count}/{new_count}"]
    base["tests"], new["tests"] = base["tests"][:1], new["tests"][:1]
    assert compare(tmp_path, base, new) == (1 if can_find else 0)


def test_latency_runs_compare_by_output_count_on_time_and_bandwidth(tmp_path, capsys):
    base = make_run(latency=[make_latency(STEADY), make_latency(STEADY, outputs=4)])
    new = make_run(latency=[make_latency(SLOWER_BY_20), make_latency(STEADY, outputs=1)])
    assert compare(tmp_path, base, new) == 1
    out = capsys.readouterr().out
    assert "2        4           0.1           0.12         +20.0%  125.8      104.9     -16.7%" \
           "  0.008    SLOWER" in out
    assert "Only in base: 4 outputs, 4 components" in out
    assert "Only in new: 1 outputs, 4 components" in out
    assert "1 of 1 latency measurements slower by more than 5%" in out and "warning" not in out
    few = make_run(latency=[make_latency(STEADY[:3])])
    assert compare(tmp_path, few, few) == 0
    assert "warning: 1 of 1 latency measurements have fewer than 5 sections on a side, too few " \
        "for the test to find any but the clearest change (1 of them can find none); take 5 or " \
        "more a side (korvex --repeat 5). Sections base/new: 2 outputs, 4 components 3/3" \
        in capsys.readouterr().out
    del base["latency"][1]["sections_ms"], base["latency"][1]["iterations"]
    assert compare(tmp_path, base, new) == 2
    assert "base.json: latency[1] has no sections_ms (written by an earlier korvex)" \
        in capsys.readouterr().err
    assert compare(tmp_path, base, make_run([make_test("MAD", STEADY)])) == 2
    assert "base.json: a latency (-M) run cannot be compared with an instruction run (" \
        in capsys.readouterr().err


def nested(depth):
    value = []
    for _ in range(depth):
        value = [value]
    return value


BAD_INPUTS = [
    (None, "cannot read it: No such file or directory"),
    ("{ not json", "not JSON: Expecting property name"),
    ('{"format": "korvex-results", "format_version": NaN}', "not JSON: NaN is not a JSON value"),
    (b"\xff\xfe{}", "not JSON: the file is not UTF-8 text"),
    ("[1, 2]", 'not a korvex results file'),
    (dict(make_run(), format_version=3), "format_version 3 is not a version this tool reads (1 and 2)"),
    (make_run([make_test("MAD", [1.0], sections_ms=[])]),
     "does not match the results schema at tests[0].sections_ms: "),
    (dict(make_run(), driver={"name": "x"}), "does not match the results schema at driver"),
    ("[" * 100000 + "]" * 100000, "not a korvex results file (nested deeper than 64 levels)"),
    (dict(make_run(), deep=nested(500)),
     "not a korvex results file (nested deeper than 64 levels)"),
    (make_run([make_test("MAD", STEADY, instruction="MAD\ud800")]),
     "not a korvex results file (a string holds half of a UTF-16 surrogate pair"),
    ('{"format": "korvex-results", "format_version": 1e400}',
     "not JSON: 1e400 is beyond the range of a number"),
    ('{"format": "korvex-results", "format_version": 1' + "0" * 400 + "}",
     "not JSON: an integer of 401 digits is beyond 2^53, where numbers lose their exact value"),
    (make_run([make_test("MAD", [1.0, 0.0, 2.0])]),
     "tests[0].sections_ms[1] is 0 ms; a time must be from 1e-06 ms (a nanosecond) to 1e+15 ms"),
    (make_run([make_test("MAD", [1.0, 5e-324, 2.0])]),
     "tests[0].sections_ms[1] is 4.94066e-324 ms"),
    (make_run([make_test("MAD", STEADY, min_ms=10.5)]),
     "tests[0]: min_ms, median_ms and max_ms are not in order"),
    (make_run(latency=[{"outputs": 1, "components": 4, "ms": 1.0, "bytes_per_s": 0}]),
     "latency[0].bytes_per_s is 0; a bandwidth must be above zero"),
]


@pytest.mark.parametrize("content, message", BAD_INPUTS)
@pytest.mark.parametrize("command", [["compare", "GOOD"], ["table"], ["plot", "-o", "x.png"]])
def test_bad_input_names_the_file_and_the_problem(tmp_path, capsys, content, message, command):
    bad = tmp_path / "bad.json"
    if isinstance(content, bytes):
        bad.write_bytes(content)
    elif content is not None:
        write(tmp_path, "bad.json", content)
    good = write(tmp_path, "good.json", make_run([make_test("MAD", STEADY)]))
    arguments = [command[0], str(bad)] + [good if part == "GOOD" else part
                                          for part in command[1:]]
    assert main(arguments) == 2
    error = capsys.readouterr().err
    assert error.startswith(f"korvex-results: {bad}: {message}") and error.count("\n") == 1


def test_executable_reports_bad_input_without_a_traceback(tmp_path):
    bad = write(tmp_path, "bad.json", "not json")
    run = subprocess.run([REPO / "tools" / "korvex-results", "table", bad],
                         capture_output=True, text=True)
    assert run.returncode == 2 and "Traceback" not in run.stderr
    assert run.stderr.startswith(f"korvex-results: {bad}: not JSON")


def survey(renderer, scale):
    names = [f"I{index:02}" for index in range(29)]
    return make_run([make_test(name, [scale * (index + 1) * value for value in STEADY])
                     for index, name in enumerate(names)], renderer=renderer)


@pytest.mark.parametrize("name, magic", [("chart.png", b"\x89PNG"), ("chart.svg", b"<?xml")])
def test_plot_writes_a_chart_for_three_surveys(tmp_path, name, magic):
    files = [write(tmp_path, f"{index}.json", survey(f"driver {index}", 10 ** index))
             for index in range(3)]
    assert main(["plot", *files, "-o", str(tmp_path / name)]) == 0
    assert (tmp_path / name).read_bytes().startswith(magic)
    assert [path.name for path in tmp_path.iterdir() if path.name.startswith(".")] == []


def test_plot_uses_the_net_rate_with_the_sections_spread():
    net = {"variants": [], "fit": {}, "instructions_per_s": 100.0, "flops_per_s": 50.0}
    run = make_run([make_test("MAD", [8.0, 10.0, 12.5], net=net)])
    series, is_net = plot._survey_series(run)
    assert is_net and series["MAD"] == pytest.approx((100.0, 20.0, 25.0))
    net["instructions_per_s"] = None
    assert plot._survey_series(run)[1] is False


def test_plot_refuses_a_chart_too_tall_to_write(tmp_path, capsys):
    run = make_run([make_test(f"T{index}", STEADY) for index in range(3000)])
    assert main(["plot", write(tmp_path, "run.json", run), "-o", str(tmp_path / "chart.png")]) == 2
    assert "run.json: 3000 tests in 1 run(s) need a chart 722 inches tall, more than the 200 " \
        in capsys.readouterr().err
    assert sorted(path.name for path in tmp_path.iterdir()) == ["run.json"]


def test_table_markdown_keeps_a_label_with_a_line_break_on_its_row(tmp_path, capsys):
    document = make_run([make_test("Blur\nwide | <b>", STEADY), make_test("MAD", STEADY)])
    assert main(["table", write(tmp_path, "run.json", document)]) == 0
    lines = capsys.readouterr().out.splitlines()
    assert len(lines) == 6 and lines[4].startswith("| Blur<br>wide \\| &lt;b&gt; | ARB | 9 |")


def test_table_csv_reads_back(tmp_path, capsys):
    document = make_run([make_test("MAD", STEADY), make_test("Blur, 5|taps", STEADY)])
    assert main(["table", write(tmp_path, "run.json", document), "--format", "csv"]) == 0
    rows = list(csv.reader(io.StringIO(capsys.readouterr().out)))
    assert rows[0][:3] == ["test", "profile", "instructions/pixel"] and len(rows) == 3
    assert rows[2][0] == "Blur, 5|taps" and float(rows[1][9]) == pytest.approx(512 * 768 * 10000)


def program_run(blur_text, sections=STEADY):
    return make_run([make_program_test("blur9.txt", sections, blur_text),
                     make_program_test("loop.txt", STEADY, "loop", flow_control=True)],
                    mode="programs")


def test_program_runs_match_by_file_name_and_tell_a_changed_text(tmp_path, capsys):
    assert compare(tmp_path, program_run("blur"), program_run("blur, edited", SLOWER_BY_20)) == 1
    out = capsys.readouterr().out
    assert "blur9.txt (ARB): program text" in out and "loop.txt (ARB):" not in out
    assert "1 of 2 tests slower" in out and "Only in" not in out
    assert main(["table", str(tmp_path / "new.json")]) == 0
    loop_row = capsys.readouterr().out.splitlines()[-1].split(" | ")
    assert loop_row[0] == "| loop.txt" and loop_row[8] == "-" and loop_row[10] == "-"


def test_program_runs_plot_by_pixel_rate_and_merge_keeping_unknown_rates(tmp_path, capsys):
    run = program_run("blur")
    series, is_net = plot._survey_series(run)
    assert not is_net and series["loop.txt"][0] == run["tests"][1]["rates"]["pixels_per_s"]
    files = [write(tmp_path, f"{index}.json", run) for index in range(2)]
    assert main(["plot", *files, "-o", str(tmp_path / "chart.png")]) == 0
    survey_file = write(tmp_path, "survey.json", make_run([make_test("MAD", STEADY)]))
    assert main(["plot", files[0], survey_file, "-o", str(tmp_path / "mixed.png")]) == 2
    assert f"{survey_file}: an instruction survey cannot share a chart with a run of program " \
           f"files ({files[0]})" in capsys.readouterr().err
    assert merge(tmp_path, run, program_run("blur", SLOWER_BY_20)) == 0
    loop = load(str(tmp_path / "merged.json"))["tests"][1]
    assert loop["rates"]["instructions_per_s"] is None and loop["rates"]["pixels_per_s"] > 0


def korvex_files(tmp_path, *arguments):
    """The JSON and the CSV rows of a real run in TMP_PATH, and its result
    lines."""
    run = run_korvex(tmp_path, *arguments)
    assert (tmp_path / "out.json").exists(), f"korvex wrote no JSON: {run.stderr[-2000:]!r}"
    with open(tmp_path / "out.csv", newline="", encoding="utf-8") as csv_file:
        rows = list(csv.DictReader(csv_file))
    results = tmp_path / "korvex_results.txt"
    lines = results.read_bytes().decode().split("\r\n") if results.exists() else []
    return load(str(tmp_path / "out.json")), rows, lines


# The work of one pixel behind each rate; the instruction rate counts every
# instruction instruction_multiplier times.
RATE_WORK = {
    "instructions_per_s": lambda test: test["per_pixel"]["instructions"] * test["instruction_multiplier"],
    "pixels_per_s": lambda test: 1,
    "flops_per_s": lambda test: test["per_pixel"]["flops"],
    "texels_per_s": lambda test: test["per_pixel"]["texels"],
    "bytes_per_s": lambda test: test["per_pixel"]["bytes_written"],
}
# The result line of each rate in the -r giga form, and its divisor.
RATE_LINES = {"instructions_per_s": ("GInstr/sec", 1e9), "pixels_per_s": ("GPixel/sec", 1e9),
              "flops_per_s": ("GFlops/sec", 1e9), "texels_per_s": ("GTexel/sec", 1e9),
              "bytes_per_s": ("GB/sec", 2 ** 30)}


def shown_rates(lines):
    """Each block's five rates as the result lines show them, in test order."""
    blocks = []
    for line in lines:
        value, _, unit = line.partition(" ")
        for name, (shown_unit, _) in RATE_LINES.items():
            if unit == shown_unit:
                if name == "instructions_per_s":
                    blocks.append({})
                blocks[-1][name] = float(value)
    return blocks


@pytest.mark.parametrize("arguments, multiplier", [
    (["-V", "-I", "2"], 4),  # the bundled blur, five texels a pixel
    (["-a", "-l", "8", "-t", "2", "-c", "3", "-I", "1"], 1),  # generated, two fetches each
    (["--program", str(REPO / "bench" / "suite" / "ARB"), "-I", "1"], 1),  # the suite's files
])
def test_real_korvex_results_agree_with_the_schema_the_sections_and_each_other(
        tmp_path, arguments, multiplier):
    document, rows, lines = korvex_files(tmp_path, "--json", "out.json", "--csv", "out.csv",
                                         *arguments)
    assert document["tests"] and len(rows) == len(document["tests"])
    for test, row, shown in zip(document["tests"], rows, shown_rates(lines), strict=True):
        assert test["instruction_multiplier"] == multiplier
        assert test["program"]["vector_and_scalar"] == (multiplier == 4)
        assert test["per_pixel"]["texels"] > 0 and test["median_ms"] > 0
        pixels = test["width"] * test["height"] * test["iterations"]
        assert test["fragments"]["expected"] == pixels
        assert test["median_ms"] == statistics.median(test["sections_ms"])
        for name, work in RATE_WORK.items():
            rate = work(test) * pixels / (test["median_ms"] / 1000)
            assert test["rates"][name] == pytest.approx(rate, rel=1e-12), (test["label"], name)
            assert float(row[name]) == pytest.approx(rate, rel=1e-12), (test["label"], name)
            divisor = RATE_LINES[name][1]
            assert shown[name] == pytest.approx(rate / divisor, abs=5.1e-5), (test["label"], name)
        assert row["net_instructions_per_s"] == ""
        # Every program's compilation, generated or not; what the driver counts is its own.
        assert test["compile"]["load_ms"] > 0 and set(test["compile"]["native"]) == {
            "instructions", "alu_instructions", "tex_instructions", "tex_indirections"}
        assert ("work" in test) == (arguments[0] == "--program")
        if "work" in test:
            assert test["label"].endswith(".txt") and test["instruction"] is None
            counted = test["work"]["counted"]
            assert test["per_pixel"] == {name: counted[name] for name in test["per_pixel"]}


def test_real_korvex_json_matches_the_schema_and_the_csv_reads_back(tmp_path):
    # -I is ignored with a minimum time: two quads cannot fill 0.05 s. How long
    # each section then lasts is a matter of timing, not of this test.
    document, rows, _ = korvex_files(tmp_path, "--json", "out.json", "--csv", "out.csv", "-I",
                                     "2", "--repeat", "3", "--min-time", "0.05")
    test = document["tests"][0]
    assert test["label"] == "Blur" and test["instruction"] is None
    assert document["gl"]["window_system"] == "egl"
    assert document["settings"]["iteration_policy"] == {"kind": "min_time", "min_time_s": 0.05}
    assert len(test["sections_ms"]) == 3 and test["iterations"] > 2
    assert test["median_ms"] == sorted(test["sections_ms"])[1]
    assert test["program_sha256"] == hashlib.sha256(
        (REPO / "fasm_1.txt").read_bytes().replace(b"\r\n", b"\n").replace(b"\n", b"\r\n")).hexdigest()
    assert len(rows) == 1
    row = rows[0]
    assert row["label"] == "Blur" and int(row["iterations"]) == test["iterations"] > 2
    assert float(row["median_s"]) * 1000 == pytest.approx(test["median_ms"])
    assert float(row["instructions_per_s"]) == pytest.approx(test["rates"]["instructions_per_s"])
    assert row["fragments_expected"] == str(test["fragments"]["expected"])


def test_real_korvex_latency_run_writes_both_files(tmp_path):
    document, rows, _ = korvex_files(tmp_path, "--json", "out.json", "--csv", "out.csv", "-I",
                                     "2", "-M", "2")
    assert document["settings"]["mode"] == "latency" and document["tests"] == []
    assert [entry["outputs"] for entry in document["latency"]] == [2]
    assert document["latency"][0]["iterations"] == 2
    assert document["latency"][0]["sections_ms"] == [document["latency"][0]["ms"]]
    assert float(rows[0]["bytes_per_s"]) == pytest.approx(document["latency"][0]["bytes_per_s"])


def test_real_korvex_net_run_matches_the_schema(tmp_path):
    document, rows, _ = korvex_files(tmp_path, "--json", "out.json", "--csv", "out.csv", "-a",
                                     "--net", "-I", "1", "-l", "8")
    assert document["settings"]["net"] is True and len(document["tests"]) == len(rows) == 25
    for test, row in zip(document["tests"], rows):
        net = test.get("net")
        trusted_rate = net and net["instructions_per_s"]
        if trusted_rate:
            assert float(row["net_instructions_per_s"]) == pytest.approx(trusted_rate), test["label"]
        else:
            assert row["net_instructions_per_s"] == "", test["label"]
        if net is None:
            assert any(line.startswith("Warning: no net figures") for line in test["warnings"])
            continue
        own = [variant for variant in net["variants"]
               if variant["tested_instructions"] == 8 and not variant["helper_only"]]
        assert [variant["sections_ms"] for variant in own] == [test["sections_ms"]], test["label"]
        assert (net["instructions_per_s"] is None) == (not net["fit"]["trusted"]), test["label"]


def test_real_korvex_interleaved_precision_run_matches_the_schema(tmp_path):
    # A wide goal keeps the run short: one quad a section scatters a lot.
    document, rows, lines = korvex_files(tmp_path, "--json", "out.json", "--csv", "out.csv", "-a",
                                         "-I", "1", "-l", "8", "--interleave",
                                         "--precision", "100", "--max-time", "1")
    assert document["settings"]["interleave"] is True and len(rows) == 25
    intervals = [index for index, line in enumerate(lines) if line.startswith("Interval: ")]
    assert len(intervals) == 25 and all(lines[index - 1].startswith("Spread: ") for index in intervals)
    for test in document["tests"]:
        interval = test["interval"]
        if interval["stopped"] == "converged":
            assert interval["reach_pct"] <= 100 and interval["coverage"] >= 0.95, test["label"]
            assert sorted(test["sections_ms"])[interval["low_rank"] - 1] == interval["low_ms"]
        else:
            assert any(line.startswith("Warning: the runs stopped") for line in test["warnings"])


def merge(tmp_path, *runs):
    paths = [write(tmp_path, f"run{index}.json", run) for index, run in enumerate(runs)]
    return main(["merge", *paths, "-o", str(tmp_path / "merged.json")])


def test_merge_pools_sections_by_time_per_quad(tmp_path):
    variant = {"length": 8, "tested_instructions": 8, "helper_only": False, "iterations": 100,
               "sections_ms": [10.0], "median_ms": 10.0}
    fit = {"ns_per_instruction_pixel": 1.0, "fixed_ms_per_quad": 0.1, "r2": 1.0,
           "max_relative_residual": 0.0, "trusted": True}
    net = {"variants": [variant], "fit": fit, "instructions_per_s": 1.0, "flops_per_s": 1.0}
    interval = {"confidence": 0.95, "low_rank": None, "high_rank": None, "low_ms": None,
                "high_ms": None, "coverage": None, "reach_pct": None, "target_pct": 1.0,
                "stopped": "max_time"}
    first = make_run([make_test("MAD", [10.0, 11.0, 12.0], net=net, warnings=["w1"],
                                interval=interval),
                      make_test("MUL", STEADY)])
    second = make_run([make_test("MAD", [26.0, 28.0], iterations=200, warnings=["w1", "w2"]),
                       make_test("MUL", STEADY)])
    second["settings"]["repeat"] = 2
    del second["gl"]["window_system"]  # written before korvex recorded it: not a difference
    assert merge(tmp_path, first, second) == 0
    merged = load(str(tmp_path / "merged.json"))
    mad = merged["tests"][0]
    assert [test["label"] for test in merged["tests"]] == ["MAD", "MUL"]
    assert mad["iterations"] == 100 and mad["sections_ms"] == [10.0, 11.0, 12.0, 13.0, 14.0]
    assert (mad["min_ms"], mad["median_ms"], mad["max_ms"]) == (10.0, 12.0, 14.0)
    assert mad["rates"]["pixels_per_s"] == pytest.approx(512 * 768 * 100 / 0.012)
    assert mad["fragments"]["expected"] == 512 * 768 * 300
    assert "net" not in mad and "interval" not in mad
    assert mad["warnings"] == ["w1", "w2"]
    assert merged["settings"]["repeat"] == 7 and merged["settings"]["net"] is False


@pytest.mark.parametrize("change, message", [
    (lambda run: run["gl"].update(renderer="softpipe"), "the GL driver differs from"),
    (lambda run: run["gl"].update(window_system="glx"), "the window system (glx) differs from"),
    (lambda run: run["settings"].update(iteration_policy={"kind": "min_time", "min_time_s": 1}),
     "the iteration policy differs from"),
    (lambda run: [test["program"].update(length=16) for test in run["tests"]],
     "the settings that shape the programs differ from"),
    (lambda run: run["tests"][0].update(program_sha256="0" * 64),
     "MAD (ARB) has another program sha256 than in"),
    (lambda run: run["tests"].pop(), "has no MUL (ARB), which"),
    (lambda run: run["tests"].append(make_test("ADD", STEADY)), "has ADD (ARB), which"),
    (lambda run: run["latency"].append({"outputs": 1, "components": 4, "ms": 1.0,
                                        "bytes_per_s": 1.0}), "a latency (-M) run"),
    (lambda run: None, "run0.json; its sections would count twice"),  # the same run
])
def test_merge_refuses_runs_that_measured_differently(tmp_path, capsys, change, message):
    first = make_run([make_test("MAD", STEADY), make_test("MUL", STEADY)])
    second = make_run([make_test("MAD", STEADY), make_test("MUL", STEADY)])
    change(second)
    assert merge(tmp_path, first, second) == 2
    error = capsys.readouterr().err
    assert error.startswith(f"korvex-results: {tmp_path / 'run1.json'}: ") and message in error
    assert not (tmp_path / "merged.json").exists()


def test_merge_replaces_a_link_at_the_output_instead_of_writing_through_it(tmp_path):
    target = tmp_path / "target.json"
    target.write_text("keep")
    os.symlink(target, tmp_path / "merged.json")
    assert merge(tmp_path, make_run([make_test("MAD", STEADY)]),
                 make_run([make_test("MAD", SLOWER_BY_20)])) == 0
    assert target.read_text() == "keep" and not (tmp_path / "merged.json").is_symlink()
    assert len(load(str(tmp_path / "merged.json"))["tests"][0]["sections_ms"]) == 10
