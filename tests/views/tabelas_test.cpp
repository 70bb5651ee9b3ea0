// The storm table, the series table and the intensity profile worked out without widgets.
#include <gtest/gtest.h>

#include <cmath>

#include "generator/perfil_tempestade.h"
#include "output/formato_numero.h"
#include "support/serie_aleatoria.h"
#include "views/formato.h"
#include "views/perfil_precipitacao.h"
#include "views/tabelas_serie.h"

namespace ventaro {
namespace {

std::vector<std::string> LinhaDe(const TabelaTexto& t, int64_t linha) {
    std::vector<std::string> v;
    for (int c = 0; c < t.NumColunas(); ++c) v.push_back(t.Celula(linha, c));
    return v;
}

TEST(Tabelas, StormAndSeriesTablesWithAndWithoutStorms) {
    TClima clima = TClima::ParaPeriodo(1, 2);
    clima.Prec[1] = 12.34;
    clima.Dur[1] = 2.005;
    clima.Ti[1] = 0.1234;
    clima.Ii[1] = 25.06;
    clima.TMax[1] = 30.04;
    clima.TMin[1] = -0.04;
    clima.Rad[1] = 18.25;
    clima.VVento[1] = 2.345;
    clima.Umid[1] = 0.5;

    const TabelaTempestades tempestades(clima, true, ',');
    EXPECT_EQ(tempestades.NumLinhas(), 730);
    EXPECT_EQ(tempestades.Cabecalho(1), "Precipitação (mm)");
    EXPECT_EQ(tempestades.Largura(0), 142);
    EXPECT_EQ(LinhaDe(tempestades, 0),
              (std::vector<std::string>{"01/01/0001", "12,3", "2,00", "0,123", "25,1"}));
    EXPECT_EQ(LinhaDe(tempestades, 1),
              (std::vector<std::string>{"02/01/0001", "0,0", "0,00", "0,000", "0,0"}));
    EXPECT_EQ(tempestades.Celula(729, 0), "31/12/0002");
    EXPECT_EQ(tempestades.DiaDaLinha(729), 730);

    const TabelaTempestades sem_tempestades(clima, false, ',');
    EXPECT_EQ(sem_tempestades.NumLinhas(), 1);
    EXPECT_EQ(LinhaDe(sem_tempestades, 0), (std::vector<std::string>{"", "0", "0", "0", "0"}));
    EXPECT_EQ(sem_tempestades.DiaDaLinha(0), 0);

    const TabelaSerie serie(clima, true, ',');
    EXPECT_EQ(serie.NumLinhas(), 730);
    EXPECT_EQ(serie.Cabecalho(9), "Umid(%)");
    EXPECT_EQ(serie.Largura(7), 83);
    EXPECT_EQ(LinhaDe(serie, 0),
              (std::vector<std::string>{"01/01/01", "12,3", "2,00", "0,123", "25,1", "30,0", "0,0",
                                        "18,2", "2,35", "50,0"}));
    EXPECT_EQ(serie.Celula(1, 0), "02/01/01");
    const TabelaSerie serie_sem(clima, false, '.');
    EXPECT_EQ(LinhaDe(serie_sem, 0),
              (std::vector<std::string>{"01/01/01", "0", "0", "0", "0", "30.0", "0.0", "18.2",
                                        "2.35", "50.0"}));
}

TEST(Tabelas, DatesOfLongSeries) {
    const TClima clima = TClima::ParaPeriodo(1989, 100);
    EXPECT_EQ(DataCurta(DataDaSerie(clima, 1)), "01/01/1989");
    EXPECT_EQ(DataCurta(DataDaSerie(clima, 31 + 29 + 365 * 3)), "29/02/1992");
    EXPECT_EQ(DataAnoCurto(DataDaSerie(clima, clima.NumDias)), "31/12/88");
    EXPECT_EQ(FormatarMilhar(36525, ','), "36.525");
    EXPECT_EQ(FormatarMilhar(-1234567.4, '.'), "-1,234,567");
    EXPECT_EQ(FormatarMilhar(999, ','), "999");
}

TEST(Perfil, CurveAndAxisFormatsOfShortAndLongStorms) {
    TClima clima = TClima::ParaPeriodo(2000, 1);
    struct Caso {
        double dur, ip;
        int casas_tempo, casas_intensidade;
    };
    const Caso casos[] = {{0.5, 4.9, 2, 1},    {2, 5, 1, 0},    {6, 30, 0, 0},
                          {0.999, 4.99, 2, 1}, {1, 5.01, 1, 0}, {3, 1, 0, 1}};
    for (const Caso& caso : casos) {
        clima.Prec[40] = 8.0;
        clima.Dur[40] = caso.dur;
        clima.Ti[40] = 0.3;
        clima.Ii[40] = caso.ip;
        clima.ParamA[40] = 0.5;
        clima.ParamB[40] = 2.0;
        clima.ParamC[40] = 4.0;
        clima.ParamD[40] = 1.5;
        const PerfilDia p = CalcularPerfil(clima, 40, ',');
        ASSERT_TRUE(p.Chuvoso);
        EXPECT_EQ(p.CasasTempo, caso.casas_tempo) << caso.dur;
        EXPECT_EQ(p.CasasIntensidade, caso.casas_intensidade) << caso.ip;
        ASSERT_EQ(p.Tempo.size(), 10001u);
        EXPECT_EQ(p.Tempo.front(), 0.0);
        EXPECT_DOUBLE_EQ(p.Tempo.back(), caso.dur);
        EXPECT_DOUBLE_EQ(p.Intensidade.front(), 0.5 * 8.0 / caso.dur);
        EXPECT_DOUBLE_EQ(p.Intensidade.back(), 4.0 * std::exp(-1.5) * 8.0 / caso.dur);
        // t* = 0.3 exactly (k = 3000) is on the rising branch, the next point on the falling one.
        EXPECT_DOUBLE_EQ(p.Intensidade[3000], 0.5 * std::exp(2.0 * 0.3) * 8.0 / caso.dur);
        EXPECT_DOUBLE_EQ(p.Intensidade[3001], 4.0 * std::exp(-1.5 * 0.3001) * 8.0 / caso.dur);
    }
    const PerfilDia p = CalcularPerfil(clima, 40, ',');
    EXPECT_EQ(p.ParamA, "0,5");
    EXPECT_EQ(p.ParamD, "1,5");
    EXPECT_EQ(p.Data, "09/02/2000");

    // A dry day: no curve, its stored parameters and its date.
    const PerfilDia seco = CalcularPerfil(clima, 41, ',');
    EXPECT_FALSE(seco.Chuvoso);
    EXPECT_TRUE(seco.Tempo.empty());
    EXPECT_EQ(seco.ParamA, "0");
    EXPECT_EQ(seco.Data, "10/02/2000");

    // A store without profiles (an ordinary run keeps none) gets the storm's own profile.
    ArraysSerie sem_perfis;
    sem_perfis.Perfis = false;
    TClima ordinaria = TClima::ParaPeriodo(2000, 1, sem_perfis);
    ordinaria.Prec[40] = 8.0;
    ordinaria.Dur[40] = 2.0;
    ordinaria.Ti[40] = 0.5;
    ordinaria.Ii[40] = 8.0;
    const PerfilTempestade esperado = CalcularPerfil(8.0, 2.0, 0.5, 8.0);
    const PerfilDia calculado = CalcularPerfil(ordinaria, 40, '.');
    ASSERT_TRUE(calculado.Chuvoso);
    EXPECT_EQ(calculado.ParamB, FormatoGeral(esperado.ParamB, '.'));
    EXPECT_EQ(calculado.ParamC, FormatoGeral(esperado.ParamC, '.'));
    EXPECT_DOUBLE_EQ(calculado.Intensidade.front(), esperado.ParamA * 8.0 / 2.0);
    EXPECT_EQ(CalcularPerfil(ordinaria, 41, '.').ParamA, "0");
}

}  // namespace
}  // namespace ventaro
