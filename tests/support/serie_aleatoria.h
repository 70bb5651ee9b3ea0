#pragma once

#include <cstdint>

#include "core/tclima.h"

namespace ventaro::teste {

// A store shaped like a generated one, from 1 January of year 1: about a third of the days wet,
// with storm values of every width, and climate values around those of a station in the
// south-east. Deterministic, for benchmarks of what reads a series.
TClima SerieAleatoria(int64_t num_anos);

}  // namespace ventaro::teste
