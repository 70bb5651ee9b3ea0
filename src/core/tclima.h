#pragma once

#include <cstdint>
#include <vector>

#include "core/calendario.h"

namespace ventaro {

// One generated daily series. Every array has NumDias + 1 entries: day d >= 1 is the date
// DataInicial + d - 1, and day 0 is a dry sentinel that only serves as the day before day 1.
struct TClima {
    TClima() : TClima(0) {}
    explicit TClima(int64_t num_dias);
    // A store covering `num_anos` calendar years from 1 January of `a_partir`, dated and with
    // the month of every day.
    static TClima ParaPeriodo(int64_t a_partir, int64_t num_anos);

    Data DataInicial{};
    int64_t NumDias = 0;

    // Precipitation arrays.
    std::vector<double> Prec, Dur, Ti, Ii;
    std::vector<double> ParamA, ParamB, ParamC, ParamD;
    std::vector<double> KEf, KEwm, KE25f, KE25wm, EI30f, EI30wm;
    // Climate arrays.
    std::vector<double> TMax, TMin, Rad, VVento, Umid;

    // Calendar month (1-12) of each day; 0 for day 0.
    std::vector<uint8_t> Mes;

    int MesDoDia(int64_t d) const { return Mes[static_cast<std::size_t>(d)]; }

    // Sets the fourteen precipitation arrays of day d to 0; the climate arrays stay.
    void LimparDia(int64_t d);
};

}  // namespace ventaro
