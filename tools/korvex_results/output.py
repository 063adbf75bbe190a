"""Writes an output file whole or not at all."""
import os
import tempfile

from .load import BadInput


def write_atomically(path, write):
    """Calls write(binary file) on a temporary file beside PATH, then renames
    it over PATH: never a partial file, and a link at PATH is replaced, not
    written through."""
    directory = os.path.dirname(os.path.abspath(path))
    try:
        handle, temporary = tempfile.mkstemp(dir=directory, prefix=".korvex-results-")
    except OSError as error:
        raise BadInput(f"{path}: cannot write it: {error.strerror}") from None
    try:
        with os.fdopen(handle, "wb") as output:
            write(output)
        os.chmod(temporary, 0o644)
        os.replace(temporary, path)
    except OSError as error:
        os.unlink(temporary)
        raise BadInput(f"{path}: cannot write it: {error.strerror}") from None
