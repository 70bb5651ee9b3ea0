#pragma once

#include <string>
#include <vector>

#include "views/abas.h"
#include "views/formato.h"
#include "views/grade_mensal.h"
#include "views/pares_mensais.h"

namespace ventaro {

// One of the 42 inner tabs of the monthly statistics view.
struct AbaMensal {
    int Externa = 0;      // index of its outer tab
    std::string Nome;     // component name, "tsValoresMensaisMedia"
    std::string Legenda;  // tab caption
    std::string Titulo;   // chart title
    std::string EixoY;    // left axis title
    FormatoEixo Eixo;     // left axis labels
    DefinicaoPar Par;
};

// The six outer tabs and the 42 inner tabs in tab order (precipitation, maximum and minimum
// temperature, radiation, wind, humidity).
const std::vector<AbaExterna>& AbasExternasMensais();
const std::vector<AbaMensal>& AbasMensais();

// A tab filled: its pairs (X all 0 for a storm tab, which has no observed value) and the grid.
struct AbaMensalCalculada {
    ParesMensais Pares;
    bool SoGerado = false;
    GradeMensal Grade;
};
AbaMensalCalculada CalcularAbaMensal(const AbaMensal& aba, const Resultados& resultados,
                                     char separador);

}  // namespace ventaro
