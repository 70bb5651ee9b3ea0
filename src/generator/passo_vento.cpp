#include "generator/passo_vento.h"

#include "generator/amostragem.h"

namespace ventaro {

bool SimularVento(ContextoPasso& ctx) {
    TClima& clima = ctx.clima;
    const TDados& dados = ctx.dados;
    const std::size_t n = ctx.NumDias();
    for (std::size_t d = 1; d <= n; ++d) {
        if (ctx.Cancelado()) return false;
        const int m = clima.Mes[d];
        const double z = ctx.fluxo.Normal();
        double v = clima.Prec[d] != 0
                       ? Skew(z, dados.XVVentoCh[m], dados.SVVentoCh[m], dados.SkewVVentoCh[m])
                       : Skew(z, dados.XVVentoSe[m], dados.SVVentoSe[m], dados.SkewVVentoSe[m]);
        if (v < 0.1) v = 0.1;
        clima.VVento[d] = v;
    }
    return true;
}

}  // namespace ventaro
