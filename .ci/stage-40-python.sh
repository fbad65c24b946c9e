#!/usr/bin/env bash
# Python module as a user gets it: `pip install --no-build-isolation .` into a fresh venv, then a
# wheel from `python3 -m build --no-isolation --wheel` installed into another fresh venv; the pytest
# suite (against SciPy and NumPy), the examples, the gallery and the Dask example run against that
# installed wheel, not the build tree. Always the system interpreter: it is the one Debian's
# NumPy, SciPy and pytest belong to, whatever python3 comes first on PATH. No network: pip gets
# --no-index and the build has no isolation.
set -euo pipefail
cd "$(dirname "$0")/.."
. .ci/apt.sh
PY=/usr/bin/python3
has() { [ -x "$PY" ] && "$PY" -c "$1" 2>/dev/null; }

need=()
[ -e /usr/lib/cmake/pybind11/pybind11Config.cmake ] || need+=(pybind11-dev)
has 'import sysconfig, os, sys; sys.exit(not os.path.exists(os.path.join(sysconfig.get_paths()["include"], "Python.h")))' || need+=(python3-dev)
has 'import numpy' || need+=(python3-numpy)
has 'import scipy.spatial, scipy.signal' || need+=(python3-scipy)
has 'import pytest' || need+=(python3-pytest)
has 'import ensurepip' || need+=(python3-venv)
has 'import pip' || need+=(python3-pip)
has 'import build, wheel, setuptools' || need+=(python3-build python3-wheel python3-setuptools)
has 'import matplotlib' || need+=(python3-matplotlib)
has 'import importlib.util as u, pathlib, sys; sys.exit(not (pathlib.Path(u.find_spec("skimage").submodule_search_locations[0]) / "data" / "camera.png").exists())' || need+=(python3-skimage)
has 'import dask.array' || need+=(python3-dask)
apt_install ${need[@]+"${need[@]}"}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export PYTHONDONTWRITEBYTECODE=1 CMAKE_BUILD_PARALLEL_LEVEL=2
unset ZR_PYTHON_MODULE_DIR

echo "== pip install --no-build-isolation . into a fresh venv"
"$PY" -m venv --system-site-packages "$work/pip"
"$work/pip/bin/pip" install -q --no-index --no-build-isolation .
(cd "$work" && pip/bin/python -c 'import sys, zr; assert zr.__file__.startswith(sys.prefix), zr.__file__; print("installed", zr.__file__)')

echo "== python3 -m build --no-isolation --wheel, installed into another fresh venv"
"$PY" -m build --no-isolation --wheel --outdir "$work/dist" .
"$PY" -m venv --system-site-packages "$work/wheel"
"$work/wheel/bin/pip" install -q --no-index "$work"/dist/zr-*.whl
VPY="$work/wheel/bin/python"
(cd "$work" && "$VPY" -c 'import sys, zr; assert zr.__file__.startswith(sys.prefix), zr.__file__; print("installed", zr.__file__)')

# pytest exits 5 when it collects no tests; an empty suite is a failure here as well. It runs from
# the temporary folder so that nothing but the installed module can be imported.
status=0
(cd "$work" && "$VPY" -m pytest -q -p no:cacheprovider "$OLDPWD/tests/python") || status=$?
if [ "$status" -ne 0 ]; then
  [ "$status" -eq 5 ] && echo "pytest collected no tests"
  echo "python tests failed (pytest exit $status)"
  exit 1
fi

echo "== examples"
"$VPY" examples/orientation.py
"$VPY" examples/gallery.py "$work/gallery"
"$VPY" - "$work/gallery" <<'PYEOF'
import pathlib, sys
import matplotlib.pyplot as plt
sys.path.insert(0, "examples")
from gallery import PICTURES
for name in PICTURES:
    img = plt.imread(pathlib.Path(sys.argv[1]) / name)
    assert img.shape[0] > 100 and img.shape[1] > 100 and img[..., :3].std() > 0.02, f"{name} is blank"
print(f"gallery: {len(PICTURES)} pictures written, none blank")
PYEOF
"$VPY" examples/dask_orientations.py --n 400000 --chunk 50000
