"""Runs the real korvex (KORVEX_BINARY) in a scratch folder with its files."""
import os
import shutil
import subprocess
from pathlib import Path

import pytest

REPO = Path(__file__).resolve().parents[2]


def run_korvex(folder, *arguments, env=None):
    """Runs korvex in FOLDER, which gets the bundled program and images; skips
    the test without a binary to run."""
    binary = os.environ.get("KORVEX_BINARY")
    if not binary:
        pytest.skip("KORVEX_BINARY is not set")
    if not (folder / "fasm_1.txt").exists():
        shutil.copy(REPO / "fasm_1.txt", folder)
        shutil.copytree(REPO / "Images", folder / "Images")
    subprocess.run([os.path.abspath(binary), *arguments], cwd=folder,
                   stdin=subprocess.DEVNULL, capture_output=True, timeout=300,
                   env=None if env is None else dict(os.environ, **env))
