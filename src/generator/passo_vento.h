#pragma once

#include "generator/contexto_passo.h"

namespace ventaro {

// Wind speed of every day: independent skewed values with the month's wet-day or dry-day mean,
// deviation and skewness, raised to 0.1 m/s. One normal deviate per day, wet or dry. Returns
// false when the run was cancelled.
bool SimularVento(ContextoPasso& ctx);

}  // namespace ventaro
