#pragma once

#include "core/tclima.h"
#include "generator/perfil_tempestade.h"

namespace ventaro {

// One storm as the energy computations see it: depth P (mm), duration D (h), normalised time to
// peak tp, peak intensity ip (mm/h) and its profile.
struct Tempestade {
    double P = 0.0;
    double D = 0.0;
    double tp = 0.0;
    double ip = 0.0;
    PerfilTempestade perfil;
};

// Kinetic energy (MJ/ha) by the two unit-energy equations, the part of it in minutes of at
// least 25 mm/h, and the erosivity index EI30 (MJ mm/(ha h)) of one storm.
struct EnergiaTempestade {
    double KEf = 0.0;
    double KEwm = 0.0;
    double KE25f = 0.0;
    double KE25wm = 0.0;
    double EI30f = 0.0;
    double EI30wm = 0.0;
};

// Whole minutes of a storm of D hours.
int MinutosTempestade(double D);

// Largest depth (mm) the storm drops in 15 minutes, from the fifteen per-minute slots.
double LaminaMaxima15(const Tempestade& s);

// Energy and erosivity of a storm; all 0 unless the storm is erosive: more than 10 mm, or at
// least 6 mm in 15 minutes.
EnergiaTempestade CalcularEnergia(const Tempestade& s);

// Energy and erosivity of every wet day of the store (its profiles already computed), on two
// threads when `em_paralelo` is set and the machine has them.
void CalcularErosividades(TClima& clima, bool em_paralelo = true);

}  // namespace ventaro
