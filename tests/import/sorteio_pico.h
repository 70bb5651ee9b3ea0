#pragma once

#include <cmath>

#include "generator/fluxo_aleatorio.h"

namespace ventaro::teste {

// A gamma draw of whole shape k: the sum of k exponential draws.
inline double Gama(FluxoAleatorio& fluxo, int k, double escala) {
    double s = 0;
    for (int i = 0; i < k; ++i) s -= std::log(1.0 - fluxo.Uniform());
    return escala * s;
}

// A peak drawn from gamma(k, escala) as the generator draws it for a storm of mean intensity
// `limiar`, written here from the rule itself: up to eleven draws, the first above `limiar` and
// below 1000 mm/h kept and raised to 0.2 mm/h, else 1.1 times `limiar`.
inline double PicoComoOGerador(FluxoAleatorio& fluxo, int k, double escala, double limiar) {
    for (int i = 0; i < 11; ++i) {
        const double t = Gama(fluxo, k, escala);
        if (limiar < t && t < 1000.0) return t < 0.2 ? 0.2 : t;
    }
    return 1.1 * limiar;
}

}  // namespace ventaro::teste
