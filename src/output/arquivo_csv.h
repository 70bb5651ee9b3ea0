#pragma once

#include "core/configuracao_serie.h"
#include "core/tclima.h"
#include "core/tdados.h"
#include "output/texto_em_blocos.h"

namespace ventaro {

// The series as CSV for spreadsheets and scripts, UTF-8 with LF line ends: lines starting with
// '#' that describe the run (stations, years, seed, scenario), a header, then one line per day:
// the ISO date (yyyy-mm-dd) and one column per variable the run simulated, with its unit in its
// name, "." decimals and humidity as a fraction:
//   data, prec_mm (always), dur_h, ti_fracao and ii_mm_h (storms), tmax_C, tmin_C,
//   rad_MJ_m2_dia, vvento_m_s, umid_fracao.
// Only the arrays of the variables the run simulated are read.
void EscreverCsv(const TDados& dados, const TClima& clima, const ConfiguracaoSerie& config,
                 TextoEmBlocos& saida);

}  // namespace ventaro
