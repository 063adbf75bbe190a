"""Reads a results file and checks it against the repository's schema."""
import json
from pathlib import Path

import jsonschema

from .version1 import upgraded

_DOCS = Path(__file__).resolve().parents[2] / "docs"
# Each version this tool reads, with its schema; an older one is upgraded to
# the newest on loading.
SCHEMA_PATHS = {1: _DOCS / "results.v1.schema.json", 2: _DOCS / "results.schema.json"}


class BadInput(Exception):
    """A file the tool cannot use; the message names the file and the problem."""


def _validator(version):
    with open(SCHEMA_PATHS[version], encoding="utf-8") as schema_file:
        return jsonschema.Draft202012Validator(json.load(schema_file))


def _reject_constant(name):
    # Python reads NaN and Infinity, which JSON does not have.
    raise ValueError(f"{name} is not a JSON value")


def _where(error):
    place = "".join(f"[{part}]" if isinstance(part, int) else f".{part}"
                    for part in error.absolute_path)
    return place.lstrip(".") or "the top level"


def load(path):
    """The document in PATH in the newest format's shape, or BadInput saying
    why it cannot be used."""
    try:
        with open(path, encoding="utf-8") as results_file:
            document = json.load(results_file, parse_constant=_reject_constant)
    except OSError as error:
        raise BadInput(f"{path}: cannot read it: {error.strerror or error}") from None
    except UnicodeDecodeError:
        raise BadInput(f"{path}: not JSON: the file is not UTF-8 text") from None
    except json.JSONDecodeError as error:
        raise BadInput(f"{path}: not JSON: {error.msg} at line {error.lineno} "
                       f"column {error.colno}") from None
    except ValueError as error:
        raise BadInput(f"{path}: not JSON: {error}") from None
    if not isinstance(document, dict) or document.get("format") != "korvex-results":
        raise BadInput(f'{path}: not a korvex results file (no "format": "korvex-results")')
    version = document.get("format_version")
    if type(version) is not int or version not in SCHEMA_PATHS:
        readable = " and ".join(str(known) for known in SCHEMA_PATHS)
        raise BadInput(f"{path}: format_version {json.dumps(version)} is not a version "
                       f"this tool reads ({readable})")
    error = jsonschema.exceptions.best_match(_validator(version).iter_errors(document))
    if error is not None:
        raise BadInput(f"{path}: does not match the results schema at {_where(error)}: "
                       f"{error.message}")
    return upgraded(document) if version == 1 else document


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
