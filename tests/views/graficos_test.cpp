// The monthly, regression and daily views worked out without widgets: pairs, grids, labels and
// bar heights for the examples users check by hand.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>

#include "core/estatisticas_serie.h"
#include "support/dados_exemplo.h"
#include "support/serie_aleatoria.h"
#include "views/grade_mensal.h"
#include "views/pares_mensais.h"
#include "views/regressao_linear.h"
#include "views/valores_diarios.h"
#include "views/valores_mensais.h"

namespace ventaro {
namespace {

using Meses = std::array<double, 12>;

constexpr VariaveisSimuladas kTodas{true, true, true, true, true, true};

// A 10-year run from 1989 of the example stations, with its statistics.
class Visualizacoes : public ::testing::Test {
  protected:
    Visualizacoes() : clima_(teste::SerieAleatoria(10)) {
        dados_ = teste::DadosExemplo();
        config_.NumAnos = 10;
        config_.APartir = 1;
        config_.Variaveis = kTodas;
        CalcularEstatisticasSerie(estatisticas_, clima_, 10, 1);
    }
    Resultados R() const { return {clima_, dados_, estatisticas_, config_}; }

    TClima clima_;
    TDados dados_;
    TDados estatisticas_;
    ConfiguracaoSerie config_;
};

std::array<std::string, 12> Linha(const GradeMensal& g, int linha) {
    std::array<std::string, 12> v;
    for (int c = 1; c <= 12; ++c) v[static_cast<std::size_t>(c - 1)] = g.Celula(linha, c);
    return v;
}

std::array<std::string, 12> Todas(const std::string& texto) {
    std::array<std::string, 12> v;
    v.fill(texto);
    return v;
}

TEST(Catalogo, TabsCaptionsAndTitlesOfTheThreeChartViews) {
    ASSERT_EQ(GraficosDiarios().size(), 19u);
    ASSERT_EQ(AbasMensais().size(), 42u);
    ASSERT_EQ(AbasRegressao().size(), 36u);
    // Component names are unique within a view.
    std::set<std::string> mensal, regressao;
    for (const auto& aba : AbasMensais()) mensal.insert(aba.Nome);
    for (const auto& aba : AbasRegressao()) regressao.insert(aba.Nome);
    EXPECT_EQ(mensal.size(), 42u);
    EXPECT_EQ(regressao.size(), 36u);

    const AbaMensal& srad_se = AbasMensais()[12 + 6 + 6 + 4];
    EXPECT_EQ(srad_se.Nome, "tsValoresMensaisSRadSe");
    EXPECT_EQ(srad_se.Legenda, "Desvio dias secos");
    EXPECT_EQ(srad_se.Titulo, "Desvio da radiação total diária dos dias secos");
    EXPECT_EQ(AbasExternasMensais()[static_cast<std::size_t>(srad_se.Externa)].Legenda, "Radiação");
    const AbaMensal& vento = AbasMensais()[12 + 18 + 2];
    EXPECT_EQ(vento.Titulo, "Média da velocidade do vento total diária nos dias chuvosos");
    EXPECT_EQ(vento.Eixo.Casas, 1);
    EXPECT_EQ(AbasMensais()[8].Legenda, "    ti*");
    EXPECT_EQ(AbasMensais()[5].Titulo, "Números de dias chuvosos");

    const AbaRegressao& dias = AbasRegressao()[5];
    EXPECT_EQ(dias.Titulo, "Número de dias chuvosos");
    EXPECT_EQ(dias.NomeEquacao(), "lblRegressaoEquacaoDiasChuvosos");
    const AbaRegressao& xtmax = AbasRegressao()[6];
    EXPECT_EQ(xtmax.Nome, "tsXTMax");
    EXPECT_EQ(xtmax.NomeEpe(), "lblEpeXTMax");
    EXPECT_EQ(AbasRegressao()[6 + 24 + 4].Titulo, "Desvio da umidade total diária para dias secos");

    const GraficoDiario& ti = GraficosDiarios()[2];
    EXPECT_EQ(ti.Legenda, "    ti*");
    EXPECT_TRUE(ti.Eixo.Fixo);
    EXPECT_EQ(ti.Eixo.Max, 1.0);
    EXPECT_EQ(GraficosDiarios()[17].Titulo, "Umidade total diária nos dias secos");
    EXPECT_EQ(AbasExternasDiarias()[3].Conjunto, "pgGraficosValoresDiariosRad");
}

TEST_F(Visualizacoes, SwitchedOffVariablesGiveZerosInEveryView) {
    config_.Variaveis = VariaveisSimuladas{};
    for (const AbaMensal& aba : AbasMensais()) {
        const AbaMensalCalculada c = CalcularAbaMensal(aba, R(), ',');
        EXPECT_EQ(c.Pares, ParesMensais{}) << aba.Nome;
        if (c.SoGerado) {
            EXPECT_EQ(Linha(c.Grade, 1), Todas("     - ")) << aba.Nome;
            EXPECT_EQ(Linha(c.Grade, 2), Todas("0,000")) << aba.Nome;
            EXPECT_EQ(Linha(c.Grade, 3), Todas("     - ")) << aba.Nome;
        } else {
            EXPECT_EQ(Linha(c.Grade, 1), Todas("0,00")) << aba.Nome;
            EXPECT_EQ(Linha(c.Grade, 2), Todas("0,00")) << aba.Nome;
            EXPECT_EQ(Linha(c.Grade, 3), Todas("100,00")) << aba.Nome;
        }
    }
    for (const AbaRegressao& aba : AbasRegressao()) {
        const AbaRegressaoCalculada c = CalcularAbaRegressao(aba, R(), ',');
        EXPECT_EQ(c.Pares, ParesMensais{}) << aba.Nome;
        EXPECT_EQ(c.Equacao, "Y = 0,000 X");
        EXPECT_EQ(c.R2, "r² = 0,000");
        EXPECT_EQ(c.ErroPadrao, "Erro padrão da estimativa = 0,00" + aba.Unidade);
        EXPECT_EQ(c.LinhaX, (std::array<double, 2>{0, 0}));
        EXPECT_EQ(c.LinhaY, (std::array<double, 2>{0, 0}));
        for (int linha = 1; linha <= 3; ++linha) EXPECT_EQ(Linha(c.Grade, linha), Todas("0,00"));
    }
    std::vector<double> valores;
    for (const GraficoDiario& g : GraficosDiarios()) {
        ValoresDiarios(g, clima_, config_.Variaveis, valores);
        EXPECT_EQ(valores, std::vector<double>(static_cast<std::size_t>(clima_.NumDias), 0.0))
            << g.Nome;
    }
}

TEST(GradeMensal, ThirdRowOfTheMonthlyAndRegressionGrids) {
    struct Caso {
        double x, y;
        const char* mensal;
        const char* regressao;
    };
    const Caso casos[] = {
        {10, 8, "-20,00", "-20,00"},
        {0, 0.4, "100,00", "100,00"},
        {12.341, 12.344, "0,02", "0,00"},  // both print as 12,34
        {0, 0, "100,00", "0,00"},
        {-0.001, 0.001, "-200,00", "0,00"},  // both print as 0,00, never -0,00
        {4, 5, "25,00", "25,00"},
    };
    for (const Caso& caso : casos) {
        Meses x{}, y{};
        x.fill(caso.x);
        y.fill(caso.y);
        GradeMensal mensal, regressao;
        PreencherComparacao(mensal, x, y, ',');
        PreencherTabela(regressao, x, y, ',');
        EXPECT_EQ(mensal.Celula(3, 7), caso.mensal) << caso.x << " " << caso.y;
        EXPECT_EQ(regressao.Celula(3, 7), caso.regressao) << caso.x << " " << caso.y;
        EXPECT_EQ(mensal.Celula(1, 7), regressao.Celula(1, 7));
    }
    GradeMensal g;
    EXPECT_EQ(g.Celula(0, 0), "");
    EXPECT_EQ(g.Celula(0, 2), "Fev");
    EXPECT_EQ(g.Celula(3, 0), "Variação (%)");
    EXPECT_EQ(g.Celula(2, 5), " ");
    Meses x{}, y{};
    for (std::size_t i = 0; i < 12; ++i) {
        x[i] = static_cast<double>(i) + 0.25;
        y[i] = static_cast<double>(i) * 2;
    }
    PreencherComparacao(g, x, y, '.');
    // Fev to Abr of "Observado" and "VENTARO".
    EXPECT_EQ(TextoCopia(g, 1, 2, 2, 4), "1.25\t2.25\t3.25\r\n2.00\t4.00\t6.00\r\n");
    PreencherSoGerado(g, y, ',');
    EXPECT_EQ(Linha(g, 1), Todas("     - "));
    EXPECT_EQ(g.Celula(2, 3), "4,000");
}

TEST_F(Visualizacoes, ExpectedWetDaysStayInTheView) {
    const TDados antes = dados_;
    dados_.PCC[2] = 0.5;
    dados_.PCS[2] = 0.25;
    dados_.PCC[3] = 1.0;  // a chain that never dries again, and one that never gets wet
    dados_.PCS[3] = 0.0;
    dados_.PCS[4] = 0.0;
    EXPECT_EQ(DiasUmidosEsperados(dados_, 10, 1989)[2], 94);  // 282 × 0.25 / 0.75
    EXPECT_EQ(DiasUmidosEsperados(dados_, 4, 1)[2], static_cast<int32_t>(113 * 0.25 / 0.75));
    EXPECT_EQ(DiasUmidosEsperados(dados_, 400, 1)[2], static_cast<int32_t>(11297 * 0.25 / 0.75));
    EXPECT_EQ(DiasUmidosEsperados(dados_, 10, 1989)[3], 0);
    EXPECT_EQ(DiasUmidosEsperados(dados_, 10, 1989)[4], 0);

    config_.NumAnos = 10;
    config_.APartir = 1989;
    const TDados observado = dados_;
    const AbaMensalCalculada c = CalcularAbaMensal(AbasMensais()[5], R(), ',');
    EXPECT_EQ(c.Pares.X[1], 94.0);
    EXPECT_EQ(c.Pares.Y[1], estatisticas_.DUmidos[2]);
    EXPECT_EQ(c.Grade.Celula(1, 2), "94,00");
    const AbaRegressaoCalculada r = CalcularAbaRegressao(AbasRegressao()[5], R(), ',');
    EXPECT_EQ(r.Pares.X[1], 94.0);
    // The rainfall station's observed counts are not replaced by the expected ones.
    EXPECT_EQ(dados_, observado);
    EXPECT_EQ(dados_.DUmidos, antes.DUmidos);
}

TEST_F(Visualizacoes, AllDaysMeanAndDeviationOfTheClimateVariables) {
    // January pooled from its dry and wet groups; February with no day in either group, March
    // with a single day.
    dados_.DSecosClima[1] = 10;
    dados_.DUmidosClima[1] = 10;
    dados_.XTMaxSe[1] = 2;
    dados_.XTMaxCh[1] = 4;
    dados_.STMaxSe[1] = 1;
    dados_.STMaxCh[1] = 1;
    dados_.DSecosClima[2] = 0;
    dados_.DUmidosClima[2] = 0;
    dados_.DSecosClima[3] = 1;
    dados_.DUmidosClima[3] = 0;
    const AbaMensal& media = AbasMensais()[12];
    const AbaMensal& desvio = AbasMensais()[15];
    ASSERT_EQ(media.Nome, "tsValoresMensaisXTMax");
    ASSERT_EQ(desvio.Nome, "tsValoresMensaisSTMax");
    const ParesMensais m = CalcularAbaMensal(media, R(), ',').Pares;
    const ParesMensais s = CalcularAbaMensal(desvio, R(), ',').Pares;
    EXPECT_EQ(m.X[0], 3.0);
    EXPECT_NEAR(s.X[0], std::sqrt(2.0), 1e-12);
    EXPECT_EQ(m.X[1], 0.0);
    EXPECT_EQ(s.X[1], 0.0);
    EXPECT_EQ(m.X[2], dados_.XTMaxSe[3]);
    EXPECT_EQ(s.X[2], 0.0);
    // The generated side pools the series' own counts.
    const double esperado = (estatisticas_.XTMaxCh[5] * estatisticas_.DUmidos[5] +
                             estatisticas_.XTMaxSe[5] * estatisticas_.DSecos[5]) /
                            (estatisticas_.DSecos[5] + estatisticas_.DUmidos[5]);
    EXPECT_EQ(m.Y[4], esperado);
    // The same pairs in the regression view.
    const AbaRegressaoCalculada r = CalcularAbaRegressao(AbasRegressao()[6], R(), ',');
    EXPECT_EQ(r.Pares, m);
    EXPECT_EQ(r.Grade.Celula(1, 2), "0,00");
}

TEST_F(Visualizacoes, HumidityIsShownAsStoredInTheStatisticsViews) {
    dados_.XUmidSe[1] = 0.5;
    const AbaMensal& aba = AbasMensais()[12 + 24 + 1];
    ASSERT_EQ(aba.Nome, "tsValoresMensaisXUmidSe");
    const AbaMensalCalculada c = CalcularAbaMensal(aba, R(), ',');
    EXPECT_EQ(c.Grade.Celula(1, 1), "0,50");
    EXPECT_LT(c.Pares.Y[0], 1.0);
    const AbaRegressaoCalculada r = CalcularAbaRegressao(AbasRegressao()[6 + 24 + 1], R(), ',');
    EXPECT_EQ(r.Grade.Celula(1, 1), "0,50");
    EXPECT_TRUE(r.ErroPadrao.ends_with(" %"));
}

TEST_F(Visualizacoes, RegressionLabelsAndLine) {
    const AbaRegressao& aba = AbasRegressao()[0];
    for (int mes = 1; mes <= 12; ++mes) {
        dados_.XPrec[mes] = mes;
        estatisticas_.XPrec[mes] = 2.0 * mes;
    }
    const AbaRegressaoCalculada c = CalcularAbaRegressao(aba, R(), '.');
    EXPECT_EQ(c.Equacao, "Y = 2.000 X");
    EXPECT_EQ(c.R2, "r² = 1.000");
    EXPECT_EQ(c.ErroPadrao, "Erro padrão da estimativa = 0.00 mm");
    EXPECT_EQ(c.LinhaX, (std::array<double, 2>{1, 12}));
    EXPECT_EQ(c.LinhaY, (std::array<double, 2>{2, 24}));
}

TEST_F(Visualizacoes, DailyChartsFilterDryAndWetDays) {
    // A dry day with a stored peak intensity, and a wet day.
    std::size_t seco = 0, chuvoso = 0;
    for (std::size_t d = 1; d <= static_cast<std::size_t>(clima_.NumDias); ++d) {
        if (clima_.Prec[d] == 0 && seco == 0) seco = d;
        if (clima_.Prec[d] > 0 && chuvoso == 0) chuvoso = d;
    }
    ASSERT_GT(seco * chuvoso, 0u);
    clima_.Ii[seco] = 7.0;
    clima_.Umid[seco] = 0.5;

    const auto& g = GraficosDiarios();
    std::vector<double> ii;
    ValoresDiarios(g[3], clima_, kTodas, ii);
    EXPECT_EQ(ii[seco - 1], 0.0);
    EXPECT_EQ(ii[chuvoso - 1], clima_.Ii[chuvoso]);
    std::vector<double> umid;
    ValoresDiarios(g[16], clima_, kTodas, umid);
    EXPECT_EQ(umid[seco - 1], 50.0);

    // Each climate variable: the dry and wet charts split the all-days chart between them.
    for (std::size_t i = 4; i < g.size(); i += 3) {
        std::vector<double> todos, secos, chuvosos;
        ValoresDiarios(g[i], clima_, kTodas, todos);
        ValoresDiarios(g[i + 1], clima_, kTodas, secos);
        ValoresDiarios(g[i + 2], clima_, kTodas, chuvosos);
        ASSERT_EQ(todos.size(), static_cast<std::size_t>(clima_.NumDias));
        for (std::size_t d = 0; d < todos.size(); ++d) {
            const bool molhado = clima_.Prec[d + 1] > 0;
            ASSERT_EQ(molhado ? chuvosos[d] : secos[d], todos[d]) << g[i].Nome << " " << d;
            ASSERT_EQ(molhado ? secos[d] : chuvosos[d], 0.0) << g[i].Nome << " " << d;
        }
    }
}

}  // namespace
}  // namespace ventaro
