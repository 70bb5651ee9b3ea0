#pragma once

#include "core/tclima.h"
#include "core/tdados.h"
#include "generator/contexto_passo.h"

namespace ventaro {

// Rescales the wet-day depths of each month so that, over the whole series, their mean and
// sample deviation equal XPrec and SPrec: first by a factor on the mean, then by a spread
// around it, floored at 0.2 mm. A month whose depths are all equal (a deviation below a
// billionth of the mean) has no spread to rescale: its depths all take the mean. A day the factor
// brings to 0 (a month whose XPrec is 0) is left a dry day, its storm values cleared with it.
void CorrigirLamina(TClima& clima, const TDados& dados);

enum class VariavelClima { TMax, TMin, Rad, VVento, Umid };

// Rescales one climate variable, all days of a month together, so that its monthly mean and
// sample deviation equal the station's pooled dry-day and wet-day values: a factor on the mean,
// then a spread around it (none for a month whose values are all equal, as for depths).
// Radiation is kept at or above 0, wind at or above 0.1 m/s and humidity within [0, 1]. A month
// whose climatological record has fewer than two days has no pooled deviation: it is left
// uncorrected and reported in `avisos`.
void CorrigirVariavelClima(TClima& clima, const TDados& dados, VariavelClima variavel,
                           ColetorAvisos& avisos);

}  // namespace ventaro
