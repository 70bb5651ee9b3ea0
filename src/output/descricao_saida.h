#pragma once

#include <string>

#include "core/configuracao_serie.h"
#include "core/tdados.h"

namespace ventaro {

// Station codes as they are shown: the rainfall station's with 8 digits, the climatological
// station's with 5.
std::string CodigoPrecTexto(int32_t codigo);
std::string CodigoClimaTexto(int32_t codigo);

// The run a file comes from, on one line of UTF-8 text: the stations, the years, the seed and
// the scenario (or "clima atual, sem cenário"). Control characters of the names become '?'.
std::string DescricaoSerie(const TDados& dados, const ConfiguracaoSerie& config);

}  // namespace ventaro
