// Batches on the sample station database: lists, the files of a batch, threads, parts and their
// merge, skipped stations and cancellation.

#include "erosivity/calcular_erosividade.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "core/erro.h"
#include "erosivity/estacoes_lote.h"
#include "erosivity/gravar_erosividade.h"
#include "erosivity/juntar_partes.h"
#include "erosivity/pastas_erosividade.h"
#include "erosivity/registro_lote.h"
#include "erosivity/texporta_excel.h"
#include "output/formato_padrao.h"
#include "stations/banco_dados.h"

namespace ventaro {
namespace {

namespace fs = std::filesystem;
using teste::LinhasCrLf;

// The sample's São Paulo stations, ordered by code.
const std::vector<std::string> kSaoPaulo = {"2345024", "2345106", "2447049"};
constexpr int32_t kEstadoSaoPaulo = 25;

class LoteTeste : public ::testing::Test {
  protected:
    ParametrosLote Parametros(std::vector<std::string> estacoes, uint32_t anos,
                              const fs::path& pasta, unsigned tarefas = 1) const {
        ParametrosLote p;
        p.Banco = banco_;
        p.Estacoes = std::move(estacoes);
        p.NumAnos = anos;
        p.APartir = 1990;
        p.Pasta = pasta;
        p.Tarefas = tarefas;
        return p;
    }
    ResultadoLote Rodar(const ParametrosLote& p, ProgressoLote* progresso = nullptr,
                        const SinalCancelamento* cancelamento = nullptr) {
        TExportaExcel planilha;
        return CalcularErosividade(p, planilha, progresso, cancelamento);
    }

    teste::PastaTemporaria pasta_;
    fs::path banco_ = teste::CopiarBancoAmostra(pasta_);
};

TEST_F(LoteTeste, StatesAndListFiles) {
    BancoDados banco(banco_);
    const auto estados = ListarEstados(banco);
    ASSERT_EQ(estados.size(), 27u);
    EXPECT_EQ(estados.front(), (Estado{1, "Acre"}));
    EXPECT_EQ(estados[1].Nome, "Alagoas");
    EXPECT_EQ(ContarEstacoesEstado(banco, kEstadoSaoPaulo), 3);
    EXPECT_EQ(ContarEstacoesEstado(banco, 1), 0);
    EXPECT_EQ(EstacoesDoEstado(banco, kEstadoSaoPaulo), kSaoPaulo);

    std::ofstream(pasta_ / "lista.txt", std::ios::binary)
        << "\xEF\xBB\xBF 2447049 \r\n\r\n\t\r\n2345024\r\n02447049\n  abc\n2345024";
    EXPECT_EQ(LerListaEstacoes(pasta_ / "lista.txt"),
              (std::vector<std::string>{"2447049", "2345024", "abc"}));
    EXPECT_THROW(LerListaEstacoes(pasta_ / "falta.txt"), ErroVentaro);
}

// The worked example: two years of one station append two lines to every month file and to
// the annual file and one to every mean file, January's mean being the mean of its two totals;
// the workbook has the thirteen sheets, the headings and the station's row.
TEST_F(LoteTeste, TwoYearsOfOneStation) {
    const fs::path saida = pasta_ / "saida";
    const ResultadoLote r = Rodar(Parametros({"2045012"}, 2, saida));
    EXPECT_EQ(r.Total, 1);
    EXPECT_EQ(r.Calculadas, 1);
    EXPECT_TRUE(r.Ignoradas.empty());
    EXPECT_FALSE(r.Cancelado);

    const fs::path teste2 = saida / "teste2";
    const auto janeiro = LinhasCrLf(teste2 / "Janeiro.txt");
    ASSERT_EQ(janeiro.size(), 5u);
    EXPECT_EQ(janeiro[0], "Mes de Janeiro");
    EXPECT_EQ(janeiro[3].substr(0, 20), "02045012     01/1990");
    EXPECT_EQ(janeiro[4].substr(0, 20), "02045012     01/1991");
    EXPECT_EQ(LinhasCrLf(teste2 / "Dezembro.txt")[4].substr(13, 7), "12/1991");
    const auto anual = LinhasCrLf(teste2 / "Anual.txt");
    ASSERT_EQ(anual.size(), 5u);
    EXPECT_EQ(anual[4].substr(0, 17), "02045012     1991");
    for (int j = 1; j <= kNumPeriodos; ++j) {
        EXPECT_EQ(LinhasCrLf(ArquivoErosividade(teste2, j, true)).size(), 4u) << j;
    }
    // January's mean against its two totals (the texts carry two decimals).
    const auto Valor = [](const std::string& linha, std::size_t coluna) {
        std::string campo = linha.substr(coluna - 1, 8);
        campo[5] = '.';
        return std::strtod(campo.c_str(), nullptr);
    };
    const auto media = LinhasCrLf(teste2 / "media" / "mediaJaneiro.txt")[3];
    for (const auto& [col_mes, col_media] : {std::pair{62u, 50u}, {73u, 61u}, {84u, 72u}}) {
        EXPECT_NEAR(Valor(media, col_media),
                    (Valor(janeiro[3], col_mes) + Valor(janeiro[4], col_mes)) / 2, 0.0051);
    }
    EXPECT_GT(Valor(media, 72), 0);  // a wet-season month of a real station has erosive storms

    const auto folhas = teste::LerXlsx(teste2 / "erosividade.xlsx");
    ASSERT_EQ(folhas.size(), 13u);
    for (int j = 1; j <= kNumPeriodos; ++j) {
        const auto& f = folhas[static_cast<std::size_t>(j - 1)];
        EXPECT_EQ(f.nome, NomePeriodo(j));
        const char* cabecalho[] = {"Estacao", "Latitude", "Longitude", "Altitude",
                                   "KE25f",   "KE25wm",   "EI30f",     "EI30wm"};
        for (int c = 1; c <= 8; ++c) {
            EXPECT_TRUE(f.celulas.at({1, c}).texto);
            EXPECT_EQ(f.celulas.at({1, c}).valor, cabecalho[c - 1]);
        }
        EXPECT_TRUE(f.celulas.at({2, 1}).texto);
        EXPECT_EQ(f.celulas.at({2, 1}).valor, "02045012");
        for (int c = 2; c <= 8; ++c) EXPECT_FALSE(f.celulas.at({2, c}).texto) << c;
        EXPECT_EQ(f.celulas.size(), 16u);
    }
    // Truncated means against the exact means of the batch record.
    const RegistroLote registro = LerRegistroLote(ArquivoRegistroLote(teste2));
    ASSERT_EQ(registro.Estacoes.size(), 1u);
    EXPECT_TRUE(registro.Concluido);
    const ErosividadeEstacao& e = registro.Estacoes[0].Erosividade;
    EXPECT_EQ(folhas[0].celulas.at({2, 2}).Numero(), e.Latitude);
    for (int q = 0; q < 4; ++q) {
        const auto& celula = folhas[0].celulas.at({2, 5 + q});
        EXPECT_EQ(celula.Numero(), std::trunc(e.Medias[0][static_cast<std::size_t>(q)]));
        EXPECT_EQ(celula.formato, 1);
    }
    EXPECT_EQ(media.substr(49, 8), FormatarPadrao(e.Medias[0][0], "00000.00", ','));

    // A second batch into the same folder appends its lines under the same headers.
    Rodar(Parametros({"2045012"}, 2, saida));
    const auto de_novo = LinhasCrLf(teste2 / "Janeiro.txt");
    ASSERT_EQ(de_novo.size(), 7u);
    EXPECT_EQ(de_novo[5], janeiro[3]);
    EXPECT_EQ(LinhasCrLf(teste2 / "media" / "mediaAnual.txt").size(), 5u);
}

// Threads and parts change nothing in the files: a batch on three threads, and one split into
// four parts (one of them empty) merged afterwards, equal the sequential batch. The list names a
// station that is not in the database: it is skipped and named, and the others run on their
// own parameters.
TEST_F(LoteTeste, ThreadsAndMergedPartsGiveTheFilesOfTheSequentialBatch) {
    const std::vector<std::string> lista = {"2447049", "9999999", "2345024", "2345106"};
    const fs::path sequencial = pasta_ / "sequencial";
    const ResultadoLote r = Rodar(Parametros(lista, 2, sequencial));
    EXPECT_EQ(r.Total, 4);
    EXPECT_EQ(r.Calculadas, 3);
    ASSERT_EQ(r.Ignoradas.size(), 1u);
    EXPECT_EQ(r.Ignoradas[0].Codigo, "9999999");
    EXPECT_NE(r.Ignoradas[0].Motivo.find("9999999"), std::string::npos);
    const auto janeiro = LinhasCrLf(sequencial / "teste2" / "Janeiro.txt");
    ASSERT_EQ(janeiro.size(), 3u + 6u);
    EXPECT_TRUE(janeiro[3].starts_with("02447049"));
    EXPECT_TRUE(janeiro[5].starts_with("02345024"));
    EXPECT_NE(janeiro[3].substr(25), janeiro[5].substr(25));

    const fs::path paralelo = pasta_ / "paralelo";
    Rodar(Parametros(lista, 2, paralelo, 3));
    EXPECT_TRUE(teste::MesmosArquivos(sequencial, paralelo));

    // Five parts of four stations: parts 1 to 4 have one station each, part 5 none.
    std::vector<fs::path> partes;
    for (int k = 1; k <= 5; ++k) {
        ParametrosLote p = Parametros(lista, 2, pasta_ / ("parte" + std::to_string(k)), 2);
        p.Parte = {k, 5};
        const ResultadoLote rp = Rodar(p);
        EXPECT_EQ(rp.Total, k <= 4 ? 1 : 0) << k;
        partes.push_back(p.Pasta);
    }
    std::swap(partes[0], partes[3]);  // the order of the folders does not matter
    const fs::path junto = pasta_ / "junto";
    TExportaExcel planilha;
    const ResultadoJuntar rj = JuntarPartes(junto, partes, planilha);
    EXPECT_EQ(rj.Calculadas, 3);
    EXPECT_EQ(rj.Ignoradas, r.Ignoradas);
    EXPECT_TRUE(teste::MesmosArquivos(sequencial, junto));

    // Merges that cannot reproduce the whole batch write nothing.
    const fs::path recusado = pasta_ / "recusado";
    const auto Recusa = [&](std::vector<fs::path> pastas, const std::string& trecho) {
        try {
            JuntarPartes(recusado, pastas, planilha);
            ADD_FAILURE() << "aceitou: " << trecho;
        } catch (const ErroVentaro& e) {
            EXPECT_NE(std::string(e.what()).find(trecho), std::string::npos) << e.what();
        }
        EXPECT_FALSE(fs::exists(recusado));
    };
    Recusa({partes[0], partes[1]}, "Faltam partes do lote de 5 partes: 1, 3, 5");
    Recusa({partes[0], partes[0]}, "mesma parte");
    Recusa({partes[0], sequencial}, "não são partes do mesmo lote");
    Recusa({pasta_ / "nenhuma"}, "lote-erosividade.tsv");
    // A part folder that received another batch as well.
    Rodar(Parametros(lista, 2, partes[2], 1));
    ParametrosLote p = Parametros(lista, 2, partes[2], 1);
    p.Parte = {3, 5};
    Rodar(p);
    Recusa(partes, "não tem exatamente as linhas da parte");
}

// A batch cancelled while its first station is written stops before the first station it had
// not finished: on one thread that is the second; on two, the second may have finished already
// and is written too. What is written is whole in every file and in the workbook, and the
// record has no closing line, so no merge accepts it.
TEST_F(LoteTeste, CancelKeepsTheStationsDone) {
    struct Cancelar : ProgressoLote {
        SinalCancelamento sinal;
        std::vector<std::string> vistas;
        void EstacaoCalculada(int feitas, int total, std::string_view codigo) override {
            vistas.push_back(std::to_string(feitas) + "/" + std::to_string(total) + " " +
                             std::string(codigo));
            sinal.Cancelar();
        }
        void EstacaoIgnorada(int, int, std::string_view, std::string_view) override {}
    };
    for (unsigned tarefas : {1u, 2u}) {
        const fs::path saida = pasta_ / ("cancelado" + std::to_string(tarefas));
        Cancelar c;
        const ResultadoLote r = Rodar(Parametros(kSaoPaulo, 2, saida, tarefas), &c, &c.sinal);
        EXPECT_TRUE(r.Cancelado);
        if (tarefas == 1) {
            EXPECT_EQ(r.Calculadas, 1);
        }
        ASSERT_GE(r.Calculadas, 1);
        ASSERT_LE(r.Calculadas, 2);
        const auto n = static_cast<std::size_t>(r.Calculadas);
        ASSERT_EQ(c.vistas.size(), n);
        EXPECT_EQ(c.vistas[0], "1/3 2345024");
        EXPECT_EQ(LinhasCrLf(saida / "teste2" / "Anual.txt").size(), 3 + 2 * n);
        EXPECT_EQ(LinhasCrLf(saida / "teste2" / "media" / "mediaMaio.txt").size(), 3 + n);
        const auto folhas = teste::LerXlsx(saida / "teste2" / "erosividade.xlsx");
        ASSERT_EQ(folhas.size(), 13u);
        EXPECT_EQ(folhas[12].celulas.size(), 8 * (1 + n));
        const RegistroLote registro = LerRegistroLote(ArquivoRegistroLote(saida / "teste2"));
        EXPECT_EQ(registro.Estacoes.size(), n);
        EXPECT_FALSE(registro.Concluido);
    }
}

TEST_F(LoteTeste, SettingsThatCannotWorkAreRefusedBeforeAnythingIsWritten) {
    const fs::path saida = pasta_ / "recusado";
    ParametrosLote sem_anos = Parametros(kSaoPaulo, 0, saida);
    ParametrosLote parte = Parametros(kSaoPaulo, 1, saida);
    parte.Parte = {3, 2};
    ParametrosLote sem_banco = Parametros(kSaoPaulo, 1, saida);
    sem_banco.Banco = pasta_ / "falta.sqlite";
    for (const ParametrosLote& p : {sem_anos, parte, sem_banco}) {
        EXPECT_THROW(Rodar(p), ErroVentaro);
    }
    EXPECT_FALSE(fs::exists(saida));

    EXPECT_EQ(LerParteLote("3/10"), (ParteLote{3, 10}));
    for (const char* texto : {"0/2", "3/2", "1", "1/", "/2", "a/b", "1/2x", "-1/2"}) {
        EXPECT_FALSE(LerParteLote(texto)) << texto;
    }
}

}  // namespace
}  // namespace ventaro
