#include "generator/amostragem.h"

#include <math.h>
#include <cassert>
#include <cmath>

namespace ventaro {

double Gama(double x) {
    assert(!(x < 1.0));
    // Beyond 172 the product has long overflowed; stop before walking an endless recursion.
    if (x > 200.0) return HUGE_VAL;
    // Peel off the factors (x - 1)(x - 2)... down to [1, 2], then multiply them back from the
    // smallest up, which is the order of the recursive definition.
    int fatores = 0;
    double arg = x;
    while (arg > 2.0) {
        arg = arg - 1.0;
        ++fatores;
    }
    const double c = arg - 1.0;
    const double c2 = c * c;
    const double c3 = c2 * c;
    const double c4 = c3 * c;
    const double c5 = c4 * c;
    double g =
        1.0 - 0.5748646 * c + 0.9512363 * c2 - 0.6998588 * c3 + 0.4245549 * c4 - 0.1010678 * c5;
    // The recursion computes Gama(x) = (x-1) * Gama(x-1); the innermost factor is arg itself,
    // and arg + 1.0 restores the previous argument exactly (subtracting 1 from a value >= 2 is
    // exact).
    double fator = arg;
    for (int i = 0; i < fatores; ++i) {
        g = fator * g;
        fator = fator + 1.0;
    }
    return g;
}

double LogGama(double x) {
    // lgamma_r, not lgamma, which writes the sign into a global.
    int sinal = 0;
    return ::lgamma_r(x, &sinal);
}

}  // namespace ventaro
