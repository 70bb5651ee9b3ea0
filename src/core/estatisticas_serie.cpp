#include "core/estatisticas_serie.h"

#include <cmath>

namespace ventaro {

double DesvioPadraoConjunto(int64_t n_a, int64_t n_b, double s_a, double s_b, double x_a,
                            double x_b) {
    // A single value (or none) has no sample spread; the divisor below would be 0.
    if (n_a + n_b < 2) return 0.0;
    const double na = static_cast<double>(n_a);
    const double nb = static_cast<double>(n_b);
    // Sum of squares of the union rebuilt from each group's sample deviation and mean.
    const double q = s_a * s_a * static_cast<double>(n_a - 1) + x_a * x_a * na +
                     s_b * s_b * static_cast<double>(n_b - 1) + x_b * x_b * nb;
    const double t = na * x_a + nb * x_b;
    const double v =
        (q - t * t / static_cast<double>(n_a + n_b)) / static_cast<double>(n_a + n_b - 1);
    // Equal values leave a radicand that may round a hair below zero: that is no spread.
    return v > 0 ? std::sqrt(v) : 0.0;
}

}  // namespace ventaro
