#!/usr/bin/env python3
"""Fails when a project include runs upward or sideways between the layers,
or when units include each other in a circle.

Each layer may include itself and the layers listed for it; the OS folders of
platform/ may include platform/ but not each other. A unit is a header with
its source file (app/programs/program_set.h and .cpp); when one unit's files
include another's and that one's, however indirectly, include the first, the
two can no longer be understood, built or tested apart. Standard library only.
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
LAYERS = ("base", "gl", "image", "platform", "bench", "app")
# Folders whose units must not include each other in a circle either.
OTHER_SOURCES = ("tests", "perf", "tools")
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


def sources(root, tops):
    for top in tops:
        for source in sorted((root / top).rglob("*")):
            if source.suffix in SOURCE_SUFFIXES and source.is_file():
                yield source.relative_to(root).as_posix(), source


def includes(source):
    for number, line in enumerate(source.read_text(errors="replace").splitlines(), 1):
        match = INCLUDE.match(line)
        if match:
            yield number, match.group(1)


def violations(root):
    for relative, source in sources(root, LAYERS):
        own = layer_of(relative)
        for number, included in includes(source):
            target = layer_of(included)
            if target is None or target not in ALLOWED[own]:
                yield f"{relative}:{number}: {own}/ may not include \"{included}\""


def unit_of(path):
    return str(pathlib.PurePosixPath(path).with_suffix(""))


def unit_graph(root):
    """Each unit with the units its files include, project files only."""
    graph = {}
    for relative, source in sources(root, LAYERS + OTHER_SOURCES):
        unit = unit_of(relative)
        targets = graph.setdefault(unit, set())
        for _, included in includes(source):
            if (root / included).is_file() and unit_of(included) != unit:
                targets.add(unit_of(included))
    return graph


def circles(graph):
    """One circle through each group of units that reach each other, as the
    list of units along it, the first repeated at the end."""
    found, done = [], set()
    for start in sorted(graph):
        if start in done:
            continue
        # Depth first, with the path walked so far; a unit on the path that is
        # reached again closes a circle.
        path, on_path, stack = [], set(), [(start, iter(sorted(graph.get(start, ()))))]
        path.append(start)
        on_path.add(start)
        while stack:
            unit, targets = stack[-1]
            target = next(targets, None)
            if target is None:
                stack.pop()
                path.pop()
                on_path.discard(unit)
                done.add(unit)
            elif target in on_path:
                circle = path[path.index(target):] + [target]
                if not any(set(circle) == set(known) for known in found):
                    found.append(circle)
            elif target not in done:
                path.append(target)
                on_path.add(target)
                stack.append((target, iter(sorted(graph.get(target, ())))))
    return found


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).resolve().parent.parent)
    found = list(violations(root))
    found += ["include circle: " + " -> ".join(circle) for circle in circles(unit_graph(root))]
    for line in found:
        print(line)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
