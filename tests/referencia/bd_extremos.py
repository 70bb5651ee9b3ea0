#!/usr/bin/env python3
"""Copies a station database and adds two stations whose months reach the rarely taken paths of a
run: a month whose mean depth is 0, months that are always or never wet, a storm region whose
duration and peak-intensity laws reach their limits, never exceed the mean intensity or have
normalising constants beyond the range of a double, humidity laws in logarithms or that fall
back to the other state or to a constant, months with too few record days to correct, a pooled
deviation that rounds below zero, negative and very small or very large values in the file.

Usage: bd_extremos.py ORIGEM DESTINO  (adds rainfall station 99000001, region 99, and
climatological station 99001)."""

import shutil
import sqlite3
import sys

PREC = 99000001
CLIMA = 99001
REGIAO = 99


def criar(origem, destino):
    shutil.copyfile(origem, destino)
    con = sqlite3.connect(destino)
    c = con.cursor()
    for t, col, cod in (("EstacaoPrec", "CodEstacao", PREC), ("DadosPrec", "CodEstacao", PREC),
                        ("EstacaoClima", "CodEstacao", CLIMA),
                        ("DadosClima", "CodEstacao", CLIMA), ("ParamRegiao", "CodRegiao", REGIAO)):
        c.execute("delete from %s where %s = ?" % (t, col), (cod,))

    c.execute("insert into EstacaoPrec values (?, ?, ?, ?, ?, ?, ?, ?)",
              (PREC, "EXTREMOS COM NOME BEM COMPRIDO DEMAIS", "TESTE", REGIAO, -0.000001,
               -1234567.891, 10.0, 1))
    base = c.execute("select Mes, XPrec, SPrec, SkewPrec, PCC, PCS from DadosPrec "
                     "where CodEstacao = 447002 order by Mes").fetchall()
    prec = {m: list(v) for m, *v in base}
    prec[2] = [0.0, 0.0, 1.5, 0.6, 0.4]          # wet days whose depth is corrected to 0
    prec[3][2] = 0.0                             # no skewness: every depth is the mean
    prec[4][3:5] = [1.0, 1.0]                    # always wet
    prec[5][3:5] = [0.0, 0.0]                    # never wet
    prec[6][0:3] = [0.1, 0.05, 0.5]              # depths below the 0.2 mm floor
    prec[7][1] = prec[7][0] * 4.0                # a wide spread: the floor lifts many depths
    for m in (8, 9, 10, 11):
        prec[m][3:5] = [0.6, 0.5]                # wet enough to use the storm laws below
    for m in range(1, 13):
        xp, sp, sk, pcc, pcs = prec[m]
        c.execute("insert into DadosPrec values (?, ?, ?, ?, ?, ?, ?, ?, ?)",
                  (PREC, m, xp, sp, sk, pcc, pcs, 100, 200))
    # The record's totals, for the year-to-year variability: every month far more variable
    # than the chain makes it, months that never rain in the record among them.
    c.execute("delete from TotaisPrec where CodEstacao = ?", (PREC,))
    for m in range(1, 13):
        x_total = 0.0 if m == 5 else 40.0 + 10.0 * m
        c.execute("insert into TotaisPrec values (?, ?, ?, ?, ?)",
                  (PREC, m, x_total, 0.0 if m == 5 else 0.9 * x_total, 900.0))

    # Region 99: month-dependent storm laws (shape 1 and above, by depth class).
    for m in range(1, 13):
        alfa_dur = [1.0 + 0.25 * k for k in range(12)]
        beta_dur = [1.5 + 0.1 * k for k in range(12)]
        alfa_ii = [1.0 + 0.4 * k for k in range(12)]
        beta_ii = [6.0 + k for k in range(12)]
        beta_ti = [0.35] * 12
        if m == 8:
            beta_dur = [500.0] * 12      # most durations run to the 24 h limit
            beta_ti = [50.0] * 12        # times to peak held at 0.99
        if m == 9:
            beta_ii = [0.05] * 12        # no draw beats the mean intensity: 1.1 x mean
            beta_dur = [0.01] * 12       # short storms: 0.2 h floor
            beta_ti = [0.0001] * 12      # times to peak held at 0.001
        if m == 10:
            beta_ii = [4000.0] * 12      # draws past the 1000 mm/h limit are rejected
            alfa_ii = [1.0] * 12
        if m == 11:
            alfa_dur = [2.999] * 12      # shapes above 2 take the recurrence of the gamma
            alfa_ii = [7.5] * 12
        if m == 12:
            alfa_dur = [230.0] * 12      # constants out of range: densities in logarithms
            beta_dur = [0.02] * 12
            alfa_ii = [230.0] * 12
            beta_ii = [0.1] * 12
        for tipo, valores in enumerate((alfa_dur, beta_dur, alfa_ii, beta_ii, beta_ti), 1):
            c.execute("insert into ParamRegiao values (?, ?, ?, 0, %s)" % ",".join("?" * 12),
                      (REGIAO, tipo, m, *valores))

    # Climatological station: starts from a real one, then month by month.
    est = c.execute("select * from EstacaoClima where CodEstacao = 83587").fetchone()
    est = list(est)
    est[0] = CLIMA
    est[1] = "EXTREMOS"
    est[4], est[5] = -0.00000325, 123456789012345678.0
    c.execute("insert into EstacaoClima values (%s)" % ",".join("?" * len(est)), est)
    cur = c.execute("select * from DadosClima where CodEstacao = 83587 order by Mes")
    nomes = [d[0] for d in cur.description]
    linhas = [dict(zip(nomes, r)) for r in cur.fetchall()]
    for r in linhas:
        m = r["Mes"]
        r["CodEstacao"] = CLIMA
        if m == 1:
            r["DSecos"] = 0                      # no dry record: dry days use the wet law
        elif m == 2:
            r["SUmidSe"] = 0.0                   # undefined dry law (zero spread)
        elif m == 3:
            r["SUmidSe"] = 0.0                   # neither law: the pooled mean
            r["SUmidCh"] = 0.0
        elif m == 4:
            r["DSecos"] = r["DUmidos"] = 0       # no record at all: each state's mean,
            r["XRadSe"] = -3.0                   # no correction, negative radiation cut to 0
        elif m == 5:
            r["DSecos"], r["DUmidos"] = 1, 0     # one record day: left uncorrected
            r["XTMinSe"], r["XTMinCh"] = -4.0, -2.5
        elif m == 6:
            r["SUmidSe"] = 1e-7                  # huge beta parameters, too narrow for the step
            r["XUmidCh"], r["SUmidCh"] = 0.757, 0.0246  # shapes near 230: in logarithms
        elif m == 7:
            r["SUmidCh"] = 0.4                   # shape below 1
            r["XUmidCh"] = 0.5
        elif m == 8:
            r["DSecos"], r["DUmidos"] = 2, 1     # pooled radicand rounds below zero
            r["XTMaxSe"] = r["XTMaxCh"] = 0.1
            r["STMaxSe"] = r["STMaxCh"] = 0.0
        elif m == 9:
            r["XTMinSe"], r["XTMinCh"] = -12.34, -123.4
            r["XRadSe"], r["SRadSe"] = 0.0000001, 0.0
            r["XTMaxSe"], r["STMaxSe"] = 1e16, 0.0
        elif m == 10:
            r["SkewVVentoSe"], r["SkewVVentoCh"] = -3.0, -2.0
            r["SVVentoSe"], r["SVVentoCh"] = 2.0, 2.5
            r["XRadSe"], r["SRadSe"] = 1.5e-6, 0.0   # scientific text, cut to the field
        elif m == 11:
            r["SkewVVentoSe"], r["XVVentoSe"] = 0.0, 0.05
            r["XTMaxCh"] = 12345.678
            r["XTMaxSe"], r["STMaxSe"] = 12345.0, 0.0  # five digits and no separator
        elif m == 12:
            r["XUmidSe"], r["XUmidCh"] = 1.0, 1.0
            r["XRadSe"], r["SRadSe"] = 0.0000325, 0.0  # fixed notation below 0.0001
        c.execute("insert into DadosClima (%s) values (%s)" % (",".join(nomes),
                                                               ",".join("?" * len(nomes))),
                  [r[n] for n in nomes])
    con.commit()
    con.close()


if __name__ == "__main__":
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        sys.exit(2)
    criar(sys.argv[1], sys.argv[2])
