#!/usr/bin/env python3
"""Times the largest session of every application against copying its bytes.

For each of the sixteen applications this writes the largest session it
accepts (200 values or pairs, 20 x 20 x 20 values for code 6, a 50 x 50 table
for code 9, ...) as an answer file, runs the program once on it to record its
screen, then times

    lousa < answers > /dev/null        (the program)
    cat answers screen > /dev/null      (the floor: moving the same bytes)

and prints their ratio. A ratio near 1 means the session costs little more
than starting a process and copying its input and output. It reports; it
never fails (a session that does not end normally is reported as such).

The two commands are run in turns, neither through a shell, and the fastest
run of each is kept: on a shared machine the load changes from one moment to
the next, and the fastest run is the one least disturbed by it. With
--hyperfine, hyperfine times them instead (through a shell, medians).
"""
import argparse
import json
import os
import random
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


def tempos_hyperfine(lousa, respostas, tela, execucoes):
    comando = f"'{lousa}' < '{respostas}' > /dev/null"
    piso = f"cat '{respostas}' '{tela}' > /dev/null"
    with tempfile.NamedTemporaryFile(suffix=".json") as relatorio:
        subprocess.run(["hyperfine", "--style", "none", "--warmup", "3", "--runs", str(execucoes),
                        "--export-json", relatorio.name, comando, piso],
                       check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        resultados = json.load(open(relatorio.name))["results"]
    return resultados[0]["median"], resultados[1]["median"]


def uma_execucao(argv, entrada):
    with open(entrada, "rb") as stdin:
        inicio = time.perf_counter()
        subprocess.run(argv, stdin=stdin, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return time.perf_counter() - inicio


def tempos_proprios(lousa, respostas, tela, execucoes):
    programa, piso = [], []
    for _ in range(execucoes + 3):  # the first three warm the caches
        programa.append(uma_execucao([lousa], respostas))
        piso.append(uma_execucao(["cat", respostas, tela], os.devnull))
    return min(programa[3:]), min(piso[3:])


def main():
    args = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    args.add_argument("--lousa", default="build/lousa")
    args.add_argument("--dir", default="build/bench")
    args.add_argument("--runs", type=int, default=30)
    args.add_argument("--hyperfine", action="store_true", help="time with hyperfine (medians)")
    opcoes = args.parse_args()
    lousa = os.path.abspath(opcoes.lousa)
    arquivos = grava_sessoes(lousa, opcoes.dir)
    hyperfine = opcoes.hyperfine and shutil.which("hyperfine") is not None
    medida = "median (hyperfine)" if hyperfine else "fastest"
    print(f"Largest session per application, {medida} of {opcoes.runs} runs; "
          "ratio = lousa / cat of the same bytes")
    print(f"{'code':>4}  {'answers':>8}  {'screen':>8}  {'lousa ms':>9}  {'cat ms':>7}  {'ratio':>5}")
    for codigo, (respostas, tela, status, recusada) in sorted(arquivos.items()):
        if hyperfine:
            programa, piso = tempos_hyperfine(lousa, respostas, tela, opcoes.runs)
        else:
            programa, piso = tempos_proprios(lousa, respostas, tela, opcoes.runs)
        nota = "" if status == 0 and not recusada else f"  (session not accepted: status {status})"
        print(f"{codigo:>4}  {os.path.getsize(respostas):>8}  {os.path.getsize(tela):>8}  "
              f"{programa * 1000:>9.2f}  {piso * 1000:>7.2f}  {programa / piso:>5.2f}{nota}")
    sys.stdout.flush()


if __name__ == "__main__":
    main()
