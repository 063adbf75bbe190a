"""A run's results as one table: markdown for READMEs and issues, CSV for tools."""
import csv
import html
import io
import re

from matplotlib.ticker import EngFormatter

from .load import describe_driver, describe_host, describe_policy

_engineering = EngFormatter(places=3, sep=" ")


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
        return _engineering(value)
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
