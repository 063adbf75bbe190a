"""Reads a results file and checks it against the schema of its format version."""
import functools
import hashlib
import json
import math
import re
from importlib import resources

import jsonschema

from .version1 import upgraded

# Each version this tool reads, with its schema, a file of this package; an
# older one is upgraded to the newest on loading.
SCHEMA_FILES = {1: "results.v1.schema.json", 2: "results.schema.json"}
# A results document nests a few levels; far deeper input is no result, and
# would exhaust Python's recursion in the tools that walk it.
MAX_DEPTH = 64
_TOO_DEEP = f"nested deeper than {MAX_DEPTH} levels"
# Half of a UTF-16 pair, which a JSON escape can name but no text holds.
_SURROGATE = re.compile("[\ud800-\udfff]")
# Integers that every JSON reader keeps exact (RFC 8259, section 6).
MAX_EXACT_INT = 2 ** 53
# A time from korvex's timer's resolution to far beyond any run: within it,
# every figure the tools derive stays a finite number other than zero.
MIN_MS, MAX_MS = 1e-6, 1e15


class BadInput(Exception):
    """A file the tool cannot use; the message names the file and the problem."""


@functools.cache  # one per version for all the files of a command
def _validator(version):
    schema = resources.files(__package__).joinpath(SCHEMA_FILES[version])
    return jsonschema.Draft202012Validator(json.loads(schema.read_text(encoding="utf-8")))


def _reject_constant(name):
    # Python reads NaN and Infinity, which JSON does not have.
    raise ValueError(f"{name} is not a JSON value")


def _finite_float(text):
    value = float(text)
    if not math.isfinite(value):
        raise ValueError(f"{text} is beyond the range of a number")
    return value


def _exact_int(text):
    value = int(text)
    if abs(value) > MAX_EXACT_INT:
        raise ValueError(f"an integer of {len(text.lstrip('-'))} digits is beyond 2^53, where "
                         f"numbers lose their exact value")
    return value


def _structure_problem(document):
    """Why the parsed document is no result whatever its fields hold, or None."""
    pending = [(document, 1)]
    while pending:
        value, depth = pending.pop()
        if isinstance(value, str) and _SURROGATE.search(value):
            return "a string holds half of a UTF-16 surrogate pair, which is no character"
        if isinstance(value, (dict, list)):
            if depth > MAX_DEPTH:
                return _TOO_DEEP
            children = [*value.keys(), *value.values()] if isinstance(value, dict) else value
            pending += [(child, depth + 1) for child in children]
    return None


def _times(document):
    """Every time the tools compute with, with where it is."""
    for index, test in enumerate(document["tests"]):
        for position, section in enumerate(test["sections_ms"]):
            yield f"tests[{index}].sections_ms[{position}]", section
        for field in ("min_ms", "median_ms", "max_ms"):
            yield f"tests[{index}].{field}", test[field]
    for index, entry in enumerate(document["latency"]):
        yield f"latency[{index}].ms", entry["ms"]
        for position, section in enumerate(entry.get("sections_ms", [])):
            yield f"latency[{index}].sections_ms[{position}]", section


def _check_figures(path, document):
    for where, value in _times(document):
        if not MIN_MS <= value <= MAX_MS:
            raise BadInput(f"{path}: {where} is {value:g} ms; a time must be from "
                           f"{MIN_MS:g} ms (a nanosecond) to {MAX_MS:g} ms")
    for index, test in enumerate(document["tests"]):
        if not test["min_ms"] <= test["median_ms"] <= test["max_ms"]:
            raise BadInput(f"{path}: tests[{index}]: min_ms, median_ms and max_ms are not in "
                           f"order")
    for index, entry in enumerate(document["latency"]):
        if entry["bytes_per_s"] <= 0:
            raise BadInput(f"{path}: latency[{index}].bytes_per_s is {entry['bytes_per_s']:g}; "
                           f"a bandwidth must be above zero")


def _where(error):
    place = "".join(f"[{part}]" if isinstance(part, int) else f".{part}"
                    for part in error.absolute_path)
    return place.lstrip(".") or "the top level"


def load(path):
    """The document in PATH in the newest format's shape, or BadInput saying
    why it cannot be used."""
    try:
        with open(path, encoding="utf-8") as results_file:
            document = json.load(results_file, parse_constant=_reject_constant,
                                 parse_float=_finite_float, parse_int=_exact_int)
    except OSError as error:
        raise BadInput(f"{path}: cannot read it: {error.strerror or error}") from None
    except UnicodeDecodeError:
        raise BadInput(f"{path}: not JSON: the file is not UTF-8 text") from None
    except json.JSONDecodeError as error:
        raise BadInput(f"{path}: not JSON: {error.msg} at line {error.lineno} "
                       f"column {error.colno}") from None
    except ValueError as error:
        raise BadInput(f"{path}: not JSON: {error}") from None
    except RecursionError:
        raise BadInput(f"{path}: not a korvex results file ({_TOO_DEEP})") from None
    problem = _structure_problem(document)
    if problem is not None:
        raise BadInput(f"{path}: not a korvex results file ({problem})")
    if not isinstance(document, dict) or document.get("format") != "korvex-results":
        raise BadInput(f'{path}: not a korvex results file (no "format": "korvex-results")')
    version = document.get("format_version")
    if type(version) is not int or version not in SCHEMA_FILES:
        readable = " and ".join(str(known) for known in SCHEMA_FILES)
        raise BadInput(f"{path}: format_version {json.dumps(version)} is not a version "
                       f"this tool reads ({readable})")
    error = jsonschema.exceptions.best_match(_validator(version).iter_errors(document))
    if error is not None:
        raise BadInput(f"{path}: does not match the results schema at {_where(error)}: "
                       f"{error.message}")
    _check_figures(path, document)
    return upgraded(document) if version == 1 else document


def canonical_json(document):
    """The document as text that depends on its content only, not on its layout."""
    return json.dumps(document, sort_keys=True, separators=(",", ":"), ensure_ascii=False)


def content_sha256(document):
    """The run's identity: equal for the same results however the file was laid out."""
    return hashlib.sha256(canonical_json(document).encode("utf-8")).hexdigest()


def describe_driver(document):
    """The GL renderer and version, the driver library and the window system,
    in one line."""
    gl = document["gl"]
    library = document["driver"]
    text = f"{gl['renderer']}, {gl['version']}"
    if library is None:
        text += "; driver library not found"
    else:
        text += f"; {library['name']} {library['version']}".rstrip()
    # Files written before korvex recorded the window system do not name it.
    if "window_system" in gl:
        text += f"; through {gl['window_system'].upper()}"
    return text


def describe_host(document):
    host = document["host"]
    parts = [f"{host['os']} {host['kernel']}".strip(), host["cpu"] or "CPU unknown"]
    cores = host["logical_cores"]
    parts.append(f"{cores} logical cores" if cores else "cores unknown")
    return ", ".join(parts)


def describe_policy(policy):
    if policy["kind"] == "fixed":
        return f"{policy['iterations']} iterations"
    return f"--min-time {policy['min_time_s']:g} s"
