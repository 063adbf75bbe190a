"""tools/check-links.py: GitHub's heading anchors, and the links it reports."""
import importlib.util
import subprocess
from pathlib import Path

REPO = Path(__file__).resolve().parents[2]
SCRIPT = REPO / "tools" / "check-links.py"
spec = importlib.util.spec_from_file_location("check_links", SCRIPT)
check_links = importlib.util.module_from_spec(spec)
spec.loader.exec_module(check_links)


def test_anchors_follow_githubs_rules():
    page = "\n".join([
        "# Net instruction cost (`--net`)",
        "## Window system and GPU (Linux)",
        "## GL_ARB_fragment_program, *the* 2^30 bytes",
        "## [Linked](x.md) heading",
        "## Examples",
        "## Examples",
        "```",
        "# not a heading",
        "```",
    ])
    assert check_links.anchors(page) == {
        "net-instruction-cost---net",
        "window-system-and-gpu-linux",
        "gl_arb_fragment_program-the-230-bytes",
        "linked-heading",
        "examples",
        "examples-1",
    }


def test_missing_files_and_headings_are_reported_and_code_is_not_read(tmp_path):
    (tmp_path / "docs").mkdir()
    (tmp_path / "docs" / "page.md").write_text("# A page\n\n[back](../README.md#top)\n")
    (tmp_path / "README.md").write_text("\n".join([
        "# Top",
        "[page](docs/page.md#a-page) [web](https://example.org/x.md#none) [self](#top)",
        "[gone](docs/gone.md) and [bad anchor](docs/page.md#b-page)",
        "`[code](nowhere.md)`",
        "",
        "    [indented code](nowhere.md)",
        "",
    ]))
    run = subprocess.run([SCRIPT, tmp_path], capture_output=True, text=True)
    assert run.returncode == 1
    assert run.stdout.splitlines() == [
        "README.md:3: docs/gone.md: no such file",
        "README.md:3: docs/page.md#b-page: no heading #b-page in page.md",
    ]
