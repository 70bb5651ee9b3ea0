#pragma once

#include <filesystem>

#include "views/resultados.h"

namespace ventaro {

// Writes the report of a run into `pasta` (made if missing): relatorio.html, one page that
// carries every picture inside it, with the stations and settings of the run, the monthly
// statistics charts with their grids, the regression charts with their equations, r² and
// standard errors, a summary of the 36 regressions and the daily charts; mensal.csv and
// regressao.csv (TextoMensalCsv, TextoRegressaoCsv); and every chart as a PNG file under
// graficos/. Grids and labels use `separador` as the decimal point. Needs a QApplication (the
// charts are drawn without being shown). Throws ErroVentaro naming a file that could not be
// written.
void EscreverRelatorio(const std::filesystem::path& pasta, const Resultados& resultados,
                       char separador);

}  // namespace ventaro
