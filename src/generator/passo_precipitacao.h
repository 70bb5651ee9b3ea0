#pragma once

#include "generator/contexto_passo.h"

namespace ventaro {

// Normalised time to peak of a storm from the uniform u, by the exponential law with mean
// beta_ti, kept within [0.001, 0.99].
double TempoAtePico(double u, double beta_ti);

// Occurrence, depth and time to peak of every day: a two-state first-order Markov chain with
// monthly transition probabilities, skewed depths floored at 0.2 mm. Per day one uniform for
// the occurrence and, on a wet day, one for the depth's normal deviate and one for the time to
// peak. Returns false when the run was cancelled; the day that saw the cancel and every later
// day stay 0.
bool SimularPrecipitacao(ContextoPasso& ctx);

}  // namespace ventaro
