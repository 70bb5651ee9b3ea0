#include "generator/passo_temperatura_radiacao.h"

#include <array>
#include <cassert>

namespace ventaro {

bool SimularTemperaturaRadiacao(ContextoPasso& ctx) {
    using Matriz3 = std::array<std::array<double, 3>, 3>;
    TClima& clima = ctx.clima;
    const TDados& dados = ctx.dados;
    std::array<Matriz3, 13> a{};
    std::array<Matriz3, 13> b{};
    for (int m = 1; m <= 12; ++m) {
        assert(dados.MatrizA[m].Linhas() == 3 && dados.MatrizA[m].Colunas() == 3);
        assert(dados.MatrizB[m].Linhas() == 3 && dados.MatrizB[m].Colunas() == 3);
        for (std::size_t i = 0; i < 3; ++i) {
            for (std::size_t k = 0; k < 3; ++k) {
                a[static_cast<std::size_t>(m)][i][k] = dados.MatrizA[m](i, k);
                b[static_cast<std::size_t>(m)][i][k] = dados.MatrizB[m](i, k);
            }
        }
    }

    std::array<double, 3> chi = {dados.XResJanTMax, dados.XResJanTMin, dados.XResJanRad};
    const std::size_t n = ctx.NumDias();
    for (std::size_t d = 1; d <= n; ++d) {
        if (ctx.Cancelado()) return false;
        // The deviates of a day come in the order TMax, TMin, Rad; nothing else draws during
        // this pass, so drawing them day by day gives the same stream as drawing all first.
        std::array<double, 3> eps;
        for (double& e : eps) e = ctx.fluxo.Normal();
        const int m = clima.Mes[d];
        const Matriz3& am = a[static_cast<std::size_t>(m)];
        const Matriz3& bm = b[static_cast<std::size_t>(m)];
        std::array<double, 3> proximo;
        for (std::size_t i = 0; i < 3; ++i) {
            double ax = 0.0;
            for (std::size_t k = 0; k < 3; ++k) ax = ax + am[i][k] * chi[k];
            double bx = 0.0;
            for (std::size_t k = 0; k < 3; ++k) bx = bx + bm[i][k] * eps[k];
            proximo[i] = ax + bx;
        }
        chi = proximo;
        if (clima.Prec[d] > 0) {
            clima.TMax[d] = dados.STMaxCh[m] * chi[0] + dados.XTMaxCh[m];
            clima.TMin[d] = dados.STMinCh[m] * chi[1] + dados.XTMinCh[m];
            clima.Rad[d] = dados.SRadCh[m] * chi[2] + dados.XRadCh[m];
        } else {
            clima.TMax[d] = dados.STMaxSe[m] * chi[0] + dados.XTMaxSe[m];
            clima.TMin[d] = dados.STMinSe[m] * chi[1] + dados.XTMinSe[m];
            clima.Rad[d] = dados.SRadSe[m] * chi[2] + dados.XRadSe[m];
        }
    }
    return true;
}

int64_t LimitarTMinPelaTMax(TClima& clima) {
    int64_t dias = 0;
    const auto n = static_cast<std::size_t>(clima.NumDias);
    for (std::size_t d = 1; d <= n; ++d) {
        if (clima.TMin[d] > clima.TMax[d]) {
            clima.TMin[d] = clima.TMax[d];
            ++dias;
        }
    }
    return dias;
}

}  // namespace ventaro
