"""korvex-results as a package: what each command loads, the table's own
rate form, and an install through pip."""
import os
import random
import re
import shutil
import subprocess
import sys
import tomllib

import pytest

from korvex_results.cli import main
from korvex_results.table import engineering
from korvex_runs import REPO
from results_fixtures import make_run, make_test, write

PACKAGE = REPO / "tools" / "korvex-results-package"
STEADY = [10.0, 10.1, 9.9, 10.05, 9.95]


@pytest.fixture
def blocked(tmp_path):
    """Runs the source tree's korvex-results with the named libraries made
    unimportable by stand-ins found before the real ones."""
    def run(names, *arguments):
        stand_ins = tmp_path / "-".join(names)
        for name in names:
            (stand_ins / name).mkdir(parents=True, exist_ok=True)
            (stand_ins / name / "__init__.py").write_text(f"raise ImportError('no {name} here')")
        return subprocess.run([REPO / "tools" / "korvex-results", *arguments], cwd=tmp_path,
                              capture_output=True, text=True,
                              env=dict(os.environ, PYTHONPATH=str(stand_ins)))
    return run


def test_table_merge_and_compare_work_without_the_plotting_library(tmp_path, blocked):
    run = write(tmp_path, "run.json", make_run([make_test("MAD", STEADY)]))
    table = blocked(["matplotlib", "scipy"], "table", run)
    assert table.returncode == 0 and "| MAD | ARB | 9 | 100 | 5 |" in table.stdout, table.stderr
    merge = blocked(["matplotlib", "scipy"], "merge", run, "-o", "merged.json")
    assert merge.returncode == 0 and (tmp_path / "merged.json").exists(), merge.stderr
    compare = blocked(["matplotlib"], "compare", run, run)
    assert compare.returncode == 0 and "0 of 1 tests slower" in compare.stdout, compare.stderr
    # The stand-in does block: a chart needs the real library.
    chart = blocked(["matplotlib"], "plot", run, "-o", "chart.png")
    assert chart.returncode == 1 and "ImportError: no matplotlib here" in chart.stderr


def test_rates_read_as_matplotlib_writes_them():
    EngFormatter = pytest.importorskip("matplotlib.ticker").EngFormatter
    reference = EngFormatter(places=3, sep=" ")
    draw = random.Random(25)
    # Rounding up into the next prefix, both ends of the prefixes, and beyond.
    rates = [0.0, 1.0, 999.9994, 999.9996, 1e-24, 3e-27, 999.9996e21, 5e25]
    rates += [10 ** draw.uniform(-25, 26) for _ in range(2000)]
    assert [engineering(rate) for rate in rates] == [reference(rate) for rate in rates]


def test_package_version_is_the_programs():
    with open(PACKAGE / "pyproject.toml", "rb") as pyproject:
        version = tomllib.load(pyproject)["project"]["version"]
    cmake = (REPO / "CMakeLists.txt").read_text()
    assert re.search(r"^project\(korvex VERSION (\S+) ", cmake, re.M)[1] == version


def test_pip_installs_the_package_with_its_schemas_and_command(tmp_path):
    if subprocess.run([sys.executable, "-m", "pip", "--version"], capture_output=True).returncode:
        pytest.skip("no pip (tools/install-deps.sh test installs python3-pip)")
    # A copy, since setuptools writes its build folders beside the sources.
    source = shutil.copytree(PACKAGE, tmp_path / "source",
                             ignore=shutil.ignore_patterns("__pycache__"))
    target = tmp_path / "installed"
    subprocess.run([sys.executable, "-m", "pip", "install", "--quiet", "--no-build-isolation",
                    "--no-index", "--no-deps", "--target", target, source], check=True,
                   capture_output=True, env=dict(os.environ, PIP_ROOT_USER_ACTION="ignore"))
    run = write(tmp_path, "run.json", make_run([make_test("MAD", STEADY)]))
    table = subprocess.run([target / "bin" / "korvex-results", "table", run], capture_output=True,
                           text=True, env=dict(os.environ, PYTHONPATH=str(target)))
    assert table.returncode == 0 and "| MAD | ARB |" in table.stdout, table.stderr
