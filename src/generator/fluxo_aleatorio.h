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

    // Moves the stream on by `passos` draws at once, as that many Uniform() calls would: the
    // k-fold step x -> a^k x + c (a^(k-1) + ... + 1) mod 2^32, formed by repeated squaring.
    void Avancar(uint64_t passos) {
        uint32_t mult = 1u;
        uint32_t inc = 0u;
        uint32_t a = kMultiplicador;
        uint32_t c = kIncremento;
        for (; passos != 0; passos >>= 1) {
            if ((passos & 1u) != 0) {
                mult = mult * a;
                inc = inc * a + c;
            }
            c = (a + 1u) * c;
            a = a * a;
        }
        estado_ = mult * estado_ + inc;
    }

    double Uniform() {
        estado_ = estado_ * kMultiplicador + kIncremento;  // mod 2^32
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
    static constexpr uint32_t kMultiplicador = 134775813u;
    static constexpr uint32_t kIncremento = 1u;
    uint32_t estado_;
};

}  // namespace ventaro
