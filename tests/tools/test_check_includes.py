"""tools/check-includes.py on small trees: includes that run upward, and units
that include each other in a circle."""
import subprocess
from pathlib import Path

REPO = Path(__file__).resolve().parents[2]


def check(root, files):
    for name, text in files.items():
        (root / name).parent.mkdir(parents=True, exist_ok=True)
        (root / name).write_text(text)
    run = subprocess.run([REPO / "tools" / "check-includes.py", root], capture_output=True, text=True)
    return run.returncode, run.stdout.splitlines()


def test_a_tree_whose_includes_run_downward_in_no_circle_passes(tmp_path):
    assert check(tmp_path, {
        "base/a.h": "#pragma once\n",
        "app/b.h": '#include "base/a.h"\n#include <vector>\n',
        "app/b.cpp": '#include "app/b.h"\n',
        "app/room/c.cpp": '#include "app/b.h"\n',
    }) == (0, [])


def test_an_upward_include_and_circles_through_sources_are_reported(tmp_path):
    code, lines = check(tmp_path, {
        "base/a.cpp": '#include "app/b.h"\n',
        "app/b.h": "#pragma once\n",
        # Each header is clean; the sources close the circle.
        "app/set.h": "#pragma once\n",
        "app/set.cpp": '#include "app/set.h"\n#include "app/net.h"\n',
        "app/net.h": "#pragma once\n",
        "app/net.cpp": '#include "app/net.h"\n#include "app/list.h"\n',
        "app/list.h": '#include "app/set.h"\n',
        "tests/x.h": '#include "tests/y.h"\n',
        "tests/y.h": '#include "tests/x.h"\n',
    })
    assert code == 1
    assert lines == ['base/a.cpp:1: base/ may not include "app/b.h"',
                     "include circle: app/list -> app/set -> app/net -> app/list",
                     "include circle: tests/x -> tests/y -> tests/x"]
