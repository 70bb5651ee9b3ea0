#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "core/tclima.h"
#include "core/tdados.h"

namespace ventaro {

// The twelve monthly rainfall totals of one year, January first.
using TotaisMensais = std::array<double, 12>;

// Monthly totals of every year of a generated series: the days of the store walked as in
// CalcularEstatisticasSerie, each day's depth added in day order to its year and month.
std::vector<TotaisMensais> TotaisMensaisSerie(const TClima& clima, int64_t num_anos,
                                              int64_t a_partir);

// Monthly totals of the years of an observed record that take part in its statistics (those
// whose annual total is above 0), with the arguments of CalcularEstatisticasPrec.
std::vector<TotaisMensais> TotaisMensaisRegistro(std::span<const double> totais_anuais,
                                                 int64_t ano_inicial, int64_t ano_final,
                                                 std::span<const double> diarios);

// Writes XTotal, STotal and CovTotalAnual from the totals of the years (sample statistics, with
// divisor years - 1; deviations and covariances 0 for fewer than two years), and TemTotaisPrec,
// true from two years on.
void DefinirTotais(TDados& dados, std::span<const TotaisMensais> anos);

// The two at once, for an observed record and for a generated series.
void CalcularTotaisPrec(TDados& dados, std::span<const double> totais_anuais, int64_t ano_inicial,
                        int64_t ano_final, std::span<const double> diarios);
void CalcularTotaisSerie(TDados& dados, const TClima& clima, int64_t num_anos, int64_t a_partir);

// Mean and sample deviation of the annual totals: the sum of the monthly means, and the square
// root of the sum of the monthly covariances with the annual totals.
double XTotalAnual(const TDados& dados);
double STotalAnual(const TDados& dados);

}  // namespace ventaro
