#include "import/estimativa_clima.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "core/erro.h"

namespace ventaro {
namespace {

// A small deterministic stream so that synthetic records are the same on every run.
class Fluxo {
  public:
    double Uniforme() {
        estado_ = estado_ * 1664525u + 1013904223u;
        return static_cast<double>(estado_) / 4294967296.0;
    }

  private:
    uint32_t estado_ = 12345;
};

// Years ano0 .. ano0 + n - 1, every month valid, plausible weather with about 30% wet days.
RegistroClima RegistroSintetico(int64_t ano0, int n, Fluxo& f) {
    RegistroClima r;
    for (int i = 0; i < n; ++i) {
        TDadosAno ano(ano0 + i);
        for (int mes = 1; mes <= 12; ++mes) {
            ano.Valido[mes] = true;
            for (std::size_t d = 1; d < ano.Dias[mes].size(); ++d) {
                TDadosDia& dia = ano.Dias[mes][d];
                dia.Prec = f.Uniforme() < 0.3 ? 1 + 30 * f.Uniforme() : 0;
                dia.TMax = 25 + 6 * f.Uniforme();
                dia.TMin = 12 + 0.5 * (dia.TMax - 25) + 4 * f.Uniforme();
                dia.Rad = 10 + 15 * f.Uniforme();
                dia.VVento = 0.5 + 3 * f.Uniforme() * f.Uniforme();
                dia.Umid = 0.5 + 0.4 * f.Uniforme();
            }
        }
        r.Anos.push_back(std::move(ano));
    }
    return r;
}

TEST(RadiacaoInsolacao, MatchesWorkedExamplesAt229South) {
    EXPECT_NEAR(RadiacaoInsolacao(8, 15, -22.9), 24.5954, 5e-4);
    EXPECT_NEAR(RadiacaoInsolacao(6, 196, -22.9), 13.0905, 5e-4);
}

TEST(RadiacaoInsolacao, DependsOnTheStationsLatitude) {
    // In July the same six hours of sunshine give far more radiation near the equator than at
    // 22.9 S, and less in the far south.
    const double sul = RadiacaoInsolacao(6, 196, -22.9);
    EXPECT_GT(RadiacaoInsolacao(6, 196, -4.8), sul + 4);
    EXPECT_LT(RadiacaoInsolacao(6, 196, -32.0), sul - 2);
    EXPECT_NE(RadiacaoInsolacao(8, 15, -4.8), RadiacaoInsolacao(8, 15, -22.9));
}

TEST(AtualizarRadiacao, RecomputesOnlyDaysWithSunshine) {
    RegistroClima r;
    r.Anos.emplace_back(2001);
    r.Anos[0].Dias[1][15].Insolacao = 8.0;
    r.Anos[0].Dias[1][16].Rad = 999;  // a missing code stays
    AtualizarRadiacao(r, -22.9);
    EXPECT_NEAR(r.Anos[0].Dias[1][15].Rad, 24.5954, 5e-4);
    EXPECT_EQ(r.Anos[0].Dias[1][16].Rad, 999);
}

TEST(CalcularMediasDesvios, MonthWithoutWetDaysHasZeroWetStatistics) {
    RegistroClima r;
    r.Anos.emplace_back(2001);
    TDadosAno& ano = r.Anos[0];
    ano.Valido[4] = true;
    for (int d = 1; d <= 30; ++d) {
        ano.Dias[4][static_cast<std::size_t>(d)].TMax = d <= 10 ? 20.0 + d : 0;
    }
    TDados dados;
    CalcularMediasDesvios(r, dados);
    EXPECT_EQ(dados.DUmidosClima[4], 0);
    EXPECT_EQ(dados.DSecosClima[4], 30);
    EXPECT_EQ(dados.XTMaxCh[4], 0);
    EXPECT_EQ(dados.STMaxCh[4], 0);
    EXPECT_EQ(dados.XUmidCh[4], 0);
    // Invalid months take no part.
    EXPECT_EQ(dados.DSecosClima[5], 0);
}

TEST(CalcularMediasDesvios, MeansAndSampleDeviationsByClass) {
    RegistroClima r;
    r.Anos.emplace_back(2001);
    TDadosAno& ano = r.Anos[0];
    ano.Valido[2] = true;
    // Dry days 1..3 with TMax 20, 22, 24; wet days 4..5 with 18 and 19; the rest dry at 30.
    for (std::size_t d = 1; d < ano.Dias[2].size(); ++d) ano.Dias[2][d].TMax = 30;
    ano.Dias[2][1].TMax = 20;
    ano.Dias[2][2].TMax = 22;
    ano.Dias[2][3].TMax = 24;
    ano.Dias[2][4].TMax = 18;
    ano.Dias[2][4].Prec = 5;
    ano.Dias[2][5].TMax = 19;
    ano.Dias[2][5].Prec = 0.2;
    ano.Dias[2][6].Prec = -1;  // belongs to neither class
    TDados dados;
    CalcularMediasDesvios(r, dados);
    EXPECT_EQ(dados.DUmidosClima[2], 2);
    EXPECT_EQ(dados.DSecosClima[2], 25);
    EXPECT_DOUBLE_EQ(dados.XTMaxCh[2], 18.5);
    EXPECT_DOUBLE_EQ(dados.STMaxCh[2], std::sqrt(0.5));
    const double media_seco = (20 + 22 + 24 + 30.0 * 22) / 25;
    EXPECT_NEAR(dados.XTMaxSe[2], media_seco, 1e-12);
}

TEST(CalcularResiduos, ZeroDeviationFailsNamingMonthAndVariable) {
    Fluxo f;
    RegistroClima r = RegistroSintetico(1990, 2, f);
    for (TDadosAno& ano : r.Anos) {
        for (std::size_t d = 1; d < ano.Dias[3].size(); ++d) {
            if (ano.Dias[3][d].Prec == 0) ano.Dias[3][d].TMin = 15.5;
        }
    }
    TDados dados;
    CalcularMediasDesvios(r, dados);
    try {
        CalcularResiduos(r, dados);
        FAIL() << "a constant variable was standardised";
    } catch (const ErroVentaro& e) {
        const std::string msg = e.what();
        EXPECT_NE(msg.find("março"), std::string::npos) << msg;
        EXPECT_NE(msg.find("temperatura mínima"), std::string::npos) << msg;
        EXPECT_NE(msg.find("dias secos"), std::string::npos) << msg;
    }
}

TEST(CalcularResiduos, SingleWetDayInAMonthFails) {
    Fluxo f;
    RegistroClima r = RegistroSintetico(1990, 1, f);
    for (std::size_t d = 1; d < r.Anos[0].Dias[7].size(); ++d) r.Anos[0].Dias[7][d].Prec = 0;
    r.Anos[0].Dias[7][9].Prec = 3;
    TDados dados;
    CalcularMediasDesvios(r, dados);
    EXPECT_EQ(dados.DUmidosClima[7], 1);
    EXPECT_THROW(CalcularResiduos(r, dados), ErroVentaro);
}

TEST(CorrelacaoResiduos, LagOnePairsStayInsideTheMonthAndSkipZeros) {
    RegistroClima r;
    r.Anos.emplace_back(2001);
    TDadosAno& ano = r.Anos[0];
    ano.Valido[1] = true;
    ano.Valido[2] = true;
    Fluxo f;
    for (int mes : {1, 2}) {
        for (std::size_t d = 1; d < ano.Dias[mes].size(); ++d) {
            ano.Dias[mes][d].Res = {f.Uniforme() - 0.5, f.Uniforme() - 0.5, f.Uniforme() - 0.5};
        }
    }
    ano.Dias[1][10].Res[kResTMax] = 0;  // drops the pairs (10, 9) and (11, 10)

    // Independent computation over the 31-day January: pairs (j, j-1) for j = 2..31.
    double c = 0, sx = 0, sy = 0, sxy = 0, sx2 = 0, sy2 = 0;
    for (std::size_t j = 2; j <= 31; ++j) {
        const double x = ano.Dias[1][j].Res[kResTMax];
        const double y = ano.Dias[1][j - 1].Res[kResTMax];
        if (x == 0 || y == 0) continue;
        c += 1, sx += x, sy += y, sxy += x * y, sx2 += x * x, sy2 += y * y;
    }
    EXPECT_EQ(c, 28);
    const double esperado =
        (sxy - sx * sy / c) / std::sqrt((sx2 - sx * sx / c) * (sy2 - sy * sy / c));
    EXPECT_DOUBLE_EQ(CorrelacaoResiduos(r, 1, kResTMax, 1, kResTMax), esperado);
}

TEST(CorrelacaoResiduos, NoPairsFailsNamingTheMonth) {
    RegistroClima r;
    r.Anos.emplace_back(2001);
    r.Anos[0].Valido[6] = true;  // every residual is 0
    try {
        CorrelacaoResiduos(r, 6, kResTMin, 0, kResRad);
        FAIL();
    } catch (const ErroVentaro& e) {
        EXPECT_NE(std::string(e.what()).find("junho"), std::string::npos) << e.what();
    }
}

TEST(CalcularMatrizes, SingularLagZeroMatrixFailsInsteadOfWritingNaN) {
    Fluxo f;
    RegistroClima r = RegistroSintetico(1990, 2, f);
    // Radiation equal to the maximum temperature makes two rows of M0 equal.
    for (TDadosAno& ano : r.Anos) {
        for (std::size_t d = 1; d < ano.Dias[8].size(); ++d) {
            ano.Dias[8][d].Rad = ano.Dias[8][d].TMax;
        }
    }
    TDados dados;
    CalcularMediasDesvios(r, dados);
    CalcularResiduos(r, dados);
    try {
        CalcularMatrizes(r, dados);
        FAIL() << "singular M0 accepted";
    } catch (const ErroVentaro& e) {
        EXPECT_NE(std::string(e.what()).find("agosto"), std::string::npos) << e.what();
    }
}

TEST(CalcularMatrizes, BTimesItsTransposeReproducesTheInnovationCovariance) {
    Fluxo f;
    RegistroClima r = RegistroSintetico(1990, 3, f);
    ParametrosClima p = EstimarClima(r);
    for (int mes = 1; mes <= 12; ++mes) {
        const TMatriz& b = p.Dados.MatrizB[mes];
        // Lower triangular with a positive diagonal when C is positive definite.
        EXPECT_EQ(b(0, 1), 0);
        EXPECT_EQ(b(0, 2), 0);
        EXPECT_EQ(b(1, 2), 0);
        EXPECT_GT(b(0, 0), 0);
        // Residuals of independent uniforms: the diagonal of C stays close to 1.
        const TMatriz bbt = *b.Multiplicar(b.Transposta());
        for (std::size_t i = 0; i < 3; ++i) EXPECT_NEAR(bbt(i, i), 1.0, 0.2);
    }
}

TEST(CalcularAssimetriaVento, TwoDryDaysGiveThePlainSum) {
    Fluxo f;
    RegistroClima r = RegistroSintetico(1990, 1, f);
    auto& dias = r.Anos[0].Dias[5];
    for (std::size_t d = 1; d < dias.size(); ++d) dias[d].Prec = 2;
    dias[3].Prec = 0;
    dias[3].VVento = 1.0;
    dias[20].Prec = 0;
    dias[20].VVento = 4.0;
    TDados dados;
    CalcularMediasDesvios(r, dados);
    CalcularAssimetriaVento(r, dados);
    ASSERT_EQ(dados.DSecosClima[5], 2);
    const double x = dados.XVVentoSe[5], s = dados.SVVentoSe[5];
    const double z1 = (1.0 - x) / s, z2 = (4.0 - x) / s;
    EXPECT_DOUBLE_EQ(dados.SkewVVentoSe[5], z1 * z1 * z1 + z2 * z2 * z2);
    // With more days the sum is scaled by n / ((n - 1)(n - 2)).
    EXPECT_NE(dados.SkewVVentoCh[5], 0);
}

TEST(CalcularResiduosIniciais, ComeFromTheFirstValidJanuary) {
    Fluxo f;
    RegistroClima r = RegistroSintetico(1990, 3, f);
    r.Anos[0].Valido[1] = false;
    ParametrosClima p = EstimarClima(r);
    double soma = 0;
    for (std::size_t d = 1; d <= 31; ++d) soma += r.Anos[1].Dias[1][d].Res[kResTMin];
    EXPECT_DOUBLE_EQ(p.Dados.XResJanTMin, soma / 31);
    EXPECT_NE(p.Dados.XResJanTMax, 0);
    EXPECT_EQ(p.NumAnos, 2);
}

TEST(EstimarClima, EveryEstimateIsFinite) {
    Fluxo f;
    RegistroClima r = RegistroSintetico(2000, 5, f);
    ParametrosClima p = EstimarClima(r);
    EXPECT_EQ(p.NumAnos, 5);
    for (int mes = 1; mes <= 12; ++mes) {
        const TDados& d = p.Dados;
        for (double v : {d.XTMaxSe[mes], d.STMaxCh[mes], d.XRadCh[mes], d.SUmidSe[mes],
                         d.SkewVVentoSe[mes], d.SkewVVentoCh[mes]}) {
            EXPECT_TRUE(std::isfinite(v));
        }
        EXPECT_EQ(d.DSecosClima[mes] + d.DUmidosClima[mes],
                  5 * (mes == 2                                        ? 28
                       : mes == 4 || mes == 6 || mes == 9 || mes == 11 ? 30
                                                                       : 31) +
                      (mes == 2 ? 2 : 0));  // 2000 and 2004 are leap years: 2 * 29 + 3 * 28
    }
}

}  // namespace
}  // namespace ventaro
