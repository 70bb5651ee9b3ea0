#pragma once

#include <cstdint>

#include "core/tdados.h"

namespace ventaro::teste {

// A rainfall station of the Brazilian cerrado (wet summer, dry winter) with its region's storm
// laws, and a climatological station nearby: plausible values for every field the generator
// reads. Storm-law shapes are at least 1 (some exactly 1).
TDados DadosExemplo();

// The example with every parameter moved by a few percent, differently for each seed, so that
// whole-run comparisons see more than one set of laws.
TDados DadosVariados(uint32_t semente);

}  // namespace ventaro::teste
