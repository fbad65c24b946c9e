#!/usr/bin/python3
"""Time against size for zr and its peer, log-log: runs the Sweep_ benchmarks of zr_bench and writes
docs/performance_sweep.png.

    /usr/bin/python3 bench/plot_sweep.py build/bench/bench/zr_bench docs/performance_sweep.png
"""
import json
import subprocess
import sys
from collections import defaultdict

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402

PANELS = [
    ("detMatrix (order n)", "n", ["Sweep_ZR_detMatrix", "Sweep_Eigen_determinant"], 1),
    ("SVD::compute (n × n)", "n", ["Sweep_ZR_svd", "Sweep_Eigen_jacobiSVD"], 1),
    ("convex hulls (points)", "points", ["Sweep_ZR_convexHullGraham", "Sweep_ZR_convexHullJarvis",
                                          "Sweep_ZR_convexHullDivideConquer", "Sweep_OpenCV_convexHull"], 1),
    ("sobel / Otsu (pixels)", "pixels", ["Sweep_ZR_sobel", "Sweep_OpenCV_Sobel", "Sweep_ZR_otsu",
                                          "Sweep_OpenCV_otsu"], 2),
]


def main():
    exe, out = sys.argv[1], sys.argv[2]
    run = subprocess.run([exe, "--benchmark_filter=^Sweep_", "--benchmark_min_time=0.02", "--benchmark_format=json"],
                         check=True, capture_output=True, text=True)
    series = defaultdict(list)
    for b in json.loads(run.stdout)["benchmarks"]:
        name, arg = b["name"].split("/")[:2]
        scale = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3}[b["time_unit"]]
        manual = b["name"].endswith("/manual_time")  # only the call is timed
        series[name].append((int(arg), b["real_time" if manual else "cpu_time"] * scale))
    fig, axes = plt.subplots(2, 2, figsize=(11, 8))
    for ax, (title, unit, names, power) in zip(axes.flat, PANELS):
        for name in names:
            pts = sorted(series.get(name, []))
            if pts:
                ax.loglog([a ** power for a, _ in pts], [t for _, t in pts], marker="o",
                          label=name.replace("Sweep_", "").replace("_", " "))
        ax.set_title(title)
        ax.set_xlabel(unit)
        ax.set_ylabel("CPU time per call [s]")
        ax.grid(True, which="both", alpha=0.3)
        ax.legend(fontsize=8)
    fig.tight_layout()
    fig.savefig(out, dpi=90)


if __name__ == "__main__":
    main()
