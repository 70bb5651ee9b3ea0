// Checks that the sample database the build produces is usable by the generator: every
// station loads, and the parameters lie where the generator's laws are defined.

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "stations/estacoes.h"

namespace ventaro {
namespace {

std::filesystem::path BancoAmostra() {
    return std::filesystem::path(VENTARO_BIN_DIR) / "bd.sqlite";
}

TEST(BancoAmostra, HasRainfallStationsInTwoRegionsAndTwoClimatologicalStations) {
    BancoDados banco(BancoAmostra());
    const auto prec = ListarEstacoes(banco, TipoEstacao::Pluviometrica);
    const auto clima = ListarEstacoes(banco, TipoEstacao::Climatologica);
    ASSERT_GE(prec.size(), 2u);
    ASSERT_GE(clima.size(), 2u);
    bool regioes_diferentes = false;
    for (const auto& l : prec) regioes_diferentes |= l.Regiao != prec.front().Regiao;
    EXPECT_TRUE(regioes_diferentes);
}

TEST(BancoAmostra, RainfallStationsLoadWithDefinedStormLaws) {
    BancoDados banco(BancoAmostra());
    for (const auto& linha : ListarEstacoes(banco, TipoEstacao::Pluviometrica)) {
        SCOPED_TRACE(linha.Codigo);
        TDados d;
        ASSERT_NO_THROW(CarregarEstacaoPrec(banco, linha.Codigo, d));
        EXPECT_TRUE(AjustarVariaveisSimuladas(d).SimularPrec);
        for (int m = 1; m <= 12; ++m) {
            EXPECT_GT(d.XPrec[m], 0);
            EXPECT_GT(d.SPrec[m], 0);
            EXPECT_GT(d.PCC[m], 0);
            EXPECT_LT(d.PCC[m], 1);
            EXPECT_GT(d.PCS[m], 0);
            EXPECT_LT(d.PCS[m], d.PCC[m]);
            EXPECT_GT(d.DUmidos[m], 0);
            EXPECT_GT(d.DSecos[m], 0);
            for (std::size_t k = 0; k < kNumClasses; ++k) {
                EXPECT_GE(d.AlfaDur[m][k], 1);
                EXPECT_GE(d.AlfaIi[m][k], 1);
                EXPECT_GT(d.BetaDur[m][k], 0);
                EXPECT_GT(d.BetaIi[m][k], 0);
                // Estimated from hourly records: means of the normalised time to peak.
                EXPECT_GT(d.BetaTi[m][k], 0);
                EXPECT_LT(d.BetaTi[m][k], 0.99);
            }
        }
    }
}

TEST(BancoAmostra, ClimatologicalStationsLoadWithStableMatricesAndValidHumidity) {
    BancoDados banco(BancoAmostra());
    for (const auto& linha : ListarEstacoes(banco, TipoEstacao::Climatologica)) {
        SCOPED_TRACE(linha.Codigo);
        TDados d;
        ASSERT_NO_THROW(CarregarEstacaoClima(banco, linha.Codigo, d));
        EXPECT_EQ(AjustarVariaveisSimuladas(d),
                  (VariaveisSimuladas{false, true, true, true, true, true}));
        for (int m = 1; m <= 12; ++m) {
            SCOPED_TRACE(m);
            EXPECT_GT(d.XTMaxSe[m], d.XTMinSe[m]);
            EXPECT_GT(d.XTMaxCh[m], d.XTMinCh[m]);
            const TMatriz& a = d.MatrizA[m];
            const TMatriz& b = d.MatrizB[m];
            // The largest absolute row sum bounds the spectral radius.
            double norma = 0;
            for (std::size_t i = 0; i < 3; ++i) {
                norma =
                    std::max(norma, std::fabs(a(i, 0)) + std::fabs(a(i, 1)) + std::fabs(a(i, 2)));
                EXPECT_GT(b(i, i), 0);
                for (std::size_t j = i + 1; j < 3; ++j) EXPECT_EQ(b(i, j), 0);
            }
            EXPECT_LT(norma, 1);
            // Beta-law shapes of humidity from mean and deviation must be at least 1.
            const struct {
                double x, s;
                int n;
            } estados[] = {{d.XUmidSe[m], d.SUmidSe[m], d.DSecosClima[m]},
                           {d.XUmidCh[m], d.SUmidCh[m], d.DUmidosClima[m]}};
            for (const auto& e : estados) {
                ASSERT_GT(e.n, 1);
                EXPECT_GT(e.x, 0);
                EXPECT_LT(e.x, 1);
                const double e2 = e.s * e.s * (e.n - 1) / e.n + e.x * e.x;
                const double den = e2 - e.x * e.x;
                EXPECT_GE(e.x * (e.x - e2) / den, 1);
                EXPECT_GE((e.x - e2) * (1.0 - e.x) / den, 1);
            }
        }
    }
}

TEST(BancoAmostra, StatesAndStationStateRows) {
    BancoDados banco(BancoAmostra());
    Consulta estados(banco, "Select Nome, Codigo from Estado where Codigo < 30 order by Nome");
    int n = 0;
    while (estados.Proxima()) ++n;
    EXPECT_EQ(n, 27);
    for (const auto& linha : ListarEstacoes(banco, TipoEstacao::Pluviometrica)) {
        Consulta q(banco, "select CodEstado from Estacao where Codigo = :codigo");
        q.Bind(":codigo", std::string_view(linha.Codigo));
        EXPECT_TRUE(q.Proxima()) << linha.Codigo;
    }
}

}  // namespace
}  // namespace ventaro
