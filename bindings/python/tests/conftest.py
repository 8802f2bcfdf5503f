"""The tests import the package from this source tree; the library comes from the place the
package finds it (CORVIXMATH_LIBRARY in CI: the build's libcorvixmath). The command-line tool
whose output the window tests compare with is the file CORVIXMATH_TOOL names (scripts/test-python
sets it to <build>/tools/corvixmath), else the one beside CORVIXMATH_LIBRARY's build."""

import os
import subprocess
import sys
from pathlib import Path

import pytest

sys.path.insert(0, str(Path(__file__).resolve().parent.parent))


def _tool_path():
    named = os.environ.get("CORVIXMATH_TOOL")
    if named:
        return Path(named)
    library = os.environ.get("CORVIXMATH_LIBRARY")
    return Path(library).resolve().parent / "tools" / "corvixmath" if library else None


@pytest.fixture(scope="session")
def tool():
    """Runs `corvixmath ARGS...` on a CSV text and gives what it wrote: (stdout, stderr)."""
    path = _tool_path()
    if path is None or not path.is_file():
        pytest.skip(f"the corvixmath tool is not at {path}: set CORVIXMATH_TOOL to "
                    "<build>/tools/corvixmath (scripts/test-python does)")

    def run(csv_text, *arguments):
        done = subprocess.run([str(path), *arguments, "-"], input=csv_text, capture_output=True,
                              text=True)
        assert done.returncode == 0, done.stderr
        return done.stdout, done.stderr

    return run
