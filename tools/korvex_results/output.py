"""What the commands emit: aligned text columns, and files written whole or
not at all."""
import os
import tempfile

from .load import BadInput


def columns(lines):
    """Rows of cells as text lines, each column as wide as its widest cell."""
    widths = [max(len(line[column]) for line in lines) for column in range(len(lines[0]))]
    return ["  ".join(cell.ljust(width) for cell, width in zip(line, widths)).rstrip()
            for line in lines]


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
