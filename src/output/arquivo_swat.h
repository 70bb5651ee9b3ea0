#pragma once

#include <string>
#include <vector>

#include "core/configuracao_serie.h"
#include "core/tclima.h"
#include "core/tdados.h"
#include "output/texto_em_blocos.h"

namespace ventaro {

// The SWAT+ weather files of a series, each named after its station: the precipitation of the
// rainfall station (p + 8-digit code + .pcp) and the temperatures, radiation, humidity and wind
// of the climatological station (c + 5-digit code + .tmp, .slr, .hmd, .wnd; the rainfall
// station's code when there is none), followed by the five lists pcp.cli, tmp.cli, slr.cli,
// hmd.cli and wnd.cli that name them.
enum class ArquivoSwat {
    Pcp,
    Tmp,
    Slr,
    Hmd,
    Wnd,
    ListaPcp,
    ListaTmp,
    ListaSlr,
    ListaHmd,
    ListaWnd
};
inline constexpr int kNumArquivosSwat = 10;

std::string NomeArquivoSwat(ArquivoSwat arquivo, int32_t cod_estacao, int32_t cod_estacao_clima);

// One file of the set, plain ASCII with LF line ends. Weather files: a description (variable,
// station, run), the header names, then the number of years, the time step 0 (daily), latitude,
// longitude and elevation of the station, then one line per day: year, day of the year (1-366)
// and the value (two in .tmp: maximum then minimum). Units: mm, °C, MJ/m²/day, fraction, m/s. A
// variable the run did not simulate is -99 on every day; only the arrays of the variables the
// run simulated are read. Lists: a description, "filename", then the name of their file.
void EscreverSwat(ArquivoSwat arquivo, const TDados& dados, const TClima& clima,
                  const ConfiguracaoSerie& config, TextoEmBlocos& saida);

}  // namespace ventaro
