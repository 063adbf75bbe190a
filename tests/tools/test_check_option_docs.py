"""tools/check-option-docs.py: an option korvex takes but a page leaves out,
one a page names but korvex lacks, and a default that differs."""
import subprocess
from pathlib import Path

REPO = Path(__file__).resolve().parents[2]

MAN = r""".SH OPTIONS
.TP
.BR \-I ", " \-\-iterations " \fIN\fR"
Draw the quad N times.
Default: 10000.
.TP
.BR \-a ", " \-\-all
All instructions.
.TP
.BI \-\-repeat " N"
Sections per test.
Default: 1.
.SH FILES
"""

README = """# korvex
## Options at a glance
| option | what it does | default |
|---|---|---|
| `-I`, `--iterations` | quads | 10000 |
| `-a`, `--all` | all instructions | off |
| `--repeat` | sections | 1 |
## The manual
"""


def check(tmp_path, listing, man=MAN, readme=README):
    (tmp_path / "docs").mkdir()
    (tmp_path / "docs" / "korvex.1").write_text(man)
    (tmp_path / "README.md").write_text(readme)
    (tmp_path / "options.tsv").write_text(listing)
    lister = tmp_path / "listing"
    lister.write_text(f"#!/bin/sh\ncat {tmp_path / 'options.tsv'}\n")
    lister.chmod(0o755)
    run = subprocess.run([REPO / "tools" / "check-option-docs.py", lister, tmp_path], capture_output=True, text=True)
    return run.returncode, run.stdout.splitlines()


LISTING = "-I\t--iterations\t10000\n-a\t--all\t\n\t--repeat\t1\n"


def test_pages_that_match_the_program_pass(tmp_path):
    assert check(tmp_path, LISTING) == (0, [])


def test_a_new_option_a_stale_one_and_a_changed_default_are_reported(tmp_path):
    listing = LISTING.replace("--repeat\t1", "--repeat\t3") + "\t--net\t\n"
    code, lines = check(tmp_path, listing, readme=README.replace("| `-a`, `--all` |", "| `-A`, `--every` |"))
    assert code == 1
    assert lines == [
        "docs/korvex.1: --repeat: default 1, korvex starts with 3",
        "docs/korvex.1: --net is missing",
        "README.md: --every, -A: korvex has no such option",
        "README.md: --repeat: default 1, korvex starts with 3",
        "README.md: --all is missing",
        "README.md: --net is missing",
    ]
