"""Compares two runs test by test: time per quad, relative change and a
two-sided Mann-Whitney U test over the timed sections."""
import json
from collections import Counter

from . import latency_compare
from .load import BadInput, describe_driver, describe_host, describe_policy
from .output import columns
from .program_fields import program_fields
from .significance import few_sections_warning, judge, p_text, summary, verdict


def keyed_tests(document):
    """The tests by label, profile and program object; a count pairs a test
    run twice in run order."""
    seen = Counter()
    keyed = {}
    for test in document["tests"]:
        name = test["label"], test["profile"], json.dumps(test["program"], sort_keys=True)
        seen[name] += 1
        keyed[name + (seen[name],)] = test
    return keyed


def _field_values(document):
    # Every value each program field takes in the run; the instruction is
    # what tells its tests apart.
    values = {}
    for test in document["tests"]:
        for name, value in program_fields(test["program"]).items():
            if name != "instruction":
                values.setdefault(name, set()).add(value)
    return values


def shape_differences(base, new):
    """The program settings whose values differ between two runs' tests, as
    "name BASE / NEW" texts."""
    base_values, new_values = _field_values(base), _field_values(new)
    if not base_values or not new_values:
        return []
    return [f"{name} {' or '.join(sorted(base_values.get(name, ())))} / "
            f"{' or '.join(sorted(new_values.get(name, ())))}"
            for name in sorted(base_values.keys() | new_values.keys())
            if base_values.get(name) != new_values.get(name)]


def _per_quad(test):
    # Per quad, so runs whose iteration counts differ (--min-time) compare.
    return [section / test["iterations"] for section in test["sections_ms"]]


def _differences(base, new, policies_differ):
    found = []
    if base["program_sha256"] != new["program_sha256"]:
        found.append("program text")
    if policies_differ:
        found.append("iteration policy")
    if (base["width"], base["height"]) != (new["width"], new["height"]):
        found.append(f"frame {base['width']}x{base['height']} / {new['width']}x{new['height']}")
    return found


def compare_tests(base, new, threshold_pct):
    """One row per matched test, and the keys found on one side only."""
    base_tests, new_tests = keyed_tests(base), keyed_tests(new)
    policies_differ = base["settings"]["iteration_policy"] != new["settings"]["iteration_policy"]
    rows = []
    for key, base_test in base_tests.items():
        new_test = new_tests.get(key)
        if new_test is None:
            continue
        rows.append({
            "label": key[0], "profile": key[1],
            **judge(_per_quad(base_test), _per_quad(new_test), threshold_pct),
            "differences": _differences(base_test, new_test, policies_differ),
        })
    only_base = [key for key in base_tests if key not in new_tests]
    only_new = [key for key in new_tests if key not in base_tests]
    return rows, only_base, only_new


def _sections_rule(settings):
    rule = f"repeat {settings['repeat']}"
    precision = settings.get("precision")
    if precision:
        rule += f", precision {precision['target_pct']:g}%"
        if precision["max_time_s"] is not None:
            rule += f" within {precision['max_time_s']:g} s"
    return rule + (", interleaved" if settings.get("interleave") else "")


def _header(role, path, document):
    settings = document["settings"]
    return [f"{role}: {path}",
            f"  driver: {describe_driver(document)}",
            f"  host:   {describe_host(document)}",
            f"  run:    korvex {document['korvex_version']}, {document['started_utc']}, "
            f"{describe_policy(settings['iteration_policy'])}, {_sections_rule(settings)}"]


def _name(key):
    return f"{key[0]} ({key[1]})"


def _row_cells(row):
    return [row["label"], row["profile"], f"{row['base_ms']:.4g}", f"{row['new_ms']:.4g}",
            f"{row['change_pct']:+.1f}%", p_text(row["p_value"]), verdict(row)]


def _test_lines(base, new, threshold_pct):
    rows, only_base, only_new = compare_tests(base, new, threshold_pct)
    lines = []
    shapes = shape_differences(base, new)
    if shapes:
        lines.append("Program settings differ, so their tests do not match: " + "; ".join(shapes))
    if rows:
        heading = ["test", "profile", "base ms/quad", "new ms/quad", "change", "p-value", ""]
        lines += columns([heading] + [_row_cells(row) for row in rows])
    else:
        lines.append("No test is in both runs.")
    if only_base:
        lines.append("Only in base: " + ", ".join(_name(key) for key in only_base))
    if only_new:
        lines.append("Only in new: " + ", ".join(_name(key) for key in only_new))
    differing = [row for row in rows if row["differences"]]
    if differing:
        lines.append("* measured differently:")
        lines += [f"  {row['label']} ({row['profile']}): " + ", ".join(row["differences"])
                  for row in differing]
    lines += few_sections_warning([(f"{row['label']} ({row['profile']})", row) for row in rows],
                                  "tests")
    slower = sum(row["slower"] for row in rows)
    lines.append(summary(slower, len(rows), "tests", threshold_pct))
    return lines, slower > 0


def report(base_path, base, new_path, new, threshold_pct):
    """The comparison's text, and whether any test got significantly slower."""
    kinds = [bool(document["latency"]) for document in (base, new)]
    if kinds[0] != kinds[1]:
        latency_path, other_path = (base_path, new_path) if kinds[0] else (new_path, base_path)
        raise BadInput(f"{latency_path}: a latency (-M) run cannot be compared with an "
                       f"instruction run ({other_path})")
    if kinds[0]:
        latency_compare.check_sections(base_path, base)
        latency_compare.check_sections(new_path, new)
    compared = latency_compare.report_lines if kinds[0] else _test_lines
    lines, any_slower = compared(base, new, threshold_pct)
    header = _header("base", base_path, base) + _header("new", new_path, new) + [""]
    return "\n".join(header + lines), any_slower
