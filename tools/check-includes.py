#!/usr/bin/env python3
"""Fails when a project include runs upward or sideways between the layers.

Each layer may include itself and the layers listed for it; the OS folders of
platform/ may include platform/ but not each other. Standard library only.
"""
import pathlib
import re
import sys

ALLOWED = {
    "base": {"base"},
    "gl": {"gl", "base"},
    "image": {"image", "base"},
    "platform": {"platform", "gl", "base"},
    "platform/linux": {"platform/linux", "platform", "gl", "base"},
    "platform/windows": {"platform/windows", "platform", "gl", "base"},
    "bench": {"bench", "platform", "gl", "image", "base"},
    "app": {"app", "bench", "platform", "gl", "image", "base"},
}
SOURCE_SUFFIXES = {".h", ".cpp", ".inc"}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')


def layer_of(path):
    """The layer a repository path belongs to, or None outside the layers."""
    parts = pathlib.PurePosixPath(path).parts
    if len(parts) > 2 and "/".join(parts[:2]) in ALLOWED:
        return "/".join(parts[:2])
    if len(parts) > 1 and parts[0] in ALLOWED:
        return parts[0]
    return None


def violations(root):
    for top in ("base", "gl", "image", "platform", "bench", "app"):
        for source in sorted((root / top).rglob("*")):
            if source.suffix not in SOURCE_SUFFIXES:
                continue
            relative = source.relative_to(root).as_posix()
            own = layer_of(relative)
            for number, line in enumerate(source.read_text(errors="replace").splitlines(), 1):
                match = INCLUDE.match(line)
                if not match:
                    continue
                target = layer_of(match.group(1))
                if target is None or target not in ALLOWED[own]:
                    yield f"{relative}:{number}: {own}/ may not include \"{match.group(1)}\""


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).resolve().parent.parent)
    found = list(violations(root))
    for line in found:
        print(line)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
