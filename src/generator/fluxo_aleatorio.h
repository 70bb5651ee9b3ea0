#pragma once

#include <cmath>
#include <cstdint>

namespace ventaro {

// The model's one random stream: a 32-bit linear congruential generator (multiplier 134775813,
// increment 1), reseeded with 5 at the start of every run. Never replaced by <random>, whose
// distributions differ between standard libraries.
class FluxoAleatorio {
  public:
    explicit FluxoAleatorio(uint32_t semente = 5) : estado_(semente) {}

    void Semear(uint32_t semente) { estado_ = semente; }
    uint32_t Estado() const { return estado_; }

    double Uniform() {
        estado_ = estado_ * 134775813u + 1u;  // mod 2^32
        return static_cast<double>(estado_) / 4294967296.0;
    }

    // Standard normal deviate from one uniform draw, by the rational approximation of the
    // normal quantile (Abramowitz and Stegun 26.2.22).
    double Normal() {
        const double u = Uniform();
        double p;
        double sinal;
        if (u < 0.5) {
            p = u;
            sinal = -1.0;
        } else {
            p = 1.0 - u;
            sinal = 1.0;
        }
        const double t = std::sqrt(std::log(1.0 / (p * p)));
        return sinal * (t - (2.30753 + 0.27061 * t) / (1.0 + 0.99229 * t + 0.04481 * (t * t)));
    }

  private:
    uint32_t estado_;
};

}  // namespace ventaro
