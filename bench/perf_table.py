#!/usr/bin/python3
"""The zr-against-peer table and the elementary-function table of docs/performance.md from one
zr_bench JSON run (medians of the repetitions, CPU time; manual time where a benchmark times
only the call):

    zr_bench --benchmark_filter=-Sweep_ --benchmark_repetitions=3 --benchmark_report_aggregates_only=true \\
             --benchmark_format=json > run.json
    /usr/bin/python3 bench/perf_table.py run.json
"""
import json
import statistics
import sys

# (zr benchmark, peer benchmark, zr label, peer label, what bounds zr)
PAIRS = [
    ("ZR_quaMulti", "Eigen_quaternionProduct", "`quaMulti`", "`Quaterniond` product",
     "the call: QuaD by value in memory; the same body out of line in the program costs the same, inlined 1.5 ns"),
    ("ZR_qua2RMatrix", "Eigen_toRotationMatrix", "`qua2RMatrix`", "`toRotationMatrix()`",
     "normalisation first: sqrt then 4 divisions (2 divpd); the same operations inlined 8.2 ns, without it 2.5 ns"),
    ("ZR_rotation2Qua", "Eigen_quaternionFromMatrix", "`rotation2Qua`", "`Quaterniond(Matrix3d)`",
     "two sqrt and six divisions in sequence (trace branch, then the normalisation; 2 divpd)"),
    ("ZR_euler2QuaRadian", "Eigen_threeAngleAxis", "`euler2QuaRadian` (ZYX)", "three `AngleAxisd`",
     "three sine/cosine pairs (one reduction each), the matrix, the matrix-to-quaternion step"),
] + [(f"ZR_matrixMulmats/{n}", f"Eigen_matrixProduct/{n}", f"`matrixMulmats` n={n}", f"`MatrixXd` product n={n}",
      "2×8 register block, sums in ascending k") for n in (4, 16, 64)] + [
    (f"ZR_invMat/{n}", f"Eigen_inverse/{n}", f"`invMat` n={n}", f"`inverse()` n={n}",
     "full-pivot Gauss-Jordan, rows in pairs") for n in (4, 8, 16)] + [
    (f"ZR_detMatrix/{n}", f"Eigen_determinant/{n}", f"`detMatrix` n={n}", f"`determinant()` n={n}",
     "cofactor expansion over column subsets: n·2^(n−1) terms from lists made at compile time (LU is n³/3)") for n in range(3, 11)] + [
    (f"ZR_svd/{n}", f"Eigen_jacobiSVD/{n}", f"`SVD::compute` {n}×{n}", f"`JacobiSVD` {n}×{n}",
     "two classical Jacobi eigen-decompositions; atan2 and two sin/cos pairs per rotation") for n in (3, 8, 16)] + [
    ("ZR_getGaussianKernel", "OpenCV_getGaussianKernel", "`getGaussianKernel` 7×7", "`getGaussianKernel` + outer product",
     "16 exp calls (one per distinct |x|, |y| pair)"),
    ("ZR_sobel/512", "OpenCV_Sobel/512", "`sobel` 512×512", "`Sobel` ×2 + `magnitude`",
     "copy of the input taken by value (1 MB, 512 rows) and a double sqrt per pixel"),
    ("ZR_otsu/512", "OpenCV_thresholdOtsu/512", "`imageBinaryzation` 512×512", "`threshold` `THRESH_OTSU`",
     "copy of the input taken by value (1 MB, 512 rows); the rest is one histogram pass"),
    ("ZR_otsuCall/512", "OpenCV_thresholdOtsu/512", "`imageBinaryzation` 512×512, the call alone",
     "`threshold` `THRESH_OTSU`", "one counter increment per pixel (histogram), then the threshold pass in place"),
    ("ZR_boxFilter/normalise:0", "OpenCV_blur", "`boxFilter` 15, not normalised", "`blur` 15×15",
     "exact integer running sums; copy of the input by value"),
    ("ZR_boxFilter/normalise:1", "OpenCV_blur", "`boxFilter` 15, normalised", "`blur` 15×15",
     "225 rounded terms per window in row-major order: not an exact sum, so no running sum; 4 additions per cycle at best"),
] + [(f"ZR_convexHull{a}/{n}", f"OpenCV_convexHull/{n}", f"`convexHull{a}` {n} pts", f"`convexHull` {n} pts",
      b) for n in (1000, 100000) for a, b in (
          ("Graham", "radix sort of monotone angle keys, exact comparator on runs of equal keys, scan (call timed alone)"),
          ("Jarvis", "O(n·h) exact orientation tests, two per SSE2 instruction"),
          ("DivideConquer", "farthest-point splitting on a compact copy of the coordinates"))] + [
    ("ZR_conv/1024", "Plain_conv/1024", "`conv` 1024 ⊛ 64", "plain double loop", "the same loop order, in pairs"),
    ("ZR_conv2", "Plain_conv2", "`conv2` 64×64 ⊛ 5×5", "plain quadruple loop", "float running sum per entry in fixed order, two entries per SSE2 instruction"),
    ("ZR_sin", "Runtime_sin", "`sin` series", "C runtime `sin`", "29 divisions by factorials"),
    ("ZR_cos", "Runtime_cos", "`cos` series", "C runtime `cos`", "29 divisions by factorials"),
    ("ZR_asin", "Runtime_asin", "`asin` series", "C runtime `asin`", "100 divisions p/n"),
]

ELEMENTARY = [("sin", "`sin`"), ("cos", "`cos`"), ("asin", "`asin`"), ("acos", "`acos`"),
              ("acos_sin", "`acos`, then `sin` of it (`acosSin`)"), ("atan", "`atan`"),
              ("atan2", "`atan2`"), ("exp", "`exp`"), ("log", "`log`"),
              ("pow", "`pow` (x in [0.01, 10], y in [−3, 3])"), ("pow_int", "`pow` (Bezier weights)"),
              ("sinh", "`sinh`"), ("cosh", "`cosh`"), ("tanh", "`tanh`")]


def fmt(ns):
    if ns >= 1e6:
        return f"{ns / 1e6:.2f} ms"
    if ns >= 1e3:
        return f"{ns / 1e3:.2f} µs"
    return f"{ns:.1f} ns"


def main():
    data = json.load(open(sys.argv[1]))
    scale = {"ns": 1.0, "us": 1e3, "ms": 1e6}
    # Benchmarks that time only part of an iteration report it as manual (real) time.
    med = {b["run_name"].removesuffix("/manual_time"):
           (b["real_time"] if b["run_name"].endswith("/manual_time") else b["cpu_time"]) * scale[b["time_unit"]]
           for b in data["benchmarks"] if b.get("aggregate_name") == "median"}
    print("| zr operation | zr median | baseline | baseline median | zr / baseline | what bounds zr |")
    print("|---|---:|---|---:|---:|---|")
    ratios = []
    for z, p, zl, pl, why in PAIRS:
        if z not in med or p not in med:
            continue
        r = med[z] / med[p]
        ratios.append(r)
        print(f"| {zl} | {fmt(med[z])} | {pl} | {fmt(med[p])} | {r:.2f} | {why} |")
    print(f"\nMedian of the {len(ratios)} ratios: {statistics.median(ratios):.2f}.")

    # The library's own elementary functions against the C runtime: zr_<f> / glibc_<f>, per call
    # (each iteration makes 1024 calls).
    print("\n| function | zr [ns] | glibc [ns] | zr / glibc |")
    print("|---|---:|---:|---:|")
    for f, label in ELEMENTARY:
        z, g = med.get(f"unary/zr_{f}") or med.get(f"binary/zr_{f}"), med.get(f"unary/glibc_{f}") or med.get(f"binary/glibc_{f}")
        if z is None or g is None:
            continue
        print(f"| {label} | {z / 1024:.1f} | {g / 1024:.1f} | {z / g:.2f} |")


if __name__ == "__main__":
    main()
