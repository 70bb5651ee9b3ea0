#pragma once

#include <string>

#include "core/tdados.h"
#include "generator/contexto_passo.h"

namespace ventaro {

// ErroVentaro naming the rainfall station when it has no record totals (TotaisPrec) to take the
// year-to-year variability from: a station imported before they were kept.
void VerificarTotaisPrec(const TDados& dados);

// Year-to-year variability of the rainfall totals, which a daily chain with independent depths
// understates (the overdispersion of Katz and Parlange, 1998). After every other pass, each
// month of each year gets a factor on its wet-day depths (and on their peak intensities, so that
// every storm keeps its normalised profile): the wet/dry sequence and every other variable stay
// those of the run without the option. The factors are lognormal with mean 1; their spread
// adds to the variance the chain itself gives the month's total (Katz, 1977) what the record's
// coefficient of variation of that month asks for, and a share of their deviate common to the
// twelve months of a year makes the annual totals vary as the record's do. The factors of a month
// are then scaled together so that the month's total over the whole series, its long-run mean,
// is unchanged; the 0.2 mm floor still holds. The draws come from the run's stream after all the
// others (13 normal deviates per year). Returns false when the run was cancelled.
bool AplicarVariabilidadeAnual(ContextoPasso& ctx, ColetorAvisos& avisos);

}  // namespace ventaro
