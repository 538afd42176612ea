#!/usr/bin/env python3
"""Times the largest session of every application against copying its bytes.

For each of the sixteen applications this writes the largest session it
accepts (200 values or pairs, 20 x 20 x 20 values for code 6, a 50 x 50 table
for code 9, ...) as an answer file, runs the program once on it to record its
screen, then times

    lousa < answers > /dev/null        (each program given)
    cat answers screen > /dev/null      (the floor: moving the same bytes)

and prints their ratios, side by side: the dynamically linked program
(--lousa), the fully static one (--static), the same program with extra
arguments (--extra, once per set, for instance "--tabela" or
"--graficos DIR": a set is timed only when `lousa --help` lists each of its
options; DIR stands for a scratch folder), and the browser page (--pagina:
tests/web/banco.js pastes each session into the page in Chromium, with the
panels beside the screen off and on; its medians come from that run). A ratio near 1 means the session costs little more than
starting a process and copying its input and output. It reports; it never
fails (a session that does not end normally is reported as such).

The commands are run in turns, neither through a shell, and the fastest run
of each is kept: on a shared machine the load changes from one moment to the
next, and the fastest run is the one least disturbed by it. With
--hyperfine, hyperfine times them instead (through a shell, medians).
"""
import argparse
import json
import os
import random
import re
import shutil
import subprocess
import sys
import tempfile
import time


def numeros(rng, n, centro, espalhamento, casas=2):
    return [f"{rng.gauss(centro, espalhamento):.{casas}f}" for _ in range(n)]


def pares(rng, n, a, b, ruido):
    """Positive pairs near Y = a + bX, so every regression model has a value."""
    linhas = []
    for j in range(1, n + 1):
        x = j * 0.5
        y = max(0.5, a + b * x + rng.gauss(0, ruido))
        linhas.append(f"{x:.2f} {y:.3f}")
    return linhas


# The answers of each session, from the menu code to the final 0. Every
# count is the largest the application accepts.
def sessoes(rng):
    s = {}
    s[1] = ["1", "1", "2", "0", "200", *numeros(rng, 200, 205, 25), "2", "0.05"]
    s[2] = ["2", "1", "200", "200", *numeros(rng, 200, 50, 8), *numeros(rng, 200, 47, 9), "0"]
    s[3] = ["3", "1", "200", *(f"{a} {b}" for a, b in zip(numeros(rng, 200, 120, 10), numeros(rng, 200, 115, 10)))]
    s[4] = ["4", "1", "20", "20", *numeros(rng, 400, 30, 4)]
    s[5] = ["5", "1", "20", "20", *numeros(rng, 400, 30, 4)]
    s[6] = ["6", "1", "20", "20", "20", *numeros(rng, 8000, 30, 4)]
    # all five models on the same pairs
    s[7] = ["7", "1", "200", *pares(rng, 200, 3, 2, 1), "1", "1", "2", "1", "3", "1", "4", "1", "5", "0"]
    s[8] = ["8", "1", "200", "2", "2", *numeros(rng, 200, 12, 3)]
    s[9] = ["9", "1", "2", "50", "50", *(str(rng.randint(5, 60)) for _ in range(2500))]
    s[10] = ["10", "1", "50", *(f"classe{j:02d}" for j in range(1, 51)), *["2"] * 50,
             *(str(rng.randint(0, 12)) for _ in range(50))]
    s[11] = ["11", "1", "2", "0.42", "150", "0.55", "180"]
    s[12] = ["12", "1", "200", *(f"{a} {b}" for a, b in zip(numeros(rng, 200, 60, 10), numeros(rng, 200, 58, 10)))]
    s[13] = ["13", "1", "100", *numeros(rng, 100, 40, 6), "100", *numeros(rng, 100, 44, 6)]
    s[14] = ["14", "1", "200", *(f"{a} {b}" for a, b in zip(numeros(rng, 200, 170, 9), numeros(rng, 200, 68, 11)))]
    s[15] = ["15", "1", "20", "10", *numeros(rng, 200, 25, 5)]
    # all four curve pages on the same pairs
    s[16] = ["16", "1", "200", *pares(rng, 200, 4, 1.5, 1), "1", "1", "2", "1", "3", "1", "4", "0"]
    return {codigo: linhas + ["0"] for codigo, linhas in s.items()}


def grava_sessoes(lousa, pasta):
    """Writes each answer file and the screen it prints; returns their paths."""
    os.makedirs(pasta, exist_ok=True)
    arquivos = {}
    for codigo, linhas in sessoes(random.Random(1234)).items():
        respostas = os.path.join(pasta, f"{codigo:02d}.txt")
        tela = os.path.join(pasta, f"{codigo:02d}.tela")
        with open(respostas, "w") as f:
            f.write("\n".join(linhas) + "\n")
        with open(respostas, "rb") as entrada, open(tela, "wb") as saida:
            status = subprocess.run([lousa], stdin=entrada, stdout=saida, stderr=subprocess.PIPE).returncode
        with open(tela, "rb") as f:
            recusada = b"ULTRAPASSAM OS LIMITES" in f.read()
        arquivos[codigo] = (respostas, tela, status, recusada)
    return arquivos


def tempos_hyperfine(comandos, respostas, tela, execucoes):
    """Medians of each command and of the floor, the floor last."""
    linhas = [" ".join(f"'{a}'" for a in argv) + f" < '{respostas}' > /dev/null" for argv in comandos]
    linhas.append(f"cat '{respostas}' '{tela}' > /dev/null")
    with tempfile.NamedTemporaryFile(suffix=".json") as relatorio:
        subprocess.run(["hyperfine", "--style", "none", "--warmup", "3", "--runs", str(execucoes),
                        "--export-json", relatorio.name, *linhas],
                       check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return [r["median"] for r in json.load(open(relatorio.name))["results"]]


def uma_execucao(argv, entrada):
    with open(entrada, "rb") as stdin:
        inicio = time.perf_counter()
        subprocess.run(argv, stdin=stdin, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return time.perf_counter() - inicio


def tempos_proprios(comandos, respostas, tela, execucoes):
    """The fastest run of each command and of the floor, the floor last."""
    vezes = [[] for _ in range(len(comandos) + 1)]
    for _ in range(execucoes + 3):  # the first three warm the caches
        for k, argv in enumerate(comandos):
            vezes[k].append(uma_execucao(argv, respostas))
        vezes[-1].append(uma_execucao(["cat", respostas, tela], os.devnull))
    return [min(v[3:]) for v in vezes]


def opcoes_da_ajuda(lousa):
    ajuda = subprocess.run([lousa, "--help"], stdin=subprocess.DEVNULL, capture_output=True).stdout
    return set(re.findall(rb"--[a-z0-9][a-z0-9-]*", ajuda))


def variantes(opcoes, pasta):
    """(column name, argv) of every program to time, and the sets left out."""
    lousa = os.path.abspath(opcoes.lousa)
    colunas = [("dynamic", [lousa])]
    if opcoes.static:
        colunas.append(("static", [os.path.abspath(opcoes.static)]))
    base = colunas[-1][1][0]
    conhecidas = opcoes_da_ajuda(base)
    deixadas = []
    for k, extra in enumerate(opcoes.extra):
        palavras = extra.split()
        faltam = [p for p in palavras if p.startswith("--") and p.encode() not in conhecidas]
        if faltam:
            deixadas.append(f"{extra!r} ({', '.join(faltam)} not in --help)")
            continue
        rascunho = os.path.join(pasta, f"extra{k}")
        os.makedirs(rascunho, exist_ok=True)
        colunas.append((extra.replace("DIR", "").strip(), [base, *(rascunho if p == "DIR" else p for p in palavras)]))
    return colunas, deixadas


def tempos_da_pagina(codigos):
    """The page's ms per code (panels off, panels on), from tests/web/banco.js, or the reason there are none."""
    web = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "web")
    if not os.path.isdir(os.path.join(web, "node_modules")) or shutil.which("node") is None:
        return {}, "page not timed: needs node and `npm ci` in tests/web"
    if not os.path.exists(os.path.join(web, "..", "..", "build-web", "lousa.html")):
        return {}, "page not timed: build-web/lousa.html missing (make web)"
    feito = subprocess.run(["node", "banco.js"], cwd=web, capture_output=True, text=True)
    tempos = {}
    for linha in feito.stdout.splitlines():
        campos = linha.split()
        if len(campos) >= 6 and campos[0].isdigit() and int(campos[0]) in codigos:
            tempos[int(campos[0])] = (float(campos[4]) / 1000, float(campos[5]) / 1000)
    if feito.returncode != 0 or not tempos:
        return tempos, f"page: banco.js ended with status {feito.returncode}"
    return tempos, ""


def main():
    args = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    args.add_argument("--lousa", default="build/lousa", help="the dynamically linked program")
    args.add_argument("--static", help="the fully static program, timed beside it")
    args.add_argument("--extra", action="append", default=[], metavar="ARGS",
                      help='extra arguments, timed as one more column ("--tabela", "--graficos DIR")')
    args.add_argument("--pagina", action="store_true", help="time the browser page too (tests/web/banco.js)")
    args.add_argument("--dir", default="build/bench")
    args.add_argument("--runs", type=int, default=30)
    args.add_argument("--hyperfine", action="store_true", help="time with hyperfine (medians)")
    opcoes = args.parse_args()
    arquivos = grava_sessoes(os.path.abspath(opcoes.lousa), opcoes.dir)
    colunas, deixadas = variantes(opcoes, opcoes.dir)
    pagina, nota_pagina = tempos_da_pagina(set(arquivos)) if opcoes.pagina else ({}, "")
    hyperfine = opcoes.hyperfine and shutil.which("hyperfine") is not None
    medida = "median (hyperfine)" if hyperfine else "fastest"
    print(f"Largest session per application, {medida} of {opcoes.runs} runs; "
          "ratio = program / cat of the same bytes")
    for deixada in deixadas:
        print(f"not timed: {deixada}")
    if nota_pagina:
        print(nota_pagina)
    nomes = [nome for nome, _ in colunas] + (["page", "page, panels"] if pagina else [])
    print(f"{'code':>4}  {'answers':>8}  {'screen':>8}  {'cat ms':>7}" +
          "".join(f"  {nome[:14] + ' ms':>17}  {'ratio':>5}" for nome in nomes))
    for codigo, (respostas, tela, status, recusada) in sorted(arquivos.items()):
        medir = tempos_hyperfine if hyperfine else tempos_proprios
        *tempos, piso = medir([argv for _, argv in colunas], respostas, tela, opcoes.runs)
        if pagina:
            tempos.extend(pagina.get(codigo, (float("nan"), float("nan"))))
        nota = "" if status == 0 and not recusada else f"  (session not accepted: status {status})"
        print(f"{codigo:>4}  {os.path.getsize(respostas):>8}  {os.path.getsize(tela):>8}  {piso * 1000:>7.2f}" +
              "".join(f"  {t * 1000:>17.2f}  {t / piso:>5.2f}" for t in tempos) + nota)
        sys.stdout.flush()


if __name__ == "__main__":
    main()
