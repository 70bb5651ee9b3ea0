// Runs of the built ventaro-cli erosividade and erosividade-juntar: exit codes, messages,
// parts merged, interruption.

#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "erosivity/pastas_erosividade.h"
#include "support/processo.h"

namespace ventaro {
namespace {

namespace fs = std::filesystem;
using teste::LerArquivo;

const fs::path kBin = fs::path(VENTARO_BIN_DIR) / "ventaro-cli";

class ErosividadeCliTest : public ::testing::Test {
  protected:
    using Resultado = teste::ResultadoProcesso;

    // ventaro-cli in the test's folder; its stderr can be read from .stderr while it runs.
    pid_t Iniciar(const std::vector<std::string>& args) {
        return teste::IniciarProcesso(kBin, args, pasta_.Caminho());
    }
    Resultado Esperar(pid_t pid) { return teste::EsperarProcesso(pid, pasta_.Caminho()); }
    Resultado Rodar(const std::vector<std::string>& args) { return Esperar(Iniciar(args)); }

    teste::PastaTemporaria pasta_;
};

TEST_F(ErosividadeCliTest, ExitCodesAndMessages) {
    struct Caso {
        std::vector<std::string> args;
        int codigo;
        std::vector<std::string> trechos;
    };
    std::ofstream(pasta_ / "lista.txt") << "2447049\n\n 9999999 \r\n";
    std::ofstream(pasta_ / "vazia.txt") << "\n  \n";
    const Caso casos[] = {
        {{"erosividade", "--estado", "25", "--anos", "1", "--pasta", "a"},
         0,
         {"estação 1/3 2345024: calculada", "estação 3/3 2447049: calculada",
          "3 estações calculadas; arquivos em a/teste2"}},
        {{"erosividade", "--lista", "lista.txt", "--anos", "1", "--pasta", "b", "--tarefas", "2"},
         3,
         {"estação 1/2 2447049: calculada", "estação 2/2 9999999: ignorada (",
          "1 estação calculada, 1 ignorada"}},
        {{"erosividade", "--anos", "1"}, 2, {"Informe --estado ou --lista"}},
        {{"erosividade", "--estado", "25", "--anos", "1.5"}, 2, {"--anos: \"1.5\""}},
        {{"erosividade", "--estado", "25", "--anos", "1", "--parte", "3/2"}, 2, {"--parte"}},
        {{"erosividade", "--estado", "1", "--anos", "1"}, 1, {"O estado 1 não tem estações"}},
        {{"erosividade", "--lista", "vazia.txt", "--anos", "1"}, 1, {"não tem nenhum código"}},
    };
    for (const Caso& c : casos) {
        const Resultado r = Rodar(c.args);
        EXPECT_EQ(r.codigo, c.codigo) << c.args[1] << "\n" << r.erro;
        for (const auto& t : c.trechos) EXPECT_NE(r.erro.find(t), std::string::npos) << r.erro;
    }
    // A whole batch is its own only part; a folder without a batch is refused.
    EXPECT_EQ(Rodar({"erosividade-juntar", "--pasta", "c", "a"}).codigo, 0);
    EXPECT_TRUE(teste::MesmosArquivos(pasta_ / "a", pasta_ / "c"));
    EXPECT_EQ(Rodar({"erosividade-juntar", "--pasta", "d", "nada"}).codigo, 1);

    const Resultado ajuda = Rodar({"erosividade", "--help"});
    EXPECT_EQ(ajuda.codigo, 0);
    for (const char* t :
         {"--parte K/N", "Códigos de saída: 0 ", "; 3 alguma estação", "; 130 ou 143 "}) {
        EXPECT_NE(ajuda.saida.find(t), std::string::npos) << t;
    }
}

// Two parts on two "machines" merged by erosividade-juntar equal one run of the whole state.
TEST_F(ErosividadeCliTest, PartsMergedEqualTheWholeState) {
    ASSERT_EQ(Rodar({"erosividade", "--estado", "25", "--anos", "2", "--pasta", "todo"}).codigo, 0);
    for (const char* k : {"1", "2"}) {
        const Resultado r = Rodar({"erosividade", "--estado", "25", "--anos", "2", "--parte",
                                   std::string(k) + "/2", "--pasta", std::string("parte") + k});
        ASSERT_EQ(r.codigo, 0) << r.erro;
        EXPECT_NE(r.erro.find(std::string("parte ") + k + "/2, estação 1/"), std::string::npos);
    }
    const Resultado r = Rodar({"erosividade-juntar", "--pasta", "junto", "parte2", "parte1"});
    ASSERT_EQ(r.codigo, 0) << r.erro;
    EXPECT_NE(r.erro.find("2 partes juntadas, 3 estações calculadas"), std::string::npos);
    EXPECT_TRUE(teste::MesmosArquivos(pasta_ / "todo", pasta_ / "junto"));
}

// SIGTERM (a scheduler's time limit) stops the batch after the stations done, which stay in
// every file, and the batch record stays open so that no merge takes it for complete.
TEST_F(ErosividadeCliTest, TermSignalLeavesTheStationsDone) {
    // Long enough per station that the signal comes before the batch ends on a fast machine.
    constexpr std::size_t kAnos = 500;
    const pid_t pid = Iniciar({"erosividade", "--estado", "25", "--anos", std::to_string(kAnos),
                               "--pasta", "s", "--tarefas", "1"});
    const auto limite = std::chrono::steady_clock::now() + std::chrono::minutes(2);
    while (LerArquivo(pasta_ / ".stderr").find("1/3") == std::string::npos &&
           std::chrono::steady_clock::now() < limite) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ::kill(pid, SIGTERM);
    const Resultado r = Esperar(pid);
    EXPECT_EQ(r.codigo, 128 + SIGTERM) << r.erro;
    EXPECT_NE(r.erro.find("interrompendo"), std::string::npos);
    const std::string registro = LerArquivo(pasta_ / "s" / "teste2" / "lote-erosividade.tsv");
    EXPECT_EQ(registro.find("fim"), std::string::npos);
    const auto anual = teste::LinhasCrLf(pasta_ / "s" / "teste2" / "Anual.txt");
    EXPECT_EQ((anual.size() - 3) % kAnos, 0u);
    EXPECT_GE(anual.size(), 3u + kAnos);
    EXPECT_EQ(teste::LerXlsx(pasta_ / "s" / "teste2" / "erosividade.xlsx")[12].celulas.size(),
              8u * (1 + (anual.size() - 3) / kAnos));
}

}  // namespace
}  // namespace ventaro
