#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/sinal_cancelamento.h"
#include "erosivity/exportador_planilha.h"

namespace ventaro {

// A share of a batch for one of several machines: the positions Parte, Parte + NumPartes,
// Parte + 2 NumPartes, ... of the batch, counted from 1.
struct ParteLote {
    int Parte = 1;
    int NumPartes = 1;
    bool operator==(const ParteLote&) const = default;
};
// "K/N" with 1 <= K <= N; nothing otherwise.
std::optional<ParteLote> LerParteLote(std::string_view texto);

// An erosivity batch: which stations, how long a series, where the files go and how many
// threads may compute.
struct ParametrosLote {
    std::filesystem::path Banco;
    // The whole batch, in order: the codes of a state's stations or of a list file.
    std::vector<std::string> Estacoes;
    ParteLote Parte;
    uint32_t NumAnos = 1;
    uint32_t APartir = 1;
    bool Correcao = true;
    // The files go to Pasta / "teste2".
    std::filesystem::path Pasta;
    // Threads that compute stations; 1 computes one station after another on the calling
    // thread, and each run then stays on that thread.
    unsigned Tarefas = 1;
};

// Receiver of a batch's progress, called on the thread that runs the batch, in batch order, as
// each station's results are written (or its skip recorded).
class ProgressoLote {
  public:
    virtual ~ProgressoLote() = default;
    // `feitas` stations of `total` are done; the last one, `codigo`, was written.
    virtual void EstacaoCalculada(int feitas, int total, std::string_view codigo) = 0;
    // ... the last one could not be loaded or simulated and was skipped.
    virtual void EstacaoIgnorada(int feitas, int total, std::string_view codigo,
                                 std::string_view motivo) = 0;
};

struct EstacaoIgnorada {
    std::string Codigo;
    std::string Motivo;
    bool operator==(const EstacaoIgnorada&) const = default;
};

struct ResultadoLote {
    int Total = 0;  // stations of the batch (of the part)
    int Calculadas = 0;
    std::vector<EstacaoIgnorada> Ignoradas;
    bool Cancelado = false;
};

// The folder of a batch's files under the chosen folder.
std::filesystem::path PastaTeste2(const std::filesystem::path& pasta);

// Runs an erosivity batch. Every station is loaded from the database, simulated in erosivity
// mode for NumAnos years from APartir (a run of its own, reseeded with 5) and summed; its lines
// are appended to the text files, its row written to the workbook and its record to the batch
// record, strictly in batch order, so the files do not depend on the number of threads. A
// station that cannot be loaded or simulated is skipped and reported. The workbook
// ("teste2/erosividade.xlsx") is saved as stations are written (at most once a second) and
// always at the end, also when the batch is cancelled or fails; a cancelled batch stops before
// the first station it did not finish and writes nothing of it or of the stations after it.
// Settings that cannot work (no years, no threads, a part beyond the number of parts) and
// database or file failures throw ErroVentaro; nothing is written before the settings and the
// database were checked.
ResultadoLote CalcularErosividade(const ParametrosLote& parametros, ExportadorPlanilha& planilha,
                                  ProgressoLote* progresso = nullptr,
                                  const SinalCancelamento* cancelamento = nullptr);

}  // namespace ventaro
