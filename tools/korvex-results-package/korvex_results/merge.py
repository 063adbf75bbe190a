"""Pools the sections of several runs of the same tests into one results
document, so that runs taken in turn with another set's runs can be compared
as two sets: a machine whose speed drifts over minutes then slows both sets
alike, where two single runs taken one after the other differ by the drift."""
import copy
import statistics

from .compare import keyed_tests, shape_differences
from .load import BadInput, content_sha256

# What must be equal for the sections of two runs to be one sample.
_SAME_RUN_PARTS = [("the GL driver", ("gl", "vendor")), ("the GL driver", ("gl", "renderer")),
                   ("the GL driver", ("gl", "version")), ("the driver library", ("driver",)),
                   ("the host", ("host",)), ("the mode", ("settings", "mode")),
                   ("the profile", ("settings", "profile")),
                   ("the iteration policy", ("settings", "iteration_policy"))]


def _part(document, path):
    for name in path:
        document = document[name]
    return document


def _check_alike(first_path, first, path, document):
    for what, where in _SAME_RUN_PARTS:
        if _part(first, where) != _part(document, where):
            raise BadInput(f"{path}: {what} differs from {first_path}'s, so their sections "
                           f"are not one sample")
    # A file written before korvex recorded the window system leaves it open.
    systems = [run["gl"].get("window_system") for run in (first, document)]
    if None not in systems and systems[0] != systems[1]:
        raise BadInput(f"{path}: the window system ({systems[1]}) differs from {first_path}'s "
                       f"({systems[0]}), so their sections are not one sample")
    shapes = shape_differences(first, document)
    if shapes:
        raise BadInput(f"{path}: the settings that shape the programs differ from "
                       f"{first_path}'s: " + "; ".join(shapes))


def _check_same_tests(first_path, first_tests, path, tests):
    missing = [key for key in first_tests if key not in tests]
    if missing:
        raise BadInput(f"{path}: has no {missing[0][0]} ({missing[0][1]}), which {first_path} "
                       f"has")
    extra = [key for key in tests if key not in first_tests]
    if extra:
        raise BadInput(f"{path}: has {extra[0][0]} ({extra[0][1]}), which {first_path} has not")


def _merged_test(tests):
    first_path, first_test = tests[0]
    for path, test in tests[1:]:
        for field in ("program_sha256", "width", "height"):
            if test[field] != first_test[field]:
                raise BadInput(f"{path}: {test['label']} ({test['profile']}) has another "
                               f"{field.replace('_', ' ')} than in {first_path}")
    merged = copy.deepcopy(first_test)
    merged.pop("net", None)  # a fit belongs to the run whose variants it fitted
    merged.pop("interval", None)  # and an interval to the run whose sections it bounded
    # Each section keeps its time per quad, scaled to the first run's count,
    # since --min-time lets every run choose its own count.
    count = first_test["iterations"]
    sections = [section * count / test["iterations"]
                for _, test in tests for section in test["sections_ms"]]
    median = statistics.median(sections)
    merged.update(sections_ms=sections, min_ms=min(sections), median_ms=median,
                  max_ms=max(sections))
    # A rate of unknown work (null) stays unknown.
    merged["rates"] = {name: None if rate is None else rate * first_test["median_ms"] / median
                       for name, rate in first_test["rates"].items()}
    counted = [test["fragments"]["counted"] for _, test in tests]
    merged["fragments"] = {
        "counted": None if None in counted else sum(counted),
        "expected": sum(test["fragments"]["expected"] for _, test in tests)}
    merged["warnings"] = list(dict.fromkeys(line for _, test in tests for line in test["warnings"]))
    return merged


def merge(paths, documents):
    """One document holding every run's sections, test by test, in the first
    run's order; BadInput when the runs did not measure the same tests alike."""
    path_by_content = {}
    for path, document in zip(paths, documents):
        if document["latency"]:
            raise BadInput(f"{path}: a latency (-M) run; merge pools instruction runs only")
        content = content_sha256(document)
        if content in path_by_content:
            raise BadInput(f"{path}: the same run as {path_by_content[content]}; its sections "
                           f"would count twice")
        path_by_content[content] = path
    first_path, first = paths[0], documents[0]
    keyed = [keyed_tests(document) for document in documents]
    for path, document, tests in zip(paths[1:], documents[1:], keyed[1:]):
        _check_alike(first_path, first, path, document)
        _check_same_tests(first_path, keyed[0], path, tests)
    merged = copy.deepcopy(first)
    merged["tests"] = [_merged_test([(path, tests[key]) for path, tests in zip(paths, keyed)])
                       for key in keyed[0]]
    merged["settings"]["repeat"] = sum(document["settings"]["repeat"] for document in documents)
    merged["settings"]["net"] = False
    return merged
