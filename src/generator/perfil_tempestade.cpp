#include "generator/perfil_tempestade.h"

#include <algorithm>
#include <cmath>

#include "generator/paralelo.h"

namespace ventaro {

PerfilTempestade CalcularPerfil(double P, double D, double tp, double ip) {
    const double ip_n = ip * D / P;
    // A g that cannot be evaluated (NaN) counts as g <= 0 and moves the upper bound.
    const auto g = [&](double b) {
        const double bt = b * tp;
        // Beyond 38, e^-bt < 2^-54 and 1 - e^-bt rounds to exactly 1: the exponential, which
        // the wide first bisection steps would all evaluate, cannot change the result.
        const double um_menos_e = bt > 38.0 ? 1.0 : 1.0 - std::exp(-b * tp);
        return um_menos_e - bt / ip_n;
    };
    double lo = 0.0001;
    double hi = 1000000.0;
    double mid;
    do {
        mid = (lo + hi) / 2.0;
        if (g(mid) > 0.0) {
            lo = mid;
        } else {
            hi = mid;
        }
    } while (!(std::fabs(lo - hi) <= 0.00001));
    const double b = mid;
    PerfilTempestade perfil;
    perfil.ParamA = ip_n * std::exp(-b * tp);
    perfil.ParamB = b;
    perfil.ParamD = b * tp / (1.0 - tp);
    const double e = std::exp(perfil.ParamD * tp);
    perfil.ParamC = std::isinf(e) ? 1e12 : ip_n * e;
    return perfil;
}

void CalcularPerfis(TClima& clima, bool em_paralelo) {
    // Each storm's profile depends on that day alone: blocks of days go to both cores.
    const auto n = static_cast<std::size_t>(clima.NumDias);
    const std::size_t blocos = (n + kDiasPorBloco - 1) / kDiasPorBloco;
    ExecutarEmParalelo(blocos, em_paralelo, [&clima, n](std::size_t bloco) {
        const std::size_t fim = std::min(n, (bloco + 1) * kDiasPorBloco);
        for (std::size_t d = bloco * kDiasPorBloco + 1; d <= fim; ++d) {
            if (clima.Prec[d] == 0) continue;
            const PerfilTempestade p =
                CalcularPerfil(clima.Prec[d], clima.Dur[d], clima.Ti[d], clima.Ii[d]);
            clima.ParamA[d] = p.ParamA;
            clima.ParamB[d] = p.ParamB;
            clima.ParamC[d] = p.ParamC;
            clima.ParamD[d] = p.ParamD;
        }
    });
}

}  // namespace ventaro
