#include "cli/erro_uso.h"
#include "cli/executar_importar.h"

#include <gtest/gtest.h>

#include <SQLiteCpp/SQLiteCpp.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "core/erro.h"
#include "import/teste_util.h"

namespace ventaro {
namespace {

class BancoVazio {
  public:
    BancoVazio() : arquivo_(pasta_.Caminho() / "bd.sqlite") {
        std::ifstream in(std::filesystem::path(VENTARO_SOURCE_DIR) / "data" / "schema.sql");
        std::stringstream esquema;
        esquema << in.rdbuf();
        SQLite::Database(arquivo_.string(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE)
            .exec(esquema.str());
    }
    const std::filesystem::path& Arquivo() const { return arquivo_; }
    const teste::PastaTemporaria& Pasta() const { return pasta_; }
    std::string Valor(const std::string& sql) const {
        return SQLite::Database(arquivo_.string()).execAndGet(sql).getString();
    }

  private:
    teste::PastaTemporaria pasta_;
    std::filesystem::path arquivo_;
};

TEST(ExecutarImportarInmet, ImportsABdmepFileWithItsOwnIdentity) {
    BancoVazio bd;
    OpcoesImportarInmet o;
    o.banco = bd.Arquivo();
    o.arquivo = teste::Dados("dados_83587_D_2005-01-01_2012-12-31.csv");
    o.regiao = "3";
    std::ostringstream saida;
    EXPECT_EQ(ExecutarImportarInmet(o, saida), 1);
    EXPECT_EQ(saida.str(),
              "Estação 83587 (BELO HORIZONTE): 6 anos.\n1 estação nova.\n"
              "0 estações substituídas.\nFim\n");
    EXPECT_EQ(bd.Valor("select Nome || '|' || Municipio || '|' || Latitude || '|' || Altitude "
                       "from EstacaoClima"),
              "BELO HORIZONTE|BELO HORIZONTE|-19.93444444|915.47");
    EXPECT_EQ(bd.Valor("select count(*) from DadosClima"), "12");

    // Existing code: kept unless --substituir.
    std::ostringstream outra;
    EXPECT_THROW(ExecutarImportarInmet(o, outra), ErroVentaro);
    o.substituir = true;
    o.nome = "BH";
    EXPECT_EQ(ExecutarImportarInmet(o, outra), 1);
    EXPECT_NE(outra.str().find("1 estação substituída."), std::string::npos);
    EXPECT_EQ(bd.Valor("select Nome from EstacaoClima"), "BH");
}

TEST(ExecutarImportarInmet, TheIdentitysLatitudeDrivesRadiation) {
    BancoVazio bd;
    OpcoesImportarInmet o;
    o.banco = bd.Arquivo();
    o.arquivo = teste::Dados("dados_83587_D_2005-01-01_2012-12-31.csv");
    o.regiao = "3";
    std::ostringstream saida;
    ExecutarImportarInmet(o, saida);
    const double rad_bh = std::stod(bd.Valor("select XRadSe from DadosClima where Mes = 6"));
    o.substituir = true;
    o.latitude = "-2,5";  // the same sunshine near the equator in June gives more radiation
    ExecutarImportarInmet(o, saida);
    const double rad_eq = std::stod(bd.Valor("select XRadSe from DadosClima where Mes = 6"));
    EXPECT_GT(rad_eq, rad_bh + 3);
    EXPECT_EQ(bd.Valor("select Latitude from EstacaoClima"), "-2.5");
}

TEST(ExecutarImportarInmet, MessagesOfTheIdentityPanelAndOfTooLittleData) {
    BancoVazio bd;
    OpcoesImportarInmet o;
    o.banco = bd.Arquivo();
    o.arquivo = teste::Dados("dados_83587_D_2005-01-01_2012-12-31.csv");
    std::ostringstream saida;
    try {
        ExecutarImportarInmet(o, saida);  // no region in the file
        FAIL();
    } catch (const ErroVentaro& e) {
        EXPECT_STREQ(e.what(), "Valor inválido para região.");
    }
    o.regiao = "2";
    o.codigo = "835870";
    try {
        ExecutarImportarInmet(o, saida);
        FAIL();
    } catch (const ErroVentaro& e) {
        EXPECT_STREQ(e.what(), "Código inválido para estação.");
    }
    o.codigo.reset();
    o.arquivo = teste::Dados("barra_1978_jan_fev.txt");
    try {
        ExecutarImportarInmet(o, saida);
        FAIL();
    } catch (const ErroVentaro& e) {
        const std::string mensagem = e.what();
        EXPECT_EQ(mensagem.rfind("O arquivo selecionado não possui dados suficientes. (", 0), 0u)
            << mensagem;
        EXPECT_NE(mensagem.find("barra_1978_jan_fev.txt: 0 ano(s) válido(s), são precisos 5)"),
                  std::string::npos)
            << mensagem;
    }
    EXPECT_EQ(bd.Valor("select count(*) from EstacaoClima"), "0");
}

TEST(ExecutarImportarAna, ImportsHidrowebFilesWithTheInventory) {
    BancoVazio bd;
    const auto inventario = bd.Pasta().Escrever(
        "inv.csv",
        "Codigo;CodigoHidroWeb8;Nome;Municipio;Estado;UF;Latitude;Longitude;Altitude\n"
        "2447049;02447049;IGUAPE;IGUAPE;SAO PAULO;SP;-24.7167;-47.55;3\n");
    OpcoesImportarAna o;
    o.banco = bd.Arquivo();
    o.arquivos = {teste::Dados("CHUVAS_02447049.TXT"),
                  teste::Dados("chuvas_C_02345106_excerto.csv")};
    o.inventario = inventario;
    o.regiao = "3";
    // --nome names only a station outside the inventory: IGUAPE keeps its name.
    o.nome = "OUTRO NOME";
    std::ostringstream saida;
    std::istringstream entrada;
    // One station written, one unknown to the inventory: a partial import, not a success.
    try {
        ExecutarImportarAna(o, saida, entrada);
        ADD_FAILURE() << "a partial import was reported as a success";
    } catch (const ErroParcial& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Importação parcial: 1 estação gravada, 1 falha(s):\n  Estação 02345106: fora "
                  "do inventário e sem nome e coordenadas.");
    }
    EXPECT_EQ(saida.str(),
              "Estação 02447049 (IGUAPE): 15 anos.\n"
              "A estação 02345106 não está no inventário: informe --inventario, ou --nome, "
              "--latitude e --longitude.\n"
              "1 estação nova.\n0 estações substituídas.\nFim\n");
    EXPECT_EQ(bd.Valor("select Nome || '|' || Municipio || '|' || Regiao || '|' || NumAnos "
                       "from EstacaoPrec"),
              "IGUAPE|IGUAPE|3|15");

    // Again, without --substituir: kept and reported; nothing imported.
    o.arquivos.pop_back();
    std::ostringstream de_novo;
    EXPECT_EQ(ExecutarImportarAna(o, de_novo, entrada), 0);
    EXPECT_EQ(de_novo.str(),
              "A estação 02447049 já está no banco de dados; mantida (use --substituir para "
              "substituí-la).\n0 estações novas.\n0 estações substituídas.\nFim\n");
}

// A daily depth no rain gauge can hold is read as missing: its month drops out, the station
// still imports, and the run says so once, naming the file and the line.
TEST(ExecutarImportarAna, ImpossibleDepthsAreReportedOnceAndLeftOut) {
    BancoVazio bd;
    std::ifstream in(teste::Dados("CHUVAS_02447049.TXT"), std::ios::binary);
    std::string texto((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const auto p = texto.find("01/01/1961;1;107;351,8;27;19;1;1;0;;0;31,8;");
    ASSERT_NE(p, std::string::npos);
    texto.replace(p + 38, 4, "1e26");  // the 1st of January, 31,8 mm
    OpcoesImportarAna o;
    o.banco = bd.Arquivo();
    o.arquivos = {bd.Pasta().Escrever("CHUVAS.TXT", texto)};
    o.regiao = "3";
    o.nome = "IGUAPE";
    o.latitude = "-24.7";
    o.longitude = "-47.5";
    std::ostringstream saida;
    std::istringstream entrada;
    EXPECT_EQ(ExecutarImportarAna(o, saida, entrada), 1);
    const std::string impresso = saida.str();
    EXPECT_EQ(impresso.find("Aviso: "), 0u) << impresso;
    EXPECT_NE(impresso.find("1e+26"), std::string::npos) << impresso;
    EXPECT_EQ(impresso.find("Aviso: ", 1), std::string::npos) << impresso;
    EXPECT_LT(std::stod(bd.Valor("select XPrec from DadosPrec where Mes = 1")), 100.0);
}

TEST(ExecutarImportarAna, AsksTheRegionWhenNoFlagGivesIt) {
    BancoVazio bd;
    OpcoesImportarAna o;
    o.banco = bd.Arquivo();
    o.arquivos = {teste::Dados("CHUVAS_02447049.TXT")};
    o.nome = "IGUAPE";
    o.latitude = "-24.7167";
    o.longitude = "-47.55";
    std::ostringstream saida;
    std::istringstream entrada("9\nsete\n5\n");  // out of range and not a number ask again
    EXPECT_EQ(ExecutarImportarAna(o, saida, entrada), 1);
    EXPECT_EQ(bd.Valor("select Regiao from EstacaoPrec"), "5");
    const std::string texto = saida.str();
    EXPECT_EQ(texto.find("Digite o número da região"), 0u);
    EXPECT_NE(texto.find("Digite o número da região", 10), std::string::npos);

    // The end of the input, or answers that stay invalid, leave the station out: nothing
    // written, and the run fails naming it. Without a terminal the option is required.
    for (const char* respostas : {"", "9\n9\n9\n9\n9\n5\n"}) {
        BancoVazio outro;
        o.banco = outro.Arquivo();
        std::istringstream entrada_ruim(respostas);
        std::ostringstream s2;
        EXPECT_THROW(ExecutarImportarAna(o, s2, entrada_ruim), ErroVentaro) << respostas;
        EXPECT_EQ(outro.Valor("select count(*) from EstacaoPrec"), "0");
    }
    o.entrada_interativa = false;
    EXPECT_THROW(ExecutarImportarAna(o, saida, entrada), ErroUso);
}

TEST(ExecutarImportarAna, RefusesFilesOfOtherFormatsBeforeWriting) {
    BancoVazio bd;
    OpcoesImportarAna o;
    o.banco = bd.Arquivo();
    o.arquivos = {teste::Dados("CHUVAS_02447049.TXT"), teste::Dados("barra_1978_jan_fev.txt")};
    o.regiao = "3";
    o.nome = "X";
    o.latitude = "-24";
    o.longitude = "-47";
    std::ostringstream saida;
    std::istringstream entrada;
    EXPECT_THROW(ExecutarImportarAna(o, saida, entrada), ErroVentaro);
    EXPECT_EQ(bd.Valor("select count(*) from EstacaoPrec"), "0");
    o.arquivos.pop_back();
    o.regiao = "8";
    EXPECT_THROW(ExecutarImportarAna(o, saida, entrada), ErroVentaro);
}

// The command line itself: exit status and the lines it prints.
TEST(VentaroCli, ImportCommandsExitWithOneWhenNothingIsImported) {
    BancoVazio bd;
    const std::string cli = std::string(VENTARO_BIN_DIR) + "/ventaro-cli";
    auto rodar = [&](const std::string& argumentos, std::string& saida) {
        const std::string comando = cli + " " + argumentos + " 2>&1";
        FILE* p = popen(comando.c_str(), "r");
        char buf[512];
        saida.clear();
        while (std::fgets(buf, sizeof buf, p)) saida += buf;
        return WEXITSTATUS(pclose(p));
    };
    const std::string db = " --db " + bd.Arquivo().string() + " ";
    std::string saida;
    EXPECT_EQ(rodar("importar-ana" + db + teste::Dados("CHUVAS_02447049.TXT").string() +
                        " --regiao 2 --nome IGUAPE --latitude -24.7167 --longitude -47.55",
                    saida),
              0)
        << saida;
    EXPECT_NE(saida.find("1 estação nova.\n0 estações substituídas.\nFim\n"), std::string::npos);
    EXPECT_EQ(rodar("importar-ana" + db + teste::Dados("CHUVAS_02447049.TXT").string() +
                        " --regiao 2 --manter --nome IGUAPE --latitude -24.7 --longitude -47.5",
                    saida),
              1)
        << saida;
    EXPECT_NE(saida.find("0 estações novas.\n0 estações substituídas.\nFim\n"), std::string::npos);
    EXPECT_EQ(rodar("importar-inmet" + db + teste::Dados("barra_1978_jan_fev.txt").string() +
                        " --regiao 5",
                    saida),
              1);
    EXPECT_NE(saida.find("O arquivo selecionado não possui dados suficientes."), std::string::npos);
    EXPECT_EQ(
        rodar("importar-inmet" + db +
                  teste::Dados("dados_83587_D_2005-01-01_2012-12-31.csv").string() + " --regiao 3",
              saida),
        0)
        << saida;
}

}  // namespace
}  // namespace ventaro
