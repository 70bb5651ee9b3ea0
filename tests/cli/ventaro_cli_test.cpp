// Runs of the built ventaro-cli: exit codes, messages on stderr, files written or not.

#include <SQLiteCpp/SQLiteCpp.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/pasta_temporaria.h"
#include "support/processo.h"

namespace ventaro {
namespace {

namespace fs = std::filesystem;

const fs::path kBin = fs::path(VENTARO_BIN_DIR) / "ventaro-cli";
const fs::path kBancoAmostra = fs::path(VENTARO_BIN_DIR) / "bd.sqlite";

std::string Ler(const fs::path& arquivo) {
    std::ifstream in(arquivo, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<std::string> Linhas(const std::string& texto, char fim = '\n') {
    std::vector<std::string> linhas;
    std::istringstream in(texto);
    for (std::string l; std::getline(in, l, fim);) linhas.push_back(l);
    return linhas;
}

using Resultado = teste::ResultadoProcesso;

// A folder of its own for every test, removed at the end.
class VentaroCliTest : public ::testing::Test {
  protected:
    fs::path Em(const std::string& nome) const { return pasta_ / nome; }

    // ventaro-cli with `args` in the test's folder (see teste::IniciarProcesso).
    pid_t Iniciar(const std::vector<std::string>& args,
                  const std::vector<std::string>& ambiente = {}, const std::string& rotulo = "") {
        return teste::IniciarProcesso(kBin, args, pasta_, ambiente, rotulo);
    }
    Resultado Esperar(pid_t pid, const std::string& rotulo = "") {
        return teste::EsperarProcesso(pid, pasta_, rotulo);
    }
    Resultado Rodar(const std::vector<std::string>& args,
                    const std::vector<std::string>& ambiente = {}) {
        return teste::RodarProcesso(kBin, args, pasta_, ambiente);
    }

    // A copy of the sample database in the test's folder, changed by `sql`.
    fs::path BancoAlterado(const std::string& sql) {
        const fs::path copia = Em("bd_alterado.sqlite");
        fs::copy_file(kBancoAmostra, copia, fs::copy_options::overwrite_existing);
        SQLite::Database db(copia.string(), SQLite::OPEN_READWRITE);
        db.exec(sql);
        return copia;
    }

    // The files the test's folder holds.
    std::vector<std::string> Arquivos() const {
        std::vector<std::string> nomes;
        for (const auto& e : fs::directory_iterator(pasta_)) {
            const std::string nome = e.path().filename().string();
            if (nome != "bd_alterado.sqlite" && nome != "vazio.sqlite" && nome != "texto.sqlite")
                nomes.push_back(nome);
        }
        return nomes;
    }

    teste::PastaTemporaria temporaria_;
    const fs::path pasta_ = temporaria_.Caminho();
};

// A failure: exit 1, one line on stderr containing every piece of `trechos`, no file left.
#define EXPECT_FALHA(r, ...)                                                          \
    do {                                                                              \
        EXPECT_EQ((r).codigo, 1) << (r).erro;                                         \
        EXPECT_EQ(Linhas((r).erro).size(), 1u) << (r).erro;                           \
        for (const std::string& trecho : std::vector<std::string>{__VA_ARGS__})       \
            EXPECT_NE((r).erro.find(trecho), std::string::npos) << (r).erro;          \
        EXPECT_TRUE(Arquivos().empty()) << (Arquivos().empty() ? "" : Arquivos()[0]); \
    } while (0)

std::vector<std::string> Gerar(const std::vector<std::string>& extras) {
    std::vector<std::string> a{"gerar", "--pluviometrica", "2045012",   "--climatologica",
                               "83587", "--saida",         "serie.txt", "--separador-decimal",
                               "."};
    a.insert(a.end(), extras.begin(), extras.end());
    return a;
}

TEST_F(VentaroCliTest, WritesTheSeriesFileLayout) {
    const Resultado r = Rodar(Gerar({"--anos", "1", "--a-partir", "2000"}));
    ASSERT_EQ(r.codigo, 0) << r.erro;
    EXPECT_EQ(r.saida, "");
    // Not a terminal: no progress bar.
    EXPECT_EQ(r.erro, "");
    const std::string texto = Ler(Em("serie.txt"));
    ASSERT_TRUE(texto.ends_with("\r\n"));
    const auto linhas = Linhas(texto);
    ASSERT_EQ(linhas.size(), 11u + 366u);
    EXPECT_EQ(linhas[1],
              "C\xF3"
              "digo: 2045012     Nome: CANDEIAS\r");
    EXPECT_EQ(linhas[2], "Latitude: -20.7546     Longitude: -45.2761\r");
    EXPECT_EQ(linhas[5],
              "C\xF3"
              "digo: 83587     Nome: BELO HORIZONTE\r");
    EXPECT_EQ(linhas[8], "Tamanho da S\xE9rie Sint\xE9tica:  1 anos\r");
    EXPECT_TRUE(linhas[11].starts_with("01/01/2000  "));
    EXPECT_TRUE(linhas[11 + 59].starts_with("29/02/2000  "));
    EXPECT_TRUE(linhas.back().starts_with("31/12/2000  "));
    for (std::size_t i = 11; i < linhas.size(); ++i) {
        ASSERT_EQ(linhas[i].size(), 98u) << linhas[i];
    }
}

TEST_F(VentaroCliTest, ZeroYearsGivesTheHeaderOnly) {
    const Resultado r = Rodar(Gerar({"--anos", "0"}));
    ASSERT_EQ(r.codigo, 0) << r.erro;
    const auto linhas = Linhas(Ler(Em("serie.txt")));
    ASSERT_EQ(linhas.size(), 11u);
    EXPECT_TRUE(linhas[10].starts_with("Data        Prec(mm)"));
}

TEST_F(VentaroCliTest, TwoRunsAreByteIdentical) {
    const auto args = Gerar({"--anos", "20", "--estatisticas", "e.csv"});
    ASSERT_EQ(Rodar(args).codigo, 0);
    fs::rename(Em("serie.txt"), Em("serie1.txt"));
    fs::rename(Em("e.csv"), Em("e1.csv"));
    ASSERT_EQ(Rodar(args).codigo, 0);
    const std::string serie = Ler(Em("serie.txt"));
    EXPECT_EQ(Linhas(serie).size(), 11u + 7305u);
    EXPECT_TRUE(serie == Ler(Em("serie1.txt")));
    EXPECT_TRUE(Ler(Em("e.csv")) == Ler(Em("e1.csv")));
}

TEST_F(VentaroCliTest, StatisticsCsvHasEveryFieldForTwelveMonths) {
    const Resultado r = Rodar(Gerar({"--anos", "5", "--estatisticas", "e.csv"}));
    ASSERT_EQ(r.codigo, 0) << r.erro;
    const auto linhas = Linhas(Ler(Em("e.csv")));
    ASSERT_EQ(linhas.size(), 1u + 33u * 12u);
    EXPECT_EQ(linhas[0], "campo,mes,observado,gerado");
    std::vector<std::string> campos;
    for (std::size_t i = 1; i < linhas.size(); ++i) {
        const auto celulas = Linhas(linhas[i], ',');
        ASSERT_EQ(celulas.size(), 4u) << linhas[i];
        EXPECT_EQ(celulas[1], std::to_string((i - 1) % 12 + 1));
        if (celulas[1] == "1") campos.push_back(celulas[0]);
        EXPECT_EQ(celulas[0], campos.back());
        for (int c = 2; c < 4; ++c) {
            char* fim = nullptr;
            std::strtod(celulas[c].c_str(), &fim);
            EXPECT_EQ(*fim, '\0') << linhas[i];
        }
    }
    EXPECT_EQ(campos.size(), 33u);
    EXPECT_EQ(campos.front(), "DUmidos");
    // Observed January wet days of the sample station, generated ones from the 5-year series.
    EXPECT_TRUE(linhas[1].starts_with("DUmidos,1,512,")) << linhas[1];
}

// With --variabilidade-anual the statistics file adds the totals' variability, observed from
// the imported record and generated; a station imported without the totals is refused.
TEST_F(VentaroCliTest, YearToYearVariabilityAddsTheTotalsToTheStatistics) {
    Resultado r = Rodar({"gerar", "--pluviometrica", "2345024", "--anos", "30", "--saida",
                         "serie.txt", "--estatisticas", "e.csv", "--variabilidade-anual"});
    ASSERT_EQ(r.codigo, 0) << r.erro;
    const auto linhas = Linhas(Ler(Em("e.csv")));
    ASSERT_EQ(linhas.size(), 1u + 33u * 12u + 2u * 12u + 3u);
    EXPECT_TRUE(linhas[1 + 33 * 12].starts_with("XTotal,1,")) << linhas[1 + 33 * 12];
    EXPECT_TRUE(linhas[1 + 34 * 12].starts_with("STotal,1,")) << linhas[1 + 34 * 12];
    // The record of 2345024 (49 years): annual totals of 1236 mm on average, deviation 303 mm.
    EXPECT_TRUE(linhas[linhas.size() - 3].starts_with("XTotalAnual,,1235.9")) << linhas.back();
    EXPECT_TRUE(linhas[linhas.size() - 2].starts_with("STotalAnual,,303.")) << linhas.back();
    const auto cv = Linhas(linhas.back(), ',');
    ASSERT_EQ(cv.size(), 4u);
    EXPECT_EQ(cv[0], "CVTotalAnual");
    EXPECT_NEAR(std::stod(cv[3]), std::stod(cv[2]), 0.35 * std::stod(cv[2])) << linhas.back();

    fs::remove(Em("serie.txt"));
    fs::remove(Em("e.csv"));
    r = Rodar(Gerar({"--variabilidade-anual", "--estatisticas", "e.csv"}));
    EXPECT_FALHA(r, "02045012", "Variabilidade interanual");
}

TEST_F(VentaroCliTest, DecimalSeparatorFromTheLocaleUnlessGiven) {
    const std::vector<std::string> args{"gerar", "--pluviometrica", "2045012",  "--anos",
                                        "1",     "--saida",         "serie.txt"};
    ASSERT_EQ(Rodar(args, {"LANG=pt_BR.UTF-8"}).codigo, 0);
    EXPECT_EQ(Linhas(Ler(Em("serie.txt")))[2], "Latitude: -20,7546     Longitude: -45,2761\r");
    ASSERT_EQ(Rodar(args, {"LANG=pt_BR.UTF-8", "LC_ALL=C"}).codigo, 0);
    EXPECT_EQ(Linhas(Ler(Em("serie.txt")))[2], "Latitude: -20.7546     Longitude: -45.2761\r");
    auto com_ponto = args;
    com_ponto.insert(com_ponto.end(), {"--separador-decimal", "."});
    ASSERT_EQ(Rodar(com_ponto, {"LC_NUMERIC=pt_BR.UTF-8"}).codigo, 0);
    EXPECT_EQ(Linhas(Ler(Em("serie.txt")))[2], "Latitude: -20.7546     Longitude: -45.2761\r");
}

TEST_F(VentaroCliTest, VariablesFollowTheLoadedStationsOrTheList) {
    // Only a rainfall station: climate columns are 0.
    ASSERT_EQ(Rodar({"gerar", "--pluviometrica", "2045012", "--anos", "1", "--saida", "serie.txt",
                     "--separador-decimal", "."})
                  .codigo,
              0);
    auto linhas = Linhas(Ler(Em("serie.txt")));
    for (std::size_t i = 11; i < linhas.size(); ++i) {
        const std::string zero = "0   ";
        ASSERT_EQ(linhas[i].substr(44), zero + std::string(6, ' ') + zero + std::string(6, ' ') +
                                            zero + std::string(12, ' ') + zero +
                                            std::string(9, ' ') + zero + "\r")
            << linhas[i];
    }
    // The list overrides: no storms (the occurrence and depth always run, the climate depends
    // on them), no wind.
    ASSERT_EQ(Rodar(Gerar({"--anos", "1", "--variaveis", "tmax,tmin,rad,umid"})).codigo, 0);
    linhas = Linhas(Ler(Em("serie.txt")));
    for (std::size_t i = 11; i < linhas.size(); ++i) {
        ASSERT_EQ(linhas[i].substr(21, 4), "0   ") << linhas[i];  // Dur
        ASSERT_EQ(linhas[i].substr(35, 4), "0   ") << linhas[i];  // Ii
        ASSERT_NE(linhas[i].substr(44, 4), "0   ") << linhas[i];  // TMax
        ASSERT_EQ(linhas[i].substr(80, 4), "0   ") << linhas[i];
    }
}

TEST_F(VentaroCliTest, ClimateVariableWithoutClimatologicalStationFails) {
    const Resultado r = Rodar({"gerar", "--pluviometrica", "2045012", "--variaveis", "prec,tmax",
                               "--saida", "serie.txt"});
    EXPECT_FALHA(r,
                 "É necessário selecionar uma estação climatológica para gerar uma série "
                 "climática.");
}

TEST_F(VentaroCliTest, SeriesEndingAfter9999IsRefusedBeforeTheRun) {
    Resultado r = Rodar(Gerar({"--anos", "10000", "--a-partir", "1", "--estatisticas", "e.csv"}));
    EXPECT_FALHA(r, "terminaria no ano 10000", "quatro algarismos");
    // Refused before the stations are even looked for.
    r = Rodar(Gerar({"--a-partir", "9995", "--db", "nao_existe.sqlite"}));
    EXPECT_FALHA(r, "10 anos a partir do ano 9995 terminaria no ano 10004");
    r = Rodar(Gerar({"--anos", "1", "--a-partir", "9999"}));
    ASSERT_EQ(r.codigo, 0) << r.erro;
    EXPECT_TRUE(Linhas(Ler(Em("serie.txt"))).back().starts_with("31/12/9999  "));
}

TEST_F(VentaroCliTest, MissingDatabaseFails) {
    const Resultado r = Rodar(Gerar({"--db", "nao_existe.sqlite"}));
    EXPECT_FALHA(r, "nao_existe.sqlite");
}

TEST_F(VentaroCliTest, FileThatIsNotADatabaseOrHasNoTablesFails) {
    { std::ofstream(Em("texto.sqlite")) << std::string(200, 'x'); }
    Resultado r = Rodar(Gerar({"--db", "texto.sqlite"}));
    EXPECT_FALHA(r, "texto.sqlite");
    { std::ofstream(Em("vazio.sqlite")); }
    r = Rodar(Gerar({"--db", "vazio.sqlite"}));
    EXPECT_FALHA(r, "vazio.sqlite", "não tem a tabela EstacaoPrec");
    r = Rodar({"estacoes", "--db", "vazio.sqlite", "--climatologicas"});
    EXPECT_EQ(r.codigo, 1);
    EXPECT_NE(r.erro.find("não tem a tabela EstacaoClima"), std::string::npos) << r.erro;
}

TEST_F(VentaroCliTest, UnknownStationFailsNamingTheCode) {
    Resultado r = Rodar({"gerar", "--pluviometrica", "1234567", "--saida", "serie.txt"});
    EXPECT_FALHA(r, "1234567", "não encontrada");
    r = Rodar({"gerar", "--pluviometrica", "2045012", "--climatologica", "99999", "--saida",
               "serie.txt"});
    EXPECT_FALHA(r, "99999", "não encontrada");
}

TEST_F(VentaroCliTest, MissingOrDuplicatedMonthFailsNamingStationAndMonth) {
    const fs::path banco = BancoAlterado(
        "delete from DadosPrec where CodEstacao = 2045012 and Mes = 5;"
        "insert into DadosClima select * from DadosClima where CodEstacao = 83587 and Mes = 9;");
    Resultado r = Rodar(Gerar({"--db", banco.string()}));
    EXPECT_FALHA(r, "2045012", "mês 5", "DadosPrec");
    r = Rodar({"gerar", "--db", banco.string(), "--pluviometrica", "2852006", "--climatologica",
               "83587", "--saida", "serie.txt"});
    EXPECT_FALHA(r, "83587", "mês 9", "2 linhas", "DadosClima");
}

TEST_F(VentaroCliTest, UnwritableOutputFailsNamingThePathAndWritesNothing) {
    Resultado r = Rodar({"gerar", "--pluviometrica", "2045012", "--saida", "nao/existe/serie.txt",
                         "--estatisticas", "e.csv"});
    EXPECT_FALHA(r, "nao/existe/serie.txt");
    r = Rodar(Gerar({"--estatisticas", "nao/existe/e.csv"}));
    EXPECT_FALHA(r, "nao/existe/e.csv");
}

TEST_F(VentaroCliTest, UsageErrorsExitWithTwo) {
    const std::vector<std::vector<std::string>> casos{
        {},
        {"desconhecido"},
        {"gerar", "--pluviometrica", "2045012"},
        {"gerar", "--saida", "serie.txt"},
        Gerar({"--anos", "dez"}),
        Gerar({"--anos", "4294967296"}),
        Gerar({"--a-partir", "-5"}),
        Gerar({"--variaveis", "prec,chuva"}),
        Gerar({"--separador-decimal", ";"}),
        Gerar({"--opcao-que-nao-existe"}),
        {"estacoes"},
        {"estacoes", "--pluviometricas", "--climatologicas"},
    };
    for (const auto& args : casos) {
        std::string linha;
        for (const auto& a : args) linha += a + " ";
        const Resultado r = Rodar(args);
        EXPECT_EQ(r.codigo, 2) << linha << "\n" << r.erro;
        EXPECT_TRUE(r.erro.starts_with("ventaro-cli: ")) << linha << "\n" << r.erro;
        EXPECT_EQ(r.erro.find(" is required"), std::string::npos) << r.erro;
        EXPECT_TRUE(Arquivos().empty()) << linha;
    }
    EXPECT_NE(Rodar(Gerar({"--anos", "dez"})).erro.find("--anos"), std::string::npos);
    EXPECT_NE(Rodar({"gerar", "--pluviometrica", "2045012"}).erro.find("--saida"),
              std::string::npos);
}

TEST_F(VentaroCliTest, HelpIsPortugueseAndExitsWithZero) {
    Resultado r = Rodar({"--help"});
    EXPECT_EQ(r.codigo, 0);
    EXPECT_NE(r.saida.find("Comandos:"), std::string::npos) << r.saida;
    EXPECT_NE(r.saida.find("estimar-regiao"), std::string::npos) << r.saida;
    r = Rodar({"estimar-regiao", "--help"});
    EXPECT_EQ(r.codigo, 0);
    EXPECT_NE(r.saida.find("--regiao N (exigida)"), std::string::npos) << r.saida;
    EXPECT_NE(r.saida.find("--fator-pico F"), std::string::npos) << r.saida;
    r = Rodar({"gerar", "--help"});
    EXPECT_EQ(r.codigo, 0);
    EXPECT_NE(r.saida.find("--pluviometrica COD (exigida)"), std::string::npos) << r.saida;
    EXPECT_NE(r.saida.find("--estatisticas"), std::string::npos);
}

TEST_F(VentaroCliTest, ListsStationsOfTheDefaultDatabase) {
    Resultado r = Rodar({"estacoes", "--pluviometricas"});
    ASSERT_EQ(r.codigo, 0) << r.erro;
    EXPECT_EQ(r.saida,
              Ler(fs::path(VENTARO_SOURCE_DIR) / "tests/cli/esperado/estacoes_pluviometricas.txt"));
    r = Rodar({"estacoes", "--climatologicas", "--procurar", "horizonte"});
    ASSERT_EQ(r.codigo, 0) << r.erro;
    const auto linhas = Linhas(r.saida);
    ASSERT_EQ(linhas.size(), 2u);
    EXPECT_TRUE(linhas[1].starts_with("83587   BELO HORIZONTE  BELO HORIZONTE  3  ")) << linhas[1];
}

TEST_F(VentaroCliTest, SearchTextIsNeverSql) {
    for (const std::string texto : {"x\" or 1=1 --", "'; drop table EstacaoPrec; --", "%"}) {
        const Resultado r = Rodar({"estacoes", "--pluviometricas", "--procurar", texto});
        EXPECT_EQ(r.codigo, 0) << r.erro;
        EXPECT_EQ(Linhas(r.saida).size(), 1u) << r.saida;
        EXPECT_EQ(r.erro, "Nenhuma estação encontrada.\n");
    }
    EXPECT_EQ(Linhas(Rodar({"estacoes", "--pluviometricas"}).saida).size(), 7u);
}

const fs::path kHoraria = fs::path(VENTARO_SOURCE_DIR) / "data/observacoes/inmet_horaria" /
                          "INMET_S_SC_A806_FLORIANOPOLIS_01-01-2018_A_31-12-2018.CSV";

// Every ParamRegiao row but those of `regiao`, as text.
std::string OutrasRegioes(const fs::path& banco, int regiao) {
    SQLite::Database db(banco.string());
    SQLite::Statement q(db, "select * from ParamRegiao where CodRegiao <> " +
                                std::to_string(regiao) + " order by 1, 2, 3");
    std::string texto;
    while (q.executeStep()) {
        for (int i = 0; i < q.getColumnCount(); ++i) texto += q.getColumn(i).getString() + "|";
        texto += "\n";
    }
    return texto;
}

TEST_F(VentaroCliTest, EstimarRegiaoWritesTheRegionAndPrintsItsTable) {
    const fs::path banco = BancoAlterado("");
    const std::string outras = OutrasRegioes(banco, 5);
    const Resultado r = Rodar({"estimar-regiao", "--db", banco.string(), "--regiao", "5",
                               "--fator-pico", "1,5", "--minimo", "12", kHoraria.string()},
                              {"LANG=pt_BR.UTF-8"});
    ASSERT_EQ(r.codigo, 0) << r.erro;
    for (const char* trecho : {
             "(A806 FLORIANOPOLIS): 8760 horas (2 sem valor), 363 dias completos, 2 deixados de "
             "fora por hora faltante, 204 tempestades\n",
             "204 tempestades: duração média 8,57 h, intensidade de pico média 5,75 mm/h (fator "
             "de pico 1,500)",
             "\nMês  0-5     5-10    10-15   15-20   20-30",
             "\njan  12      3/16V   ",
             "Células com menos de 12 tempestades",
             "\nRegião 5: 60 linhas de ParamRegiao gravadas (região nova) em ",
         }) {
        EXPECT_NE(r.saida.find(trecho), std::string::npos) << trecho << "\n" << r.saida;
    }
    SQLite::Database db(banco.string());
    EXPECT_EQ(db.execAndGet("select count(*) from ParamRegiao where CodRegiao = 5").getInt(), 60);
    EXPECT_EQ(OutrasRegioes(banco, 5), outras);

    // The same region again replaces its rows.
    const Resultado de_novo =
        Rodar({"estimar-regiao", "--db", banco.string(), "--regiao", "5", kHoraria.string()});
    ASSERT_EQ(de_novo.codigo, 0) << de_novo.erro;
    EXPECT_NE(de_novo.saida.find("(substituindo as anteriores)"), std::string::npos);
    EXPECT_EQ(db.execAndGet("select count(*) from ParamRegiao where CodRegiao = 5").getInt(), 60);
}

// Bad options and files are refused with one line naming the value or the file, before the
// database is touched: it stays byte for byte as it was.
TEST_F(VentaroCliTest, EstimarRegiaoRefusesBadInputLeavingTheDatabaseByteIdentical) {
    const fs::path banco = BancoAlterado("");
    const std::string antes = Ler(banco);
    const fs::path seco = Em("dados_A999_H_seco.csv");
    {
        std::ofstream f(seco);
        f << "Data Medicao;Hora Medicao;PRECIPITACAO TOTAL, HORARIO(mm);\n";
        for (int h = 0; h < 24; ++h) f << "2024-04-01;" << (h < 10 ? "0" : "") << h << "00;0;\n";
    }
    const fs::path diario = fs::path(VENTARO_SOURCE_DIR) / "data/observacoes/inmet" /
                            "dados_83587_D_1990-01-01_2020-12-31.csv";
    const std::string h = kHoraria.string();
    struct Caso {
        std::vector<std::string> args;
        std::vector<std::string> trechos;
    };
    const Caso casos[] = {
        {{"--regiao", "8", h}, {"Região inválida: \"8\" (use um número de 1 a 7)"}},
        {{"--regiao", "0", h}, {"Região inválida: \"0\""}},
        {{"--regiao", "seis", h}, {"Região inválida: \"seis\""}},
        {{"--regiao", "6", "--fator-pico", "0", h}, {"Fator de pico inválido: \"0\""}},
        {{"--regiao", "6", "--minimo", "1", h}, {"Mínimo de tempestades inválido: \"1\""}},
        {{"--regiao", "6", diario.string()},
         {diario.string(), "exportação diária do BDMEP, não uma série horária"}},
        {{"--regiao", "6", h, seco.string()},
         {seco.string(), "não tem nenhuma tempestade", "1 dia(s) completo(s)"}},
        {{"--regiao", "6", "--minimo", "500", h}, {"204 tempestade(s)", "mínimo de 500"}},
        {{"--regiao", "6", Em("nao_existe.csv").string()}, {"nao_existe.csv"}},
    };
    for (const Caso& c : casos) {
        std::vector<std::string> args{"estimar-regiao", "--db", banco.string()};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const Resultado r = Rodar(args);
        SCOPED_TRACE(c.args[1]);
        EXPECT_EQ(r.codigo, 1) << r.erro;
        EXPECT_EQ(Linhas(r.erro).size(), 1u) << r.erro;
        for (const std::string& trecho : c.trechos) {
            EXPECT_NE(r.erro.find(trecho), std::string::npos) << r.erro;
        }
        EXPECT_TRUE(r.saida.empty()) << r.saida;
        EXPECT_EQ(Ler(banco), antes);
    }
    EXPECT_EQ(Rodar({"estimar-regiao", "--db", banco.string(), h}).codigo, 2);
    EXPECT_EQ(Rodar({"estimar-regiao", "--db", banco.string(), "--regiao", "6"}).codigo, 2);
    EXPECT_EQ(Ler(banco), antes);
}

// An output that names the station database, or both outputs naming one file, is refused
// before anything is written: the database and the folder stay as they were.
TEST_F(VentaroCliTest, OutputsThatWouldOverwriteTheDatabaseOrEachOtherAreRefused) {
    const fs::path banco = BancoAlterado("select 1");
    const std::string antes = Ler(banco);
    fs::create_symlink(banco, Em("atalho.sqlite"));
    struct Caso {
        std::vector<std::string> args;
        const char* opcao;
    };
    const Caso casos[] = {
        {{"--saida", "bd_alterado.sqlite"}, "--saida"},
        {{"--saida", "./sub/../bd_alterado.sqlite"}, "--saida"},
        {{"--saida", "atalho.sqlite"}, "--saida"},
        {{"--saida", "serie.txt", "--estatisticas", "bd_alterado.sqlite"}, "--estatisticas"},
        {{"--saida", "serie.txt", "--estatisticas", "serie.txt"}, "--estatisticas"},
        {{"--saida", "serie.txt", "--estatisticas", (pasta_ / "serie.txt").string()},
         "--estatisticas"},
    };
    for (const Caso& c : casos) {
        std::vector<std::string> args{
            "gerar", "--db", "bd_alterado.sqlite", "--pluviometrica", "2045012", "--anos", "1"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const Resultado r = Rodar(args);
        EXPECT_EQ(r.codigo, 2) << c.args[1] << ": " << r.erro;
        EXPECT_NE(r.erro.find(c.opcao), std::string::npos) << r.erro;
        EXPECT_EQ(Ler(banco), antes) << c.args[1];
        EXPECT_FALSE(fs::exists(Em("serie.txt")));
    }
}

// Ctrl+C or SIGTERM during a run stops it with no file left, hidden temporaries included; the
// leftovers of runs killed outright never make a later run fail.
TEST_F(VentaroCliTest, InterruptedRunsLeaveNoFileAndLeftoversNeverBlock) {
    std::vector<std::string> restos;
    for (int i = 0; i < 120; ++i) {
        for (const std::string& nome : {".serie.txt.tmp" + std::to_string(i),
                                        ".serie.txt." + std::to_string(::getpid() + i % 7) + "." +
                                            std::to_string(i) + ".tmp"}) {
            std::ofstream(Em(nome)) << "resto";
            restos.push_back(nome);
        }
    }
    Resultado r = Rodar(Gerar({"--anos", "1"}));
    ASSERT_EQ(r.codigo, 0) << r.erro;
    fs::remove(Em("serie.txt"));
    for (const int sinal : {SIGINT, SIGTERM}) {
        const pid_t pid = Iniciar(Gerar({"--anos", "3000", "--estatisticas", "e.csv"}));
        EXPECT_TRUE(teste::EsperarSinalBloqueado(pid, sinal));
        ::kill(pid, sinal);
        r = Esperar(pid);
        EXPECT_EQ(r.codigo, 128 + sinal) << r.erro;
        EXPECT_NE(r.erro.find("Interrompido"), std::string::npos) << r.erro;
        EXPECT_EQ(Arquivos().size(), restos.size()) << "a file was left by signal " << sinal;
    }
}

// Imports into one database from several processes at once, with readers alongside: every
// station is stored and every command succeeds.
TEST_F(VentaroCliTest, ConcurrentImportsAndRunsShareTheDatabase) {
    const fs::path banco = BancoAlterado(
        "delete from DadosPrec; delete from EstacaoPrec "
        "where CodEstacao <> 2045012");
    const auto Dados = [](const char* nome) {
        return (fs::path(VENTARO_SOURCE_DIR) / "tests" / "import" / "dados" / nome).string();
    };
    const std::vector<std::vector<std::string>> comandos = {
        {"importar-ana", "--db", banco.string(), Dados("CHUVAS_02447049.TXT"), "--regiao", "3",
         "--nome", "IGUAPE", "--latitude", "-24.7", "--longitude", "-47.5", "--substituir"},
        {"importar-ana", "--db", banco.string(),
         (fs::path(VENTARO_SOURCE_DIR) / "data/observacoes/ana/447002_Chuvas.csv").string(),
         "--regiao", "1", "--nome", "RETA", "--latitude", "-4.8", "--longitude", "-47.3",
         "--substituir"},
        {"importar-inmet", "--db", banco.string(), Dados("dados_83587_D_2005-01-01_2012-12-31.csv"),
         "--regiao", "3", "--codigo", "83001", "--substituir"},
        {"importar-inmet", "--db", banco.string(), Dados("dados_83587_D_2005-01-01_2012-12-31.csv"),
         "--regiao", "3", "--codigo", "83002", "--substituir"},
        {"estacoes", "--db", banco.string(), "--pluviometricas"},
        {"estacoes", "--db", banco.string(), "--climatologicas"},
    };
    for (int rodada = 0; rodada < 3; ++rodada) {
        std::vector<pid_t> pids;
        for (std::size_t i = 0; i < comandos.size(); ++i) {
            pids.push_back(Iniciar(comandos[i], {}, std::to_string(i)));
        }
        for (std::size_t i = 0; i < pids.size(); ++i) {
            const Resultado r = Esperar(pids[i], std::to_string(i));
            EXPECT_EQ(r.codigo, 0) << comandos[i][0] << ": " << r.erro;
        }
    }
    SQLite::Database db(banco.string());
    EXPECT_EQ(db.execAndGet("select count(*) from DadosPrec where CodEstacao in "
                            "(2447049, 447002)")
                  .getInt(),
              24);
    EXPECT_EQ(db.execAndGet("select count(*) from DadosClima where CodEstacao in (83001, 83002)")
                  .getInt(),
              24);
}

// A database whose file is damaged is refused before any write, with a message that tells the
// user to restore a backup, and is left byte for byte as it was.
TEST_F(VentaroCliTest, ADamagedDatabaseIsNeverWrittenTo) {
    const fs::path banco = BancoAlterado("select 1");
    {
        const auto paginas = fs::file_size(banco) / 4096;
        std::fstream f(banco, std::ios::in | std::ios::out | std::ios::binary);
        f.seekp(static_cast<std::streamoff>((paginas - 1) * 4096));
        f.write("ZZZZZZZZ", 8);
    }
    const std::string antes = Ler(banco);
    const Resultado r =
        Rodar({"importar-inmet", "--db", banco.string(),
               (fs::path(VENTARO_SOURCE_DIR) / "tests/import/dados/"
                                               "dados_83587_D_2005-01-01_2012-12-31.csv")
                   .string(),
               "--regiao", "3", "--codigo", "83003"});
    EXPECT_EQ(r.codigo, 1) << r.erro;
    EXPECT_NE(r.erro.find("cópia de segurança"), std::string::npos) << r.erro;
    EXPECT_EQ(Ler(banco), antes);
}

// Identity options no station can have are refused by name before anything is read.
TEST_F(VentaroCliTest, ImpossibleIdentityOptionsAreRefusedByName) {
    const fs::path banco = BancoAlterado("select 1");
    const std::string antes = Ler(banco);
    const std::string arquivo = (fs::path(VENTARO_SOURCE_DIR) /
                                 "tests/import/dados/dados_83587_D_2005-01-01_2012-12-31.csv")
                                    .string();
    const std::vector<std::pair<std::string, std::string>> casos = {
        {"--latitude", "1e300"},    {"--latitude", "-91"},     {"--longitude", "500"},
        {"--altitude", "99999999"}, {"--altitude", "nan"},     {"--codigo", "-1234"},
        {"--codigo", "00000"},      {"--codigo", "123456789"},
    };
    for (const auto& [opcao, valor] : casos) {
        const Resultado r = Rodar({"importar-inmet", "--db", banco.string(), arquivo, "--regiao",
                                   "3", opcao + "=" + valor});
        EXPECT_EQ(r.codigo, 2) << opcao << " " << valor << ": " << r.erro;
        EXPECT_NE(r.erro.find(opcao), std::string::npos) << r.erro;
    }
    const Resultado r = Rodar(
        {"importar-ana", "--db", banco.string(), arquivo, "--regiao", "3", "--longitude=-200"});
    EXPECT_EQ(r.codigo, 2) << r.erro;
    EXPECT_EQ(Ler(banco), antes);
}

}  // namespace
}  // namespace ventaro
