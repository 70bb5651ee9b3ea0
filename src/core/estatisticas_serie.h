#pragma once

#include <cstdint>
#include <span>

#include "core/tclima.h"
#include "core/tdados.h"

namespace ventaro {

// Monthly statistics of a generated series, pooled over the years a_partir ...
// a_partir + num_anos - 1, written into `dados` (the generated-statistics instance): DUmidos,
// DSecos, PCC, PCS, the wet-day means and deviations of depth, duration, time to peak, peak
// intensity and the five climate variables, their dry-day means and deviations, SkewPrec. No
// other field is touched.
void CalcularEstatisticasSerie(TDados& dados, const TClima& clima, int64_t num_anos,
                               int64_t a_partir);

// The precipitation statistics (DUmidos, DSecos, PCC, PCS, XPrec, SPrec, SkewPrec) of an
// observed record: totais_anuais has one entry per year from ano_inicial to ano_final; a year
// is included when its total is above 0, and diarios holds the included years' days one after
// the other.
void CalcularEstatisticasPrec(TDados& dados, std::span<const double> totais_anuais,
                              int64_t ano_inicial, int64_t ano_final,
                              std::span<const double> diarios);

// Sample standard deviation of the union of two groups given their sizes, deviations and
// means. A radicand that rounds below zero means no spread and gives 0.
double DesvioPadraoConjunto(int64_t n_a, int64_t n_b, double s_a, double s_b, double x_a,
                            double x_b);

}  // namespace ventaro
