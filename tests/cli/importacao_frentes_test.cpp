// The command line and the panels run the same import operations: for the same input they give
// the same message (the command line may add the cause after it) and leave the same database.
// The panel's side is the operation driven directly, its dialogs answered in advance.

#include <gtest/gtest.h>

#include <SQLiteCpp/SQLiteCpp.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "cli/executar_importar.h"
#include "import/erro_importacao.h"
#include "import/fonte_ana.h"
#include "import/importacao_ana.h"
#include "import/importacao_inmet.h"
#include "import/origem_ana.h"
#include "import/teste_util.h"
#include "stations/banco_dados.h"

namespace ventaro {
namespace {

// A station database with the schema and nothing else, in a folder of its own.
class Banco {
  public:
    explicit Banco(const teste::PastaTemporaria& pasta, const char* nome)
        : arquivo_(pasta.Caminho() / nome) {
        std::ifstream in(std::filesystem::path(VENTARO_SOURCE_DIR) / "data" / "schema.sql");
        std::stringstream esquema;
        esquema << in.rdbuf();
        SQLite::Database(arquivo_.string(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE)
            .exec(esquema.str());
    }
    const std::filesystem::path& Arquivo() const { return arquivo_; }
    void Executar(const std::string& sql) const {
        SQLite::Database(arquivo_.string(), SQLite::OPEN_READWRITE).exec(sql);
    }
    // Every row of the station tables, reals with all their digits.
    std::string Conteudo() const {
        SQLite::Database db(arquivo_.string());
        std::string texto;
        for (const char* tabela : {"EstacaoClima", "DadosClima", "EstacaoPrec", "DadosPrec"}) {
            SQLite::Statement q(db, std::string("select * from ") + tabela + " order by 1, 2");
            texto += std::string(tabela) + ":\n";
            while (q.executeStep()) {
                for (int c = 0; c < q.getColumnCount(); ++c) {
                    const SQLite::Column col = q.getColumn(c);
                    char numero[40];
                    std::snprintf(numero, sizeof numero, "%.17g", col.getDouble());
                    texto += (col.isFloat() ? std::string(numero) : col.getString()) + "|";
                }
                texto += "\n";
            }
        }
        return texto;
    }

  private:
    std::filesystem::path arquivo_;
};

// The identity panel's answers: the first station of a database, Yes or No to replacing.
class PainelInmet : public DecisoesImportacaoInmet {
  public:
    explicit PainelInmet(bool substituir) : substituir_(substituir) {}
    std::optional<std::string> Estacao(const std::vector<std::string>& codigos) override {
        if (codigos.empty()) return std::nullopt;
        return codigos.front();
    }
    bool Substituir(const std::string&) override { return substituir_; }

  private:
    bool substituir_;
};

const char* const kBdmep = "dados_83587_D_2005-01-01_2012-12-31.csv";

TEST(ImportacaoInmet, TheCommandLineAndThePanelGiveTheSameMessageAndDatabase) {
    struct Caso {
        const char* arquivo;
        const char* regiao;
        const char* codigo;
        bool ja_existe;  // the station is in both databases beforehand, with region 2
        bool substituir;
        const char* mensagem;  // the panel's; empty when the station is written
    };
    const Caso casos[] = {
        {kBdmep, "3", nullptr, false, false, ""},
        {kBdmep, "3", nullptr, true, true, ""},
        {kBdmep, "3", nullptr, true, false, "Não foi possível gravar os dados da estação"},
        {kBdmep, nullptr, nullptr, false, false, "Valor inválido para região"},
        {kBdmep, "3", "8358", false, false, "Código inválido para estação"},
        {"barra_1978_jan_fev.txt", "3", nullptr, false, false,
         "O arquivo selecionado não possui dados suficientes."},
        {"447002_Chuvas_excerto.csv", "3", nullptr, false, false,
         "Erro ao ler arquivo. Verifique se o formato do arquivo selecionado é válido."},
        {"DateTestDatabase.mdb", "3", nullptr, false, false,
         "Erro ao ler dados. Verifique se o formato do banco de dados selecionado é válido."},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(std::string(caso.arquivo) + " " + caso.mensagem);
        teste::PastaTemporaria pasta;
        const Banco do_painel(pasta, "painel.sqlite");
        const Banco da_linha(pasta, "cli.sqlite");
        OpcoesImportarInmet o;
        o.arquivo = teste::Dados(caso.arquivo);
        o.banco = da_linha.Arquivo();
        if (caso.ja_existe) {
            o.arquivo = teste::Dados(kBdmep);
            o.regiao = "2";
            std::ostringstream saida;
            ExecutarImportarInmet(o, saida);
            o.banco = do_painel.Arquivo();
            ExecutarImportarInmet(o, saida);
            o.arquivo = teste::Dados(caso.arquivo);
            o.banco = da_linha.Arquivo();
        }
        if (caso.regiao)
            o.regiao = caso.regiao;
        else
            o.regiao.reset();
        if (caso.codigo) o.codigo = caso.codigo;
        o.substituir = caso.substituir;

        std::string do_painel_mensagem;
        PainelInmet painel(caso.substituir);
        try {
            const LeituraInmet leitura = LerImportacaoInmet(o.arquivo, painel);
            TextoIdentidade texto = IdentidadeDoArquivo(leitura.Registro.Identidade);
            texto.Regiao = o.regiao.value_or("");
            if (o.codigo) texto.Codigo = *o.codigo;
            GravarImportacaoInmet(do_painel.Arquivo(), leitura, texto, painel);
        } catch (const ErroImportacao& e) {
            do_painel_mensagem = e.Mensagem();
        }
        std::string da_linha_mensagem;
        std::ostringstream saida;
        try {
            ExecutarImportarInmet(o, saida);
        } catch (const ErroVentaro& e) {
            da_linha_mensagem = e.what();
        }

        EXPECT_EQ(do_painel_mensagem, caso.mensagem);
        if (do_painel_mensagem.empty()) {
            EXPECT_EQ(da_linha_mensagem, "");
        } else {
            EXPECT_EQ(da_linha_mensagem.rfind(do_painel_mensagem, 0), 0u) << da_linha_mensagem;
        }
        EXPECT_EQ(do_painel.Conteudo(), da_linha.Conteudo());
    }
}

// The panel's answers to the ANA run: a region for every station, a fixed answer to replacing.
class PainelAna : public DecisoesImportacaoAna {
  public:
    RespostaSubstituir resposta = RespostaSubstituir::Nao;
    RespostaSubstituir Substituir(const std::string&) override { return resposta; }
    std::optional<int> Regiao(const EstacaoAna&) override { return 3; }
};

TEST(ImportacaoAna, TheCommandLineAndThePanelGiveTheSameLinesAndDatabase) {
    teste::PastaTemporaria pasta;
    const auto inventario = pasta.Escrever(
        "inv.csv",
        "Codigo;CodigoHidroWeb8;Nome;Municipio;Estado;UF;Latitude;Longitude;Altitude\n"
        "2447049;02447049;IGUAPE;IGUAPE;SAO PAULO;SP;-24.7167;-47.55;3\n");
    const Banco do_painel(pasta, "painel.sqlite");
    const Banco da_linha(pasta, "cli.sqlite");
    OpcoesImportarAna o;
    o.banco = da_linha.Arquivo();
    o.arquivos = {teste::Dados("CHUVAS_02447049.TXT")};
    o.inventario = inventario;
    o.regiao = "3";
    PainelAna painel;

    // New, kept (No on the panel, --manter on the command line), replaced, and a write that
    // fails in both databases.
    struct Passo {
        RespostaSubstituir resposta;
        bool substituir, manter, falhar;
    };
    const Passo passos[] = {{RespostaSubstituir::Nao, false, false, false},
                            {RespostaSubstituir::Nao, false, true, false},
                            {RespostaSubstituir::Sim, true, false, false},
                            {RespostaSubstituir::Sim, true, false, true}};
    for (const Passo& passo : passos) {
        if (passo.falhar) {
            for (const Banco* b : {&do_painel, &da_linha}) {
                b->Executar(
                    "create trigger falha before insert on DadosPrec when new.Mes = 6 "
                    "begin select raise(abort, 'falha'); end");
            }
        }
        painel.resposta = passo.resposta;
        BancoDados banco(do_painel.Arquivo(), BancoDados::Modo::Escrita);
        ImportacaoAna run(banco, painel);
        FonteAna fonte(o.arquivos[0]);
        fonte.UsarInventario(LerInventarioAna(inventario));
        run.ImportarEstacoes(fonte, fonte.EstacoesHidroweb());

        o.substituir = passo.substituir;
        o.manter = passo.manter;
        std::ostringstream saida;
        std::istringstream entrada;
        if (passo.falhar) {
            // Nothing written: the command fails, naming the station and the cause.
            try {
                ExecutarImportarAna(o, saida, entrada);
                ADD_FAILURE() << "the failed write was reported as a success";
            } catch (const ErroVentaro& e) {
                EXPECT_NE(std::string(e.what()).find("Estação 02447049: "), std::string::npos)
                    << e.what();
            }
        } else {
            ExecutarImportarAna(o, saida, entrada);
        }
        // The command line adds a report line per station written ("Estação ...").
        std::vector<std::string> linhas;
        std::istringstream impressas(saida.str());
        for (std::string linha; std::getline(impressas, linha);) {
            if (linha.rfind("Estação ", 0) != 0) {
                // A failure's cause names the database, which differs.
                const auto p = linha.find("cli.sqlite");
                if (p != std::string::npos) linha.replace(p, 10, "painel.sqlite");
                linhas.push_back(linha);
            }
        }
        EXPECT_EQ(linhas, run.MensagensFinais());
        EXPECT_EQ(do_painel.Conteudo(), da_linha.Conteudo());
    }
}

}  // namespace
}  // namespace ventaro
