"""Compares two latency (-M) runs measurement by measurement, paired by
output count and components: time per quad and bandwidth, judged by the rule
of the test comparison."""
import statistics
from collections import Counter

from .load import BadInput
from .output import columns
from .significance import judge, p_text, summary, verdict


def _keyed(document):
    # A count pairs a measurement taken twice in run order.
    seen = Counter()
    keyed = {}
    for entry in document["latency"]:
        name = entry["outputs"], entry["components"]
        seen[name] += 1
        keyed[name + (seen[name],)] = entry
    return keyed


def _bytes_per_quad(document, entry):
    settings = document["settings"]
    return 4 * entry["components"] * entry["outputs"] * settings["width"] * settings["height"]


def _per_quad(entry):
    return [section / entry["iterations"] for section in entry["sections_ms"]]


def _bandwidth(document, entry, per_quad):
    return statistics.median(_bytes_per_quad(document, entry) * 1000 / ms for ms in per_quad)


def _differences(base, new):
    found = []
    if base["settings"]["iteration_policy"] != new["settings"]["iteration_policy"]:
        found.append("iteration policy")
    frames = [(document["settings"]["width"], document["settings"]["height"])
              for document in (base, new)]
    if frames[0] != frames[1]:
        found.append(f"frame {frames[0][0]}x{frames[0][1]} / {frames[1][0]}x{frames[1][1]}")
    return found


def _name(key):
    return f"{key[0]} outputs, {key[1]} components"


def _row(base, base_entry, new, new_entry, threshold_pct, differences):
    before, after = _per_quad(base_entry), _per_quad(new_entry)
    row = judge(before, after, threshold_pct)
    base_rate, new_rate = _bandwidth(base, base_entry, before), _bandwidth(new, new_entry, after)
    return dict(row, base_rate=base_rate, new_rate=new_rate,
                rate_change_pct=(new_rate - base_rate) / base_rate * 100,
                differences=differences)


def _cells(key, row):
    return [str(key[0]), str(key[1]), f"{row['base_ms']:.4g}", f"{row['new_ms']:.4g}",
            f"{row['change_pct']:+.1f}%", f"{row['base_rate'] / 1e9:.4g}",
            f"{row['new_rate'] / 1e9:.4g}", f"{row['rate_change_pct']:+.1f}%",
            p_text(row["p_value"]), verdict(row)]


def check_sections(path, document):
    """An earlier korvex kept only each measurement's median, which no test can judge."""
    for index, entry in enumerate(document["latency"]):
        if "sections_ms" not in entry:
            raise BadInput(f"{path}: latency[{index}] has no sections_ms (written by an earlier "
                           f"korvex); compare needs every section")


def report_lines(base, new, threshold_pct):
    """The comparison's lines, and whether any measurement got significantly slower."""
    base_entries, new_entries = _keyed(base), _keyed(new)
    differences = _differences(base, new)
    rows = {key: _row(base, entry, new, new_entries[key], threshold_pct, differences)
            for key, entry in base_entries.items() if key in new_entries}
    lines = []
    if rows:
        heading = ["outputs", "components", "base ms/quad", "new ms/quad", "change",
                   "base GB/s", "new GB/s", "change", "p-value", ""]
        lines += columns([heading] + [_cells(key, row) for key, row in rows.items()])
    else:
        lines.append("No latency measurement is in both runs.")
    only_base = [_name(key) for key in base_entries if key not in new_entries]
    only_new = [_name(key) for key in new_entries if key not in base_entries]
    if only_base:
        lines.append("Only in base: " + ", ".join(only_base))
    if only_new:
        lines.append("Only in new: " + ", ".join(only_new))
    if rows and differences:
        lines.append("* measured differently: " + ", ".join(differences))
    slower = sum(row["slower"] for row in rows.values())
    lines.append(summary(slower, len(rows), "latency measurements", threshold_pct))
    return lines, slower > 0
