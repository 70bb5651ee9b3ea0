#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/tclima.h"

namespace ventaro {

// The intensity profile of one day of the series: the curve, in hours and mm/h, of a wet day
// (empty for a dry one), the label decimals of its axes, and the texts of its parameter and date
// labels.
struct PerfilDia {
    bool Chuvoso = false;
    std::vector<double> Tempo;        // h, from 0 to the storm's duration
    std::vector<double> Intensidade;  // mm/h
    int CasasTempo = 0;               // bottom axis: 2 below 1 h, 1 below 3 h, else 0
    int CasasIntensidade = 0;         // left axis: 0 from a 5 mm/h peak up, else 1
    std::string ParamA, ParamB, ParamC, ParamD;
    std::string Data;  // dd/mm/yyyy
};

inline constexpr int kPassosPerfil = 10000;

// The profile of day `dia` (1..NumDias): n + 1 points of normalised time k/n; the normalised
// intensity rises as A·exp(B·t*) up to the normalised peak time (inclusive) and decays as
// C·exp(-D·t*) after it; times scale by the duration and intensities by depth over duration.
PerfilDia CalcularPerfil(const TClima& clima, int64_t dia, char separador, int n = kPassosPerfil);

}  // namespace ventaro
