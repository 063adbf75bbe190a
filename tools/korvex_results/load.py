"""Reads a results file and checks it against the repository's schema."""
import hashlib
import json
import math
from pathlib import Path

import jsonschema

FORMAT_VERSION = 1
# A results document nests a few levels; far deeper input is no result, and
# would exhaust Python's recursion in the tools that walk it.
MAX_DEPTH = 64
SCHEMA_PATH = Path(__file__).resolve().parents[2] / "docs" / "results.schema.json"


class BadInput(Exception):
    """A file the tool cannot use; the message names the file and the problem."""


def _validator():
    with open(SCHEMA_PATH, encoding="utf-8") as schema_file:
        return jsonschema.Draft202012Validator(json.load(schema_file))


def _reject_constant(name):
    # Python reads NaN and Infinity, which JSON does not have.
    raise ValueError(f"{name} is not a JSON value")


def _finite_float(text):
    value = float(text)
    if not math.isfinite(value):
        raise ValueError(f"{text} is beyond the range of a number")
    return value


def _finite_int(text):
    value = int(text)
    try:
        float(value)
    except OverflowError:
        raise ValueError(f"an integer of {len(text)} digits is beyond the range of a number") \
            from None
    return value


def _nested_too_deep(document):
    pending = [(document, 1)]
    while pending:
        value, depth = pending.pop()
        if isinstance(value, (dict, list)):
            if depth > MAX_DEPTH:
                return True
            children = value.values() if isinstance(value, dict) else value
            pending += [(child, depth + 1) for child in children]
    return False


def _too_deep(path):
    return BadInput(f"{path}: not a korvex results file (nested deeper than {MAX_DEPTH} levels)")


def _divisors(document):
    """Every time and bandwidth the tools divide by, with where it is."""
    for index, test in enumerate(document["tests"]):
        for position, section in enumerate(test["sections_ms"]):
            yield f"tests[{index}].sections_ms[{position}]", section
        for field in ("min_ms", "median_ms", "max_ms"):
            yield f"tests[{index}].{field}", test[field]
    for index, entry in enumerate(document["latency"]):
        for field in ("ms", "bytes_per_s"):
            yield f"latency[{index}].{field}", entry[field]
        for position, section in enumerate(entry.get("sections_ms", [])):
            yield f"latency[{index}].sections_ms[{position}]", section


def _where(error):
    place = "".join(f"[{part}]" if isinstance(part, int) else f".{part}"
                    for part in error.absolute_path)
    return place.lstrip(".") or "the top level"


def load(path):
    """The document in PATH, or BadInput saying why it cannot be used."""
    try:
        with open(path, encoding="utf-8") as results_file:
            document = json.load(results_file, parse_constant=_reject_constant,
                                 parse_float=_finite_float, parse_int=_finite_int)
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
        raise _too_deep(path) from None
    if _nested_too_deep(document):
        raise _too_deep(path)
    if not isinstance(document, dict) or document.get("format") != "korvex-results":
        raise BadInput(f'{path}: not a korvex results file (no "format": "korvex-results")')
    version = document.get("format_version")
    if type(version) is not int or version != FORMAT_VERSION:
        raise BadInput(f"{path}: format_version {json.dumps(version)} is not the version "
                       f"this tool reads ({FORMAT_VERSION})")
    error = jsonschema.exceptions.best_match(_validator().iter_errors(document))
    if error is not None:
        raise BadInput(f"{path}: does not match the results schema at {_where(error)}: "
                       f"{error.message}")
    for where, value in _divisors(document):
        if value <= 0:
            raise BadInput(f"{path}: {where} is {value:g}; times and bandwidths must be above "
                           f"zero")
    return document


def canonical_json(document):
    """The document as text that depends on its content only, not on its layout."""
    return json.dumps(document, sort_keys=True, separators=(",", ":"), ensure_ascii=False)


def content_sha256(document):
    """The run's identity: equal for the same results however the file was laid out."""
    return hashlib.sha256(canonical_json(document).encode("utf-8")).hexdigest()


def describe_driver(document):
    """The GL renderer and version and the driver library, in one line."""
    gl = document["gl"]
    library = document["driver"]
    text = f"{gl['renderer']}, {gl['version']}"
    if library is None:
        return text + "; driver library not found"
    return text + f"; {library['name']} {library['version']}".rstrip()


def describe_host(document):
    host = document["host"]
    parts = [f"{host['os']} {host['kernel']}".strip(), host["cpu"] or "CPU unknown"]
    cores = host["logical_cores"]
    parts.append(f"{cores} logical cores" if cores else "cores unknown")
    return ", ".join(parts)


def describe_policy(policy):
    if policy["kind"] == "fixed":
        return f"{policy['iterations']} iterations"
    return f"at least {policy['min_time_s']:g} s a section"
