#!/usr/bin/env bash
# Python module: build it with the `python` preset, run the pytest suite (against SciPy and
# NumPy) and the example. Always the system interpreter: it is the one Debian's NumPy, SciPy and
# pytest belong to, whatever python3 comes first on PATH.
set -euo pipefail
cd "$(dirname "$0")/.."
. .ci/apt.sh
PY=/usr/bin/python3

need=()
[ -e /usr/lib/cmake/pybind11/pybind11Config.cmake ] || need+=(pybind11-dev)
[ -x "$PY" ] && "$PY" -c 'import sysconfig, os, sys; sys.exit(not os.path.exists(os.path.join(sysconfig.get_paths()["include"], "Python.h")))' 2>/dev/null || need+=(python3-dev)
[ -x "$PY" ] && "$PY" -c 'import numpy' 2>/dev/null || need+=(python3-numpy)
[ -x "$PY" ] && "$PY" -c 'import scipy.spatial, scipy.signal' 2>/dev/null || need+=(python3-scipy)
[ -x "$PY" ] && "$PY" -c 'import pytest' 2>/dev/null || need+=(python3-pytest)
apt_install ${need[@]+"${need[@]}"}

cmake --preset python
cmake --build --preset python

export ZR_PYTHON_MODULE_DIR="$PWD/build/python/python"
export PYTHONPATH="$ZR_PYTHON_MODULE_DIR${PYTHONPATH:+:$PYTHONPATH}"
export PYTHONDONTWRITEBYTECODE=1

# pytest exits 5 when it collects no tests; an empty suite is a failure here as well.
status=0
"$PY" -m pytest -q -p no:cacheprovider tests/python || status=$?
if [ "$status" -ne 0 ]; then
  [ "$status" -eq 5 ] && echo "pytest collected no tests"
  echo "python tests failed (pytest exit $status)"
  exit 1
fi

"$PY" examples/orientation.py
