"""A run's results as one table: markdown for READMEs and issues, CSV for tools."""
import csv
import html
import io
import math
import re

from .load import describe_driver, describe_host, describe_policy

# The SI prefixes of the powers of 1000 from 10^-24 to 10^24.
_PREFIXES = ["y", "z", "a", "f", "p", "n", "\N{MICRO SIGN}", "m", "", "k", "M", "G", "T", "P",
             "E", "Z", "Y"]


def engineering(rate):
    """A rate (0 or more) with three decimals and the SI prefix of its power
    of 1000, as matplotlib's EngFormatter writes it; its own, so that a table
    needs no plotting library."""
    if rate == 0:
        return "0.000"
    power = min(max(math.floor(math.log10(rate) / 3) * 3, -24), 24)
    mantissa = rate / 10.0 ** power
    # 999.9996 rounds to 1000.000: that is 1.000 of the next prefix.
    if float(f"{mantissa:.3f}") >= 1000 and power < 24:
        mantissa, power = mantissa / 1000, power + 3
    return f"{mantissa:.3f} {_PREFIXES[power // 3 + 8]}".rstrip()


def net_rate(test):
    """The test's net instruction rate, or None without a trusted fit."""
    net = test.get("net")
    return net["instructions_per_s"] if net else None


def _test_rows(document):
    has_net = any("net" in test for test in document["tests"])
    heading = ["test", "profile", "instructions/pixel", "iterations", "sections", "min ms",
               "median ms", "max ms", "instructions/s", "pixels/s", "flops/s", "texels/s",
               "bytes/s"] + (["net instructions/s"] if has_net else [])
    rows = []
    for test in document["tests"]:
        rates = test["rates"]
        row = [test["label"], test["profile"], test["per_pixel"]["instructions"],
               test["iterations"], len(test["sections_ms"]), test["min_ms"], test["median_ms"],
               test["max_ms"], rates["instructions_per_s"], rates["pixels_per_s"],
               rates["flops_per_s"], rates["texels_per_s"], rates["bytes_per_s"]]
        rows.append(row + ([net_rate(test)] if has_net else []))
    return heading, rows, range(8, len(heading))


def _latency_rows(document):
    heading = ["outputs", "components", "ms", "bytes/s"]
    rows = [[entry["outputs"], entry["components"], entry["ms"], entry["bytes_per_s"]]
            for entry in document["latency"]]
    return heading, rows, [3]


def _rows(document):
    return _test_rows(document) if document["tests"] else _latency_rows(document)


def as_csv(document):
    heading, rows, _ = _rows(document)
    out = io.StringIO()
    writer = csv.writer(out)
    writer.writerow(heading)
    writer.writerows([["" if cell is None else cell for cell in row] for row in rows])
    return out.getvalue()


def _markdown_cell(value, is_rate):
    if value is None:
        return "-"
    if is_rate:
        return engineering(value)
    if isinstance(value, float):
        return f"{value:.3f}"
    # A cell is one line of the row: a line break becomes <br>, and the
    # characters markdown would read as markup are escaped.
    text = html.escape(str(value), quote=False).replace("|", "\\|")
    return re.sub(r"\r\n|\r|\n", "<br>", text)


def as_markdown(document):
    heading, rows, rate_columns = _rows(document)
    settings = document["settings"]
    lines = [f"{describe_driver(document)}; {describe_host(document)}; korvex "
             f"{document['korvex_version']}, {describe_policy(settings['iteration_policy'])}, "
             f"repeat {settings['repeat']}", "",
             "| " + " | ".join(heading) + " |",
             "|" + "|".join("---:" if column >= 2 else "---" for column in range(len(heading)))
             + "|"]
    lines += ["| " + " | ".join(_markdown_cell(value, column in rate_columns)
                                for column, value in enumerate(row)) + " |" for row in rows]
    return "\n".join(lines) + "\n"
