#include "output/arquivo_serie.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/erro.h"
#include "output/formato_numero.h"
#include "support/pasta_temporaria.h"
#include "support/serie_aleatoria.h"

namespace ventaro {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> Linhas(const std::string& texto) {
    std::vector<std::string> linhas;
    std::size_t inicio = 0;
    while (inicio < texto.size()) {
        const std::size_t fim = texto.find("\r\n", inicio);
        if (fim == std::string::npos) {
            linhas.push_back(texto.substr(inicio));
            break;
        }
        linhas.push_back(texto.substr(inicio, fim - inicio));
        inicio = fim + 2;
    }
    return linhas;
}

TDados DadosDeExemplo() {
    TDados dados;
    dados.CodEstacao = 2045012;
    dados.SetNome("São João");
    dados.Latitude = -20.5;
    dados.Longitude = -45.25;
    dados.CodEstacaoClima = 83587;
    dados.SetNomeClima("Belo Horizonte");
    dados.LatitudeClima = -19.93;
    dados.LongitudeClima = -43.95;
    return dados;
}

// A leap year with a storm on 29 February, a frost on 1 January and values of every width.
TClima ClimaDe2000() {
    TClima clima = TClima::ParaPeriodo(2000, 1);
    for (std::size_t d = 1; d <= 366; ++d) {
        clima.TMax[d] = 25.0 + static_cast<double>(d % 7) * 0.37;
        clima.TMin[d] = 14.0 - static_cast<double>(d % 5) * 1.3;
        clima.Rad[d] = 18.25;
        clima.VVento[d] = 2.1;
        clima.Umid[d] = 0.75;
    }
    clima.TMin[1] = -1.5;
    clima.Prec[60] = 123.456;
    clima.Dur[60] = 2.5;
    clima.Ti[60] = 0.0123456;
    clima.Ii[60] = 12.3456;
    clima.Umid[60] = 0.856;
    clima.Umid[61] = 1.0;
    return clima;
}

class ArquivoSerie : public ::testing::Test {
  protected:
    static std::string Ler(const fs::path& arquivo) {
        std::ifstream f(arquivo, std::ios::binary);
        return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
    }
    std::vector<std::string> ConteudoDaPasta() const {
        std::vector<std::string> nomes;
        for (const auto& entrada : fs::directory_iterator(pasta_)) {
            nomes.push_back(entrada.path().filename().string());
        }
        return nomes;
    }

    teste::PastaTemporaria temporaria_;
    const fs::path pasta_ = temporaria_.Caminho();
};

TEST(TextoSerie, WritesElevenHeaderLinesAndOneLinePerDayOfALeapYear) {
    const std::string texto = TextoSerie(DadosDeExemplo(), ClimaDe2000(), 1, '.');
    const auto linhas = Linhas(texto);
    ASSERT_EQ(linhas.size(), 11u + 366u);
    EXPECT_EQ(linhas[11].substr(0, 12), "01/01/2000  ");
    EXPECT_EQ(linhas[11 + 59].substr(0, 10), "29/02/2000");
    EXPECT_EQ(linhas[11 + 60].substr(0, 10), "01/03/2000");
    EXPECT_EQ(linhas.back().substr(0, 10), "31/12/2000");
}

TEST(TextoSerie, EndsEveryLineWithCrLfAndHasNoOtherLineBreaks) {
    const std::string texto = TextoSerie(DadosDeExemplo(), ClimaDe2000(), 1, ',');
    ASSERT_GE(texto.size(), 2u);
    EXPECT_EQ(texto.substr(texto.size() - 2), "\r\n");
    std::size_t crs = 0;
    for (std::size_t i = 0; i < texto.size(); ++i) {
        if (texto[i] == '\r') {
            ++crs;
            ASSERT_TRUE(i + 1 < texto.size() && texto[i + 1] == '\n') << "CR alone at " << i;
        } else if (texto[i] == '\n') {
            ASSERT_TRUE(i > 0 && texto[i - 1] == '\r') << "LF alone at " << i;
        }
    }
    EXPECT_EQ(crs, 11u + 366u);
}

TEST(TextoSerie, WritesTheHeaderInWindows1252) {
    const auto linhas = Linhas(TextoSerie(DadosDeExemplo(), ClimaDe2000(), 1, ','));
    ASSERT_GE(linhas.size(), 11u);
    EXPECT_EQ(linhas[0], "Esta\xE7\xE3o Pluviom\xE9trica.");
    EXPECT_EQ(linhas[1],
              "C\xF3"
              "digo: 2045012     Nome: S\xE3o Jo\xE3o");
    EXPECT_EQ(linhas[2], "Latitude: -20,5     Longitude: -45,25");
    EXPECT_EQ(linhas[3], "");
    EXPECT_EQ(linhas[4], "Esta\xE7\xE3o Climatol\xF3gica.");
    EXPECT_EQ(linhas[5],
              "C\xF3"
              "digo: 83587     Nome: Belo Horizonte");
    EXPECT_EQ(linhas[6], "Latitude: -19,93     Longitude: -43,95");
    EXPECT_EQ(linhas[7], "");
    EXPECT_EQ(linhas[8], "Tamanho da S\xE9rie Sint\xE9tica:  1 anos");
    EXPECT_EQ(linhas[9], "");
    EXPECT_EQ(linhas[10],
              "Data        Prec(mm) Dur(h) ti*    ii(mm/h) TMax(\xB0"
              "C)  TMin(\xB0"
              "C)  "
              "Rad(MJ/m2/dia)  VVento(m/s)  Umid(%)");
}

TEST(TextoSerie, WritesZerosAndEmptyNamesForStationsNeverSelected) {
    const auto linhas = Linhas(TextoSerie(TDados{}, TClima::ParaPeriodo(2000, 0), 0, '.'));
    ASSERT_EQ(linhas.size(), 11u);
    EXPECT_EQ(linhas[1],
              "C\xF3"
              "digo: 0     Nome: ");
    EXPECT_EQ(linhas[2], "Latitude: 0     Longitude: 0");
    EXPECT_EQ(linhas[8], "Tamanho da S\xE9rie Sint\xE9tica:  0 anos");
}

TEST(TextoSerie, KeepsALineBreakInAStationNameFromSplittingTheHeader) {
    TDados dados = DadosDeExemplo();
    dados.SetNome("Fazenda\r\nNova");
    const auto linhas = Linhas(TextoSerie(dados, TClima::ParaPeriodo(2000, 1), 1, '.'));
    ASSERT_EQ(linhas.size(), 11u + 366u);
    EXPECT_EQ(linhas[1],
              "C\xF3"
              "digo: 2045012     Nome: Fazenda??Nova");
}

TEST(TextoSerie, PutsEveryFieldUnderTheFirstLetterOfItsHeading) {
    const TClima clima = ClimaDe2000();
    const auto linhas = Linhas(TextoSerie(DadosDeExemplo(), clima, 1, '.'));
    ASSERT_EQ(linhas.size(), 11u + 366u);
    const std::string& titulos = linhas[10];
    struct Coluna {
        const char* titulo;
        const std::vector<double>* valores;
        int largura;
        double escala;
    };
    const Coluna colunas[] = {{"Prec", &clima.Prec, 4, 1.0},  {"Dur", &clima.Dur, 4, 1.0},
                              {"ti*", &clima.Ti, 5, 1.0},     {"ii(", &clima.Ii, 4, 1.0},
                              {"TMax", &clima.TMax, 4, 1.0},  {"TMin", &clima.TMin, 4, 1.0},
                              {"Rad", &clima.Rad, 4, 1.0},    {"VVento", &clima.VVento, 4, 1.0},
                              {"Umid", &clima.Umid, 4, 100.0}};
    // Day 60 holds values that fill their fields without widening them; so does every day.
    for (std::size_t d = 1; d <= 366; ++d) {
        const std::string& linha = linhas[10 + d];
        ASSERT_EQ(linha.size(), titulos.find("Umid") + 4) << "day " << d;
        for (const Coluna& c : colunas) {
            const std::size_t posicao = titulos.find(c.titulo);
            ASSERT_NE(posicao, std::string::npos);
            const std::string esperado = FormatarCampo((*c.valores)[d] * c.escala, c.largura, '.');
            EXPECT_EQ(linha.substr(posicao, esperado.size()), esperado)
                << c.titulo << " on day " << d;
            EXPECT_EQ(linha[posicao - 1], ' ') << c.titulo << " on day " << d;
        }
    }
    EXPECT_EQ(linhas[11],
              "01/01/2000  0        0      0      0        25.3      -1.5  "
              "    18.2            2.1          75  ");
    EXPECT_EQ(linhas[11 + 59],
              "29/02/2000  123.     2.5    0.012  12.3     26.4      14    "
              "    18.2            2.1          85.6");
    EXPECT_EQ(linhas[11 + 60].substr(linhas[11 + 60].size() - 4), "100 ");
}

TEST(TextoSerie, WritesTheGivenDecimalSeparatorInTheDataLines) {
    const auto linhas = Linhas(TextoSerie(DadosDeExemplo(), ClimaDe2000(), 1, ','));
    EXPECT_EQ(linhas[11 + 59].substr(0, 33), "29/02/2000  123,     2,5    0,012");
}

TEST(TextoSerie, DatesASeriesThatCrossesYearsAndCenturies) {
    const TClima clima = TClima::ParaPeriodo(1899, 2);
    const auto linhas = Linhas(TextoSerie(TDados{}, clima, 2, '.'));
    ASSERT_EQ(linhas.size(), 11u + 365u + 365u);
    EXPECT_EQ(linhas[11 + 364].substr(0, 10), "31/12/1899");
    EXPECT_EQ(linhas[11 + 365].substr(0, 10), "01/01/1900");
    EXPECT_EQ(linhas[11 + 365 + 59].substr(0, 10), "01/03/1900");  // 1900 is not a leap year

    const auto primeiro = Linhas(TextoSerie(TDados{}, TClima::ParaPeriodo(1, 1), 1, '.'));
    EXPECT_EQ(primeiro[11].substr(0, 10), "01/01/0001");
}

// Four-digit years: a series ending in 9999 is written, one ending in 10000 (a run of 10 000
// years from year 1) is refused before the run and by the writer, with a message saying what to
// change, and no file.
TEST(VerificarPeriodoArquivoSerie, RefusesASeriesEndingAfter9999) {
    EXPECT_NO_THROW(VerificarPeriodoArquivoSerie(1, 9999));
    EXPECT_NO_THROW(VerificarPeriodoArquivoSerie(9999, 1));
    EXPECT_NO_THROW(VerificarPeriodoArquivoSerie(4294967295u, 0));
    try {
        VerificarPeriodoArquivoSerie(1, 10000);
        ADD_FAILURE() << "accepted";
    } catch (const ErroVentaro& e) {
        const std::string msg = e.what();
        EXPECT_NE(msg.find("10000 anos a partir do ano 1 terminaria no ano 10000"),
                  std::string::npos)
            << msg;
        EXPECT_NE(msg.find("Diminua o número de anos ou o ano inicial"), std::string::npos) << msg;
    }
    EXPECT_THROW(VerificarPeriodoArquivoSerie(4294967295u, 4294967295u), ErroVentaro);

    const auto ultima = Linhas(TextoSerie(TDados{}, TClima::ParaPeriodo(9999, 1), 1, '.')).back();
    EXPECT_EQ(ultima.substr(0, 12), "31/12/9999  ");
    EXPECT_THROW(TextoSerie(TDados{}, TClima::ParaPeriodo(9999, 2), 2, '.'), ErroVentaro);
}

TEST_F(ArquivoSerie, WritesTheSeriesTextToTheFile) {
    const fs::path arquivo = pasta_ / "serie.txt";
    const TDados dados = DadosDeExemplo();
    const TClima clima = ClimaDe2000();
    GravarSerie(arquivo, dados, clima, 1, ',');
    EXPECT_EQ(Ler(arquivo), TextoSerie(dados, clima, 1, ','));
    EXPECT_EQ(ConteudoDaPasta(), std::vector<std::string>{"serie.txt"});
}

// A long series (several blocks of lines, values of every width, negative ones among them) is
// written the same on one thread or two, and as TextoSerie gives it; arrays a store does not
// hold are written as 0.
TEST_F(ArquivoSerie, WritesTheSameBytesOnOneThreadOrTwoAndZerosForAbsentArrays) {
    const TDados dados = DadosDeExemplo();
    TClima clima = teste::SerieAleatoria(60);
    clima.TMin[5000] = -12.34;
    clima.Prec[9000] = 12345.678;
    clima.Rad[12000] = 1234567890123.25;
    clima.VVento[12001] = 1.5e-7;
    const std::string texto = TextoSerie(dados, clima, 60, ',');
    for (const GravacaoSerie gravacao : {GravacaoSerie::Paralela, GravacaoSerie::UmaThread}) {
        const fs::path arquivo = pasta_ / "serie.txt";
        GravarSerie(arquivo, dados, clima, 60, ',', {}, gravacao);
        ASSERT_EQ(Ler(arquivo), texto);
    }
    EXPECT_EQ(Linhas(texto).size(), 11u + static_cast<std::size_t>(clima.NumDias));

    ArraysSerie sem_vento_nem_tempestades;
    sem_vento_nem_tempestades.Tempestades = false;
    sem_vento_nem_tempestades.Vento = false;
    TClima parcial = TClima::ParaPeriodo(1, 60, sem_vento_nem_tempestades);
    parcial.Prec = clima.Prec;
    parcial.Ti = clima.Ti;
    parcial.TMax = clima.TMax;
    parcial.TMin = clima.TMin;
    parcial.Rad = clima.Rad;
    parcial.Umid = clima.Umid;
    for (auto* v : {&clima.Dur, &clima.Ii, &clima.VVento}) std::fill(v->begin(), v->end(), 0.0);
    GravarSerie(pasta_ / "parcial.txt", dados, parcial, 60, ',');
    EXPECT_EQ(Ler(pasta_ / "parcial.txt"), TextoSerie(dados, clima, 60, ','));
}

TEST_F(ArquivoSerie, ReplacesAnExistingFileWhole) {
    const fs::path arquivo = pasta_ / "serie.txt";
    {
        std::ofstream antigo(arquivo, std::ios::binary);
        antigo << std::string(100000, 'x');
    }
    const TClima clima = TClima::ParaPeriodo(2001, 0);
    GravarSerie(arquivo, TDados{}, clima, 0, '.');
    EXPECT_EQ(Ler(arquivo), TextoSerie(TDados{}, clima, 0, '.'));
    EXPECT_EQ(ConteudoDaPasta(), std::vector<std::string>{"serie.txt"});
}

TEST_F(ArquivoSerie, FailsWithThePathWhenTheFolderDoesNotExist) {
    const fs::path arquivo = pasta_ / "nao_existe" / "serie.txt";
    try {
        GravarSerie(arquivo, DadosDeExemplo(), ClimaDe2000(), 1, '.');
        FAIL() << "no error for a missing folder";
    } catch (const ErroVentaro& e) {
        const std::string mensagem = e.what();
        EXPECT_NE(mensagem.find(arquivo.string()), std::string::npos) << mensagem;
        EXPECT_NE(mensagem.find("a pasta não existe"), std::string::npos) << mensagem;
    }
    EXPECT_FALSE(fs::exists(arquivo.parent_path()));
    EXPECT_TRUE(ConteudoDaPasta().empty());
}

TEST_F(ArquivoSerie, LeavesNothingBehindWhenTheTargetCannotBeReplaced) {
    // A folder of the same name: the text is written, but cannot take the folder's place.
    const fs::path arquivo = pasta_ / "serie.txt";
    fs::create_directory(arquivo);
    try {
        GravarSerie(arquivo, DadosDeExemplo(), ClimaDe2000(), 1, '.');
        FAIL() << "no error when the target is a folder";
    } catch (const ErroVentaro& e) {
        EXPECT_NE(std::string(e.what()).find(arquivo.string()), std::string::npos) << e.what();
    }
    EXPECT_TRUE(fs::is_directory(arquivo));
    EXPECT_EQ(ConteudoDaPasta(), std::vector<std::string>{"serie.txt"});
}

}  // namespace
}  // namespace ventaro
