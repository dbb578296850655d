#!/usr/bin/python3
"""OpenCV's ECC (findTransformECC, affine) and ORB + RANSAC on the cases that
bench_align wrote, with the same corner residuals: every image against the
reference image directly (no chain), vertical and horizontal (less the
parallax and a common shift), and the share of the parallax kept.

    apt-get install python3-opencv
    /usr/bin/python3 bench/align_opencv.py ORDNER
"""
import math
import statistics
import sys
import time
from pathlib import Path

import cv2
import numpy as np


def vorwaerts(tx, ty, rot, skal, parallaxe, w, h):
    """Scene point -> view pixel: parallax shear, then the similarity about the centre."""
    a = math.radians(rot)
    cx, cy = w / 2.0, h / 2.0
    sim = np.array([[skal * math.cos(a), -skal * math.sin(a), 0.0],
                    [skal * math.sin(a), skal * math.cos(a), 0.0], [0.0, 0.0, 1.0]])
    sim[0, 2] = cx + tx - sim[0, 0] * cx - sim[0, 1] * cy
    sim[1, 2] = cy + ty - sim[1, 0] * cx - sim[1, 1] * cy
    scher = np.array([[1.0, parallaxe / h, 0.0], [0.0, 1.0, 0.0], [0.0, 0.0, 1.0]])
    return sim @ scher


def ecc(ref, bild):
    """Affine warp reference -> image, coarse to fine; None when it fails."""
    warp = np.eye(2, 3, dtype=np.float32)
    kriterien = (cv2.TERM_CRITERIA_EPS | cv2.TERM_CRITERIA_COUNT, 100, 1e-5)
    for faktor in (8, 4, 2, 1):
        r = cv2.resize(ref, None, fx=1 / faktor, fy=1 / faktor, interpolation=cv2.INTER_AREA)
        b = cv2.resize(bild, None, fx=1 / faktor, fy=1 / faktor, interpolation=cv2.INTER_AREA)
        w = warp.copy()
        w[:, 2] /= faktor
        try:
            _, w = cv2.findTransformECC(r, b, w, cv2.MOTION_AFFINE, kriterien, None, 5)
        except cv2.error:
            return None
        w[:, 2] *= faktor
        warp = w
    m = np.vstack([warp.astype(np.float64), [0, 0, 1]])
    return np.linalg.inv(m)


def orb(ref, bild):
    """Similarity image -> reference from ORB matches with RANSAC; None when it fails."""
    erkenner = cv2.ORB_create(5000)
    k1, d1 = erkenner.detectAndCompute(bild, None)
    k2, d2 = erkenner.detectAndCompute(ref, None)
    if d1 is None or d2 is None:
        return None
    paare = cv2.BFMatcher(cv2.NORM_HAMMING).knnMatch(d1, d2, k=2)
    gut = [p[0] for p in paare if len(p) == 2 and p[0].distance < 0.8 * p[1].distance]
    if len(gut) < 4:
        return None
    a = np.float32([k1[m.queryIdx].pt for m in gut])
    b = np.float32([k2[m.trainIdx].pt for m in gut])
    m, _ = cv2.estimateAffinePartial2D(a, b, method=cv2.RANSAC, ransacReprojThreshold=2.0)
    return None if m is None else np.vstack([m, [0, 0, 1]])


def rest(m, ti, tr, parallaxe, w, h, demo):
    if m is None:
        return None
    ex, senk = [], 0.0
    for y in (0.0, h):
        for x in (0.0, w):
            a = m @ ti @ np.array([x, y, 1.0])
            b = tr @ np.array([x, y, 1.0])
            senk = max(senk, abs(a[1] - b[1]))
            ex.append(a[0] - b[0])
    bereinigt = [ex[k] - parallaxe * (k // 2) for k in range(4)]
    mitte = sum(bereinigt) / 4
    waag = max(abs(v - mitte) for v in bereinigt)
    behalten = 100.0 if demo or abs(parallaxe) <= 1 else 100.0 * ((ex[2] + ex[3]) - (ex[0] + ex[1])) / 2 / parallaxe
    return senk, waag, behalten


def main():
    if len(sys.argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    zusammen = {}
    print(f"{'Fall':34s} {'Verf.':5s} {'Nr':>3s} {'senkr.px':>8s} {'waag.px':>8s} {'Parall.%':>8s} {'s/Paar':>7s}")
    for fall in sorted(Path(sys.argv[1]).iterdir()):
        zeilen = (fall / "wahrheit.txt").read_text().split("\n") if (fall / "wahrheit.txt").exists() else []
        if not zeilen:
            continue
        w, h, anzahl, referenz, demo = (int(v) for v in zeilen[0].split())
        wahr = [[float(v) for v in z.split()] for z in zeilen[1:1 + anzahl]]
        grau = [cv2.imread(str(fall / f"ansicht_{i + 1}.jpg"), cv2.IMREAD_GRAYSCALE) for i in range(anzahl)]
        tr = vorwaerts(*wahr[referenz - 1], w, h)
        massstab = w / 1200.0
        for name, verfahren in (("ECC", ecc), ("ORB", orb)):
            nr = 0
            for i in range(anzahl):
                if i == referenz - 1:
                    continue
                nr += 1
                start = time.perf_counter()
                m = verfahren(grau[referenz - 1].astype(np.float32) if name == "ECC" else grau[referenz - 1],
                              grau[i].astype(np.float32) if name == "ECC" else grau[i])
                dauer = time.perf_counter() - start
                parallaxe = wahr[i][4] - wahr[referenz - 1][4]
                r = rest(m, vorwaerts(*wahr[i], w, h), tr, parallaxe, w, h, demo)
                s = zusammen.setdefault((w, name), {"senk": [], "waag": [], "beh": [], "zeit": [], "fehler": 0})
                s["zeit"].append(dauer)
                if r is None or r[0] > massstab:
                    s["fehler"] += 1
                if r is None:
                    print(f"{fall.name:34s} {name:5s} {nr:3d} {'–':>8s} {'–':>8s} {'–':>8s} {dauer:7.3f}  FEHLER")
                    continue
                s["senk"].append(r[0] / massstab)
                s["waag"].append(r[1] / massstab)
                if not demo:
                    s["beh"].append(r[2])
                print(f"{fall.name:34s} {name:5s} {nr:3d} {r[0]:8.3f} {r[1]:8.3f} {r[2]:8.1f} {dauer:7.3f}"
                      f"{'  FEHLER' if r[0] > massstab else ''}")
                sys.stdout.flush()
    print("\nZusammenfassung (Restfehler auf 1200 × 800 umgerechnet)")
    for (w, name), s in sorted(zusammen.items()):
        med = lambda v: statistics.median(v) if v else float("nan")
        print(f"{w:5d} {name}: Bilder {len(s['zeit'])}, fehlgeschlagen {s['fehler']}; senkrecht Median "
              f"{med(s['senk']):.3f} px, schlechtestes {max(s['senk'], default=float('nan')):.3f} px; waagerecht "
              f"Median {med(s['waag']):.3f} px; Parallaxe behalten Median {med(s['beh']):.1f} %; "
              f"Zeit je Paar Median {med(s['zeit']):.3f} s")
    return 0


if __name__ == "__main__":
    sys.exit(main())
