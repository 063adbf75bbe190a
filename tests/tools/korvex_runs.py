"""Runs the real korvex in a scratch folder with its files: KORVEX_BINARY
names the program, else the build's."""
import os
import shutil
import subprocess
from pathlib import Path

REPO = Path(__file__).resolve().parents[2]


def run_korvex(folder, *arguments, env=None):
    """Runs korvex in FOLDER, which gets the bundled program and images."""
    binary = os.environ.get("KORVEX_BINARY") or str(REPO / "build" / "korvex")
    if not (folder / "fasm_1.txt").exists():
        shutil.copy(REPO / "fasm_1.txt", folder)
        shutil.copytree(REPO / "Images", folder / "Images")
    return subprocess.run([os.path.abspath(binary), *arguments], cwd=folder,
                          stdin=subprocess.DEVNULL, capture_output=True, timeout=300,
                          env=None if env is None else dict(os.environ, **env))
