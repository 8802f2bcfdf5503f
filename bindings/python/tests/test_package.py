"""The package itself: the version, the library it loaded and what it says when it cannot."""

import os
import re
import subprocess
import sys
from pathlib import Path

import corvixmath as cm
from corvixmath import _library

PYPROJECT = Path(__file__).resolve().parent.parent / "pyproject.toml"


def test_version_is_the_libraries_and_the_projects():
    assert cm.__version__.count(".") == 2
    assert f'version = "{cm.__version__}"' in PYPROJECT.read_text()


def test_every_c_function_is_declared_with_its_arguments():
    header = Path(__file__).resolve().parents[3] / "include" / "corvixmath" / "corvixmath.h"
    declared = {name: 0 if arguments.strip() == "void" else arguments.count(",") + 1
                for name, arguments in re.findall(r"CORVIXMATH_CALL\s+(cm_\w+)\(([^)]*)\)",
                                                  header.read_text())}
    assert set(declared) == set(_library.function_names())
    for name, _, arguments in _library._PROTOTYPES:
        assert len(arguments) == declared[name], name


def test_limits_come_from_the_header():
    assert cm.LIMITS["MAX_SERIES"] > 0
    assert cm.MISSING_VALUE == cm.LIMITS["MISSING_VALUE"] < 0


def test_a_missing_library_says_where_it_looked(tmp_path):
    environment = dict(os.environ, CORVIXMATH_LIBRARY=str(tmp_path / "nowhere.so"),
                       LD_LIBRARY_PATH="", PYTHONPATH=str(PYPROJECT.parent))
    run = subprocess.run([sys.executable, "-c", "import corvixmath"], env=environment,
                         capture_output=True, text=True, cwd=tmp_path)
    assert run.returncode != 0
    assert "LibraryNotFoundError" in run.stderr
    assert "nowhere.so" in run.stderr
    assert "CORVIXMATH_LIBRARY" in run.stderr
