#pragma once

namespace ventaro {

// Gamma function for x >= 1: a fifth-degree polynomial on [1, 2], extended upwards by
// Gamma(x) = (x - 1) Gamma(x - 1). Callers check x >= 1 before calling; above about 171.6 the
// result is +inf.
double Gama(double x);

// ln Gamma(x) of the C library, for the normalising constants that Gama's product would take
// beyond the range of a double. Safe on several threads at once.
double LogGama(double x);

// Below this |G| the cubic of the skew transformation loses its digits: 1 + (G/6)(z - G/6)
// rounds towards 1 (its rounding error grows like S/G), and at about 1e-16 it is 1 itself, which
// leaves the mean. There the transform is its limit for G -> 0, X + S z, which differs from the
// exact cubic by about S G (z^2 - 1)/6. At this threshold both errors are near 1e-8 S.
inline constexpr double kSkewMinima = 1e-7;

// Wilson-Hilferty style skew transformation of a standard normal deviate z into a value with
// mean X, standard deviation S and skewness G. With G = 0 the mean itself (z was still drawn);
// with a skewness that is not 0 but below kSkewMinima, the normal value X + S z.
inline double Skew(double z, double X, double S, double G) {
    if (G == 0.0) return X;
    if (G > -kSkewMinima && G < kSkewMinima) return X + S * z;
    const double y = 1.0 + (G / 6.0) * (z - G / 6.0);
    return X + (2.0 * S / G) * (y * y * y - 1.0);
}

}  // namespace ventaro
