#!/usr/bin/env python3
"""Fails when the man page or the README's options at a glance drift from the
options korvex takes.

    tools/check-option-docs.py LISTING REPOSITORY-ROOT

LISTING is the program that prints korvex's options (tests/docs/
option_listing.cpp): a line each with the letter form, the long form and the
default. The man page docs/korvex.1 gives each option an entry in its OPTIONS
section (`.TP`, then a line with the option's names) with its default as
"Default: VALUE." in the entry; the README gives each a row of the table
under "Options at a glance", its names in the first cell and its default in
the last. Both must list every option with the same names, no option korvex
does not take, and the same default; an option that starts off has no
default, or one of the words in NO_VALUE. Prints one line per difference and
exits 1 when there is one. Standard library only.
"""
import pathlib
import re
import subprocess
import sys

NO_VALUE = {"", "-", "off", "none", "automatic"}
NAME = re.compile(r"(?<![\w-])(--?[A-Za-z][A-Za-z-]*)")


def listing(program):
    """{long name: (names, default)} from the listing program."""
    options = {}
    output = subprocess.run([program], capture_output=True, text=True, check=True).stdout
    for line in output.splitlines():
        letter, long_name, default = line.split("\t")
        options[long_name] = ({n for n in (letter, long_name) if n}, default)
    return options


def first_word(text):
    words = text.replace("`", "").split()
    return words[0].rstrip(".,;:") if words else ""


def man_options(text):
    """{names: default} of the OPTIONS section's entries; an entry's names are
    those on the lines after `.TP` or `.TQ`."""
    section = re.search(r"^\.SH OPTIONS\n(.*?)^\.SH ", text, re.S | re.M).group(1)
    entries = []
    after_tag = False
    for line in section.replace("\\-", "-").splitlines():
        if after_tag and line.startswith(".B"):
            entries.append([set(NAME.findall(line)), ""])
        elif entries:
            match = re.search(r"\bDefault: (\S+)", line)
            if match:
                entries[-1][1] = first_word(match.group(1))
        after_tag = line in (".TP", ".TQ")
    return [(names, default) for names, default in entries if names]


def readme_options(text):
    """{names: default} of the rows of the table under "Options at a glance"."""
    section = re.search(r"^#+ Options at a glance\n(.*?)(?=^#)", text, re.S | re.M)
    rows = []
    for line in section.group(1).splitlines() if section else []:
        cells = [cell.strip() for cell in line.strip().strip("|").split("|")]
        names = {n for n in re.findall(r"`([^`]+)`", cells[0]) if n.startswith("-")}
        if line.startswith("|") and names:
            rows.append((names, first_word(cells[-1])))
    return rows


def differences(options, documented, where):
    problems = []
    seen = set()
    for names, default in documented:
        long_names = [n for n in names if n.startswith("--")]
        known = [n for n in long_names if n in options]
        if not known:
            problems.append(f"{where}: {', '.join(sorted(names))}: korvex has no such option")
            continue
        long_name = known[0]
        seen.add(long_name)
        expected_names, expected = options[long_name]
        if names != expected_names:
            problems.append(f"{where}: {long_name}: names {sorted(names)}, korvex takes {sorted(expected_names)}")
        if expected == "?":
            problems.append(f"{where}: {long_name}: tests/docs/option_listing.cpp does not know its default yet")
        elif (default in NO_VALUE) != (expected == "") or (expected and default != expected):
            problems.append(f"{where}: {long_name}: default {default or 'none'}, korvex starts with {expected or 'none'}")
    for long_name in sorted(set(options) - seen):
        problems.append(f"{where}: {long_name} is missing")
    return problems


def main(argv):
    if len(argv) != 3:
        print("usage: check-option-docs.py LISTING REPOSITORY-ROOT", file=sys.stderr)
        return 2
    options = listing(argv[1])
    root = pathlib.Path(argv[2])
    problems = differences(options, man_options((root / "docs" / "korvex.1").read_text()), "docs/korvex.1")
    problems += differences(options, readme_options((root / "README.md").read_text()), "README.md")
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
