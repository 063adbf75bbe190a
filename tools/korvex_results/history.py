"""history add, list, show and check: runs kept in one SQLite file, each
test's time per quad over them, and the steps in those series."""
import json

from . import history_store
from .changepoints import PENALTY_FACTOR, find_steps
from .load import BadInput, load
from .output import columns
from .program_fields import program_fields


def add(paths, db_path, tag):
    """Every file is read and checked before the history is touched, so that a
    bad one leaves it unchanged."""
    runs = [(path, document, tag if tag is not None else history_store.default_tag(document))
            for path, document in ((path, load(path)) for path in paths)]
    connection = history_store.open_history(db_path, writing=True)
    earlier_tags = history_store.add_runs(connection, runs)
    connection.close()
    return "".join(f"{path}: added, tag {tag}\n" if earlier is None else
                   f"{path}: already in the history (tag {earlier}); nothing added\n"
                   for (path, _, tag), earlier in zip(runs, earlier_tags))


def list_runs(db_path):
    rows = history_store.runs(history_store.open_history(db_path))
    if not rows:
        return "The history holds no runs.\n"
    heading = ["tag", "started", "host", "renderer", "driver", "mode", "tests"]
    return "\n".join(columns([heading] + [[str(cell) for cell in row] for row in rows])) + "\n"


def _series(db_path, renderer, label):
    found = history_store.series(history_store.open_history(db_path), renderer, label)
    if not found and (renderer is not None or label is not None):
        asked = " and ".join(f"{option} {value!r}" for option, value in
                             (("--renderer", renderer), ("--test", label)) if value is not None)
        raise BadInput(f"{db_path}: no test in the history matches {asked}")
    return found


def _distinction(program, text_sha256, identities):
    """What tells this program of a label from its others: the program
    settings that differ, and the first digits of its text's hash where
    they do not."""
    fields = [program_fields(json.loads(other)) for other, _ in identities]
    own = program_fields(json.loads(program))
    differing = sorted(name for name in set().union(*fields)
                       if len({each.get(name) for each in fields}) > 1)
    parts = [f"{name} {own.get(name, 'none')}" for name in differing]
    alike = [each for each in fields if all(each.get(name) == own.get(name) for name in differing)]
    if len(alike) > 1:
        parts.append(f"program {text_sha256[:8]}")
    return ", ".join(parts)


def _names(found):
    """Each test's name: label and profile, with what tells its program apart
    where the label has had several, and a count where a run held it more
    than once."""
    identities = {}
    for renderer, label, _, program, text_sha256, _ in found:
        identities.setdefault((renderer, label), set()).add((program, text_sha256))
    names = {}
    for key in found:
        renderer, label, profile, program, text_sha256, occurrence = key
        name = f"{label} ({profile})"
        if len(identities[renderer, label]) > 1:
            name += " " + _distinction(program, text_sha256, identities[renderer, label])
        names[key] = name + (f" #{occurrence}" if occurrence > 1 else "")
    return names


def _by_renderer(found):
    renderers = {}
    for key, points in found.items():
        renderers.setdefault(key[0], []).append((key, points))
    return renderers


def show(db_path, renderer, label):
    found = _series(db_path, renderer, label)
    if not found:
        return "The history holds no tests.\n"
    names = _names(found)
    lines = []
    for key, points in found.items():
        lines += ["", f"{key[0]}: {names[key]}"]
        rows = [["run", "tag", "started", "ms/quad", "sections ms/quad"]]
        rows += [[str(number), tag, started, f"{median:.4g}", f"{low:.4g} to {high:.4g}"]
                 for number, tag, started, median, low, high in points]
        lines += ["  " + line for line in columns(rows)]
    return "\n".join(lines[1:]) + "\n"


def show_plot(db_path, renderer, label, out_path):
    from .history_plot import plot  # matplotlib loads only for a chart

    found = _series(db_path, renderer, label)
    if not found:
        raise BadInput(f"{db_path}: the history holds no tests to chart")
    names = _names(found)
    several = len({key[0] for key in found}) > 1
    plot({names[key] + (f", {key[0]}" if several else ""): points
          for key, points in found.items()}, out_path)


def _first_run_tagged(db_path, found, tag):
    numbers = [number for points in found.values() for number, run_tag, *_ in points
               if run_tag == tag]
    if not numbers:
        raise BadInput(f"{db_path}: no run of these tests has the tag {tag!r}")
    return min(numbers)


def check(db_path, renderer, label, threshold_pct, since=None):
    """The steps found, and whether a test's newest run is past a step toward
    slower (one from the run tagged SINCE on, when given)."""
    found = _series(db_path, renderer, label)
    since_run = 0 if since is None else _first_run_tagged(db_path, found, since)
    names = _names(found)
    keys = list(found)
    all_steps = find_steps([[point[3] for point in found[key]] for key in keys], threshold_pct)
    steps_of = dict(zip(keys, all_steps))
    newest = {}
    for key, points in found.items():
        newest[key[0]] = max(newest.get(key[0], 0), points[-1][0])
    lines = [f"Steps of {threshold_pct:g}% or more in each test's time per quad "
             f"(penalised piecewise-constant fit, penalty {PENALTY_FACTOR} sigma^2 ln n):"]
    slower_now = 0
    for renderer_name, series in _by_renderer(found).items():
        rows = []
        for key, points in series:
            steps = steps_of[key]
            for number, (index, size) in enumerate(steps, start=1):
                run, tag, started, *_ = points[index]
                current = (number == len(steps) and size > 0 and run >= since_run
                           and points[-1][0] == newest[renderer_name])
                slower_now += current
                rows.append([names[key], tag, started, f"{size * 100:+.1f}%",
                             "SLOWER: the newest run is past it" if current else ""])
        lines.append(f"{renderer_name}:")
        if rows:
            lines += ["  " + line for line in
                      columns([["test", "tag", "started", "step", ""]] + rows)]
        else:
            lines.append("  no step")
    step_count = sum(len(steps) for steps in all_steps)
    lines.append(f"{step_count} steps in {len(keys)} tests; in {slower_now} the newest run is "
                 f"past a step toward slower")
    return "\n".join(lines) + "\n", slower_now > 0
