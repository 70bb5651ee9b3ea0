#pragma once

namespace ventaro {

// Gamma function for x >= 1: a fifth-degree polynomial on [1, 2], extended upwards by
// Gamma(x) = (x - 1) Gamma(x - 1). Callers check x >= 1 before calling; above about 171.6 the
// result is +inf.
double Gama(double x);

// Wilson-Hilferty style skew transformation of a standard normal deviate z into a value with
// mean X, standard deviation S and skewness G. With G = 0 the mean itself (z was still drawn).
inline double Skew(double z, double X, double S, double G) {
    if (G == 0.0) return X;
    const double y = 1.0 + (G / 6.0) * (z - G / 6.0);
    return X + (2.0 * S / G) * (y * y * y - 1.0);
}

}  // namespace ventaro
