#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "core/tclima.h"
#include "core/tdados.h"

namespace ventaro {

// The series text file: 11 header lines (stations, coordinates, length, column headings) and
// one fixed-column line per day, CR LF line ends, Windows-1252 text. `separador` is the decimal
// separator of every number, header included.
std::string TextoSerie(const TDados& dados, const TClima& clima, uint32_t num_anos, char separador);

// Writes TextoSerie to `arquivo`. A file that cannot be created or written fails with an
// ErroVentaro naming the path and the reason; on failure no partial file is left behind.
void GravarSerie(const std::filesystem::path& arquivo, const TDados& dados, const TClima& clima,
                 uint32_t num_anos, char separador);

}  // namespace ventaro
