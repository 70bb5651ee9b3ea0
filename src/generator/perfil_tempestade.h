#pragma once

#include "core/tclima.h"

namespace ventaro {

// Double-exponential profile of a storm's normalised intensity i*(t) (intensity over the mean
// P/D, t from 0 at the start to 1 at the end): ParamA e^(ParamB t) up to the time to peak,
// ParamC e^(-ParamD t) after it.
struct PerfilTempestade {
    double ParamA = 0.0;
    double ParamB = 0.0;
    double ParamC = 0.0;
    double ParamD = 0.0;
};

// Profile of a storm of depth P (mm), duration D (h), peak intensity ip (mm/h) and normalised
// time to peak tp. B solves 1 - e^(-B tp) = B tp / ip* (ip* = ip D / P, so that the area under
// i* is 1) by bisection on [0.0001, 1e6]; both limbs meet at ip* at tp.
PerfilTempestade CalcularPerfil(double P, double D, double tp, double ip);

// The profile of every wet day of the store, on two threads when `em_paralelo` is set and the
// machine has them.
void CalcularPerfis(TClima& clima, bool em_paralelo = true);

}  // namespace ventaro
