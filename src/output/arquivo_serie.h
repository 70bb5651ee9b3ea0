#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "core/tclima.h"
#include "core/tdados.h"
#include "output/arquivo_temporario.h"

namespace ventaro {

// The series file writes the year of every date with four digits, so a series must end by 9999.
inline constexpr int64_t kUltimoAnoArquivoSerie = 9999;

// Fails with an ErroVentaro the user can act on when a series of `num_anos` years from
// `a_partir` would end after kUltimoAnoArquivoSerie; front ends call it before the run.
void VerificarPeriodoArquivoSerie(uint32_t a_partir, uint32_t num_anos);

// The series text file: 11 header lines (stations, coordinates, length, column headings) and
// one fixed-column line per day, CR LF line ends, Windows-1252 text. `separador` is the decimal
// separator of every number, header included. A series generated under a climate-change
// scenario names it (`cenario`, not empty) after its length on the ninth line; the other lines
// stay as they are. A series that ends after 9999 is refused as by VerificarPeriodoArquivoSerie.
std::string TextoSerie(const TDados& dados, const TClima& clima, uint32_t num_anos, char separador,
                       std::string_view cenario = {});

// How GravarSerie formats the day lines: on this thread alone, or also on a second thread when
// the machine has one (the default). The file is the same byte for byte.
enum class GravacaoSerie { Paralela, UmaThread };

// Writes TextoSerie to `arquivo`, block by block as the lines are formatted, so that the text is
// never held whole. A file that cannot be created or written fails with an ErroVentaro naming
// the path and the reason; on failure no partial file is left behind.
void GravarSerie(const std::filesystem::path& arquivo, const TDados& dados, const TClima& clima,
                 uint32_t num_anos, char separador, std::string_view cenario = {},
                 GravacaoSerie gravacao = GravacaoSerie::Paralela);

// The same text written into `saida`, which the caller confirms (or drops) afterwards, for
// instance once it knows the run was not interrupted meanwhile.
void EscreverSerie(ArquivoTemporario& saida, const TDados& dados, const TClima& clima,
                   uint32_t num_anos, char separador, std::string_view cenario = {},
                   GravacaoSerie gravacao = GravacaoSerie::Paralela);

}  // namespace ventaro
