#pragma once

#include <string>
#include <vector>

#include "core/configuracao_serie.h"
#include "core/tclima.h"
#include "views/abas.h"
#include "views/formato.h"

namespace ventaro {

// Which days of the series a daily chart shows; the other days are plotted as 0.
enum class FiltroDias {
    Todos,
    Secos,        // depth exactly 0
    Chuvosos,     // depth above 0
    PrecNaoNula,  // depth not 0 (the peak intensity chart)
};

// One of the 19 daily charts.
struct GraficoDiario {
    int Externa = 0;
    std::string Nome;     // component name of its tab, "tsValoresDiariosPrecipitacao"
    std::string Legenda;  // tab caption
    std::string Titulo;   // chart title
    std::string EixoY;    // left axis title
    FormatoEixo Eixo;     // left axis labels
    std::vector<double> TClima::*Variavel = nullptr;
    bool Umidade = false;  // stored as a fraction, shown in per cent
    FiltroDias Filtro = FiltroDias::Todos;
    bool VariaveisSimuladas::*Chave = nullptr;
    bool SerieObservada = false;  // carries the (always empty) "Série observada" series
};

const std::vector<AbaExterna>& AbasExternasDiarias();
const std::vector<GraficoDiario>& GraficosDiarios();

// The chart's N bar heights, day 1 first: the day's value (humidity times 100) on the days of
// the chart's filter, 0 on the others, and 0 on every day when the variable was not simulated.
// `valores` is resized to N; its storage is reused.
void ValoresDiarios(const GraficoDiario& grafico, const TClima& clima,
                    const VariaveisSimuladas& variaveis, std::vector<double>& valores);

}  // namespace ventaro
