#pragma once

#include <vector>

#include "core/calendario.h"
#include "import/leitor_inmet_horario.h"

namespace ventaro {

// A storm of an hourly record: one calendar day (as the file dates it) whose 24 hours are all
// present and add up to at least 0.2 mm.
struct TempestadeObservada {
    Data Dia;
    double Lamina = 0;           // mm, the day's total
    double Duracao = 0;          // h, from the start of the first to the end of the last rainy hour
    double IntensidadePico = 0;  // mm/h, the largest hourly depth times the peak factor
    double TempoPico = 0;        // (middle of the peak hour - start) / duration, 0.001-0.99
};

struct TempestadesHorarias {
    std::vector<TempestadeObservada> Tempestades;  // in date order
    int DiasCompletos = 0;                         // days with all 24 hours
    int DiasIncompletos = 0;                       // days left out for a missing hour
};

// The storms of an hourly record. A rainy hour is one with more than 0 mm; the peak hour is
// the first of the wettest hours. `fator_pico` turns the largest hourly depth into the peak
// intensity the generator draws (1 keeps the hourly value).
TempestadesHorarias ExtrairTempestades(const RegistroHorario& registro, double fator_pico);

}  // namespace ventaro
