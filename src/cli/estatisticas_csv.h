#pragma once

#include <string>
#include <string_view>

#include "core/tdados.h"

namespace ventaro {

// The monthly statistics of a generated series beside the observed parameters, as CSV: the
// header "campo,mes,observado,gerado", then for every field CalcularEstatisticasSerie fills and
// every month 1-12 one line, with "." decimals and "\n" line ends. With `interanual`, then the
// year-to-year variability of the totals (both containers hold them): XTotal and STotal, the
// mean and deviation of each month's totals, for months 1-12, and the lines XTotalAnual,
// STotalAnual and CVTotalAnual of the annual totals, whose month is empty. The statistics of a
// series generated under a climate-change scenario (`cenario`, not empty) are preceded by a
// comment line naming it.
std::string TextoEstatisticas(const TDados& observado, const TDados& gerado,
                              bool interanual = false, std::string_view cenario = {});

}  // namespace ventaro
