#include "generator/passo_precipitacao.h"

#include <cmath>

#include "generator/amostragem.h"

namespace ventaro {

double TempoAtePico(double u, double beta_ti) {
    const double x = -beta_ti * std::log(1.0 - u);
    return x > 0.99 ? 0.99 : x < 0.001 ? 0.001 : x;
}

bool SimularPrecipitacao(ContextoPasso& ctx) {
    TClima& clima = ctx.clima;
    const TDados& dados = ctx.dados;
    FluxoAleatorio& fluxo = ctx.fluxo;
    const std::size_t n = ctx.NumDias();
    for (std::size_t d = 1; d <= n; ++d) {
        if (ctx.Cancelado()) return false;
        const int m = clima.Mes[d];
        const double u = fluxo.Uniform();
        // Day 0 is dry, so the first day of the series uses PCS of its month.
        const double p = clima.Prec[d - 1] > 0 ? dados.PCC[m] : dados.PCS[m];
        if (u > p) {
            clima.LimparDia(static_cast<int64_t>(d));
        } else {
            double lamina = Skew(fluxo.Normal(), dados.XPrec[m], dados.SPrec[m], dados.SkewPrec[m]);
            if (lamina < 0.2) lamina = 0.2;
            clima.Prec[d] = lamina;
            const int classe = ClasseLamina(lamina);
            clima.Ti[d] = TempoAtePico(fluxo.Uniform(), dados.BetaTi[m][classe]);
        }
        ctx.Notificar(static_cast<int64_t>(d + 1));
    }
    return true;
}

}  // namespace ventaro
