#!/usr/bin/env python3
"""Reads the pictures the unit tests draw with a real XML parser: each is
well-formed SVG with a title and a summary, and a few points lie where their
axes' tick labels say they should.

    graficos_xml.py LOUSA_TESTS FOLDER
"""
import os
import subprocess
import sys
import xml.etree.ElementTree as ET

NS = {"s": "http://www.w3.org/2000/svg"}
failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def axis(root, cls, coordinate):
    """The value-to-pixel map that two tick labels of an axis define."""
    ticks = [(float(t.text), float(t.get(coordinate))) for t in root.iterfind(f".//s:text[@class='{cls}']", NS)]
    (v0, p0), (v1, p1) = ticks[0], ticks[-1]
    if cls == "marca-y":
        p0, p1 = p0 - 4, p1 - 4  # labels sit 4 px below their tick
    return lambda v: p0 + (v - v0) * (p1 - p0) / (v1 - v0)


def points_at(root, xs, ys, name, cls="ponto"):
    x, y = axis(root, "marca-x", "x"), axis(root, "marca-y", "y")
    drawn = [(float(c.get("cx")), float(c.get("cy"))) for c in root.iterfind(f".//s:circle[@class='{cls}']", NS)]
    check(len(drawn) == len(xs), f"{name}: {len(drawn)} points drawn, {len(xs)} expected")
    for (cx, cy), vx, vy in zip(drawn, xs, ys):
        check(abs(cx - x(vx)) <= 0.15 and abs(cy - y(vy)) <= 0.15,
              f"{name}: point ({vx}, {vy}) drawn at ({cx}, {cy}), axes say ({x(vx):.1f}, {y(vy):.1f})")


def main():
    tests, folder = sys.argv[1], sys.argv[2]
    os.makedirs(folder, exist_ok=True)
    for old in os.listdir(folder):
        os.remove(os.path.join(folder, old))
    subprocess.run([tests, "--gtest_filter=GraficosArquivos.*"], check=True, stdout=subprocess.DEVNULL,
                   env=dict(os.environ, LOUSA_GRAFICOS_SAIDA=folder))
    roots = {}
    for name in sorted(os.listdir(folder)):
        try:
            roots[name] = ET.parse(os.path.join(folder, name)).getroot()
        except ET.ParseError as error:
            failures.append(f"{name}: not well-formed: {error}")
    check(len(roots) >= 15, f"only {len(roots)} pictures written")
    for name, root in roots.items():
        check(root.tag == "{http://www.w3.org/2000/svg}svg", f"{name}: root is {root.tag}")
        for part in ("title", "desc"):
            element = root.find(f"s:{part}", NS)
            check(element is not None and element.text and element.text.strip(), f"{name}: no {part}")

    points_at(roots["07-correlacao-e-regressao.svg"], [1, 2, 3, 4, 5], [2.1, 3.9, 6.2, 7.8, 10.1], "code 7")
    points_at(roots["14-spearman.svg"], [1, 2, 3, 4, 5], [2, 1, 4, 3, 5], "code 14")
    runs = [3, 7, 8, 2, 1, 9, 9, 4, 5, 6, 2, 8, 7, 1, 3, 9, 5, 5, 2, 8]
    runs = [3, 7, 8, 2, 1, 9, 9, 4, 5, 6, 2, 8, 7, 1, 3, 9, 5, 5, 2, 8]
    points_at(roots["08-teste-de-aleatoriedade.svg"], range(1, 21), runs, "code 8")
    check(len(roots["08-teste-de-aleatoriedade.svg"].findall(".//s:rect[@class='sequencia']", NS)) == 6,
          "code 8: the 12 runs around the median 5 are not shaded alternately (6 shaded)")

    root = roots["02-teste-t-de-student.svg"]
    y = axis(root, "marca-y", "y")
    means = [float(line.get("y1")) for line in root.iterfind(".//s:line[@class='centro']", NS)]
    check(len(means) == 2 and abs(means[0] - y(12.75)) <= 0.15 and abs(means[1] - y(10.4)) <= 0.15,
          f"code 2: the means are drawn at {means}")

    root = roots["t.svg"]
    x = axis(root, "marca-x", "x")
    marks = [float(line.get("x1")) for line in root.iterfind(".//s:line[@class='estatistica']", NS)]
    check(len(marks) == 1 and abs(marks[0] - x(2.5)) <= 0.15, f"t: the statistic is drawn at {marks}")
    check(len(root.findall(".//s:path[@class='rejeicao']", NS)) == 2, "t: two tails are not shaded")

    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
