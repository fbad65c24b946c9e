"""Builds the extension module `zr` with CMake: `pip install .` and `python3 -m build --wheel`.

The module is the pybind11 target of python/CMakeLists.txt, which compiles libzr's sources into
the module itself, so the wheel holds one self-contained file. Needs cmake, a C++17 compiler,
pybind11 (Debian: pybind11-dev) and the interpreter's headers; nothing is downloaded.
"""

import os
import pathlib
import subprocess
import sys

from setuptools import Extension, setup
from setuptools.command.build_ext import build_ext

ROOT = pathlib.Path(__file__).resolve().parent


class CMakeBuild(build_ext):
    def build_extension(self, ext):
        build = pathlib.Path(self.build_temp).resolve() / "cmake"
        out = build / "module"
        subprocess.run(["cmake", "-S", str(ROOT), "-B", str(build), "-DCMAKE_BUILD_TYPE=Release",
                        "-DZR_PYTHON=ON", "-DZR_BUILD_TESTS=OFF", "-DZR_BUILD_EXAMPLES=OFF",
                        "-DZR_INSTALL=OFF", f"-DPython_EXECUTABLE={sys.executable}",
                        f"-DZR_PYTHON_OUTPUT_DIR={out}"], check=True)
        jobs = os.environ.get("CMAKE_BUILD_PARALLEL_LEVEL", "2")
        subprocess.run(["cmake", "--build", str(build), "--target", "zr_python", "-j", jobs], check=True)
        built = sorted(out.glob("zr*.so"))
        if len(built) != 1:
            raise RuntimeError(f"expected one module file in {out}, found {built}")
        target = pathlib.Path(self.get_ext_fullpath(ext.name))
        target.parent.mkdir(parents=True, exist_ok=True)
        self.copy_file(str(built[0]), str(target))


setup(ext_modules=[Extension("zr", sources=[])], cmdclass={"build_ext": CMakeBuild})
