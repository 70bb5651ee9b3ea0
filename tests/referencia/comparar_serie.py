#!/usr/bin/env python3
"""Runs ventaro-cli gerar and the reference generator on the same stations and settings and
checks that the two series files are byte for byte the same. On a difference, names the first
differing line and field."""

import argparse
import os
import subprocess
import sys
import tempfile

sys.dont_write_bytecode = True  # keep the source tree clean when run from ctest
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import bd_extremos  # noqa: E402
import gerador_referencia as ref  # noqa: E402

CAMPOS = (
    ("data", 0, 10), ("Prec", 12, 16), ("Dur", 21, 25), ("Ti", 28, 33), ("Ii", 35, 39),
    ("TMax", 44, 48), ("TMin", 54, 58), ("Rad", 64, 68), ("VVento", 80, 84), ("Umid", 93, 97),
)


def primeira_diferenca(a, b):
    la = a.split(b"\r\n")
    lb = b.split(b"\r\n")
    for i, (x, y) in enumerate(zip(la, lb)):
        if x != y:
            campos = [nome for nome, ini, fim in CAMPOS if x[ini:fim] != y[ini:fim]] if i >= 11 \
                else []
            return "linha %d%s:\n  programa:   %r\n  referência: %r" % (
                i + 1, (" (campos %s)" % ", ".join(campos)) if campos else "", x, y)
    return "tamanhos diferentes: %d linhas no programa, %d na referência" % (len(la), len(lb))


def comparar(cli, db, caso, pasta):
    args = ["--pluviometrica", caso["pluviometrica"], "--anos", str(caso["anos"]),
            "--a-partir", str(caso["a_partir"]), "--separador-decimal", caso.get("sep", ".")]
    if caso.get("climatologica"):
        args += ["--climatologica", caso["climatologica"]]
    if not caso.get("correcao", True):
        args.append("--sem-correcao")
    if caso.get("variabilidade"):
        args.append("--variabilidade-anual")
    args += ["--variaveis", caso["variaveis"]]
    saida_cli = os.path.join(pasta, "programa.txt")
    saida_ref = os.path.join(pasta, "referencia.txt")
    csv_cli = os.path.join(pasta, "programa.csv")
    r = subprocess.run([cli, "gerar", "--db", db] + args + ["--saida", saida_cli,
                        "--estatisticas", csv_cli], capture_output=True, text=True)
    if r.returncode != 0:
        return False, "ventaro-cli terminou com %d: %s" % (r.returncode, r.stderr.strip())
    s, mes, n = ref.executar(["--db", db, "--saida", saida_ref] + args)
    with open(saida_cli, "rb") as f:
        a = f.read()
    with open(saida_ref, "rb") as f:
        b = f.read()
    if a != b:
        return False, primeira_diferenca(a, b)
    # The file shows three or four digits of each value; the generated monthly statistics show
    # fifteen, and reach every day's value in full.
    est = ref.estatisticas(s, mes, n)
    with open(csv_cli, encoding="utf-8") as f:
        linhas = f.read().splitlines()[1:]
    diferencas = []
    vistos = 0
    for linha in linhas:
        campo, m, _obs, gerado = linha.split(",")
        if campo not in est:
            continue
        vistos += 1
        esperado = ref.formato_geral(est[campo][int(m)], ".")
        if gerado != esperado:
            diferencas.append("%s mês %s: programa %s, referência %s (%r)" % (
                campo, m, gerado, esperado, est[campo][int(m)]))
    esperados = len(ref.CAMPOS_ESTATISTICA) * 12
    if caso.get("variabilidade"):
        # The interannual lines: monthly XTotal and STotal, then the three annual ones.
        totais = ref.estatisticas_totais(s, mes, n)
        esperados += 2 * 12 + 3
        for linha in linhas:
            campo, m, _obs, gerado = linha.split(",")
            if campo in ("XTotal", "STotal"):
                valor = totais[campo][int(m)]
            elif campo in ("XTotalAnual", "STotalAnual", "CVTotalAnual") and m == "":
                valor = totais[campo]
            else:
                continue
            vistos += 1
            esperado = ref.formato_geral(valor, ".")
            if gerado != esperado:
                diferencas.append("%s mês %s: programa %s, referência %s" % (
                    campo, m, gerado, esperado))
    if vistos != esperados:
        return False, "o CSV de estatísticas tem %d valores conhecidos, esperados %d" % (
            vistos, esperados)
    if diferencas:
        return False, "estatísticas diferentes (%d):\n  " % len(diferencas) + "\n  ".join(
            diferencas[:20])
    return True, "%d bytes iguais, %d estatísticas iguais" % (len(a), vistos)


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--cli", required=True)
    ap.add_argument("--db", required=True)
    ap.add_argument("--pluviometrica", required=True)
    ap.add_argument("--climatologica")
    ap.add_argument("--anos", type=int, default=2)
    ap.add_argument("--a-partir", type=int, default=2000)
    ap.add_argument("--sem-correcao", action="store_true")
    ap.add_argument("--variabilidade-anual", action="store_true")
    ap.add_argument("--variaveis", default="prec,tmax,tmin,rad,vvento,umid")
    ap.add_argument("--separador-decimal", default=".")
    ap.add_argument("--extremos", action="store_true",
                    help="run on a copy of --db with the stations of bd_extremos.py added")
    a = ap.parse_args()
    caso = {"pluviometrica": a.pluviometrica, "climatologica": a.climatologica,
            "anos": a.anos, "a_partir": a.a_partir, "correcao": not a.sem_correcao,
            "variabilidade": a.variabilidade_anual,
            "variaveis": a.variaveis, "sep": a.separador_decimal}
    with tempfile.TemporaryDirectory() as pasta:
        db = a.db
        if a.extremos:
            db = os.path.join(pasta, "extremos.sqlite")
            bd_extremos.criar(a.db, db)
        ok, msg = comparar(a.cli, db, caso, pasta)
    print(("iguais: " if ok else "DIFERENTES: ") + msg)
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
