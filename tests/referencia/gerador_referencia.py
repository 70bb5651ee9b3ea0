#!/usr/bin/env python3
"""Reference generator for the synthetic series file, written from the numerical conventions
alone and kept deliberately plain: one loop per pass, the inversions scanned step by step, the
numbers formatted from the digits of "%.14e".

It loads a rainfall station (and optionally a climatological station) from a station database,
runs an ordinary generator run and writes the series text. Used to cross-check the program's
output byte for byte (see comparar_serie.py).

Python floats are IEEE doubles and math.pow/exp/log/sqrt call the same C library as the
program, so every expression below keeps the program's evaluation order: a * b / c is
(a * b) / c, sums run left to right, counts meet doubles as exact conversions.
"""

import argparse
import ctypes
import ctypes.util
import math
import sqlite3
import sys

NAN = float("nan")
INF = float("inf")


class ErroReferencia(Exception):
    pass


# ---------------------------------------------------------------------------------------------
# C library semantics for the few calls where Python raises instead of returning a special value.


def cpow(x, y):
    try:
        return math.pow(x, y)
    except OverflowError:
        # Only finite x reach here; a negative base with an odd integer exponent keeps its sign.
        if x < 0 and float(y).is_integer() and int(y) % 2 == 1:
            return -INF
        return INF
    except ValueError:
        if x == 0.0 and y < 0:
            if math.copysign(1.0, x) < 0 and float(y).is_integer() and int(y) % 2 == 1:
                return -INF
            return INF
        return NAN  # negative base, non-integer exponent


def cexp(x):
    try:
        return math.exp(x)
    except OverflowError:
        return INF


def clog(x):
    if x > 0:
        return math.log(x)
    if x == 0:
        return -INF
    return NAN  # negative or NaN


def log_potencia(x, k):
    """ln(x^k) with pow's x^0 = 1, for densities evaluated in logarithms."""
    if k == 0.0:
        return 0.0
    return k * clog(x)


# CPython's math.lgamma is an approximation of its own; the program calls the C library's.
_libm = ctypes.CDLL(ctypes.util.find_library("m"))
_libm.lgamma_r.restype = ctypes.c_double
_libm.lgamma_r.argtypes = (ctypes.c_double, ctypes.POINTER(ctypes.c_int))


def log_gama(x):
    sinal = ctypes.c_int(0)
    return _libm.lgamma_r(x, ctypes.byref(sinal))


# ---------------------------------------------------------------------------------------------
# Calendar (proleptic Gregorian from year 1).


def bissexto(y):
    return (y % 4 == 0 and y % 100 != 0) or y % 400 == 0


DIAS_MES = [0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31]


def dias_no_mes(y, m):
    if m == 2 and bissexto(y):
        return 29
    return DIAS_MES[m]


def calendario(a_partir, anos):
    """(day, month, year) of days 1..n, index 0 unused."""
    datas = [None]
    for y in range(a_partir, a_partir + anos):
        for m in range(1, 13):
            for dia in range(1, dias_no_mes(y, m) + 1):
                datas.append((dia, m, y))
    return datas


# ---------------------------------------------------------------------------------------------
# Station parameters.


def _real(v):
    if v is None:
        return 0.0
    return float(v)


def _int(v):
    if v is None:
        return 0
    return int(v)


def _linha_por_nome(cur, row):
    return {d[0].lower(): v for d, v in zip(cur.description, row)}


def _nome31(texto):
    if texto is None:
        return ""
    return str(texto)[:31]


def nova_estacao():
    z = lambda: [0.0] * 13  # noqa: E731
    d = {
        "Nome": "", "CodEstacao": 0, "Latitude": 0.0, "Longitude": 0.0,
        "NomeClima": "", "CodEstacaoClima": 0, "LatitudeClima": 0.0, "LongitudeClima": 0.0,
        "DUmidosClima": [0] * 13, "DSecosClima": [0] * 13,
        "XResJanTMax": 0.0, "XResJanTMin": 0.0, "XResJanRad": 0.0,
        "MatrizA": [[[0.0] * 3 for _ in range(3)] for _ in range(13)],
        "MatrizB": [[[0.0] * 3 for _ in range(3)] for _ in range(13)],
    }
    for campo in ("XPrec", "SPrec", "SkewPrec", "PCC", "PCS", "XTotal", "STotal",
                  "CovTotalAnual"):
        d[campo] = z()
    d["TemTotaisPrec"] = False
    for campo in CAMPOS_CLIMA:
        d[campo] = z()
    for campo in ("AlfaDur", "BetaDur", "AlfaIi", "BetaIi", "BetaTi"):
        d[campo] = [[0.0] * 12 for _ in range(13)]
    return d


CAMPOS_CLIMA = (
    "XTMaxSe", "XTMaxCh", "STMaxSe", "STMaxCh", "XTMinSe", "XTMinCh", "STMinSe", "STMinCh",
    "XRadSe", "XRadCh", "SRadSe", "SRadCh", "XVVentoSe", "XVVentoCh", "SVVentoSe", "SVVentoCh",
    "SkewVVentoSe", "SkewVVentoCh", "XUmidSe", "XUmidCh", "SUmidSe", "SUmidCh",
)


def carregar_prec(con, codigo, d):
    cur = con.execute("select * from EstacaoPrec where CodEstacao = ?", (codigo,))
    row = cur.fetchone()
    if row is None:
        raise ErroReferencia("estação pluviométrica %s não encontrada" % codigo)
    est = _linha_por_nome(cur, row)
    for mes in range(1, 13):
        cur = con.execute("select * from DadosPrec where CodEstacao = ? and Mes = ?", (codigo, mes))
        rows = cur.fetchall()
        if len(rows) != 1:
            raise ErroReferencia("DadosPrec: mês %d com %d linhas" % (mes, len(rows)))
        r = _linha_por_nome(cur, rows[0])
        for campo in ("XPrec", "SPrec", "SkewPrec", "PCC", "PCS"):
            d[campo][mes] = _real(r[campo.lower()])
    d["Nome"] = _nome31(est["nome"])
    d["CodEstacao"] = _int(est["codestacao"])
    d["Latitude"] = _real(est["latitude"])
    d["Longitude"] = _real(est["longitude"])
    # The record's monthly totals, when the database and the station have them.
    d["TemTotaisPrec"] = False
    tabela = con.execute("select count(*) from sqlite_master where type = 'table' and "
                         "lower(name) = 'totaisprec'").fetchone()[0]
    if tabela and con.execute("select count(*) from TotaisPrec where CodEstacao = ?",
                              (codigo,)).fetchone()[0]:
        for mes in range(1, 13):
            cur = con.execute("select * from TotaisPrec where CodEstacao = ? and Mes = ?",
                              (codigo, mes))
            rows = cur.fetchall()
            if len(rows) != 1:
                raise ErroReferencia("TotaisPrec: mês %d com %d linhas" % (mes, len(rows)))
            r = _linha_por_nome(cur, rows[0])
            for campo in ("XTotal", "STotal", "CovTotalAnual"):
                d[campo][mes] = _real(r[campo.lower()])
        d["TemTotaisPrec"] = True
    regiao = _int(est["regiao"])
    for tipo, campo in enumerate(("AlfaDur", "BetaDur", "AlfaIi", "BetaIi", "BetaTi"), start=1):
        for mes in range(1, 13):
            row = con.execute(
                "select * from ParamRegiao where CodRegiao = ? and TipoParametro = ? and Mes = ?",
                (regiao, tipo, mes)).fetchone()
            # Values are the fifth to sixteenth columns, by position.
            d[campo][mes] = [_real(row[4 + k]) if row is not None else 0.0 for k in range(12)]


def carregar_clima(con, codigo, d):
    cur = con.execute("select * from EstacaoClima where CodEstacao = ?", (codigo,))
    row = cur.fetchone()
    if row is None:
        raise ErroReferencia("estação climatológica %s não encontrada" % codigo)
    est = _linha_por_nome(cur, row)
    for mes in range(1, 13):
        cur = con.execute("select * from DadosClima where CodEstacao = ? and Mes = ?",
                          (codigo, mes))
        rows = cur.fetchall()
        if len(rows) != 1:
            raise ErroReferencia("DadosClima: mês %d com %d linhas" % (mes, len(rows)))
        r = _linha_por_nome(cur, rows[0])
        d["DUmidosClima"][mes] = _int(r["dumidos"])
        d["DSecosClima"][mes] = _int(r["dsecos"])
        for campo in CAMPOS_CLIMA:
            d[campo][mes] = _real(r[campo.lower()])
        for i in range(3):
            for j in range(3):
                d["MatrizA"][mes][i][j] = _real(r["matriza%d%d" % (i + 1, j + 1)])
                d["MatrizB"][mes][i][j] = _real(r["matrizb%d%d" % (i + 1, j + 1)])
    d["NomeClima"] = _nome31(est["nome"])
    d["CodEstacaoClima"] = _int(est["codestacao"])
    d["LatitudeClima"] = _real(est["latitude"])
    d["LongitudeClima"] = _real(est["longitude"])
    d["XResJanTMax"] = _real(est["xresjantmax"])
    d["XResJanTMin"] = _real(est["xresjantmin"])
    d["XResJanRad"] = _real(est["xresjanrad"])


# ---------------------------------------------------------------------------------------------
# Random stream and primitives.


class Fluxo:
    def __init__(self):
        self.state = 5

    def uniform(self):
        self.state = (self.state * 134775813 + 1) & 0xFFFFFFFF
        return float(self.state) / 4294967296.0

    def normal(self):
        u = self.uniform()
        if u < 0.5:
            p = u
            sign = -1.0
        else:
            p = 1.0 - u
            sign = 1.0
        t = math.sqrt(math.log(1.0 / (p * p)))
        return sign * (t - (2.30753 + 0.27061 * t) / (1.0 + 0.99229 * t + 0.04481 * (t * t)))


def gama(x):
    """Gamma by the polynomial on [1, 2] and the recurrence above it (x >= 1)."""
    if x != x:
        return NAN
    if x > 1000.0:
        return INF  # the product overflows long before
    args = []
    while not (x <= 2.0):
        args.append(x)
        x = x - 1.0
    c = x - 1.0
    c2 = c * c
    c3 = c2 * c
    c4 = c3 * c
    c5 = c4 * c
    g = 1.0 - 0.5748646 * c + 0.9512363 * c2 - 0.6998588 * c3 + 0.4245549 * c4 - 0.1010678 * c5
    for a in reversed(args):
        g = (a - 1.0) * g
    return g


# Below this |G| the cubic rounds away; the transform is then its limit X + S z.
SKEW_MINIMA = 1e-7


def skew(z, X, S, G):
    if G == 0.0:
        return X
    if -SKEW_MINIMA < G < SKEW_MINIMA:
        return X + S * z
    y = 1.0 + (G / 6.0) * (z - G / 6.0)
    return X + (2.0 * S / G) * (y * y * y - 1.0)


def classe(p):
    if p < 20:
        return int(p / 5.0)
    if p < 90:
        return int(p / 10.0) + 2
    return 11


# ---------------------------------------------------------------------------------------------
# Inversion by the trapezoid scan. A law's (x_k, F_k) sequence does not depend on u, so the
# steps already scanned are remembered and replayed; the stopping test is the scan's own.


class Lei:
    def __init__(self, f, h, limite):
        self.f = f
        self.h = h
        self.limite = limite
        self.xs = [0.0]
        self.Fs = [0.0]
        self.f_ult = f(0.0)

    def _passo(self):
        x = self.xs[-1]
        F = self.Fs[-1]
        f0 = self.f_ult  # f on the stored x
        x = x + self.h
        f1 = self.f(x)
        F = F + (f0 + f1) * self.h / 2.0
        self.xs.append(x)
        self.Fs.append(F)
        self.f_ult = f1

    def inverter(self, u):
        k = 0
        while self.Fs[k] < u:
            if k + 1 >= len(self.xs):
                self._passo()
            k += 1
            if self.limite(self.xs[k]):
                break
        return self.xs[k]


def inverter_direto(f, h, limite, u):
    x = 0.0
    F = 0.0
    while F < u:
        f0 = f(x)
        x = x + h
        f1 = f(x)
        F = F + (f0 + f1) * h / 2.0
        if limite(x):
            break
    return x


def lei_gama(alpha, beta, h, limite, nome):
    if not (alpha >= 1 and beta > 0):
        raise ErroReferencia("lei %s inválida: alfa=%r beta=%r" % (nome, alpha, beta))
    am1 = alpha - 1.0
    K = cpow(beta, alpha) * gama(alpha)
    if math.isfinite(K) and K > 0:
        def f(x):
            return cpow(x, am1) * math.exp(-x / beta) / K
    else:
        # The constant left the range of a double: the density in logarithms.
        logK = alpha * clog(beta) + log_gama(alpha)
        if not math.isfinite(logK):
            raise ErroReferencia("lei %s inválida: ln K=%r" % (nome, logK))

        def f(x):
            return cexp(log_potencia(x, am1) - x / beta - logK)

    return Lei(f, h, limite)


def lei_beta_valida(a, b):
    """The beta density of (a, b), or None when the pair cannot be integrated."""
    if not (math.isfinite(a) and math.isfinite(b) and a >= 1 and b >= 1):
        return None
    am1 = a - 1.0
    bm1 = b - 1.0
    B = gama(a) * gama(b) / gama(a + b)
    if math.isfinite(B) and B > 0:
        def f(x):
            return cpow(x, am1) * cpow(1.0 - x, bm1) / B
    else:
        # Out of range: in logarithms, if the spread covers two steps of 0.001.
        soma = a + b
        desvio = math.sqrt(a * b / (soma * soma * (soma + 1.0)))
        if not (desvio >= 2.0 * 0.001):
            return None
        logB = log_gama(a) + log_gama(b) - log_gama(a + b)
        if not math.isfinite(logB):
            return None

        def f(x):
            return cexp(log_potencia(x, am1) + log_potencia(1.0 - x, bm1) - logB)

    # Humidity has no limit of its own: the loop also stops once x reaches 1.
    return Lei(f, 0.001, lambda x: x >= 1.0)


# ---------------------------------------------------------------------------------------------
# The run.

PRECIP = ("Prec", "Dur", "Ti", "Ii")


def gerar(d, anos, a_partir, correcao, flags, direto=False, variabilidade=False):
    datas = calendario(a_partir, anos)
    n = len(datas) - 1
    mes = [0] + [dm[1] for dm in datas[1:]]
    s = {k: [0.0] * (n + 1) for k in PRECIP + ("TMax", "TMin", "Rad", "VVento", "Umid")}
    Prec, Dur, Ti, Ii = s["Prec"], s["Dur"], s["Ti"], s["Ii"]
    rnd = Fluxo()

    def limpar(dd):
        for k in PRECIP:
            s[k][dd] = 0.0

    limpar(0)
    # Precipitation occurrence, depth and time to peak.
    for dd in range(1, n + 1):
        m = mes[dd]
        u = rnd.uniform()
        p = d["PCC"][m] if Prec[dd - 1] > 0 else d["PCS"][m]
        if u > p:
            limpar(dd)
        else:
            P = skew(rnd.normal(), d["XPrec"][m], d["SPrec"][m], d["SkewPrec"][m])
            if P < 0.2:
                P = 0.2
            Prec[dd] = P
            k = classe(P)
            u = rnd.uniform()
            x = -d["BetaTi"][m][k] * math.log(1.0 - u)
            Ti[dd] = 0.99 if x > 0.99 else (0.001 if x < 0.001 else x)

    if flags["prec"]:
        leis = {}

        def lei(campo_a, campo_b, m, k, h, limite):
            chave = (campo_a, m, k)
            if chave not in leis:
                leis[chave] = lei_gama(d[campo_a][m][k], d[campo_b][m][k], h, limite,
                                       "%s mês %d classe %d" % (campo_a, m, k))
            return leis[chave]

        lim_dur = lambda x: x >= 24.0  # noqa: E731
        lim_ii = lambda x: x > 1000.0  # noqa: E731
        # Every law a wet day will use is checked before anything is drawn.
        for dd in range(1, n + 1):
            if Prec[dd] > 0:
                k = classe(Prec[dd])
                lei("AlfaDur", "BetaDur", mes[dd], k, 0.001, lim_dur)
                lei("AlfaIi", "BetaIi", mes[dd], k, 0.01, lim_ii)

        def inv(L, u):
            if direto:
                return inverter_direto(L.f, L.h, L.limite, u)
            return L.inverter(u)

        for dd in range(1, n + 1):
            if Prec[dd] > 0:
                L = lei("AlfaDur", "BetaDur", mes[dd], classe(Prec[dd]), 0.001, lim_dur)
                t = inv(L, rnd.uniform())
                Dur[dd] = 24.0 if t > 24 else (0.2 if t < 0.2 else t)
        for dd in range(1, n + 1):
            if Prec[dd] > 0:
                L = lei("AlfaIi", "BetaIi", mes[dd], classe(Prec[dd]), 0.01, lim_ii)
                mean = Prec[dd] / Dur[dd]
                ii = None
                for _ in range(11):
                    t = inv(L, rnd.uniform())
                    if mean < t and t < 1000.0:
                        ii = 0.2 if t < 0.2 else t
                        break
                if ii is None:
                    ii = 1.1 * mean
                Ii[dd] = ii

    if correcao:
        corrigir_lamina(d, s, mes, n)

    if flags["tmax"] or flags["tmin"] or flags["rad"]:
        eps = [None] + [(rnd.normal(), rnd.normal(), rnd.normal()) for _ in range(n)]
        chi = [d["XResJanTMax"], d["XResJanTMin"], d["XResJanRad"]]
        for dd in range(1, n + 1):
            m = mes[dd]
            A = d["MatrizA"][m]
            B = d["MatrizB"][m]
            e = eps[dd]
            prox = [0.0, 0.0, 0.0]
            for i in range(3):
                ax = 0.0
                for k in range(3):
                    ax = ax + A[i][k] * chi[k]
                bx = 0.0
                for k in range(3):
                    bx = bx + B[i][k] * e[k]
                prox[i] = ax + bx
            chi = prox
            suf = "Ch" if Prec[dd] > 0 else "Se"
            s["TMax"][dd] = d["STMax" + suf][m] * chi[0] + d["XTMax" + suf][m]
            s["TMin"][dd] = d["STMin" + suf][m] * chi[1] + d["XTMin" + suf][m]
            s["Rad"][dd] = d["SRad" + suf][m] * chi[2] + d["XRad" + suf][m]
        if correcao:
            corrigir_clima(d, s, mes, n, "TMax", None)
            corrigir_clima(d, s, mes, n, "TMin", None)
            corrigir_clima(d, s, mes, n, "Rad", lambda v: 0.0 if v < 0 else v)
        # A minimum above the maximum is lowered to it.
        for dd in range(1, n + 1):
            if s["TMin"][dd] > s["TMax"][dd]:
                s["TMin"][dd] = s["TMax"][dd]

    if flags["vvento"]:
        for dd in range(1, n + 1):
            m = mes[dd]
            z = rnd.normal()
            suf = "Ch" if Prec[dd] != 0 else "Se"
            v = skew(z, d["XVVento" + suf][m], d["SVVento" + suf][m], d["SkewVVento" + suf][m])
            if v < 0.1:
                v = 0.1
            s["VVento"][dd] = v
        if correcao:
            corrigir_clima(d, s, mes, n, "VVento", lambda v: 0.1 if v < 0.1 else v)

    if flags["umid"]:
        leis_u = {}
        for m in range(1, 13):
            pares = {}
            for suf, cnt in (("Se", d["DSecosClima"][m]), ("Ch", d["DUmidosClima"][m])):
                mu = d["XUmid" + suf][m]
                sd = d["SUmid" + suf][m]
                c = cnt
                if c == 0:
                    a = b = 0.0
                else:
                    e2 = sd * sd * float(c - 1) / float(c) + mu * mu
                    den = e2 - mu * mu
                    if den == 0:
                        a = b = NAN
                    else:
                        a = mu * (mu - e2) / den
                        b = (mu - e2) * (1.0 - mu) / den
                pares[suf] = (a, b)

            ns = d["DSecosClima"][m]
            nc = d["DUmidosClima"][m]
            for suf, outro in (("Se", "Ch"), ("Ch", "Se")):
                proprio = lei_beta_valida(*pares[suf])
                alheio = lei_beta_valida(*pares[outro])
                if proprio is not None:
                    leis_u[(m, suf)] = proprio
                elif alheio is not None:
                    leis_u[(m, suf)] = alheio
                elif ns + nc != 0:
                    leis_u[(m, suf)] = (d["XUmidSe"][m] * float(ns) + d["XUmidCh"][m] * float(nc)) \
                        / float(ns + nc)
                else:
                    leis_u[(m, suf)] = d["XUmid" + suf][m]
        for dd in range(1, n + 1):
            m = mes[dd]
            suf = "Ch" if Prec[dd] != 0 else "Se"
            u = rnd.uniform()
            L = leis_u[(m, suf)]
            if isinstance(L, float):
                s["Umid"][dd] = L
            elif direto:
                s["Umid"][dd] = inverter_direto_umid(L.f, u)
            else:
                s["Umid"][dd] = L.inverter(u)
        if correcao:
            corrigir_clima(d, s, mes, n, "Umid", lambda v: 0.0 if v < 0 else (1.0 if v > 1 else v))

    if variabilidade:
        if not d["TemTotaisPrec"]:
            raise ErroReferencia("estação sem os totais do registro")
        variabilidade_anual(d, s, mes, n, rnd)
    return datas, s


# ---------------------------------------------------------------------------------------------
# Year-to-year variability: after every other pass, a lognormal factor per year and month on the
# wet-day depths (and peak intensities), drawn from the run's stream.

PERSISTENCIA_MAXIMA = 1.0 - 1e-6


def x_total_anual(d):
    x = 0.0
    for m in range(1, 13):
        x = x + d["XTotal"][m]
    return x


def s_total_anual(d):
    v = 0.0
    for m in range(1, 13):
        v = v + d["CovTotalAnual"][m]
    return math.sqrt(v) if v > 0 else 0.0


def variancia_anual(phi, variancia, mu, w):
    v = 0.0
    for i in range(12):
        v = v + variancia[i]
    for i in range(12):
        for j in range(12):
            if j != i:
                v = v + mu[i] * mu[j] * (cexp(phi * w[i] * w[j]) - 1.0)
    return v


def variabilidade_anual(d, s, mes, n, rnd):
    Prec, Ii = s["Prec"], s["Ii"]
    if n == 0:
        return
    ano = [0] * (n + 1)
    for dd in range(2, n + 1):
        ano[dd] = ano[dd - 1] + (1 if mes[dd] == 1 and mes[dd - 1] == 12 else 0)
    num_anos = ano[n] + 1
    total = [[0.0] * 12 for _ in range(num_anos)]
    dias = [0.0] * 12
    umidos = [0.0] * 12
    apos_umido = [0.0] * 12
    apos_seco = [0.0] * 12
    soma = [0.0] * 12
    for dd in range(1, n + 1):
        m = mes[dd] - 1
        p = Prec[dd]
        dias[m] = dias[m] + 1.0
        if p > 0:
            total[ano[dd]][m] = total[ano[dd]][m] + p
            umidos[m] = umidos[m] + 1.0
            if Prec[dd - 1] > 0:
                apos_umido[m] = apos_umido[m] + 1.0
            else:
                apos_seco[m] = apos_seco[m] + 1.0
            soma[m] = soma[m] + p
    media = [soma[m] / umidos[m] if umidos[m] > 0 else 0.0 for m in range(12)]
    ss = [0.0] * 12
    for dd in range(1, n + 1):
        m = mes[dd] - 1
        if Prec[dd] > 0:
            t = Prec[dd] - media[m]
            ss[m] = ss[m] + t * t

    # Each month: mean total, the chain's variance of it (Katz 1977), the factor's log-spread.
    anos = float(num_anos)
    mu = [0.0] * 12
    variancia = [0.0] * 12
    w = [0.0] * 12
    for m in range(12):
        soma_totais = 0.0
        for y in range(num_anos):
            soma_totais = soma_totais + total[y][m]
        mu[m] = soma_totais / anos
        s2 = 0.0
        if umidos[m] > 0:
            secos = dias[m] - umidos[m]
            pcc = apos_umido[m] / umidos[m]
            pcs = apos_seco[m] / secos if secos > 0 else 0.0
            pers = pcc - pcs
            if pers > PERSISTENCIA_MAXIMA:
                pers = PERSISTENCIA_MAXIMA
            dias_mes = dias[m] / anos
            pi = umidos[m] / dias[m]
            q = pi * (1.0 - pi)
            var_lamina = ss[m] / (umidos[m] - 1.0) if umidos[m] > 1 else 0.0
            var_umidos = 0.0
            if q != 0.0:
                um_menos = 1.0 - pers
                var_umidos = dias_mes * q * (1.0 + pers) / um_menos \
                    - 2.0 * q * pers * (1.0 - cpow(pers, float(math.floor(dias_mes + 0.5)))) \
                    / (um_menos * um_menos)
            s2 = dias_mes * pi * var_lamina + media[m] * media[m] * var_umidos
        cv = d["STotal"][m + 1] / d["XTotal"][m + 1] if d["XTotal"][m + 1] > 0 else 0.0
        alvo = cv * mu[m]
        alvo2 = alvo * alvo
        v = (alvo2 - s2) / (s2 + mu[m] * mu[m]) if mu[m] > 0 and alvo2 > s2 else 0.0
        w[m] = math.sqrt(math.log(1.0 + v))
        variancia[m] = alvo2 if v > 0 else s2

    # The share of the deviate common to a year, for the record's annual coefficient of variation.
    x_anual = x_total_anual(d)
    cv_anual = s_total_anual(d) / x_anual if x_anual > 0 else 0.0
    mu_anual = 0.0
    for m in range(12):
        mu_anual = mu_anual + mu[m]
    alvo_anual = cv_anual * mu_anual
    alvo_anual2 = alvo_anual * alvo_anual
    phi = 0.0
    if variancia_anual(1.0, variancia, mu, w) <= alvo_anual2:
        phi = 1.0
    elif variancia_anual(0.0, variancia, mu, w) < alvo_anual2:
        lo, hi = 0.0, 1.0
        for _ in range(60):
            meio = (lo + hi) / 2.0
            if variancia_anual(meio, variancia, mu, w) < alvo_anual2:
                lo = meio
            else:
                hi = meio
        phi = (lo + hi) / 2.0

    comum = math.sqrt(phi)
    proprio = math.sqrt(1.0 - phi)
    fator = [[0.0] * 12 for _ in range(num_anos)]
    for y in range(num_anos):
        z = rnd.normal()
        for m in range(12):
            e = rnd.normal()
            xi = comum * z + proprio * e
            fator[y][m] = cexp(w[m] * xi - w[m] * w[m] / 2.0)
    for m in range(12):
        antes = 0.0
        depois = 0.0
        for y in range(num_anos):
            antes = antes + total[y][m]
            depois = depois + fator[y][m] * total[y][m]
        c = antes / depois if depois > 0 else 1.0
        for y in range(num_anos):
            fator[y][m] = c * fator[y][m]
    for dd in range(1, n + 1):
        p = Prec[dd]
        if not (p > 0):
            continue
        q = p * fator[ano[dd]][mes[dd] - 1]
        if q < 0.2:
            q = 0.2
        Ii[dd] = Ii[dd] * (q / p)
        Prec[dd] = q


def inverter_direto_umid(f, u):
    x = 0.0
    F = 0.0
    h = 0.001
    while F < u and x < 1.0:
        f0 = f(x)
        x = x + h
        f1 = f(x)
        F = F + (f0 + f1) * h / 2.0
    return x


# Below this fraction of the month's mean a deviation is what rounding leaves of equal values.
DESVIO_RESIDUAL = 1e-9


def fator_dispersao(alvo, desvio, media):
    """Spread factor of a correction: none when the month's values are all equal."""
    if desvio > DESVIO_RESIDUAL * abs(media):
        return alvo / desvio
    return 0.0


def corrigir_lamina(d, s, mes, n):
    Prec = s["Prec"]

    def medias():
        soma = [0.0] * 13
        cnt = [0] * 13
        for dd in range(1, n + 1):
            if Prec[dd] > 0:
                soma[mes[dd]] = soma[mes[dd]] + Prec[dd]
                cnt[mes[dd]] += 1
        M = [soma[m] / float(cnt[m]) if cnt[m] != 0 else 0.0 for m in range(13)]
        return cnt, M

    cnt, M = medias()
    f = [d["XPrec"][m] / M[m] if M[m] != 0 else 0.0 for m in range(13)]
    for dd in range(1, n + 1):
        Prec[dd] = Prec[dd] * f[mes[dd]]
    cnt, M = medias()
    ss = [0.0] * 13
    for dd in range(1, n + 1):
        if Prec[dd] > 0:
            t = Prec[dd] - M[mes[dd]]
            ss[mes[dd]] = ss[mes[dd]] + t * t
    S = [math.sqrt(ss[m] / float(cnt[m] - 1)) if cnt[m] >= 2 else 0.0 for m in range(13)]
    g = [fator_dispersao(d["SPrec"][m], S[m], M[m]) for m in range(13)]
    for dd in range(1, n + 1):
        if Prec[dd] > 0:
            m = mes[dd]
            v = M[m] + (Prec[dd] - M[m]) * g[m]
            if v < 0.2:
                v = 0.2
            Prec[dd] = v
    # A depth scaled to nothing (a month whose mean depth is 0) leaves a dry day.
    for dd in range(1, n + 1):
        if not (Prec[dd] > 0):
            for k in PRECIP:
                s[k][dd] = 0.0


def corrigir_clima(d, s, mes, n, var, limite):
    mu = [0.0] * 13
    sigma = [0.0] * 13
    definido = [False] * 13
    for m in range(1, 13):
        ns = d["DSecosClima"][m]
        nc = d["DUmidosClima"][m]
        if ns + nc <= 1:
            continue
        definido[m] = True
        Xs, Xc = d["X" + var + "Se"][m], d["X" + var + "Ch"][m]
        Ss, Sc = d["S" + var + "Se"][m], d["S" + var + "Ch"][m]
        fns, fnc = float(ns), float(nc)
        mu[m] = (Xs * fns + Xc * fnc) / float(ns + nc)
        q = Ss * Ss * float(ns - 1) + Xs * Xs * fns + Sc * Sc * float(nc - 1) + Xc * Xc * fnc
        t = fns * Xs + fnc * Xc
        v = (q - t * t / float(ns + nc)) / float(ns + nc - 1)
        sigma[m] = math.sqrt(v) if v > 0 else 0.0
    x = list(s[var])

    def medias():
        soma = [0.0] * 13
        cnt = [0] * 13
        for dd in range(1, n + 1):
            soma[mes[dd]] = soma[mes[dd]] + x[dd]
            cnt[mes[dd]] += 1
        return cnt, [soma[m] / float(cnt[m]) if cnt[m] != 0 else 0.0 for m in range(13)]

    cnt, M = medias()
    f = [mu[m] / M[m] if M[m] != 0 else 0.0 for m in range(13)]
    for dd in range(1, n + 1):
        if definido[mes[dd]]:
            x[dd] = x[dd] * f[mes[dd]]
    cnt, M = medias()
    ss = [0.0] * 13
    for dd in range(1, n + 1):
        t = x[dd] - M[mes[dd]]
        ss[mes[dd]] = ss[mes[dd]] + t * t
    S = [math.sqrt(ss[m] / float(cnt[m] - 1)) if cnt[m] > 1 else 0.0 for m in range(13)]
    g = [fator_dispersao(sigma[m], S[m], M[m]) for m in range(13)]
    for dd in range(1, n + 1):
        m = mes[dd]
        if definido[m]:
            x[dd] = M[m] + (x[dd] - M[m]) * g[m]
    for dd in range(1, n + 1):
        v = x[dd]
        s[var][dd] = limite(v) if limite is not None else v


# ---------------------------------------------------------------------------------------------
# Monthly statistics of the generated series.

CAMPOS_ESTATISTICA = (
    "DUmidos", "DSecos", "PCC", "PCS", "XPrec", "SPrec", "SkewPrec", "XDur", "SDur", "XTi", "STi",
    "XIi", "SIi", "XTMaxSe", "XTMaxCh", "STMaxSe", "STMaxCh", "XTMinSe", "XTMinCh", "STMinSe",
    "STMinCh", "XRadSe", "XRadCh", "SRadSe", "SRadCh", "XVVentoSe", "XVVentoCh", "SVVentoSe",
    "SVVentoCh", "XUmidSe", "XUmidCh", "SUmidSe", "SUmidCh",
)


def estatisticas_totais(s, mes, n):
    """Interannual statistics of the generated totals: field name -> 13 values (XTotal, STotal,
    CovTotalAnual by month) or a single value (XTotalAnual, STotalAnual, CVTotalAnual)."""
    Prec = s["Prec"]
    anos = []
    for dd in range(1, n + 1):
        if dd == 1 or (mes[dd] == 1 and mes[dd - 1] == 12):
            anos.append([0.0] * 12)
        if Prec[dd] > 0:
            anos[-1][mes[dd] - 1] = anos[-1][mes[dd] - 1] + Prec[dd]
    k = float(len(anos))
    anuais = []
    soma_anual = 0.0
    for t in anos:
        a = 0.0
        for v in t:
            a = a + v
        anuais.append(a)
        soma_anual = soma_anual + a
    media_anual = soma_anual / k if anos else 0.0
    d = {"XTotal": [0.0] * 13, "STotal": [0.0] * 13, "CovTotalAnual": [0.0] * 13}
    for m in range(12):
        soma = 0.0
        for t in anos:
            soma = soma + t[m]
        media = soma / k if anos else 0.0
        ss = 0.0
        sc = 0.0
        for y, t in enumerate(anos):
            desvio = t[m] - media
            ss = ss + desvio * desvio
            sc = sc + desvio * (anuais[y] - media_anual)
        d["XTotal"][m + 1] = media
        d["STotal"][m + 1] = math.sqrt(ss / (k - 1.0)) if len(anos) > 1 else 0.0
        d["CovTotalAnual"][m + 1] = sc / (k - 1.0) if len(anos) > 1 else 0.0
    x = x_total_anual(d)
    sd = s_total_anual(d)
    d["XTotalAnual"] = x
    d["STotalAnual"] = sd
    d["CVTotalAnual"] = sd / x if x != 0 else 0.0
    return d


def estatisticas(s, mes, n):
    """Field name -> list of 13 values (index = month), measured on the generated series."""
    Prec = s["Prec"]
    N = [0] * 13
    W = [0] * 13
    WW = [0] * 13
    WD = [0] * 13
    for dd in range(1, n + 1):
        m = mes[dd]
        N[m] += 1
        if Prec[dd] > 0:
            W[m] += 1
            if Prec[dd - 1] > 0:
                WW[m] += 1
            else:
                WD[m] += 1
    D = [N[m] - W[m] for m in range(13)]
    r = {"DUmidos": [float(w) for w in W], "DSecos": [float(x) for x in D],
         "PCC": [float(WW[m]) / float(W[m]) if W[m] else 0.0 for m in range(13)],
         "PCS": [float(WD[m]) / float(D[m]) if D[m] else 0.0 for m in range(13)]}
    umidos = (("Prec", "Prec"), ("Dur", "Dur"), ("Ti", "Ti"), ("Ii", "Ii"), ("TMax", "TMaxCh"),
              ("TMin", "TMinCh"), ("Rad", "RadCh"), ("VVento", "VVentoCh"), ("Umid", "UmidCh"))
    secos = (("TMax", "TMaxSe"), ("TMin", "TMinSe"), ("Rad", "RadSe"), ("VVento", "VVentoSe"),
             ("Umid", "UmidSe"))
    for grupo, cnt, molhado in ((umidos, W, True), (secos, D, False)):
        for arr, nome in grupo:
            v = s[arr]
            soma = [0.0] * 13
            for dd in range(1, n + 1):
                if (Prec[dd] > 0) == molhado:
                    soma[mes[dd]] = soma[mes[dd]] + v[dd]
            media = [soma[m] / float(cnt[m]) if cnt[m] else 0.0 for m in range(13)]
            dev = [0.0] * 13
            for dd in range(1, n + 1):
                if (Prec[dd] > 0) == molhado:
                    t = v[dd] - media[mes[dd]]
                    dev[mes[dd]] = dev[mes[dd]] + t * t
            r["X" + nome] = media
            r["S" + nome] = [math.sqrt(dev[m] / float(cnt[m] - 1)) if cnt[m] > 1 else 0.0
                             for m in range(13)]
    soma = [0.0] * 13
    for dd in range(1, n + 1):
        m = mes[dd]
        if Prec[dd] > 0 and r["SPrec"][m] != 0:
            y = (Prec[dd] - r["XPrec"][m]) / r["SPrec"][m]
            soma[m] = soma[m] + y * y * y
    r["SkewPrec"] = [soma[m] * float(W[m]) / float((W[m] - 1) * (W[m] - 2)) if W[m] >= 3
                     else soma[m] for m in range(13)]
    return r


# ---------------------------------------------------------------------------------------------
# Text of the series file.


def formato_geral(v, sep):
    if v != v:
        return "NAN"
    if v == INF:
        return "INF"
    if v == -INF:
        return "-INF"
    if v == 0:
        return "0"
    sinal = "-" if v < 0 else ""
    a = abs(v)
    e = "%.14e" % a
    mant, ex = e.split("e")
    ex = int(ex)
    digitos = mant.replace(".", "").rstrip("0")
    if a >= 0.00001 and ex < 15:
        if ex >= 0:
            inteiro = digitos[: ex + 1]
            inteiro = inteiro + "0" * (ex + 1 - len(inteiro))
            frac = digitos[ex + 1:]
        else:
            return sinal + "0" + sep + "0" * (-ex - 1) + digitos
        return sinal + inteiro + (sep + frac if frac else "")
    texto = digitos[0] + (sep + digitos[1:] if len(digitos) > 1 else "")
    return sinal + texto + "E" + str(ex)


def formatar_campo(v, w, sep):
    s = formato_geral(v, sep)
    if len(s) > w:
        p = s.find(sep) + 1
        s = s[: p - 1] if p > w else s[:w]
    return s + " " * (w - len(s))


CABECALHO_COLUNAS = ("Data        Prec(mm) Dur(h) ti*    ii(mm/h) TMax(°C)  TMin(°C)  "
                     "Rad(MJ/m2/dia)  VVento(m/s)  Umid(%)")


def texto_serie(d, anos, datas, s, sep):
    G = lambda v: formato_geral(v, sep)  # noqa: E731
    linhas = [
        "Estação Pluviométrica.",
        "Código: %d     Nome: %s" % (d["CodEstacao"], d["Nome"]),
        "Latitude: %s     Longitude: %s" % (G(d["Latitude"]), G(d["Longitude"])),
        "",
        "Estação Climatológica.",
        "Código: %d     Nome: %s" % (d["CodEstacaoClima"], d["NomeClima"]),
        "Latitude: %s     Longitude: %s" % (G(d["LatitudeClima"]), G(d["LongitudeClima"])),
        "",
        "Tamanho da Série Sintética:  %d anos" % anos,
        "",
        CABECALHO_COLUNAS,
    ]
    F = lambda v, w: formatar_campo(v, w, sep)  # noqa: E731
    for dd in range(1, len(datas)):
        dia, m, y = datas[dd]
        linhas.append(
            "%02d/%02d/%04d" % (dia, m, y) + "  " + F(s["Prec"][dd], 4) + " " * 5
            + F(s["Dur"][dd], 4) + " " * 3 + F(s["Ti"][dd], 5) + " " * 2 + F(s["Ii"][dd], 4)
            + " " * 5 + F(s["TMax"][dd], 4) + " " * 6 + F(s["TMin"][dd], 4) + " " * 6
            + F(s["Rad"][dd], 4) + " " * 12 + F(s["VVento"][dd], 4) + " " * 9
            + F(s["Umid"][dd] * 100.0, 4))
    return "".join(l + "\r\n" for l in linhas).encode("cp1252")


VARIAVEIS = ("prec", "tmax", "tmin", "rad", "vvento", "umid")


def executar(argv=None):
    """Parses the command line, runs and writes the series; returns the store and its months."""
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--db", required=True)
    ap.add_argument("--pluviometrica", required=True)
    ap.add_argument("--climatologica")
    ap.add_argument("--anos", type=int, default=10)
    ap.add_argument("--a-partir", type=int, default=1)
    ap.add_argument("--sem-correcao", action="store_true")
    ap.add_argument("--variabilidade-anual", action="store_true")
    ap.add_argument("--variaveis", default="prec")
    ap.add_argument("--separador-decimal", default=".")
    ap.add_argument("--direto", action="store_true",
                    help="scan every inversion from x = 0 without remembering earlier steps")
    ap.add_argument("--saida", required=True)
    a = ap.parse_args(argv)
    flags = {v: False for v in VARIAVEIS}
    for v in a.variaveis.split(","):
        if v:
            flags[v.strip()] = True
    d = nova_estacao()
    con = sqlite3.connect(a.db)
    try:
        carregar_prec(con, a.pluviometrica, d)
        if a.climatologica:
            carregar_clima(con, a.climatologica, d)
    finally:
        con.close()
    datas, s = gerar(d, a.anos, a.a_partir, not a.sem_correcao, flags, direto=a.direto,
                     variabilidade=a.variabilidade_anual)
    with open(a.saida, "wb") as f:
        f.write(texto_serie(d, a.anos, datas, s, a.separador_decimal))
    return s, [0] + [dm[1] for dm in datas[1:]], len(datas) - 1


def main(argv=None):
    executar(argv)
    return 0


if __name__ == "__main__":
    try:
        sys.exit(main())
    except ErroReferencia as e:
        print("erro: %s" % e, file=sys.stderr)
        sys.exit(1)
