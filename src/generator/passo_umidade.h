#pragma once

#include <cstdint>
#include <optional>
#include <string>

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

// The density of a pair that can be integrated from 0 to 1 with the step 0.001, or why there is
// none: the record has no days in the state, the deviation is 0 (the moments give NaN), a
// shape is below 1 (the density is infinite at an end), or, for shapes so large that the
// gamma functions leave the range of a double (the density then goes to logarithms), a spread
// narrower than two steps, which the walk cannot resolve.
struct LeiBeta {
    std::optional<DensidadeBeta> densidade;
    std::string motivo;  // why there is no density; empty when there is one
};
LeiBeta PrepararLeiBeta(ParBeta par);

// The density of PrepararLeiBeta, when there is one.
inline std::optional<DensidadeBeta> DensidadeBetaValida(ParBeta par) {
    return PrepararLeiBeta(par).densidade;
}

// Relative humidity (fraction) of every day, from the beta law of the day's month and wet/dry
// state, inverted with step 0.001. A state whose pair is not valid uses the other state's pair
// of the same month, and when neither is valid the month's mean humidity; each replacement is
// reported once in `avisos`. One uniform per day, on constant laws too. Returns false when the
// run was cancelled.
bool SimularUmidade(ContextoPasso& ctx, ColetorAvisos& avisos);

}  // namespace ventaro
