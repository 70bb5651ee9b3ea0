// ventaro-cli gerar with the formats of other models, seeds, ensembles and scenarios: files
// written or refused, byte for byte where a run must repeat another.

#include <gtest/gtest.h>
#include <signal.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "erosivity/pastas_erosividade.h"
#include "support/processo.h"

namespace ventaro {
namespace {

namespace fs = std::filesystem;
using teste::LerArquivo;

const fs::path kBin = fs::path(VENTARO_BIN_DIR) / "ventaro-cli";

const std::string kCabecalhoCenario =
    "mes,fator_chuva_media,fator_dias_chuvosos,delta_tmax,delta_tmin,fator_radiacao\n";

class GerarFormatosTest : public ::testing::Test {
  protected:
    using Resultado = teste::ResultadoProcesso;

    // `gerar` for the sample stations with `extras`.
    Resultado Gerar(const std::vector<std::string>& extras) {
        std::vector<std::string> args{"gerar", "--pluviometrica",     "2045012", "--climatologica",
                                      "83587", "--separador-decimal", "."};
        args.insert(args.end(), extras.begin(), extras.end());
        return teste::RodarProcesso(kBin, args, pasta_.Caminho());
    }
    std::string Ler(const std::string& nome) const { return LerArquivo(pasta_ / nome); }
    std::set<std::string> Entradas() const {
        std::set<std::string> nomes;
        for (const auto& e : fs::directory_iterator(pasta_.Caminho())) {
            nomes.insert(e.path().filename().string());
        }
        return nomes;
    }
    void Cenario(const std::string& nome, const std::string& texto) {
        std::ofstream(pasta_ / nome) << texto;
    }

    teste::PastaTemporaria pasta_;
};

TEST_F(GerarFormatosTest, SeedFiveIsTheDefaultRunByteForByte) {
    for (const std::string formato : {"serie", "wepp"}) {
        ASSERT_EQ(Gerar({"--anos", "3", "--formato", formato, "--saida", "padrao"}).codigo, 0);
        ASSERT_EQ(Gerar({"--anos", "3", "--formato", formato, "--saida", "cinco", "--semente", "5"})
                      .codigo,
                  0);
        ASSERT_EQ(Gerar({"--anos", "3", "--formato", formato, "--saida", "seis", "--semente", "6"})
                      .codigo,
                  0);
        EXPECT_TRUE(Ler("padrao") == Ler("cinco")) << formato;
        EXPECT_FALSE(Ler("padrao") == Ler("seis")) << formato;
    }
}

// An ensemble runs on every core, yet member k is exactly the file of a run of its own with seed
// N + k - 1, statistics included; members differ from each other and a second ensemble repeats
// the first.
TEST_F(GerarFormatosTest, EnsembleMembersDifferAreReproducibleAndEqualSingleRuns) {
    const std::vector<std::string> conjunto{"--anos",    "4",     "--formato",      "csv",
                                            "--semente", "7",     "--realizacoes",  "3",
                                            "--saida",   "s.csv", "--estatisticas", "e.csv"};
    ASSERT_EQ(Gerar(conjunto).codigo, 0);
    EXPECT_EQ(Entradas(), (std::set<std::string>{"s_r01.csv", "s_r02.csv", "s_r03.csv", "e_r01.csv",
                                                 "e_r02.csv", "e_r03.csv"}));
    const std::string membros[] = {Ler("s_r01.csv"), Ler("s_r02.csv"), Ler("s_r03.csv")};
    EXPECT_FALSE(membros[0] == membros[1]);
    EXPECT_FALSE(membros[1] == membros[2]);
    EXPECT_NE(membros[1].find("semente 8"), std::string::npos);

    ASSERT_EQ(Gerar({"--anos", "4", "--formato", "csv", "--semente", "8", "--saida", "so.csv",
                     "--estatisticas", "so_e.csv"})
                  .codigo,
              0);
    EXPECT_TRUE(Ler("so.csv") == membros[1]);
    EXPECT_TRUE(Ler("so_e.csv") == Ler("e_r02.csv"));

    for (const auto& nome : Entradas()) fs::remove(pasta_ / nome);
    ASSERT_EQ(Gerar(conjunto).codigo, 0);
    EXPECT_TRUE(Ler("s_r01.csv") == membros[0]);
    EXPECT_TRUE(Ler("s_r03.csv") == membros[2]);

    // Folders take the suffix too.
    ASSERT_EQ(
        Gerar({"--anos", "2", "--formato", "swat", "--realizacoes", "2", "--saida", "swat"}).codigo,
        0);
    EXPECT_TRUE(fs::exists(pasta_ / "swat_r01" / "p02045012.pcp"));
    EXPECT_NE(LerArquivo(pasta_ / "swat_r02" / "c83587.tmp").find("semente 6"), std::string::npos);
}

TEST_F(GerarFormatosTest, ScenarioIsAppliedAndNamedInTheHeaders) {
    std::string texto = kCabecalhoCenario;
    for (int m = 1; m <= 12; ++m) texto += std::to_string(m) + ",1.2,0.9,2,1.5,1\n";
    Cenario("futuro.csv", texto);
    ASSERT_EQ(Gerar({"--anos", "3", "--formato", "wepp", "--saida", "atual.cli"}).codigo, 0);
    const auto r = Gerar(
        {"--anos", "3", "--formato", "wepp", "--saida", "futuro.cli", "--cenario", "futuro.csv"});
    ASSERT_EQ(r.codigo, 0) << r.erro;
    const std::string futuro = Ler("futuro.cli");
    EXPECT_NE(futuro.substr(0, futuro.find("Latitude")).find("cenario futuro.csv"),
              std::string::npos)
        << futuro.substr(0, 300);
    EXPECT_FALSE(futuro == Ler("atual.cli"));
    // The series file names it after its length, the statistics on a comment line before them.
    ASSERT_EQ(Gerar({"--anos", "3", "--saida", "futuro.txt", "--cenario", "futuro.csv",
                     "--estatisticas", "futuro_est.csv"})
                  .codigo,
              0);
    EXPECT_NE(Ler("futuro.txt").find("3 anos     Cen\xE1rio: futuro.csv\r\n"), std::string::npos);
    EXPECT_EQ(Ler("futuro_est.csv")
                  .rfind("# cenário futuro.csv; observado: o registro da estação, sem o cenário\n"
                         "campo,mes,observado,gerado\n",
                         0),
              0u);
}

// Everything below is refused before any file is written, with a message naming what to change.
TEST_F(GerarFormatosTest, BadFormatsEnsemblesAndScenariosAreRefusedWritingNothing) {
    std::string sem_julho = kCabecalhoCenario, com_texto = kCabecalhoCenario,
                fracao_alta = kCabecalhoCenario;
    for (int m = 1; m <= 12; ++m) {
        const std::string mes = std::to_string(m);
        if (m != 7) sem_julho += mes + ",1,1,0,0,1\n";
        com_texto += mes + (m == 5 ? ",1,um,0,0,1\n" : ",1,1,0,0,1\n");
        fracao_alta += mes + (m == 1 ? ",1,5,0,0,1\n" : ",1,1,0,0,1\n");
    }
    Cenario("sem_julho.csv", sem_julho);
    Cenario("com_texto.csv", com_texto);
    Cenario("fracao_alta.csv", fracao_alta);
    std::ofstream(pasta_ / "arquivo") << "x";
    const auto antes = Entradas();

    struct Caso {
        std::vector<std::string> args;
        int codigo;
        std::vector<std::string> trechos;
    };
    const Caso casos[] = {
        {{"--formato", "hec-hms", "--saida", "s"},
         2,
         {"formato desconhecido \"hec-hms\"", "serie, csv, wepp, wepp-breakpoint ou swat"}},
        {{"--realizacoes", "0", "--saida", "s"}, 2, {"--realizacoes", "\"0\""}},
        {{"--semente", "-3", "--saida", "s"}, 2, {"--semente", "\"-3\""}},
        {{"--formato", "swat", "--saida", "arquivo"}, 2, {"--saida", "\"arquivo\"", "pasta"}},
        {{"--cenario", "sem_julho.csv", "--saida", "s"},
         1,
         {"sem_julho.csv", "campo mes", "falta o mês 7"}},
        {{"--cenario", "com_texto.csv", "--saida", "s"},
         1,
         {"com_texto.csv", "linha 6", "campo fator_dias_chuvosos", "\"um\""}},
        {{"--cenario", "fracao_alta.csv", "--saida", "s"},
         1,
         {"fracao_alta.csv", "linha 2", "campo fator_dias_chuvosos", "no mês 1"}},
        {{"--cenario", "nao_ha.csv", "--saida", "s"}, 1, {"nao_ha.csv", "não encontrado"}},
        {{"--cenario", "sem_julho.csv", "--saida", "sem_julho.csv"}, 2, {"--saida", "cenário"}},
        {{"--realizacoes", "2", "--saida", "s.txt", "--estatisticas", "./s.txt"},
         2,
         {"--estatisticas", "s_r01.txt", "--saida"}},
        {{"--formato", "wepp", "--variaveis", "prec,tmax,tmin", "--saida", "s.cli"},
         1,
         {"WEPP", "não simulou: radiação"}},
    };
    for (const Caso& c : casos) {
        std::vector<std::string> args{"--anos", "2"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const Resultado r = Gerar(args);
        EXPECT_EQ(r.codigo, c.codigo) << c.args[0] << " " << c.args[1] << ": " << r.erro;
        for (const std::string& trecho : c.trechos) {
            EXPECT_NE(r.erro.find(trecho), std::string::npos) << r.erro << "--- falta: " << trecho;
        }
        EXPECT_EQ(Entradas(), antes) << c.args[0] << " " << c.args[1];
    }
}

// Ctrl+C stops every member of an ensemble; no file, temporary or folder is left.
TEST_F(GerarFormatosTest, InterruptedEnsembleLeavesNothing) {
    const pid_t pid = teste::IniciarProcesso(
        kBin,
        {"gerar", "--pluviometrica", "2045012", "--climatologica", "83587", "--anos", "1500",
         "--formato", "swat", "--realizacoes", "3", "--saida", "swat"},
        pasta_.Caminho());
    EXPECT_TRUE(teste::EsperarSinalBloqueado(pid, SIGINT));
    ::kill(pid, SIGINT);
    const Resultado r = teste::EsperarProcesso(pid, pasta_.Caminho());
    EXPECT_EQ(r.codigo, 128 + SIGINT) << r.erro;
    EXPECT_TRUE(Entradas().empty()) << *Entradas().begin();
}

}  // namespace
}  // namespace ventaro
