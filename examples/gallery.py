#!/usr/bin/env python3
"""Pictures of what zr computes, rendered with matplotlib (Agg) into a folder.

    /usr/bin/python3 examples/gallery.py [FOLDER]      (default: docs/gallery)

bezier.png  the four Bezier operations on the same control points
hulls.png   the three convex hulls of one point set; the collinear boundary points they keep
image.png   Sobel magnitude, Canny directions, Otsu binarisation and opening of a photograph
euler.png   an orientation round trip for each of the six Euler orders, drawn as frames
"""

import importlib.util
import pathlib
import sys

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402
import numpy as np  # noqa: E402

import zr  # noqa: E402
from zr import Graph, imageProcessing as ip, mathCommon as mc  # noqa: E402

PICTURES = ("bezier.png", "hulls.png", "image.png", "euler.png")


def bezier(path):
    x, y = [0, 20, 70, 100], [0, 90, -30, 40]
    fig, axes = plt.subplots(1, 4, figsize=(12, 3.2), sharey=True)
    for ax, name, note in zip(axes, ("bezier_1", "bezier_2", "bezier_3", "bezier_n"),
                              ("first two points", "last three", "last four", "all points")):
        curve = getattr(Graph, name)(x, y)
        ax.plot(x, y, "o--", color="0.6", lw=1)
        ax.plot(curve[:, 0], curve[:, 1], lw=2)
        ax.set_title(f"{name}: {note}\n{len(curve)} samples", fontsize=9)
    fig.tight_layout()
    fig.savefig(path, dpi=72)


def hulls(path):
    rng = np.random.default_rng(3)
    inner = np.column_stack([rng.integers(1, 40, 60), rng.integers(1, 30, 60)])
    edge = [(t, 0) for t in range(0, 41, 8)] + [(40, t) for t in range(0, 31, 10)] + \
           [(40 - t, 30) for t in range(0, 41, 10)] + [(0, 30 - t) for t in range(0, 31, 15)]
    pts = np.unique(np.vstack([inner, np.array(edge)]), axis=0).astype(np.int32)
    pts = pts[rng.permutation(len(pts))]
    corners = {(0, 0), (40, 0), (40, 30), (0, 30)}
    results = {"convexHullGraham": Graph.convexHullGraham(pts)[0],
               "convexHullJarvis": Graph.convexHullJarvis(pts),
               "convexHullDivideConquer": Graph.convexHullDivideConquer(pts)}
    centre = pts.mean(axis=0)
    fig, axes = plt.subplots(1, 3, figsize=(12, 4))
    for ax, (name, hull) in zip(axes, results.items()):
        ax.plot(pts[:, 0], pts[:, 1], ".", color="0.6")
        # The boundary drawn around the centre; the numbers give the order each operation returns.
        ring = hull[np.argsort(np.arctan2(hull[:, 1] - centre[1], hull[:, 0] - centre[0]))]
        ring = np.vstack([ring, ring[:1]])
        ax.plot(ring[:, 0], ring[:, 1], "-", lw=1, color="tab:blue")
        edge_pts = np.array([p for p in hull if tuple(p) not in corners])
        ax.plot(edge_pts[:, 0], edge_pts[:, 1], "o", mfc="none", mec="tab:red", ms=8)
        for k, p in enumerate(hull):
            ax.annotate(str(k), p, fontsize=7, xytext=(3, 3), textcoords="offset points")
        ax.set_title(f"{name}: {len(hull)} points,\n{len(edge_pts)} of them collinear (red)", fontsize=9)
        ax.set_aspect("equal")
        ax.set(xlim=(-4, 46), ylim=(-4, 36))
    fig.tight_layout()
    fig.savefig(path, dpi=72)


def photograph():
    """camera.png as shipped with scikit-image (Debian: python3-skimage), halved to 256 x 256."""
    found = importlib.util.find_spec("skimage")
    png = pathlib.Path(found.submodule_search_locations[0]) / "data" / "camera.png"
    img = plt.imread(png)  # floats in [0, 1]
    img = img[..., 0] if img.ndim == 3 else img
    return np.rint(img[::2, ::2] * 255).astype(np.int32)


def image(path):
    img = photograph()
    _, _, magnitude = ip.sobel(img)
    _, _, mag, direction = ip.canny(img)
    binary = ip.imageBinaryzation(img)
    opened = ip.imageopen(binary // 255)
    fig, axes = plt.subplots(1, 4, figsize=(14, 3.9))
    axes[0].imshow(np.minimum(magnitude, 400), cmap="gray")
    shown = np.ma.masked_where(mag < 60, direction)  # directions where there is an edge
    axes[1].imshow(np.zeros_like(direction), cmap="gray")
    axes[1].imshow(shown, cmap="hsv", vmin=0, vmax=359)
    axes[2].imshow(binary, cmap="gray")
    axes[3].imshow(opened, cmap="gray")
    titles = ("sobel: magnitude", "canny: direction (hue, degrees)", "imageBinaryzation (Otsu)",
              "imageopen of the binary image")
    for ax, title in zip(axes, titles):
        ax.set_title(title, fontsize=9)
        ax.axis("off")
    fig.tight_layout()
    fig.savefig(path, dpi=72)


def euler(path):
    angles = np.array([30.0, -20.0, 60.0])  # about x, y, z
    fig = plt.figure(figsize=(12, 7))
    for k, order in enumerate(zr.ChannelOrderEuler):
        q = mc.euler2QuaDegree(angles, order)
        back = mc.qua2EulDegree(q, order)
        again = mc.euler2QuaDegree(back, order)
        ax = fig.add_subplot(2, 3, k + 1, projection="3d")
        for a in np.eye(3):
            ax.plot([0, a[0]], [0, a[1]], [0, a[2]], ":", color="0.5", lw=1)  # the world frame
        for m, style, width in ((mc.qua2RMatrix(q), "-", 3), (mc.qua2RMatrix(again), "--", 1.5)):
            for axis, colour in enumerate(("tab:red", "tab:green", "tab:blue")):
                v = m[axis]  # row-vector layout: row i is the image of axis i
                ax.plot([0, v[0]], [0, v[1]], [0, v[2]], style, color=colour, lw=width)
        ax.set(xlim=(-1, 1), ylim=(-1, 1), zlim=(-1, 1), xticklabels=[], yticklabels=[], zticklabels=[])
        ulp = np.max(np.abs(again - q)) / 2.0**-52
        ax.set_title(f"{order.name}: back to ({back[0]:.6g}, {back[1]:.6g}, {back[2]:.6g}) deg\n"
                     f"quaternion again within {ulp:.2g} eps", fontsize=8)
    fig.suptitle("Euler (30, -20, 60) deg -> quaternion -> Euler -> quaternion; x red, y green, z blue; "
                 "solid: first, dashed: after the round trip; dotted: world frame", fontsize=9)
    fig.subplots_adjust(left=0.02, right=0.98, bottom=0.02, top=0.9, wspace=0.05, hspace=0.2)
    fig.savefig(path, dpi=72)


def main(folder):
    out = pathlib.Path(folder)
    out.mkdir(parents=True, exist_ok=True)
    for name, draw in zip(PICTURES, (bezier, hulls, image, euler)):
        draw(out / name)
        plt.close("all")
        print(out / name)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).resolve().parents[1] / "docs" / "gallery")
