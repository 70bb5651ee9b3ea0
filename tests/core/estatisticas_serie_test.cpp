#include "core/estatisticas_serie.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "core/calendario.h"
#include "core/erro.h"

namespace ventaro {
namespace {

// Deterministic values in [0, 1) for filling stores.
class Sequencia {
  public:
    double Proximo() {
        estado_ = estado_ * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<double>(estado_ >> 11) / 9007199254740992.0;
    }

  private:
    uint64_t estado_ = 12345;
};

// Every day dry, with distinct climate values.
TClima LojaSeca(int64_t a_partir, int64_t anos) {
    TClima c = TClima::ParaPeriodo(a_partir, anos);
    for (int64_t d = 1; d <= c.NumDias; ++d) {
        const auto i = static_cast<std::size_t>(d);
        const double x = static_cast<double>(d);
        c.TMax[i] = 25.0 + x / 100.0;
        c.TMin[i] = 15.0 - x / 200.0;
        c.Rad[i] = 18.0 + x / 50.0;
        c.VVento[i] = 2.0 + x / 1000.0;
        c.Umid[i] = 0.7 + x / 10000.0;
    }
    return c;
}

void Molhar(TClima& c, int64_t d, double p, double dur = 2.0, double ti = 0.3, double ii = 20.0) {
    const auto i = static_cast<std::size_t>(d);
    c.Prec[i] = p;
    c.Dur[i] = dur;
    c.Ti[i] = ti;
    c.Ii[i] = ii;
}

// Day index of a date in a store that starts on 1 January of a_partir.
int64_t Dia(int64_t a_partir, int64_t ano, int mes, int dia) {
    int64_t d = DiasNoPeriodo(a_partir, ano - a_partir);
    for (int m = 1; m < mes; ++m) d += DiasNoMes(ano, m);
    return d + dia;
}

TEST(CalcularEstatisticasSerie, MonthWithoutWetDaysHasZeroWetStatistics) {
    TClima c = LojaSeca(2001, 1);
    Molhar(c, 10, 12.0);
    Molhar(c, 11, 3.0);
    TDados dados;
    dados.XPrec[2] = 99.0;  // stale values are overwritten
    dados.XTMaxCh[2] = 99.0;
    CalcularEstatisticasSerie(dados, c, 1, 2001);

    EXPECT_EQ(dados.DUmidos[2], 0);
    EXPECT_EQ(dados.DSecos[2], 28);
    for (const auto* campo :
         {&dados.PCC, &dados.PCS, &dados.XPrec, &dados.SPrec, &dados.SkewPrec, &dados.XDur,
          &dados.SDur, &dados.XTi, &dados.STi, &dados.XIi, &dados.SIi, &dados.XTMaxCh,
          &dados.STMaxCh, &dados.XTMinCh, &dados.XRadCh, &dados.XVVentoCh, &dados.SUmidCh}) {
        EXPECT_EQ((*campo)[2], 0.0);
    }
    // February holds days 32..59: TMax = 25 + d/100, mean at d = 45.5.
    EXPECT_NEAR(dados.XTMaxSe[2], 25.455, 1e-12);
    EXPECT_GT(dados.STMaxSe[2], 0.0);
    EXPECT_EQ(dados.DUmidos[1], 2);
    EXPECT_EQ(dados.DSecos[1], 29);
}

TEST(CalcularEstatisticasSerie, SingleWetDayGivesItsOwnValuesAndNoSpread) {
    TClima c = LojaSeca(2001, 1);
    const int64_t d = Dia(2001, 2001, 3, 15);
    Molhar(c, d, 7.25, 3.5, 0.42, 18.0);
    TDados dados;
    CalcularEstatisticasSerie(dados, c, 1, 2001);
    EXPECT_EQ(dados.DUmidos[3], 1);
    EXPECT_EQ(dados.XPrec[3], 7.25);
    EXPECT_EQ(dados.XDur[3], 3.5);
    EXPECT_EQ(dados.XTi[3], 0.42);
    EXPECT_EQ(dados.XIi[3], 18.0);
    EXPECT_EQ(dados.XTMaxCh[3], c.TMax[static_cast<std::size_t>(d)]);
    EXPECT_EQ(dados.XUmidCh[3], c.Umid[static_cast<std::size_t>(d)]);
    EXPECT_EQ(dados.SPrec[3], 0.0);
    EXPECT_EQ(dados.SDur[3], 0.0);
    EXPECT_EQ(dados.STMaxCh[3], 0.0);
    EXPECT_EQ(dados.SkewPrec[3], 0.0);
    EXPECT_EQ(dados.PCS[3], 1.0 / 30.0);
}

TEST(CalcularEstatisticasSerie, PreviousDayCrossesMonthBoundsAndDayZeroIsDry) {
    TClima c = LojaSeca(2001, 1);
    c.Prec[0] = 5.0;  // whatever day 0 holds, the walk starts after a dry day
    Molhar(c, 1, 4.0);
    Molhar(c, 31, 6.0);
    Molhar(c, 32, 8.0);
    TDados dados;
    CalcularEstatisticasSerie(dados, c, 1, 2001);
    EXPECT_EQ(dados.PCC[1], 0.0);         // no wet day of January follows a wet day
    EXPECT_EQ(dados.PCS[1], 2.0 / 29.0);  // 1 and 31 January follow dry days
    EXPECT_EQ(dados.PCC[2], 1.0);         // 1 February follows a wet 31 January
    EXPECT_EQ(dados.PCS[2], 0.0);
}

TEST(CalcularEstatisticasSerie, MomentsOfTheWetDayDepth) {
    TClima c = LojaSeca(2001, 1);
    const double p[] = {1.0, 2.0, 3.0, 10.0};
    for (int i = 0; i < 4; ++i) Molhar(c, Dia(2001, 2001, 4, 2 + 3 * i), p[i], 1.0 + i);
    TDados dados;
    CalcularEstatisticasSerie(dados, c, 1, 2001);
    EXPECT_EQ(dados.XPrec[4], 4.0);
    const double s = std::sqrt(50.0 / 3.0);
    EXPECT_DOUBLE_EQ(dados.SPrec[4], s);
    // Cubed deviations sum to 180; small-sample factor 4 / (3 * 2).
    EXPECT_NEAR(dados.SkewPrec[4], 180.0 / (s * s * s) * 4.0 / 6.0, 1e-12);
    EXPECT_EQ(dados.XDur[4], 2.5);
    EXPECT_DOUBLE_EQ(dados.SDur[4], std::sqrt(5.0 / 3.0));

    // Two wet days: the skewness sum is kept without the factor (here 0 by symmetry).
    TClima d = LojaSeca(2001, 1);
    Molhar(d, 100, 2.0);
    Molhar(d, 103, 4.0);
    CalcularEstatisticasSerie(dados, d, 1, 2001);
    EXPECT_EQ(dados.DUmidos[4], 2);
    EXPECT_NEAR(dados.SkewPrec[4], 0.0, 1e-15);
}

TEST(CalcularEstatisticasSerie, TwoYearWalkFromYear4HasA29DayFebruary) {
    TClima c = LojaSeca(4, 2);
    ASSERT_EQ(c.NumDias, 731);
    for (int64_t d = 32; d <= 60; ++d) Molhar(c, d, 1.0 + static_cast<double>(d % 3));
    TDados dados;
    CalcularEstatisticasSerie(dados, c, 2, 4);
    EXPECT_EQ(dados.DUmidos[2], 29);
    EXPECT_EQ(dados.DSecos[2], 28);
    EXPECT_DOUBLE_EQ(dados.PCC[2], 28.0 / 29.0);
    EXPECT_DOUBLE_EQ(dados.PCS[2], 1.0 / 28.0);
    EXPECT_EQ(dados.DUmidos[3] + dados.DSecos[3], 62);
    EXPECT_EQ(dados.DSecos[12], 62);
}

TEST(CalcularEstatisticasSerie, LeavesNonStatisticFieldsAlone) {
    TClima c = LojaSeca(2001, 1);
    Molhar(c, 5, 3.0);
    TDados dados;
    dados.CodEstacao = 123;
    dados.SkewVVentoSe[1] = 0.5;
    dados.SkewVVentoCh[1] = 0.6;
    dados.DUmidosClima[1] = 7;
    dados.AlfaDur[1][0] = 2.0;
    dados.MatrizA[1](0, 0) = 0.3;
    dados.XResJanTMax = 1.5;
    CalcularEstatisticasSerie(dados, c, 1, 2001);
    EXPECT_EQ(dados.CodEstacao, 123);
    EXPECT_EQ(dados.SkewVVentoSe[1], 0.5);
    EXPECT_EQ(dados.SkewVVentoCh[1], 0.6);
    EXPECT_EQ(dados.DUmidosClima[1], 7);
    EXPECT_EQ(dados.AlfaDur[1][0], 2.0);
    EXPECT_EQ(dados.MatrizA[1](0, 0), 0.3);
    EXPECT_EQ(dados.XResJanTMax, 1.5);
}

TEST(CalcularEstatisticasSerie, StoreShorterThanTheWalkEndsTheWalk) {
    TClima c = LojaSeca(2001, 1);
    Molhar(c, 365, 2.0);
    TDados dados;
    CalcularEstatisticasSerie(dados, c, 3, 2001);
    EXPECT_EQ(dados.DUmidos[12], 1);
    EXPECT_EQ(dados.DSecos[12], 30);
    EXPECT_EQ(dados.DSecos[1], 31);
}

// The statistics written out as plainly as they are defined: one day at a time, four passes.
struct Referencia {
    std::vector<int64_t> n = std::vector<int64_t>(13), w = n, ww = n, wd = n;
    std::vector<std::vector<double>> xch = std::vector<std::vector<double>>(13,
                                                                            std::vector<double>(9)),
                                     sch = xch, xse = xch, sse = xch;
    std::vector<double> skew = std::vector<double>(13);
};

Referencia CalcularReferencia(const TClima& c, int64_t anos, int64_t a_partir) {
    Referencia r;
    const auto meses = MesesDoPeriodo(a_partir, anos);
    const std::vector<const std::vector<double>*> v = {&c.Prec, &c.Dur, &c.Ti,     &c.Ii,  &c.TMax,
                                                       &c.TMin, &c.Rad, &c.VVento, &c.Umid};
    const auto nd = static_cast<std::size_t>(DiasNoPeriodo(a_partir, anos));
    for (std::size_t d = 1; d <= nd; ++d) {
        const int m = meses[d];
        ++r.n[m];
        if (c.Prec[d] > 0) {
            ++r.w[m];
            if (d > 1 && c.Prec[d - 1] > 0)
                ++r.ww[m];
            else
                ++r.wd[m];
            for (int k = 0; k < 9; ++k) r.xch[m][k] = r.xch[m][k] + (*v[k])[d];
        } else {
            for (int k = 4; k < 9; ++k) r.xse[m][k] = r.xse[m][k] + (*v[k])[d];
        }
    }
    for (int m = 1; m <= 12; ++m) {
        const int64_t dry = r.n[m] - r.w[m];
        for (int k = 0; k < 9; ++k) {
            r.xch[m][k] = r.w[m] ? r.xch[m][k] / static_cast<double>(r.w[m]) : 0.0;
            r.xse[m][k] = dry ? r.xse[m][k] / static_cast<double>(dry) : 0.0;
        }
    }
    for (std::size_t d = 1; d <= nd; ++d) {
        const int m = meses[d];
        for (int k = 0; k < 9; ++k) {
            if (c.Prec[d] > 0) {
                const double t = (*v[k])[d] - r.xch[m][k];
                r.sch[m][k] = r.sch[m][k] + t * t;
            } else {
                const double t = (*v[k])[d] - r.xse[m][k];
                r.sse[m][k] = r.sse[m][k] + t * t;
            }
        }
    }
    for (int m = 1; m <= 12; ++m) {
        const int64_t dry = r.n[m] - r.w[m];
        for (int k = 0; k < 9; ++k) {
            r.sch[m][k] =
                r.w[m] > 1 ? std::sqrt(r.sch[m][k] / static_cast<double>(r.w[m] - 1)) : 0.0;
            r.sse[m][k] = dry > 1 ? std::sqrt(r.sse[m][k] / static_cast<double>(dry - 1)) : 0.0;
        }
    }
    for (std::size_t d = 1; d <= nd; ++d) {
        const int m = meses[d];
        if (c.Prec[d] > 0 && r.sch[m][0] != 0) {
            const double y = (c.Prec[d] - r.xch[m][0]) / r.sch[m][0];
            r.skew[m] = r.skew[m] + y * y * y;
        }
    }
    for (int m = 1; m <= 12; ++m) {
        const int64_t w = r.w[m];
        if (w >= 3)
            r.skew[m] = r.skew[m] * static_cast<double>(w) / static_cast<double>((w - 1) * (w - 2));
    }
    return r;
}

TEST(CalcularEstatisticasSerie, MatchesTheDayByDayDefinitionBitForBit) {
    const int64_t a_partir = 1897;
    const int64_t anos = 9;  // crosses the non-leap 1900
    TClima c = TClima::ParaPeriodo(a_partir, anos);
    Sequencia s;
    for (int64_t d = 1; d <= c.NumDias; ++d) {
        const auto i = static_cast<std::size_t>(d);
        if (s.Proximo() < 0.35)
            Molhar(c, d, 0.2 + 60.0 * s.Proximo(), 0.2 + 10 * s.Proximo(), s.Proximo(),
                   1.0 + 100.0 * s.Proximo());
        c.TMax[i] = 20.0 + 10.0 * s.Proximo();
        c.TMin[i] = 10.0 + 8.0 * s.Proximo();
        c.Rad[i] = 25.0 * s.Proximo();
        c.VVento[i] = 0.1 + 5.0 * s.Proximo();
        c.Umid[i] = s.Proximo();
    }
    TDados dados;
    CalcularEstatisticasSerie(dados, c, anos, a_partir);
    const Referencia r = CalcularReferencia(c, anos, a_partir);
    for (int m = 1; m <= 12; ++m) {
        SCOPED_TRACE(m);
        const int64_t dry = r.n[m] - r.w[m];
        EXPECT_EQ(dados.DUmidos[m], r.w[m]);
        EXPECT_EQ(dados.DSecos[m], dry);
        EXPECT_EQ(dados.PCC[m], static_cast<double>(r.ww[m]) / static_cast<double>(r.w[m]));
        EXPECT_EQ(dados.PCS[m], static_cast<double>(r.wd[m]) / static_cast<double>(dry));
        const Mensal<double>* xch[9] = {&dados.XPrec,  &dados.XDur,      &dados.XTi,
                                        &dados.XIi,    &dados.XTMaxCh,   &dados.XTMinCh,
                                        &dados.XRadCh, &dados.XVVentoCh, &dados.XUmidCh};
        const Mensal<double>* sch[9] = {&dados.SPrec,  &dados.SDur,      &dados.STi,
                                        &dados.SIi,    &dados.STMaxCh,   &dados.STMinCh,
                                        &dados.SRadCh, &dados.SVVentoCh, &dados.SUmidCh};
        const Mensal<double>* xse[5] = {&dados.XTMaxSe, &dados.XTMinSe, &dados.XRadSe,
                                        &dados.XVVentoSe, &dados.XUmidSe};
        const Mensal<double>* sse[5] = {&dados.STMaxSe, &dados.STMinSe, &dados.SRadSe,
                                        &dados.SVVentoSe, &dados.SUmidSe};
        for (int k = 0; k < 9; ++k) {
            EXPECT_EQ((*xch[k])[m], r.xch[m][k]) << k;
            EXPECT_EQ((*sch[k])[m], r.sch[m][k]) << k;
        }
        for (int k = 0; k < 5; ++k) {
            EXPECT_EQ((*xse[k])[m], r.xse[m][k + 4]) << k;
            EXPECT_EQ((*sse[k])[m], r.sse[m][k + 4]) << k;
        }
        EXPECT_EQ(dados.SkewPrec[m], r.skew[m]);
    }
}

// Arrays a store does not hold count as zeros: the statistics of a store without storm values
// and wind are those of the full store with those arrays at 0.
TEST(CalcularEstatisticasSerie, ArraysTheStoreDoesNotHoldCountAsZero) {
    ArraysSerie grupos;
    grupos.Tempestades = false;
    grupos.Vento = false;
    TClima parcial = TClima::ParaPeriodo(1999, 3, grupos);
    TClima cheia = TClima::ParaPeriodo(1999, 3);
    Sequencia s;
    for (int64_t d = 1; d <= cheia.NumDias; ++d) {
        const auto i = static_cast<std::size_t>(d);
        if (s.Proximo() < 0.35) cheia.Prec[i] = parcial.Prec[i] = 0.2 + 60.0 * s.Proximo();
        cheia.TMax[i] = parcial.TMax[i] = 20.0 + 10.0 * s.Proximo();
        cheia.Umid[i] = parcial.Umid[i] = s.Proximo();
    }
    TDados de_parcial, de_cheia;
    CalcularEstatisticasSerie(de_parcial, parcial, 3, 1999);
    CalcularEstatisticasSerie(de_cheia, cheia, 3, 1999);
    for (int m = 1; m <= 12; ++m) {
        SCOPED_TRACE(m);
        EXPECT_GT(de_cheia.DUmidos[m], 0);
        EXPECT_EQ(de_parcial.DUmidos[m], de_cheia.DUmidos[m]);
        for (const auto campo : {&TDados::XPrec, &TDados::SPrec, &TDados::SkewPrec, &TDados::XDur,
                                 &TDados::SIi, &TDados::XTMaxCh, &TDados::STMaxSe,
                                 &TDados::XVVentoSe, &TDados::SVVentoCh, &TDados::XUmidCh}) {
            EXPECT_EQ((de_parcial.*campo)[m], (de_cheia.*campo)[m]);
        }
    }
}

TEST(CalcularEstatisticasPrec, AgreesWithTheSeriesStatisticsOnTheSameDays) {
    TClima c = LojaSeca(1999, 3);
    Sequencia s;
    for (int64_t d = 1; d <= c.NumDias; ++d) {
        if (s.Proximo() < 0.4) Molhar(c, d, 0.2 + 40.0 * s.Proximo());
    }
    TDados serie;
    CalcularEstatisticasSerie(serie, c, 3, 1999);
    const std::vector<double> totais = {1.0, 1.0, 1.0};
    TDados prec;
    CalcularEstatisticasPrec(prec, totais, 1999, 2001, std::span<const double>(c.Prec).subspan(1));
    for (int m = 1; m <= 12; ++m) {
        EXPECT_EQ(prec.DUmidos[m], serie.DUmidos[m]);
        EXPECT_EQ(prec.DSecos[m], serie.DSecos[m]);
        EXPECT_EQ(prec.PCC[m], serie.PCC[m]);
        EXPECT_EQ(prec.PCS[m], serie.PCS[m]);
        EXPECT_EQ(prec.XPrec[m], serie.XPrec[m]);
        EXPECT_EQ(prec.SPrec[m], serie.SPrec[m]);
        EXPECT_EQ(prec.SkewPrec[m], serie.SkewPrec[m]);
        EXPECT_EQ(prec.XTMaxSe[m], 0.0);  // climate fields are not its business
    }
}

TEST(CalcularEstatisticasPrec, YearWithoutTotalIsSkippedWithoutConsumingDays) {
    // 2000 (leap, 366 days) is included, 2001 has no total, 2002 is included.
    const std::vector<double> totais = {500.0, 0.0, 300.0};
    std::vector<double> diarios(366 + 365, 0.0);
    diarios[365] = 4.0;       // 31 December 2000
    diarios[366] = 6.0;       // 1 January 2002, right after it in the walk
    diarios[366 + 59] = 9.0;  // 1 March 2002
    TDados dados;
    CalcularEstatisticasPrec(dados, totais, 2000, 2002, diarios);
    EXPECT_EQ(dados.DUmidos[1], 1);
    EXPECT_EQ(dados.DSecos[1], 61);
    EXPECT_EQ(dados.PCC[1], 1.0);
    EXPECT_EQ(dados.XPrec[1], 6.0);
    EXPECT_EQ(dados.DUmidos[3], 1);
    EXPECT_EQ(dados.XPrec[3], 9.0);
    EXPECT_EQ(dados.DSecos[2], 29 + 28);
    EXPECT_EQ(dados.DUmidos[12], 1);
    EXPECT_EQ(dados.XPrec[12], 4.0);
    // A month with no wet day.
    EXPECT_EQ(dados.DUmidos[6], 0);
    EXPECT_EQ(dados.PCC[6], 0.0);
    EXPECT_EQ(dados.PCS[6], 0.0);
    EXPECT_EQ(dados.XPrec[6], 0.0);
    EXPECT_EQ(dados.SPrec[6], 0.0);
    EXPECT_EQ(dados.SkewPrec[6], 0.0);
}

TEST(CalcularEstatisticasPrec, ShortDailyRecordIsRejectedBeforeWriting) {
    const std::vector<double> totais = {500.0, 300.0};
    const std::vector<double> diarios(365 + 100, 1.0);
    TDados dados;
    dados.XPrec[1] = 42.0;
    try {
        CalcularEstatisticasPrec(dados, totais, 2001, 2002, diarios);
        FAIL() << "a record missing days must not be read past its end";
    } catch (const ErroVentaro& e) {
        EXPECT_NE(std::string(e.what()).find("2002"), std::string::npos) << e.what();
    }
    EXPECT_EQ(dados.XPrec[1], 42.0);

    // Years past the end of the totals count as years without a total.
    CalcularEstatisticasPrec(dados, std::span<const double>(totais).first(1), 2001, 2002, diarios);
    EXPECT_EQ(dados.DUmidos[1], 31);
    EXPECT_EQ(dados.DSecos[1], 0);
}

TEST(DesvioPadraoConjunto, PoolsTwoGroups) {
    EXPECT_DOUBLE_EQ(DesvioPadraoConjunto(10, 10, 1.0, 1.0, 2.0, 4.0), std::sqrt(2.0));
    EXPECT_DOUBLE_EQ(DesvioPadraoConjunto(10, 10, 2.0, 2.0, 20.0, 24.0), std::sqrt(152.0 / 19.0));
    // One group empty: the other group's own deviation.
    EXPECT_DOUBLE_EQ(DesvioPadraoConjunto(0, 12, 0.0, 3.0, 0.0, 7.0), 3.0);
}

TEST(DesvioPadraoConjunto, RadicandRoundingBelowZeroIsNoSpread) {
    // Equal means without spread leave q - t^2/n a few ulps below zero for these values.
    for (int64_t n : {3, 10}) {
        const double x = n == 3 ? 0.1 : 0.3;
        const double v = DesvioPadraoConjunto(n, n, 0.0, 0.0, x, x);
        EXPECT_EQ(v, 0.0) << n;
    }
    EXPECT_EQ(DesvioPadraoConjunto(31, 31, 0.0, 0.0, 22.3, 22.3), 0.0);
}

TEST(DesvioPadraoConjunto, FewerThanTwoValuesHaveNoSpread) {
    EXPECT_EQ(DesvioPadraoConjunto(1, 0, 0.0, 0.0, 5.0, 0.0), 0.0);
    EXPECT_EQ(DesvioPadraoConjunto(0, 0, 1.0, 1.0, 5.0, 3.0), 0.0);
}

}  // namespace
}  // namespace ventaro
