#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/configuracao_serie.h"
#include "core/tclima.h"
#include "core/tdados.h"
#include "output/arquivo_temporario.h"

namespace ventaro {

// The files a series can be saved as: the fixed-column series file, CSV, the WEPP continuous
// climate file with daily storm parameters or with breakpoints, and a folder of SWAT+ weather
// files.
enum class FormatoSaida { Serie, Csv, Wepp, WeppBreakpoint, Swat };

struct InfoFormato {
    FormatoSaida Formato;
    const char* Nome;       // as the command line names it
    const char* Descricao;  // as the save dialog shows it
    const char* Extensao;   // of the file, without the point; empty for a folder
};

// Every format, in the order they are offered.
const std::vector<InfoFormato>& FormatosSaida();
const InfoFormato& Info(FormatoSaida formato);
std::optional<FormatoSaida> LerFormatoSaida(std::string_view nome);
// "serie, csv, wepp, wepp-breakpoint ou swat".
std::string NomesFormatosSaida();

// Fails with an ErroVentaro the user can act on when the run's settings cannot give the format:
// the WEPP files need at least one year, the storms, both temperatures and the radiation. The
// series file's own limit on years is VerificarPeriodoArquivoSerie's.
void VerificarFormatoSaida(FormatoSaida formato, const ConfiguracaoSerie& config);

// The files written for `destino`: the file itself, or the ten files of a SWAT+ folder (named
// after the stations' codes).
std::vector<std::filesystem::path> ArquivosDaSaida(FormatoSaida formato,
                                                   const std::filesystem::path& destino,
                                                   int32_t cod_estacao, int32_t cod_estacao_clima);

// Where member `indice` (1-based) of an ensemble of `total` series goes: the name with _rNN
// before its extension (serie_r01.txt; a folder: swat_r01), with as many digits as `total` needs
// and at least two. A single series keeps its name.
std::filesystem::path CaminhoRealizacao(const std::filesystem::path& destino, uint32_t indice,
                                        uint32_t total);

// Files written completely under temporary names, closed, waiting to be moved into place
// together. Dropped unconfirmed (a failure, an interruption), they leave nothing behind, not
// even the folder they created.
class SaidaPendente {
  public:
    SaidaPendente() = default;
    SaidaPendente(SaidaPendente&& outra) noexcept;
    SaidaPendente& operator=(SaidaPendente&& outra) noexcept;
    ~SaidaPendente();

    // Moves every file into place. When one cannot be, those already moved are removed again
    // and the ErroVentaro is passed on.
    void Confirmar();
    // The files it writes, in the order they are moved into place.
    const std::vector<std::filesystem::path>& Destinos() const { return destinos_; }

  private:
    // Removes the temporaries and the folder created for them.
    void Descartar() noexcept;

    friend SaidaPendente PrepararSaida(FormatoSaida, const std::filesystem::path&, const TDados&,
                                       const TClima&, const ConfiguracaoSerie&, char);
    std::filesystem::path pasta_criada_;
    std::vector<std::unique_ptr<ArquivoTemporario>> arquivos_;
    std::vector<std::filesystem::path> destinos_;
};

// Writes the series in `formato` to temporary files beside `destino` (a SWAT+ folder is created
// when missing; an existing file of that name is refused). `separador` is the decimal separator
// of the series file; the other formats always use ".". Checks VerificarFormatoSaida first.
SaidaPendente PrepararSaida(FormatoSaida formato, const std::filesystem::path& destino,
                            const TDados& dados, const TClima& clima,
                            const ConfiguracaoSerie& config, char separador);

// PrepararSaida and Confirmar at once.
void GravarSaida(FormatoSaida formato, const std::filesystem::path& destino, const TDados& dados,
                 const TClima& clima, const ConfiguracaoSerie& config, char separador);

}  // namespace ventaro
