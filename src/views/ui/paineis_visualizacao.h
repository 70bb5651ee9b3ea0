#pragma once

#include "views/resultados.h"

namespace ventaro {

class JanelaPaineis;

// Adds the result panels to the window and enables their menu items: "Valores diários",
// "Valores mensais", "Regressão linear", "Perfil de precipitação" (the storm table, over which
// the profile of a picked day opens) and "Série sintética". Every fill reads the results through
// `fonte`, which must give the window's current series, stations, statistics and run settings.
void RegistrarPaineisVisualizacao(JanelaPaineis& janela, const FonteResultados& fonte);

}  // namespace ventaro
