#pragma once

#include <string>

#include "core/tdados.h"

namespace ventaro {

// The monthly statistics of a generated series beside the observed parameters, as CSV: the
// header "campo,mes,observado,gerado", then for every field CalcularEstatisticasSerie fills and
// every month 1-12 one line, with "." decimals and "\n" line ends.
std::string TextoEstatisticas(const TDados& observado, const TDados& gerado);

}  // namespace ventaro
