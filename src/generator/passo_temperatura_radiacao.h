#pragma once

#include "generator/contexto_passo.h"

namespace ventaro {

// Maximum and minimum temperature and radiation together: a three-variate lag-one
// autoregressive process of standardised residuals, chi(d) = A[m] chi(d-1) + B[m] eps(d),
// started from the station's residuals of the day before the series and de-standardised with
// the day's month and wet/dry state. Three normal deviates per day (TMax, TMin, Rad). Returns
// false when the run was cancelled.
bool SimularTemperaturaRadiacao(ContextoPasso& ctx);

}  // namespace ventaro
