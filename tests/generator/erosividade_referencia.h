#pragma once

// The storm energy computed point by point, sub-step by sub-step, exactly as the rule reads:
// the reference the faster computation in the generator is held to.

#include <array>
#include <cmath>

#include "generator/erosividade.h"

namespace ventaro::teste {

struct LimbosReferencia {
    const Tempestade& s;
    double Subida(double x) const {
        return s.perfil.ParamA * std::exp(s.perfil.ParamB * x) * s.P / s.D;
    }
    double Descida(double x) const {
        return s.perfil.ParamC * std::exp(-s.perfil.ParamD * x) * s.P / s.D;
    }
    double Limitar(double v) const { return v > s.ip ? s.ip : v; }
};

inline double XSubpasso(int v, int e, int T) {
    return (static_cast<double>(v) + static_cast<double>(e) / 100.0) / static_cast<double>(T);
}

inline double LaminaMaxima15Referencia(const Tempestade& s) {
    const LimbosReferencia l{s};
    const int T = MinutosTempestade(s.D);
    std::array<double, 15> slot{};
    for (int v = 0; v < T; ++v) {
        const bool descendo = static_cast<double>(v) / static_cast<double>(T) > s.tp;
        double w = 0.0;
        for (int e = 0; e < 100; ++e) {
            const double x0 = XSubpasso(v, e, T);
            const double x1 = XSubpasso(v, e + 1, T);
            double i0;
            double i1;
            if (descendo) {
                i0 = l.Limitar(l.Descida(x0));
                i1 = l.Limitar(l.Descida(x1));
            } else {
                i0 = l.Limitar(l.Subida(x0));
                i1 = x1 > s.tp ? l.Limitar(l.Descida(x1)) : l.Limitar(l.Subida(x1));
            }
            w = w + (i0 + i1) / 12000.0;
        }
        if (w > slot[static_cast<std::size_t>(v % 15)]) slot[static_cast<std::size_t>(v % 15)] = w;
    }
    double q15 = 0.0;
    for (double w : slot) q15 = q15 + w;
    return q15;
}

inline EnergiaTempestade CalcularEnergiaReferencia(const Tempestade& s) {
    EnergiaTempestade r;
    const double q15 = s.P > 0 && s.P < 10 ? LaminaMaxima15Referencia(s) : 0.0;
    if (!(s.P > 0 && (s.P > 10 || q15 >= 6))) return r;
    const LimbosReferencia l{s};
    const int T = MinutosTempestade(s.D);
    std::array<double, 30> slot{};
    for (int v = 0; v < T; ++v) {
        const double xa = static_cast<double>(v) / static_cast<double>(T);
        const double xb = static_cast<double>(v + 1) / static_cast<double>(T);
        const bool subindo = xa <= s.tp;
        double i0;
        double i1;
        if (subindo) {
            i0 = l.Limitar(l.Subida(xa));
            i1 = l.Limitar(l.Subida(xb));
        } else {
            i0 = l.Descida(xa);
            i1 = l.Descida(xb);
            if (i0 == 0) i0 = 1e-19;
            if (i1 == 0) i1 = 1e-19;
        }
        double w = 0.0;
        for (int e = 0; e < 100; ++e) {
            const double x0 = XSubpasso(v, e, T);
            const double x1 = XSubpasso(v, e + 1, T);
            const double j0 = subindo ? l.Limitar(l.Subida(x0)) : l.Limitar(l.Descida(x0));
            const double j1 = subindo ? l.Limitar(l.Subida(x1)) : l.Limitar(l.Descida(x1));
            w = w + (j0 + j1) / 12000.0;
        }
        const double a = (i0 + i1) / 2.0;
        const double ef = a >= 76 ? 0.283 : 0.119 + 0.0873 * std::log10(a);
        const double ewm = 0.153 + 0.0645 * std::log10(a);
        r.KEf += ef * w;
        r.KEwm += ewm * w;
        if (a >= 25) {
            r.KE25f += ef * w;
            r.KE25wm += ewm * w;
        }
        if (w > slot[static_cast<std::size_t>(v % 30)]) slot[static_cast<std::size_t>(v % 30)] = w;
    }
    double soma = 0.0;
    for (double w : slot) soma = soma + w;
    const double i30 = 2.0 * soma;
    r.EI30f = r.KEf * i30;
    r.EI30wm = r.KEwm * i30;
    return r;
}

}  // namespace ventaro::teste
