#pragma once

#include <string>

#include "views/resultados.h"

namespace ventaro {

// The 42 monthly comparisons as CSV: "painel,aba,mes,observado,gerado", painel the outer tab's
// caption and aba the inner tab's without its leading blanks; numbers with "." in their shortest
// exact form; observado empty for the storm statistics, which have no observed value; 0 for the
// variables the run did not simulate, as the views show them.
std::string TextoMensalCsv(const Resultados& resultados);

// The 36 regressions as CSV: "painel,aba,inclinacao,r2,erro_padrao".
std::string TextoRegressaoCsv(const Resultados& resultados);

// A number in its shortest form that reads back to the same double, with ".".
std::string NumeroExato(double v);

// A caption without its leading blanks ("    ti*" is "ti*").
std::string SemBrancosIniciais(const std::string& texto);

}  // namespace ventaro
