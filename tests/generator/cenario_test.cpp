// A climate-change scenario, applied to the stations before the run, moves the generated
// series' monthly means by what it asks, within the sampling error of 200 years.

#include <gtest/gtest.h>

#include <cmath>

#include "core/cenario_climatico.h"
#include "core/estatisticas_serie.h"
#include "generator/tcalcular_serie_sintetica.h"
#include "support/dados_exemplo.h"

namespace ventaro {
namespace {

TEST(CenarioClimatico, GeneratedMonthlyMeansMoveByTheRequestedFactors) {
    constexpr int kAnos = 200;
    const TDados base = teste::DadosExemplo();
    CenarioClimatico cenario;
    cenario.Nome = "teste.csv";
    for (int m = 1; m <= 12; ++m) {
        MesCenario& c = cenario.Meses[m];
        c.FatorChuvaMedia = 0.75 + 0.05 * (m % 7);  // 0.75 to 1.05
        c.FatorDiasChuvosos = m % 2 == 0 ? 0.8 : 1.15;
        c.DeltaTMax = 1.0 + 0.25 * (m % 4);
        c.DeltaTMin = 2.5 - 0.2 * (m % 5);
        c.FatorRadiacao = m <= 6 ? 0.92 : 1.06;
    }
    TDados futuro = base;
    AplicarCenario(cenario, futuro);

    // Without corrections, so that the means are the model's own, not rescaled to the targets.
    ConfiguracaoSerie config;
    config.NumAnos = kAnos;
    config.Correcao = false;
    config.Variaveis = {true, true, true, true, false, false};
    const TCalcularSerieSintetica gerador;
    TDados atual_gerado, futuro_gerado;
    CalcularEstatisticasSerie(atual_gerado, gerador.Calcular(base, config).Clima, kAnos, 1);
    CalcularEstatisticasSerie(futuro_gerado, gerador.Calcular(futuro, config).Clima, kAnos, 1);

    for (int m = 1; m <= 12; ++m) {
        SCOPED_TRACE("mês " + std::to_string(m));
        const MesCenario& c = cenario.Meses[m];
        const TDados& a = atual_gerado;
        const TDados& f = futuro_gerado;
        const auto Dias = [m](const TDados& d) { return double(d.DUmidos[m] + d.DSecos[m]); };
        const auto Fracao = [&](const TDados& d) { return d.DUmidos[m] / Dias(d); };
        // A persistent chain's wet fraction varies more than independent days would:
        // (1 + r) / (1 - r) with r = PCC - PCS.
        const double r = base.PCC[m] - base.PCS[m];
        const double inflacao = (1 + r) / (1 - r);
        const auto VarFracao = [&](const TDados& d) {
            return Fracao(d) * (1 - Fracao(d)) * inflacao / Dias(d);
        };
        const double g = c.FatorDiasChuvosos;
        EXPECT_NEAR(Fracao(f), g * Fracao(a), 4 * std::sqrt(VarFracao(f) + g * g * VarFracao(a)));

        const double k = c.FatorChuvaMedia;
        EXPECT_NEAR(f.XPrec[m], k * a.XPrec[m],
                    4 * std::sqrt(f.SPrec[m] * f.SPrec[m] / f.DUmidos[m] +
                                  k * k * a.SPrec[m] * a.SPrec[m] / a.DUmidos[m]));

        // Dry-day means of the climate variables; their daily residuals are autocorrelated,
        // which a factor of 3 on the standard error covers (lag-one correlation up to 0.8).
        const auto Erro = [&](double sf, double sa, double fator) {
            return 4 * 3 * std::sqrt(sf * sf / f.DSecos[m] + fator * fator * sa * sa / a.DSecos[m]);
        };
        EXPECT_NEAR(f.XTMaxSe[m], a.XTMaxSe[m] + c.DeltaTMax, Erro(f.STMaxSe[m], a.STMaxSe[m], 1));
        EXPECT_NEAR(f.XTMinSe[m], a.XTMinSe[m] + c.DeltaTMin, Erro(f.STMinSe[m], a.STMinSe[m], 1));
        EXPECT_NEAR(f.XRadSe[m], c.FatorRadiacao * a.XRadSe[m],
                    Erro(f.SRadSe[m], a.SRadSe[m], c.FatorRadiacao));
        // The changes are well beyond those errors: the test can tell them from nothing.
        EXPECT_GT(c.DeltaTMin, 2 * Erro(f.STMinSe[m], a.STMinSe[m], 1));
    }
}

}  // namespace
}  // namespace ventaro
