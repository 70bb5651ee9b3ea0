#pragma once

#include <string>

#include "core/configuracao_serie.h"
#include "core/tdados.h"

namespace ventaro {

// The selected stations and the run in one line, for the status bar: code and name of each
// station, then the years and the start year ("02045012 CANDEIAS · 83587 BELO HORIZONTE · 100
// anos a partir de 1990"); "Nenhuma estação selecionada" stands for the stations before any.
std::string ResumoExecucao(const TDados& dados, const ConfiguracaoSerie& config);

// The file name offered for a series: its stations' codes, years and start year
// ("serie_02045012_83587_100anos_1990.txt"). Codes only, so that the name is valid on any
// file system whatever the stations are called.
std::string NomeSugeridoSerie(const TDados& dados, const ConfiguracaoSerie& config);

}  // namespace ventaro
