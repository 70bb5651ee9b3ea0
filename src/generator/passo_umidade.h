#pragma once

#include <cstdint>
#include <optional>

#include "generator/contexto_passo.h"
#include "generator/inversao.h"

namespace ventaro {

// Shapes of a beta law by the method of moments from a mean, a sample deviation and the number
// of days behind them (the deviation is turned into a population variance). No days gives
// (0, 0); no spread gives NaN.
struct ParBeta {
    double a = 0.0;
    double b = 0.0;
};
ParBeta MomentosBeta(double mu, double s, int32_t c);

// The density of a pair that can be integrated from 0 to 1: both shapes finite and at least 1
// and a finite, positive normalising constant (very small deviations give shapes so large that
// their gamma functions overflow).
std::optional<DensidadeBeta> DensidadeBetaValida(ParBeta par);

// Relative humidity (fraction) of every day, from the beta law of the day's month and wet/dry
// state, inverted with step 0.001. A state whose pair is not valid uses the other state's pair
// of the same month, and when neither is valid the month's mean humidity; each replacement is
// reported once in `avisos`. One uniform per day, on constant laws too. Returns false when the
// run was cancelled.
bool SimularUmidade(ContextoPasso& ctx, ColetorAvisos& avisos);

}  // namespace ventaro
