"""The reference manual's Python example prints exactly the output the manual shows."""

import os
import subprocess
import sys
from pathlib import Path

EXAMPLES = Path(__file__).resolve().parents[3] / "examples"


def test_the_manual_example_prints_what_the_manual_shows():
    environment = dict(os.environ, PYTHONPATH=str(Path(__file__).resolve().parents[1]))
    run = subprocess.run([sys.executable, str(EXAMPLES / "python_example.py")], env=environment,
                         capture_output=True, text=True, check=True)
    assert run.stdout == (EXAMPLES / "expected" / "python_example.txt").read_text()
