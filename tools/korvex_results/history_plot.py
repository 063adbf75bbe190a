"""The history as a chart: one line a test over the runs in order, with the
spread of its sections as a band."""
from .load import BadInput
from .output import write_atomically
from .plot import chart_format, plt

# Beyond this, lines and legend no longer tell one test from another.
MAX_LINES = 40
MAX_RUN_LABELS = 20


def _run_axis(axes, series):
    tags = {}
    for points in series.values():
        for number, tag, *_ in points:
            tags[number] = tag
    numbers = sorted(tags)
    shown = numbers[::max(1, -(-len(numbers) // MAX_RUN_LABELS))]
    axes.set_xticks(shown, [tags[number] for number in shown], rotation=45, ha="right",
                    fontsize="small")
    axes.set_xlabel("run (tag), oldest first")


def plot(series, out_path):
    """series: name -> [(run number, tag, started, median, min, max)]."""
    out_format = chart_format(out_path)
    if len(series) > MAX_LINES:
        raise BadInput(f"{out_path}: {len(series)} tests are too many lines for one chart (at "
                       f"most {MAX_LINES}); choose some with --test or --renderer")
    figure, axes = plt.subplots(figsize=(10, 6))
    for name, points in series.items():
        numbers = [point[0] for point in points]
        line, = axes.plot(numbers, [point[3] for point in points], marker=".", label=name)
        axes.fill_between(numbers, [point[4] for point in points],
                          [point[5] for point in points], color=line.get_color(), alpha=0.2)
    times = [point[3] for points in series.values() for point in points]
    if max(times) > 50 * min(times):
        axes.set_yscale("log")
    axes.set_ylabel("ms per quad (median; band: fastest to slowest section)")
    _run_axis(axes, series)
    axes.grid(alpha=0.3)
    axes.legend(loc="lower left", bbox_to_anchor=(0, 1.01), fontsize="small", ncol=3)
    figure.tight_layout()
    write_atomically(out_path, lambda chart: figure.savefig(chart, format=out_format))
    plt.close(figure)
