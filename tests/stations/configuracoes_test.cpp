#include "stations/configuracoes.h"

#include <gtest/gtest.h>

#include <string>

namespace ventaro {
namespace {

constexpr const char* kCampoInvalido =
    "Existe campo com valor inválido. Deseja restaurar os valores padrões?";
constexpr const char* kFaltaPrec =
    "É necessário selecionar uma estação pluviométrica para gerar a série de precipitação.";
constexpr const char* kFaltaClima =
    "É necessário selecionar uma estação climatológica para gerar uma série climática.";

TDados DadosComEstacoes(bool prec, bool clima) {
    TDados d;
    if (prec) d.SetNome("CANDEIAS");
    if (clima) d.SetNomeClima("BELO HORIZONTE");
    return d;
}

TEST(CarregarConfiguracoes, NewGeneratorAndRestoredDefaults) {
    ConfiguracaoSerie config;
    TextoConfiguracoes t = CarregarConfiguracoes(config);
    EXPECT_EQ(t.NumAnos, "1");
    EXPECT_EQ(t.APartir, "1");
    EXPECT_TRUE(t.Correcao);
    EXPECT_EQ(t.Variaveis, VariaveisSimuladas{});

    config.RestaurarPadroes();
    t = CarregarConfiguracoes(config);
    EXPECT_EQ(t.NumAnos, "10");
    EXPECT_EQ(t.APartir, "1");
    EXPECT_TRUE(t.Correcao);
    EXPECT_EQ(t.Variaveis, VariaveisSimuladas{.SimularPrec = true});
}

TEST(CarregarConfiguracoes, RoundTripsThroughValidation) {
    ConfiguracaoSerie config;
    config.NumAnos = 4294967295u;
    config.APartir = 1987;
    config.Correcao = false;
    config.Variaveis.SimularTMin = config.Variaveis.SimularUmid = true;
    const Validacao v =
        ValidarConfiguracoes(CarregarConfiguracoes(config), DadosComEstacoes(true, true));
    EXPECT_EQ(v.Resultado, ResultadoValidacao::Valida);
    EXPECT_EQ(v.Mensagem, "");
    EXPECT_EQ(v.Configuracao, config);
}

TEST(ValidarConfiguracoes, FieldsThatAreNotAnUnsigned32BitNumberAreInvalid) {
    const TDados dados = DadosComEstacoes(true, true);
    for (const std::string ruim : {"", "12a", " 5", "5 ", "+5", "-1", "1.5", "1e3", "٣",
                                   "4294967296", "99999999999999999999999"}) {
        TextoConfiguracoes t;
        t.NumAnos = ruim;
        t.APartir = std::string(1, '1');  // (a literal trips a false -Wrestrict of GCC 12)
        Validacao v = ValidarConfiguracoes(t, dados);
        EXPECT_EQ(v.Resultado, ResultadoValidacao::CampoInvalido) << '"' << ruim << '"';
        EXPECT_EQ(v.Mensagem, kCampoInvalido);
        EXPECT_EQ(v.Configuracao, ConfiguracaoSerie{});
        std::swap(t.NumAnos, t.APartir);
        v = ValidarConfiguracoes(t, dados);
        EXPECT_EQ(v.Resultado, ResultadoValidacao::CampoInvalido) << '"' << ruim << '"';
    }
}

// The detail behind a refusal names the field and why.
TEST(ValidarConfiguracoes, DetailNamesTheFieldAtFaultAndWhy) {
    const struct {
        const char* num_anos;
        const char* a_partir;
        bool tmax;
        const char* detalhe;
    } casos[] = {
        {"", "1", false, "Número de anos: o campo está vazio."},
        {"5", "12a", false, "Simular a partir do ano: \"12a\" não é um número inteiro sem sinal."},
        {"4294967296", "", false,
         "Número de anos: 4294967296 passa do maior valor aceito, 4294967295.\n"
         "Simular a partir do ano: o campo está vazio."},
        {"5", "1", true, "Marcadas sem estação climatológica: Temperatura máxima, Umidade."},
    };
    for (const auto& c : casos) {
        TextoConfiguracoes t;
        t.NumAnos = c.num_anos;
        t.APartir = c.a_partir;
        t.Variaveis.SimularTMax = t.Variaveis.SimularUmid = c.tmax;
        EXPECT_EQ(ValidarConfiguracoes(t, DadosComEstacoes(true, false)).Detalhe, c.detalhe);
    }
    EXPECT_EQ(MotivoCampoInvalido("0004294967295"), "");
}

TEST(ValidarConfiguracoes, AcceptsZeroLeadingZerosAndTheLargestValue) {
    TextoConfiguracoes t;
    t.NumAnos = "0";
    t.APartir = "0004294967295";
    const Validacao v = ValidarConfiguracoes(t, TDados{});
    ASSERT_EQ(v.Resultado, ResultadoValidacao::Valida);
    EXPECT_EQ(v.Configuracao.NumAnos, 0u);
    EXPECT_EQ(v.Configuracao.APartir, 4294967295u);
}

TEST(ValidarConfiguracoes, ChecksFieldsThenRainfallStationThenClimatologicalStation) {
    TextoConfiguracoes t;
    t.NumAnos = "";
    t.APartir = "1";
    t.Variaveis.SimularPrec = true;
    t.Variaveis.SimularTMax = true;
    // Every check would fail: the year field comes first.
    EXPECT_EQ(ValidarConfiguracoes(t, TDados{}).Resultado, ResultadoValidacao::CampoInvalido);

    t.NumAnos = "10";
    Validacao v = ValidarConfiguracoes(t, TDados{});
    EXPECT_EQ(v.Resultado, ResultadoValidacao::FaltaEstacaoPrec);
    EXPECT_EQ(v.Mensagem, kFaltaPrec);
    // The rainfall test comes first even with a climatological station and climate variables.
    v = ValidarConfiguracoes(t, DadosComEstacoes(false, true));
    EXPECT_EQ(v.Resultado, ResultadoValidacao::FaltaEstacaoPrec);

    v = ValidarConfiguracoes(t, DadosComEstacoes(true, false));
    EXPECT_EQ(v.Resultado, ResultadoValidacao::FaltaEstacaoClima);
    EXPECT_EQ(v.Mensagem, kFaltaClima);
    EXPECT_EQ(v.Configuracao, ConfiguracaoSerie{});

    for (bool VariaveisSimuladas::*campo :
         {&VariaveisSimuladas::SimularTMin, &VariaveisSimuladas::SimularRad,
          &VariaveisSimuladas::SimularVVento, &VariaveisSimuladas::SimularUmid}) {
        TextoConfiguracoes u;
        u.NumAnos = u.APartir = "1";
        u.Variaveis.*campo = true;
        EXPECT_EQ(ValidarConfiguracoes(u, DadosComEstacoes(true, false)).Resultado,
                  ResultadoValidacao::FaltaEstacaoClima);
    }

    // Without precipitation checked no rainfall station is needed.
    t.Variaveis.SimularPrec = false;
    v = ValidarConfiguracoes(t, DadosComEstacoes(false, true));
    EXPECT_EQ(v.Resultado, ResultadoValidacao::Valida);
    EXPECT_TRUE(v.Configuracao.Variaveis.SimularTMax);
    EXPECT_FALSE(v.Configuracao.Variaveis.SimularPrec);
    EXPECT_EQ(v.Configuracao.NumAnos, 10u);
}

// The year-to-year variability needs the record's totals, checked after the stations; the
// panel's note says per station whether it has them.
TEST(ValidarConfiguracoes, VariabilityNeedsTheRecordsTotalsAndIsCarriedThrough) {
    TextoConfiguracoes t;
    t.NumAnos = t.APartir = "1";
    t.Variaveis.SimularPrec = true;
    t.VariabilidadeAnual = true;
    TDados d = DadosComEstacoes(true, true);
    d.CodEstacao = 2045012;
    EXPECT_EQ(TextoVariabilidadeAnual(TDados{}), "");
    EXPECT_EQ(TextoVariabilidadeAnual(d),
              "Indisponível para a estação 02045012, importada antes de os totais do registro "
              "serem guardados.");
    // Climate only, without a rainfall station: the option has nothing to take its totals from.
    TextoConfiguracoes so_clima = t;
    so_clima.Variaveis = {false, true, true, true, false, false};
    Validacao v = ValidarConfiguracoes(so_clima, DadosComEstacoes(false, true));
    EXPECT_EQ(v.Resultado, ResultadoValidacao::SemTotaisPrec);
    EXPECT_EQ(v.Mensagem,
              "É necessário selecionar uma estação pluviométrica para usar a variabilidade "
              "interanual.");

    v = ValidarConfiguracoes(t, d);
    EXPECT_EQ(v.Resultado, ResultadoValidacao::SemTotaisPrec);
    EXPECT_NE(v.Mensagem.find("02045012"), std::string::npos) << v.Mensagem;
    EXPECT_NE(v.Mensagem.find("\"Variabilidade interanual\""), std::string::npos) << v.Mensagem;

    d.TemTotaisPrec = true;
    EXPECT_EQ(TextoVariabilidadeAnual(d), "Disponível para a estação 02045012.");
    v = ValidarConfiguracoes(t, d);
    EXPECT_EQ(v.Resultado, ResultadoValidacao::Valida);
    EXPECT_TRUE(v.Configuracao.VariabilidadeAnual);
    EXPECT_TRUE(CarregarConfiguracoes(v.Configuracao).VariabilidadeAnual);
    EXPECT_FALSE(ConfiguracaoSerie::Padroes().VariabilidadeAnual);
}

TEST(CarregarRotulosEstacoes, CodesZeroPaddedAndZeroMeansEmpty) {
    TDados d;
    EXPECT_EQ(CarregarRotulosEstacoes(d), RotulosEstacoes{});

    d.SetNome("CANDEIAS");
    d.CodEstacao = 2045012;
    d.Latitude = -20.7546;
    d.Longitude = 0;
    d.SetNomeClima("BELO HORIZONTE");
    d.CodEstacaoClima = 83587;
    d.LatitudeClima = 5.5;
    d.LongitudeClima = -43.95222222;
    const RotulosEstacoes r = CarregarRotulosEstacoes(d);
    EXPECT_EQ(r.NomePrec, "CANDEIAS");
    EXPECT_EQ(r.CodigoPrec, "02045012");
    EXPECT_EQ(r.LatitudePrec, "20° 45 ´ 16 ´´  S");
    EXPECT_EQ(r.LongitudePrec, "");
    EXPECT_EQ(r.NomeClima, "BELO HORIZONTE");
    EXPECT_EQ(r.CodigoClima, "83587");
    EXPECT_EQ(r.LatitudeClima, "05° 30 ´ 00 ´´  N");
    // Read as -43.9522: 57.132 minutes.
    EXPECT_EQ(r.LongitudeClima, "43° 57 ´ 07 ´´  O");
}

}  // namespace
}  // namespace ventaro
