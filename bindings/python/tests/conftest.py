"""The tests import the package from this source tree; the library comes from the place the
package finds it (CORVIXMATH_LIBRARY in CI: the build's libcorvixmath)."""

import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent))
