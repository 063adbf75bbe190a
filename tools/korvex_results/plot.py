"""Charts: an instruction survey as grouped horizontal bars, one series per file;
a latency run as bandwidth per output count."""
from pathlib import Path

import matplotlib
from matplotlib.ticker import EngFormatter

from .load import BadInput
from .output import write_atomically
from .table import net_rate

# Files only, no display; chosen before pyplot loads.
matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402

FORMATS = {".png": "png", ".svg": "svg"}
# About 20,000 pixels at the default 100 dots an inch: within what the image
# writers accept, and still a file a viewer opens.
MAX_HEIGHT_INCHES = 200


def _series_labels(paths, documents):
    renderers = [document["gl"]["renderer"] for document in documents]
    return [renderer if renderers.count(renderer) == 1 else f"{renderer} ({Path(path).name})"
            for path, renderer in zip(paths, renderers)]


def _survey_series(document):
    """Rates by label, with the spread of the sections, and whether they are net."""
    tests = document["tests"]
    use_net = all(net_rate(test) is not None for test in tests)
    series = {}
    for test in tests:
        rate = net_rate(test) if use_net else test["rates"]["instructions_per_s"]
        # A rate scales with 1 / time: the slowest and fastest sections bound it.
        low = rate * test["median_ms"] / test["max_ms"] if test["max_ms"] else rate
        high = rate * test["median_ms"] / test["min_ms"] if test["min_ms"] else rate
        series[test["label"]] = (rate, rate - low, high - rate)
    return series, use_net


def _survey(axes, labels, documents):
    all_series = [_survey_series(document) for document in documents]
    categories = sorted({label for series, _ in all_series for label in series}, reverse=True)
    height = 0.8 / len(all_series)
    for index, ((series, is_net), label) in enumerate(zip(all_series, labels)):
        # The first file's bars on top within each instruction's group.
        offset = (len(all_series) - 1 - index) * height - 0.4 + height / 2
        places = [position + offset for position, name in enumerate(categories)
                  if name in series]
        values = [series[name] for name in categories if name in series]
        axes.barh(places, [value[0] for value in values], height,
                  xerr=[[value[1] for value in values], [value[2] for value in values]],
                  capsize=2, label=label + (" - net" if is_net else ""))
    axes.set_yticks(range(len(categories)), categories)
    axes.set_ylim(-0.6, len(categories) - 0.4)
    rates = [value[0] for series, _ in all_series for value in series.values() if value[0] > 0]
    if rates and max(rates) > 50 * min(rates):
        axes.set_xscale("log")
    axes.xaxis.set_major_formatter(EngFormatter())
    kinds = {is_net for _, is_net in all_series}
    title = {frozenset({True}): "Net instruction rate (fixed cost removed)",
             frozenset({False}): "Instruction rate"}.get(frozenset(kinds),
                                                         "Instruction rate (net where marked)")
    axes.set_xlabel(title + " in instructions per second; whiskers: fastest to slowest section")
    axes.grid(axis="x", which="major", alpha=0.3)
    profiles = {test["profile"] for document in documents for test in document["tests"]}
    return "Instruction survey, " + ", ".join(sorted(profiles))


def _survey_height(paths, documents):
    """The chart's height in inches: a row of bars for every test."""
    tests = len({test["label"] for document in documents for test in document["tests"]})
    height = tests * (0.12 * len(documents) + 0.12) + 2
    if height > MAX_HEIGHT_INCHES:
        raise BadInput(f"{paths[0]}: {tests} tests in {len(documents)} run(s) need a chart "
                       f"{height:.0f} inches tall, more than the {MAX_HEIGHT_INCHES} plot draws; "
                       f"chart fewer runs, or list the tests with table")
    return height


def _latency(axes, labels, documents):
    width = 0.8 / len(documents)
    for index, (document, label) in enumerate(zip(documents, labels)):
        entries = document["latency"]
        axes.bar([entry["outputs"] - 0.4 + width * (index + 0.5) for entry in entries],
                 [entry["bytes_per_s"] for entry in entries], width, label=label)
    outputs = sorted({entry["outputs"] for document in documents
                      for entry in document["latency"]})
    axes.set_xticks(outputs)
    axes.set_xlabel("outputs (draw buffers)")
    axes.yaxis.set_major_formatter(EngFormatter())
    axes.set_ylabel("Bandwidth written, bytes per second")
    return "Latency and bandwidth"


def _kind(path, document):
    if document["tests"]:
        return "survey"
    if document["latency"]:
        return "latency"
    raise BadInput(f"{path}: holds neither tests nor latency results to plot")


def chart_format(out_path):
    """The image format that the name's extension asks for."""
    out_format = FORMATS.get(Path(out_path).suffix.lower())
    if out_format is None:
        raise BadInput(f"{out_path}: the chart's name must end in .png or .svg")
    return out_format


def plot(paths, documents, out_path):
    out_format = chart_format(out_path)
    kinds = [_kind(path, document) for path, document in zip(paths, documents)]
    if len(set(kinds)) > 1:
        mixed = paths[kinds.index("latency")]
        raise BadInput(f"{mixed}: a latency run cannot share a chart with an instruction "
                       f"survey ({paths[kinds.index('survey')]})")
    height = _survey_height(paths, documents) if kinds[0] == "survey" else 5
    figure, axes = plt.subplots()
    draw = _survey if kinds[0] == "survey" else _latency
    title = draw(axes, _series_labels(paths, documents), documents)
    figure.set_size_inches(10, height)
    axes.legend(title=title, loc="lower left", bbox_to_anchor=(0, 1.01), fontsize="small")
    figure.tight_layout()
    write_atomically(out_path, lambda chart: figure.savefig(chart, format=out_format))
    plt.close(figure)
