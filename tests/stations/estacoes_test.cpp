#include "stations/estacoes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "banco_teste.h"
#include "core/erro.h"

namespace ventaro {
namespace {

using teste::BancoTemporario;

// SQL for a rainfall station whose month m has XPrec = m + 0.5 and DUmidos = 10 * m, leaving
// out the months in `sem_mes` and repeating those in `mes_duplo`.
std::string EstacaoPrecSql(int codigo, const std::string& nome, const std::string& municipio,
                           int regiao, const std::vector<int>& sem_mes = {},
                           const std::vector<int>& mes_duplo = {}) {
    std::string sql = "insert into EstacaoPrec values (" + std::to_string(codigo) + ", '" + nome +
                      "', '" + municipio + "', " + std::to_string(regiao) +
                      ", -20.7546, -45.2761, 960, 30);\n";
    for (int m = 1; m <= 12; ++m) {
        if (std::find(sem_mes.begin(), sem_mes.end(), m) != sem_mes.end()) continue;
        const int vezes =
            std::find(mes_duplo.begin(), mes_duplo.end(), m) != mes_duplo.end() ? 2 : 1;
        for (int v = 0; v < vezes; ++v) {
            sql +=
                "insert into DadosPrec (CodEstacao, Mes, XPrec, SPrec, SkewPrec, PCC, PCS, "
                "DUmidos, DSecos) values (" +
                std::to_string(codigo) + ", " + std::to_string(m) + ", " + std::to_string(m) +
                ".5, 12.25, 2.5, 0.625, 0.25, " + std::to_string(10 * m) + ", " +
                std::to_string(900 - 10 * m) + ");\n";
        }
    }
    return sql;
}

// ParamRegiao rows of a region: type t, month m, class k holds t * 1000 + m * 10 + k / 100.
std::string RegiaoSql(int regiao) {
    std::string sql;
    for (int t = 1; t <= 5; ++t) {
        for (int m = 1; m <= 12; ++m) {
            sql += "insert into ParamRegiao values (" + std::to_string(regiao) + ", " +
                   std::to_string(t) + ", " + std::to_string(m) + ", 99";
            for (int k = 0; k < 12; ++k) {
                sql += ", " + std::to_string(t * 1000 + m * 10) + "." + (k < 10 ? "0" : "") +
                       std::to_string(k);
            }
            sql += ");\n";
        }
    }
    return sql;
}

// SQL for a climatological station; month m has XTMaxSe = 20 + m and MatrizAij = i + j / 10,
// MatrizBij = -(i + j / 10). Groups named in `zero` are written as 0.
std::string EstacaoClimaSql(int codigo, const std::string& nome,
                            const std::vector<int>& sem_mes = {},
                            const std::vector<int>& mes_duplo = {}, const std::string& zero = "") {
    std::string sql = "insert into EstacaoClima values (" + std::to_string(codigo) + ", '" + nome +
                      "', 'Mun', 3, -19.9344, -43.9522, 915.47, 31, 0.125, -0.25, 0.5);\n";
    auto valor = [&](const std::string& grupo, const std::string& v) {
        return zero.find(grupo) != std::string::npos ? std::string("0") : v;
    };
    for (int m = 1; m <= 12; ++m) {
        if (std::find(sem_mes.begin(), sem_mes.end(), m) != sem_mes.end()) continue;
        const int vezes =
            std::find(mes_duplo.begin(), mes_duplo.end(), m) != mes_duplo.end() ? 2 : 1;
        std::string colunas = "CodEstacao, Mes, DUmidos, DSecos";
        std::string valores = std::to_string(codigo) + ", " + std::to_string(m) + ", " +
                              std::to_string(m) + ", " + std::to_string(100 + m);
        auto add = [&](const std::string& c, const std::string& v) {
            colunas += ", " + c;
            valores += ", " + v;
        };
        add("XTMaxSe", valor("tmax", std::to_string(20 + m)));
        for (const char* c : {"XTMaxCh", "STMaxSe", "STMaxCh"}) add(c, valor("tmax", "2.5"));
        for (const char* c : {"XTMinSe", "XTMinCh", "STMinSe", "STMinCh"})
            add(c, valor("tmin", "1.5"));
        for (const char* c : {"XRadSe", "XRadCh", "SRadSe", "SRadCh"}) add(c, valor("rad", "15"));
        for (const char* c : {"XVVentoSe", "XVVentoCh", "SVVentoSe", "SVVentoCh", "SkewVVentoSe"})
            add(c, valor("vento", "1.25"));
        add("SkewVVentoCh", valor("vento", "0.75"));
        for (const char* c : {"XUmidSe", "XUmidCh"}) add(c, valor("umid", "0.75"));
        for (const char* c : {"SUmidSe", "SUmidCh"}) add(c, valor("umid", "0.0625"));
        for (int i = 1; i <= 3; ++i) {
            for (int j = 1; j <= 3; ++j) {
                const std::string ij = std::to_string(i) + std::to_string(j);
                const std::string v = std::to_string(10 * i + j);
                // i.j, and its negative for B.
                std::string a_ij(1, v[0]);
                a_ij += '.';
                a_ij += v[1];
                add(std::string("MatrizA").append(ij), a_ij);
                add(std::string("MatrizB").append(ij), std::string(1, '-').append(a_ij));
            }
        }
        for (int v = 0; v < vezes; ++v) {
            sql += "insert into DadosClima (" + colunas + ") values (" + valores + ");\n";
        }
    }
    return sql;
}

std::vector<std::string> Codigos(const std::vector<LinhaEstacao>& linhas) {
    std::vector<std::string> codigos;
    for (const auto& l : linhas) codigos.push_back(l.Codigo);
    return codigos;
}

// Runs f, which must throw an ErroVentaro, and returns its message.
template <typename F>
std::string Mensagem(F&& f) {
    try {
        f();
    } catch (const ErroVentaro& e) {
        return e.what();
    }
    ADD_FAILURE() << "nenhum erro";
    return {};
}

class EstacoesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        banco_temp_.Executar(EstacaoPrecSql(2852006, "PASSO FUNDO", "PASSO FUNDO", 6) +
                             EstacaoPrecSql(447002, "RETA KM-32", "IMPERATRIZ", 1) +
                             EstacaoPrecSql(2045012, "CANDEIAS", "CANDEIAS", 3) +
                             EstacaoPrecSql(3000001, "50% DE CHUVA; ''A'' \"B\"", "X_Y", 3) +
                             RegiaoSql(3) + EstacaoClimaSql(83967, "PORTO ALEGRE") +
                             EstacaoClimaSql(83587, "BELO HORIZONTE"));
    }

    BancoTemporario banco_temp_;
};

TEST_F(EstacoesTest, ListsStationsOfOneKindOrderedByCode) {
    BancoDados banco(banco_temp_.Arquivo());
    EXPECT_EQ(Codigos(ListarEstacoes(banco, TipoEstacao::Pluviometrica)),
              (std::vector<std::string>{"447002", "2045012", "2852006", "3000001"}));
    EXPECT_EQ(Codigos(ListarEstacoes(banco, TipoEstacao::Climatologica)),
              (std::vector<std::string>{"83587", "83967"}));
}

TEST_F(EstacoesTest, GridRowShowsTheStationAsText) {
    BancoDados banco(banco_temp_.Arquivo());
    const auto linhas = ListarEstacoes(banco, TipoEstacao::Pluviometrica);
    const LinhaEstacao esperada{"2045012",           "CANDEIAS",          "CANDEIAS", "3",
                                "20° 45 ´ 16 ´´  S", "45° 16 ´ 33 ´´  O", "960",      "30"};
    EXPECT_EQ(linhas[1], esperada);
}

TEST_F(EstacoesTest, SearchMatchesCodeNameOrMunicipalityAnywhereIgnoringCase) {
    BancoDados banco(banco_temp_.Arquivo());
    const auto prec = TipoEstacao::Pluviometrica;
    EXPECT_EQ(Codigos(ProcurarEstacoes(banco, prec, "andei")), std::vector<std::string>{"2045012"});
    EXPECT_EQ(Codigos(ProcurarEstacoes(banco, prec, "imperatriz")),
              std::vector<std::string>{"447002"});
    EXPECT_EQ(Codigos(ProcurarEstacoes(banco, prec, "4501")), std::vector<std::string>{"2045012"});
    EXPECT_EQ(ProcurarEstacoes(banco, prec, "").size(), 4u);
    EXPECT_EQ(Codigos(ProcurarEstacoes(banco, TipoEstacao::Climatologica, "horiz")),
              std::vector<std::string>{"83587"});
    EXPECT_TRUE(ProcurarEstacoes(banco, prec, "nenhuma").empty());
}

TEST_F(EstacoesTest, SearchTakesQuotesWildcardsAndSemicolonsLiterally) {
    BancoDados banco(banco_temp_.Arquivo());
    const auto prec = TipoEstacao::Pluviometrica;
    const std::vector<std::string> so_a_estrana{"3000001"};
    EXPECT_EQ(Codigos(ProcurarEstacoes(banco, prec, "50%")), so_a_estrana);
    EXPECT_EQ(Codigos(ProcurarEstacoes(banco, prec, "%")), so_a_estrana);
    EXPECT_EQ(Codigos(ProcurarEstacoes(banco, prec, "; 'A'")), so_a_estrana);
    EXPECT_EQ(Codigos(ProcurarEstacoes(banco, prec, "\"B\"")), so_a_estrana);
    EXPECT_EQ(Codigos(ProcurarEstacoes(banco, prec, "X_Y")), so_a_estrana);
    // "_" is not a one-character wildcard.
    EXPECT_TRUE(ProcurarEstacoes(banco, prec, "C_NDEIAS").empty());
    EXPECT_TRUE(ProcurarEstacoes(banco, prec, "\\").empty());
}

TEST_F(EstacoesTest, SearchTextCannotInjectSql) {
    BancoDados banco(banco_temp_.Arquivo());
    const auto prec = TipoEstacao::Pluviometrica;
    EXPECT_TRUE(ProcurarEstacoes(banco, prec, "x\" or 1=1 --").empty());
    EXPECT_TRUE(ProcurarEstacoes(banco, prec, "x' or '1'='1").empty());
    EXPECT_TRUE(ProcurarEstacoes(banco, prec, "'; drop table EstacaoPrec; --").empty());
    EXPECT_TRUE(ProcurarEstacoes(banco, prec, "\"; delete from DadosPrec; --").empty());
    EXPECT_EQ(ListarEstacoes(banco, prec).size(), 4u);
    TDados dados;
    EXPECT_NO_THROW(CarregarEstacaoPrec(banco, "2045012", dados));
}

TEST_F(EstacoesTest, LoadsBothKindsIntoOneContainerKeepingTheOtherBlock) {
    BancoDados banco(banco_temp_.Arquivo());
    TDados dados;
    CarregarEstacaoClima(banco, "83587", dados);
    CarregarEstacaoPrec(banco, "2045012", dados);

    EXPECT_EQ(dados.Nome(), "CANDEIAS");
    EXPECT_EQ(dados.CodEstacao, 2045012);
    EXPECT_EQ(dados.Regiao, 3);
    EXPECT_EQ(dados.Latitude, -20.7546);
    EXPECT_EQ(dados.Longitude, -45.2761);
    EXPECT_EQ(dados.Altitude, 960);
    EXPECT_EQ(dados.XPrec[7], 7.5);
    EXPECT_EQ(dados.SPrec[7], 12.25);
    EXPECT_EQ(dados.SkewPrec[7], 2.5);
    EXPECT_EQ(dados.PCC[7], 0.625);
    EXPECT_EQ(dados.PCS[7], 0.25);
    EXPECT_EQ(dados.DUmidos[12], 120);
    EXPECT_EQ(dados.DSecos[12], 780);

    // The climatological block loaded first is still there.
    EXPECT_EQ(dados.NomeClima(), "BELO HORIZONTE");
    EXPECT_EQ(dados.CodEstacaoClima, 83587);
    EXPECT_EQ(dados.LatitudeClima, -19.9344);
    EXPECT_EQ(dados.LongitudeClima, -43.9522);
    EXPECT_EQ(dados.XResJanTMax, 0.125);
    EXPECT_EQ(dados.XResJanTMin, -0.25);
    EXPECT_EQ(dados.XResJanRad, 0.5);
    EXPECT_EQ(dados.XTMaxSe[4], 24);
    EXPECT_EQ(dados.SkewVVentoCh[4], 0.75);
    EXPECT_EQ(dados.SUmidCh[4], 0.0625);
    EXPECT_EQ(dados.DUmidosClima[4], 4);
    EXPECT_EQ(dados.DSecosClima[4], 104);

    // And loading another climatological station leaves the rainfall block alone.
    CarregarEstacaoClima(banco, "83967", dados);
    EXPECT_EQ(dados.NomeClima(), "PORTO ALEGRE");
    EXPECT_EQ(dados.Nome(), "CANDEIAS");
    EXPECT_EQ(dados.XPrec[7], 7.5);
}

TEST_F(EstacoesTest, MatrixColumnsGoToRowAndColumnOfTheirDigits) {
    BancoDados banco(banco_temp_.Arquivo());
    TDados dados;
    CarregarEstacaoClima(banco, "83587", dados);
    const TMatriz& a = dados.MatrizA[6];
    const TMatriz& b = dados.MatrizB[6];
    ASSERT_EQ(a.Linhas(), 3u);
    ASSERT_EQ(a.Colunas(), 3u);
    EXPECT_EQ(a(1, 2), 2.3);   // MatrizA23
    EXPECT_EQ(a(2, 0), 3.1);   // MatrizA31
    EXPECT_EQ(b(0, 2), -1.3);  // MatrizB13
    EXPECT_EQ(b(2, 2), -3.3);
}

TEST_F(EstacoesTest, RegionalLawsAreReadByPositionPerTypeMonthAndClass) {
    BancoDados banco(banco_temp_.Arquivo());
    TDados dados;
    CarregarEstacaoPrec(banco, "2045012", dados);
    EXPECT_EQ(dados.AlfaDur[1][0], 1010.00);
    EXPECT_EQ(dados.BetaDur[5][11], 2050.11);
    EXPECT_EQ(dados.AlfaIi[12][3], 3120.03);
    EXPECT_EQ(dados.BetaIi[2][7], 4020.07);
    EXPECT_EQ(dados.BetaTi[12][11], 5120.11);
}

TEST_F(EstacoesTest, MissingRegionalRowsReadAsZeros) {
    banco_temp_.Executar("delete from ParamRegiao where TipoParametro = 4 and Mes = 2;");
    BancoDados banco(banco_temp_.Arquivo());
    TDados dados;
    CarregarEstacaoPrec(banco, "2045012", dados);
    EXPECT_EQ(dados.BetaIi[2][7], 0);
    EXPECT_EQ(dados.BetaIi[3][7], 4030.07);
    // A region without any rows replaces the previous station's laws by zeros.
    CarregarEstacaoPrec(banco, "2852006", dados);
    EXPECT_EQ(dados.Regiao, 6);
    EXPECT_EQ(dados.AlfaDur[1][0], 0);
    EXPECT_EQ(dados.BetaTi[12][11], 0);
}

TEST_F(EstacoesTest, CodeBoundAsTextMatchesTheIntegerColumn) {
    BancoDados banco(banco_temp_.Arquivo());
    TDados dados;
    CarregarEstacaoPrec(banco, "02045012", dados);
    EXPECT_EQ(dados.CodEstacao, 2045012);
}

TEST(CarregarEstacaoPrec, MissingMonthFailsNamingStationAndMonthKeepingEarlierMonths) {
    BancoTemporario temp;
    temp.Executar(EstacaoPrecSql(2045012, "CANDEIAS", "CANDEIAS", 3, {5}));
    BancoDados banco(temp.Arquivo());
    TDados dados;
    const std::string m = Mensagem([&] { CarregarEstacaoPrec(banco, "2045012", dados); });
    EXPECT_NE(m.find("2045012"), std::string::npos) << m;
    EXPECT_NE(m.find("mês 5"), std::string::npos) << m;
    EXPECT_NE(m.find("DadosPrec"), std::string::npos) << m;
    EXPECT_EQ(dados.XPrec[4], 4.5);
    EXPECT_EQ(dados.XPrec[6], 0);
    EXPECT_EQ(dados.CodEstacao, 0);
}

TEST(CarregarEstacaoPrec, DuplicatedMonthFailsNamingTheMonth) {
    BancoTemporario temp;
    temp.Executar(EstacaoPrecSql(2045012, "CANDEIAS", "CANDEIAS", 3, {}, {7}));
    BancoDados banco(temp.Arquivo());
    TDados dados;
    const std::string m = Mensagem([&] { CarregarEstacaoPrec(banco, "2045012", dados); });
    EXPECT_NE(m.find("mês 7 tem 2 linhas"), std::string::npos) << m;
    EXPECT_EQ(dados.Nome(), "");
}

TEST(CarregarEstacaoPrec, UnknownStationFailsNamingTheCodeAndWritesNothing) {
    BancoTemporario temp;
    temp.Executar(EstacaoPrecSql(2045012, "CANDEIAS", "CANDEIAS", 3));
    BancoDados banco(temp.Arquivo());
    TDados dados;
    const std::string m = Mensagem([&] { CarregarEstacaoPrec(banco, "1234567", dados); });
    EXPECT_NE(m.find("Estação pluviométrica 1234567 não encontrada"), std::string::npos) << m;
    EXPECT_EQ(dados.XPrec[1], 0);
    // Months of another station do not make a station.
    temp.Executar("delete from EstacaoPrec;");
    EXPECT_NE(
        Mensagem([&] { CarregarEstacaoPrec(banco, "2045012", dados); }).find("não encontrada"),
        std::string::npos);
}

TEST(CarregarEstacaoClima, MissingOrDuplicatedMonthAndUnknownStationFail) {
    BancoTemporario temp;
    temp.Executar(EstacaoClimaSql(83587, "BH", {11}) + EstacaoClimaSql(83967, "POA", {}, {2}));
    BancoDados banco(temp.Arquivo());
    TDados dados;
    std::string m = Mensagem([&] { CarregarEstacaoClima(banco, "83587", dados); });
    EXPECT_NE(m.find("Erro ao abrir dados climatológicos da estação 83587"), std::string::npos)
        << m;
    EXPECT_NE(m.find("mês 11"), std::string::npos) << m;
    EXPECT_EQ(dados.XTMaxSe[10], 30);
    m = Mensagem([&] { CarregarEstacaoClima(banco, "83967", dados); });
    EXPECT_NE(m.find("mês 2 tem 2 linhas em DadosClima"), std::string::npos) << m;
    m = Mensagem([&] { CarregarEstacaoClima(banco, "99999", dados); });
    EXPECT_NE(m.find("Estação climatológica 99999 não encontrada"), std::string::npos) << m;
    EXPECT_EQ(dados.NomeClima(), "");
}

TEST(CarregarEstacao, DatabaseWithoutTheTablesFailsNamingTheTable) {
    BancoTemporario temp(false);
    BancoDados banco(temp.Arquivo());
    TDados dados;
    const std::string m = Mensagem([&] { CarregarEstacaoPrec(banco, "2045012", dados); });
    EXPECT_NE(m.find("não tem a tabela EstacaoPrec"), std::string::npos) << m;
    EXPECT_NE(m.find(temp.Arquivo().string()), std::string::npos) << m;
    EXPECT_NE(Mensagem([&] {
                  ListarEstacoes(banco, TipoEstacao::Climatologica);
              }).find("não tem a tabela EstacaoClima"),
              std::string::npos);
    EXPECT_NE(
        Mensagem([&] { CarregarEstacaoClima(banco, "83587", dados); }).find("não tem a tabela"),
        std::string::npos);
}

class AjustarVariaveisSimuladasTest : public ::testing::Test {
  protected:
    void SetUp() override {
        temp_.Executar(EstacaoPrecSql(2045012, "CANDEIAS", "CANDEIAS", 3) +
                       EstacaoClimaSql(1, "COMPLETA") +
                       EstacaoClimaSql(2, "SEM VENTO", {}, {}, "vento") +
                       EstacaoClimaSql(3, "SEM RADIACAO", {}, {}, "rad") +
                       EstacaoClimaSql(4, "SEM UMIDADE", {}, {}, "umid"));
    }
    BancoTemporario temp_;
};

TEST_F(AjustarVariaveisSimuladasTest, FollowsTheLoadedGroups) {
    BancoDados banco(temp_.Arquivo());
    TDados dados;
    EXPECT_EQ(AjustarVariaveisSimuladas(dados), VariaveisSimuladas{});

    CarregarEstacaoPrec(banco, "2045012", dados);
    EXPECT_EQ(AjustarVariaveisSimuladas(dados), (VariaveisSimuladas{true}));

    CarregarEstacaoClima(banco, "2", dados);
    EXPECT_EQ(AjustarVariaveisSimuladas(dados),
              (VariaveisSimuladas{true, true, true, true, false, true}));

    CarregarEstacaoClima(banco, "4", dados);
    EXPECT_EQ(AjustarVariaveisSimuladas(dados),
              (VariaveisSimuladas{true, true, true, true, true, false}));

    // Temperatures present but no radiation: the three-variable model cannot run, and wind
    // and humidity need it.
    CarregarEstacaoClima(banco, "3", dados);
    EXPECT_EQ(AjustarVariaveisSimuladas(dados), (VariaveisSimuladas{true}));

    CarregarEstacaoClima(banco, "1", dados);
    EXPECT_EQ(AjustarVariaveisSimuladas(dados),
              (VariaveisSimuladas{true, true, true, true, true, true}));
}

TEST(AjustarVariaveisSimuladas, OneNonZeroValueIsEnoughForAGroup) {
    TDados dados;
    dados.PCS[9] = 0.01;
    EXPECT_TRUE(AjustarVariaveisSimuladas(dados).SimularPrec);
    dados.XTMaxCh[1] = 30;
    dados.STMinSe[12] = 1;
    EXPECT_FALSE(AjustarVariaveisSimuladas(dados).SimularTMax);
    dados.SRadCh[6] = 2;
    EXPECT_EQ(AjustarVariaveisSimuladas(dados), (VariaveisSimuladas{true, true, true, true}));
    dados.SkewVVentoSe[3] = 0.5;
    EXPECT_TRUE(AjustarVariaveisSimuladas(dados).SimularVVento);
}

TEST(FormatarCoordenada, DegreesMinutesTruncatedSecondsAndHemisphere) {
    EXPECT_EQ(FormatarCoordenada("-20.7546", "Latitude"), "20° 45 ´ 16 ´´  S");
    EXPECT_EQ(FormatarCoordenada("-20.7546", "Longitude"), "20° 45 ´ 16 ´´  O");
    EXPECT_EQ(FormatarCoordenada("5.5", "Latitude"), "05° 30 ´ 00 ´´  N");
    EXPECT_EQ(FormatarCoordenada("0", "Longitude"), "00° 00 ´ 00 ´´  L");
    EXPECT_EQ(FormatarCoordenada("", "Latitude"), " ");
    EXPECT_EQ(FormatarCoordenada("-52.4091", "Longitude"), "52° 24 ´ 32 ´´  O");
    EXPECT_EQ(FormatarCoordenada("120", "Longitude"), "120° 00 ´ 00 ´´  L");
    // 0.9999 degrees is 59.994 minutes: 59 minutes and 59.64 seconds, truncated.
    EXPECT_EQ(FormatarCoordenada("1.9999", "Latitude"), "01° 59 ´ 59 ´´  N");
}

TEST(FormatarCoordenada, ReadsFourDecimalsRoundedAndEitherSeparator) {
    EXPECT_EQ(FormatarCoordenada("-20.75464", "Latitude"), "20° 45 ´ 16 ´´  S");
    EXPECT_EQ(FormatarCoordenada("-20,7546", "Latitude"), "20° 45 ´ 16 ´´  S");
    // Exact decimal arithmetic: 0.35 degrees is 21 minutes, not 20 minutes 59 seconds.
    EXPECT_EQ(FormatarCoordenada("20.35", "Latitude"), "20° 21 ´ 00 ´´  N");
    EXPECT_EQ(FormatarCoordenada("20.99999", "Latitude"), "21° 00 ´ 00 ´´  N");
    // Rounded to zero, a tiny negative value is no longer south.
    EXPECT_EQ(FormatarCoordenada("-0.00001", "Latitude"), "00° 00 ´ 00 ´´  N");
}

TEST(FormatarCoordenada, TextThatIsNotANumberFails) {
    EXPECT_THROW(FormatarCoordenada("abc", "Latitude"), ErroVentaro);
    EXPECT_THROW(FormatarCoordenada("-20.5x", "Latitude"), ErroVentaro);
    EXPECT_THROW(FormatarCoordenada("nan", "Latitude"), ErroVentaro);
}

TEST(TextoCoordenada, AtMostFourDecimalsRounded) {
    EXPECT_EQ(TextoCoordenada(-20.75464), "-20.7546");
    EXPECT_EQ(TextoCoordenada(5.5), "5.5");
    EXPECT_EQ(TextoCoordenada(0), "0");
    EXPECT_EQ(TextoCoordenada(-0.00001), "0");
    EXPECT_EQ(TextoCoordenada(-45), "-45");
}

}  // namespace
}  // namespace ventaro
