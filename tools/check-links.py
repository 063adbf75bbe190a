#!/usr/bin/env python3
"""Fails when a relative link of README.md, docs/*.md or perf/README.md leads
nowhere.

Every link that is not a web address must name a file or folder that exists,
relative to the page it stands in, and an anchor (`page.md#heading`, or
`#heading` on the same page) must be a heading of that Markdown page under
GitHub's rules: the heading's text in lower case, without what is neither a
letter, a digit, a space, `-` nor `_`, spaces turned into `-`, and a repeated
heading numbered `-1`, `-2`, ... Code blocks and code spans are not read.

    tools/check-links.py REPOSITORY-ROOT

prints one line per broken link (`FILE:LINE: TARGET: why`) and exits 1 when
there is one. Standard library only.
"""
import pathlib
import re
import sys

LINK = re.compile(r"!?\[(?:[^\]\\]|\\.)*\]\(\s*<?([^)\s>]+)>?(?:\s+\"[^\"]*\")?\s*\)")
CODE_SPAN = re.compile(r"(`+)(?:(?!\1).)+\1")
HEADING = re.compile(r"^ {0,3}(#{1,6})\s+(.*?)\s*#*\s*$")
FENCE = re.compile(r"^ {0,3}(```|~~~)")
WEB = re.compile(r"^[a-zA-Z][a-zA-Z0-9+.-]*:")


def prose_lines(text):
    """(number, line) of the lines outside fenced and indented code blocks."""
    fence = None
    previous_blank = True
    in_indented = False
    for number, line in enumerate(text.splitlines(), 1):
        match = FENCE.match(line)
        if fence:
            if match and match.group(1) == fence:
                fence = None
            continue
        if match:
            fence = match.group(1)
            continue
        blank = not line.strip()
        # An indented block starts after a blank line and lasts until a line
        # that is neither blank nor indented; a list item's continuation
        # follows a line of text, not a blank one.
        if line.startswith("    ") and (previous_blank or in_indented):
            in_indented = True
        elif not blank:
            in_indented = False
        if not in_indented:
            yield number, line
        previous_blank = blank


def heading_text(markdown):
    """A heading as GitHub renders it to text: code spans, links and emphasis
    markers gone, their words kept."""
    text = re.sub(r"`+([^`]*)`+", r"\1", markdown)
    text = re.sub(r"!?\[([^\]]*)\]\([^)]*\)", r"\1", text)
    return re.sub(r"(\*+|(?<!\w)_+|_+(?!\w))", "", text)


def slug(heading):
    text = heading_text(heading).strip().lower()
    text = "".join(c for c in text if c.isalnum() or c in " -_")
    return text.replace(" ", "-")


def anchors(text):
    """Every heading's anchor on a page, repeated ones numbered as GitHub does."""
    seen = {}
    found = set()
    for _, line in prose_lines(text):
        match = HEADING.match(line)
        if not match:
            continue
        base = slug(match.group(2))
        count = seen.get(base, 0)
        seen[base] = count + 1
        found.add(base if count == 0 else f"{base}-{count}")
    return found


def links(text):
    for number, line in prose_lines(text):
        for match in LINK.finditer(CODE_SPAN.sub("", line)):
            yield number, match.group(1)


def broken_links(page, root):
    """(line, target, why) for each link of `page` that leads nowhere."""
    problems = []
    text = page.read_text(encoding="utf-8")
    for number, target in links(text):
        if WEB.match(target):
            continue
        path, _, anchor = target.partition("#")
        destination = (page.parent / path).resolve() if path else page.resolve()
        if not destination.exists():
            problems.append((number, target, "no such file"))
        elif root not in destination.parents and destination != root:
            problems.append((number, target, "outside the repository"))
        elif anchor and destination.suffix == ".md":
            if anchor not in anchors(destination.read_text(encoding="utf-8")):
                problems.append((number, target, f"no heading #{anchor} in {destination.name}"))
    return problems


def main(argv):
    if len(argv) != 2:
        print("usage: check-links.py REPOSITORY-ROOT", file=sys.stderr)
        return 2
    root = pathlib.Path(argv[1]).resolve()
    pages = [root / "README.md", *sorted((root / "docs").glob("*.md")), root / "perf" / "README.md"]
    failed = False
    for page in pages:
        for number, target, why in broken_links(page, root):
            print(f"{page.relative_to(root)}:{number}: {target}: {why}")
            failed = True
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
