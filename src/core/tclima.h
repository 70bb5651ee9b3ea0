#pragma once

#include <cstdint>
#include <vector>

#include "core/calendario.h"

namespace ventaro {

// The groups of daily arrays a store holds besides Prec and Ti, which every store has. A run
// keeps only the arrays it fills (TCalcularSerieSintetica::Calcular says which).
struct ArraysSerie {
    bool Tempestades = true;   // Dur, Ii
    bool Perfis = true;        // ParamA, ParamB, ParamC, ParamD
    bool Energias = true;      // KEf, KEwm, KE25f, KE25wm, EI30f, EI30wm
    bool Temperaturas = true;  // TMax, TMin, Rad
    bool Vento = true;         // VVento
    bool Umidade = true;       // Umid
};

// One generated daily series. Every array it holds has NumDias + 1 entries: day d >= 1 is the
// date DataInicial + d - 1, and day 0 is a dry sentinel that only serves as the day before day 1.
//
// An array the store does not hold (ArraysSerie) is empty, and stands for 0 on every day: a
// variable the run did not simulate, storm profiles outside erosivity runs, energies outside
// them. Readers that may meet such a store ask Possui or read through Valor; indexing an absent
// array directly is a fault.
struct TClima {
    TClima() : TClima(0) {}
    // A store of `num_dias` days holding every array.
    explicit TClima(int64_t num_dias) : TClima(num_dias, ArraysSerie{}) {}
    TClima(int64_t num_dias, const ArraysSerie& arrays);
    // A store covering `num_anos` calendar years from 1 January of `a_partir`, dated and with
    // the month of every day.
    static TClima ParaPeriodo(int64_t a_partir, int64_t num_anos,
                              const ArraysSerie& arrays = ArraysSerie{});

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

    using Array = std::vector<double> TClima::*;

    // Whether the store holds `array` (&TClima::Dur, ...).
    bool Possui(Array array) const { return !(this->*array).empty(); }
    // Day d of `array`, 0 when the store does not hold it.
    double Valor(Array array, int64_t d) const {
        const std::vector<double>& v = this->*array;
        return v.empty() ? 0.0 : v[static_cast<std::size_t>(d)];
    }

    int MesDoDia(int64_t d) const { return Mes[static_cast<std::size_t>(d)]; }

    // Adds, zero-filled, the groups of `arrays` the store does not hold yet; the others stay as
    // they are. A run adds each climate group when its pass begins, so that its memory is
    // touched only then. Throws std::bad_alloc (or std::length_error) as the constructor does.
    void Acrescentar(const ArraysSerie& arrays);

    // A zeroed array of `n` entries, allocated as the store allocates its own (large ones on
    // 2 MB pages where the system gives them), for a pass that fills it apart from the store.
    static std::vector<double> NovoArray(std::size_t n);

    // Sets the fourteen precipitation arrays of day d to 0 (those the store holds); the climate
    // arrays stay.
    void LimparDia(int64_t d);
};

}  // namespace ventaro
