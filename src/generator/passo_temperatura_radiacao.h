#pragma once

#include <cstdint>

#include "core/tclima.h"
#include "generator/contexto_passo.h"

namespace ventaro {

// Maximum and minimum temperature and radiation together: a three-variate lag-one
// autoregressive process of standardised residuals, chi(d) = A[m] chi(d-1) + B[m] eps(d),
// started from the station's residuals of the day before the series and de-standardised with
// the day's month and wet/dry state. Three normal deviates per day (TMax, TMin, Rad). Returns
// false when the run was cancelled.
bool SimularTemperaturaRadiacao(ContextoPasso& ctx);

// Keeps every day's minimum temperature at or below its maximum, which the process (and the
// corrections of the two variables, each on its own) do not ensure: a minimum above the
// maximum becomes the maximum. Swapping the two would move the maximum as well, and with it
// the distribution the maximum was drawn from. Returns how many days were changed.
int64_t LimitarTMinPelaTMax(TClima& clima);

}  // namespace ventaro
