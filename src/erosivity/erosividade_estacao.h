#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "core/tclima.h"
#include "core/tdados.h"

namespace ventaro {

// The four quantities the erosivity batch sums, in this order: KE25f, KE25wm, EI30f, EI30wm.
inline constexpr int kNumGrandezas = 4;
using SomasErosividade = std::array<double, kNumGrandezas>;

// The thirteen periods of the outputs: the months, then the year (index 13).
inline constexpr int kNumPeriodos = 13;
inline constexpr int kPeriodoAnual = 13;
// "Janeiro" ... "Dezembro", "Anual" for 1 ... 13.
std::string_view NomePeriodo(int periodo);

// One station's erosivity: its monthly and yearly sums and their long-term means.
struct ErosividadeEstacao {
    int32_t CodEstacao = 0;
    double Latitude = 0;
    double Longitude = 0;
    double Altitude = 0;

    struct Total {
        int64_t Ano = 0;
        int Mes = 0;  // 1-12; 0 for a year's total
        SomasErosividade Somas{};
    };
    // Every month of the series in order, then every year in order.
    std::vector<Total> Meses;
    std::vector<Total> Anos;
    // Sum over all years of each period's sums, divided by the number of years; [periodo - 1].
    std::array<SomasErosividade, kNumPeriodos> Medias{};
};

// Sums the daily KE25f, KE25wm, EI30f and EI30wm of an erosivity run of `num_anos` whole
// calendar years, day by day into the month, each month into its period's total and the year,
// each year into the annual total, and divides the totals by `num_anos`. The identity comes
// from the rainfall station of `dados`.
ErosividadeEstacao SomarErosividade(const TDados& dados, const TClima& clima, uint32_t num_anos);

}  // namespace ventaro
