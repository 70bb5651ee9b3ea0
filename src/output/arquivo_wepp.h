#pragma once

#include "core/configuracao_serie.h"
#include "core/tclima.h"
#include "core/tdados.h"
#include "output/texto_em_blocos.h"

namespace ventaro {

// Radiation in langley per day of one MJ/m² per day.
inline constexpr double kLangleyPorMJm2 = 23.8846;

// Dew point (°C) from the day's mean air temperature (°C) and relative humidity (fraction), by
// the Magnus form with the constants 17.62 and 243.12 °C. Humidity is taken as at least 0.01,
// where the logarithm would run away.
double PontoOrvalho(double temperatura_media, double umidade);

// Observed monthly means of the header, from the stations' parameters: mean daily maximum and
// minimum temperature (dry- and wet-day means weighted by the climatological record's days),
// mean daily radiation in langley/day, and mean monthly precipitation (the rainfall record's
// wet-day fraction times the mean days of the month times the wet-day mean depth).
struct MediasObservadasWepp {
    Mensal<double> TMax, TMin, Rad, Prec;
};
MediasObservadasWepp MediasObservadas(const TDados& dados);

// The continuous climate file of the WEPP erosion model, plain ASCII, for a series of whole
// years: version 0.0 (the peak-intensity ratios are used as written), continuous mode, the
// breakpoint flag, and the wind flag (1, no wind, when the run did not simulate wind); the
// rainfall station's name, position and elevation; the observed monthly means; then one record
// per day. Without breakpoints: depth, duration, normalised time to peak and peak over mean
// intensity (at least 1), Tmax, Tmin, radiation in langley/day, wind speed, wind direction 0 and
// dew point (from humidity and the day's mean temperature; the minimum temperature when
// humidity was not simulated). With breakpoints: the same day fields with the number of
// breakpoints instead of the storm fields, then the breakpoints of the storm's own intensity
// profile (CalcularBreakpoints), centred on noon. Needs storms, both temperatures and radiation
// (VerificarFormatoSaida); only the arrays of the variables the run simulated are read.
void EscreverWepp(const TDados& dados, const TClima& clima, const ConfiguracaoSerie& config,
                  bool breakpoints, TextoEmBlocos& saida);

}  // namespace ventaro
