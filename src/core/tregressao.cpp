#include "core/tregressao.h"

#include <cmath>

namespace ventaro {

void TRegressao::CalcularRegressao(std::span<const double, 12> x, std::span<const double, 12> y) {
    double sxy = 0.0;
    double sy = 0.0;
    double sxx = 0.0;
    for (std::size_t i = 0; i < 12; ++i) {
        sxy = sxy + x[i] * y[i];
        sy = sy + y[i];
        sxx = sxx + x[i] * x[i];
    }
    const double ym = sy / 12.0;

    // Line through the origin: no intercept, so R2 may come out negative.
    inclinacao_ = sxx != 0.0 ? sxy / sxx : 0.0;

    double sse = 0.0;
    double sst = 0.0;
    for (std::size_t i = 0; i < 12; ++i) {
        const double e = y[i] - inclinacao_ * x[i];
        sse = sse + e * e;
        const double t = y[i] - ym;
        sst = sst + t * t;
    }
    r2_ = sst != 0.0 ? 1.0 - sse / sst : 0.0;
    // Twelve pairs less the one fitted slope.
    erro_padrao_ = std::sqrt(sse / 11.0);

    max_x_ = x[0];
    min_x_ = x[0];
    for (std::size_t i = 0; i < 11; ++i) {
        const double maior = x[i] > x[i + 1] ? x[i] : x[i + 1];
        const double menor = x[i] < x[i + 1] ? x[i] : x[i + 1];
        if (maior > max_x_) max_x_ = maior;
        if (menor < min_x_) min_x_ = menor;
    }
}

}  // namespace ventaro
