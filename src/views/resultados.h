#pragma once

#include <functional>

#include "core/configuracao_serie.h"
#include "core/tclima.h"
#include "core/tdados.h"

namespace ventaro {

// What the result views read, handed to them by whoever ran the calculation: the series of the
// last completed run, the selected stations as they were loaded, the monthly statistics of that
// series and the settings of the run that made it. The views change none of them.
struct Resultados {
    const TClima& Clima;
    const TDados& Dados;
    const TDados& Estatisticas;
    const ConfiguracaoSerie& Configuracao;
};

// Where a result panel reads the current results each time it fills.
using FonteResultados = std::function<Resultados()>;

}  // namespace ventaro
