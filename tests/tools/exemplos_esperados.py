#!/usr/bin/env python3
"""Key numbers of the example sessions, computed apart from the program.

Each statistic is computed here from the data of examples/NN-*.txt with the
textbook formula, every named value rounded to single precision (as the
program stores it), and printed rounded to the decimals the screen shows.
tests/examples_test.cpp states these numbers as the expected ones; run this
script again after changing an example's data.
"""
import math
import struct


def f32(x):
    """Round to the nearest single-precision value."""
    return struct.unpack("f", struct.pack("f", x))[0]


def soma(valores):
    total = f32(0.0)
    for v in valores:
        total = f32(total + v)
    return total


def dimensionamento_piloto(dados, errop):
    """Code 1: sample size for a mean, percentage error, pilot sample."""
    x = [f32(v) for v in dados]
    rn = f32(len(x))
    somax = soma(x)
    somax2 = soma(f32(v * v) for v in x)
    varx = f32((somax2 - somax * somax / rn) / (rn - 1))
    mediax = f32(somax / rn)
    cv = f32(math.sqrt(varx) / mediax)
    errop = f32(errop)
    return f32(4.0 * cv * cv / (errop * errop)), mediax, varx


def potencia(pares):
    """Code 7, model 5: least squares of ln Y on ln X."""
    x = [f32(math.log(a)) for a, _ in pares]
    y = [f32(math.log(b)) for _, b in pares]
    n = len(pares)
    ssx, ssy = soma(x), soma(y)
    ssxy = soma(f32(a * b) for a, b in zip(x, y))
    ssx2 = soma(f32(a * a) for a in x)
    ssy2 = soma(f32(b * b) for b in y)
    covxy = f32(ssxy - ssx * ssy / n)
    varx = f32(ssx2 - ssx * ssx / n)
    vary = f32(ssy2 - ssy * ssy / n)
    r = f32(covxy / math.sqrt(varx * vary))
    b = f32(covxy / varx)
    a = f32(math.exp(f32(ssy / n - (ssx / n) * b)))
    somer = f32(0.0)
    for (xx, yy) in pares:
        somer = f32(somer + (yy - f32(f32(xx ** b) * a)) ** 2)
    erro = f32(math.sqrt(somer / (n - 2)))
    return r, a, b, erro


def sequencias(n1, n2, runs):
    """Code 8: normal statistic of the number of runs."""
    mr = f32(2.0 * n1 * n2 / (n1 + n2) + 1)
    s2r = f32(2.0 * n1 * n2 * (2.0 * n1 * n2 - n1 - n2) / ((n1 + n2) ** 2 * (n1 + n2 - 1)))
    sr = f32(math.sqrt(s2r))
    return f32(abs((runs - mr) / sr)), mr, sr


def qui_quadrado(pares):
    """Code 9: goodness of fit."""
    qui = f32(0.0)
    for fo, fe in pares:
        qui = f32(qui + f32((f32(fo) - f32(fe)) ** 2 / f32(fe)))
    return qui, len(pares) - 1


def spearman(xs, ys):
    """Code 14: rank correlation (no ties in these data) and its t."""
    rx = [sorted(xs).index(v) + 1 for v in xs]
    ry = [sorted(ys).index(v) + 1 for v in ys]
    n = len(xs)
    somad2 = soma(f32((b - a) ** 2) for a, b in zip(rx, ry))
    rs = f32(1 - somad2 * 6.0 / (n * n * n - n))
    t = f32(math.sqrt((n - 2.0) / (1 - rs * rs)) * rs)
    return rs, t


def kruskal_wallis(colunas):
    """Code 15: H of treatments without ties."""
    todos = sorted(v for c in colunas for v in c)
    n = len(todos)
    nl = len(colunas[0])
    somar2 = soma(f32(sum(todos.index(v) + 1 for v in c) ** 2 / nl) for c in colunas)
    return f32(12 / (n * (n + 1)) * somar2 - 3 * (n + 1)), len(colunas) - 1


def main():
    colesterol = [182, 215, 198, 240, 176, 205, 221, 190, 163, 230,
                  208, 187, 252, 199, 171, 226, 194, 210, 185, 248]
    rnc, media, var = dimensionamento_piloto(colesterol, 0.05)
    print(f"01 media {media:.4f} variancia {var:.4f} tamanho {rnc:.4f} -> {rnc:.0f}.")
    r, a, b, erro = potencia([(1, 2), (2, 4), (3, 6)])
    print(f"07 modelo 5: r {r:.2f} a {a:.2f} b {b:.2f} erro {erro:.2f}")
    z, mr, sr = sequencias(10, 10, 20)
    print(f"08 Z {z:.7f} MR {mr:.6f} SR {sr:.7f}")
    qui, gl = qui_quadrado([(315, 312.75), (108, 104.25), (101, 104.25), (32, 34.75)])
    print(f"09 qui {qui:.2f} gl {gl}")
    print(f"10 Dc {abs(30 / 40 - 0.5):.3f} Dt {f32(1.36 / math.sqrt(40)):.3f}")
    rs, t = spearman([2, 4, 5, 7, 8, 10, 11, 13, 14, 16], [55, 60, 52, 68, 71, 65, 80, 78, 85, 83])
    print(f"14 rs {rs:.3f} t {t:.2f}")
    h, gl = kruskal_wallis([[1, 2], [3, 4], [5, 6]])
    print(f"15 H {h:.2f} gl {gl}")


if __name__ == "__main__":
    main()
