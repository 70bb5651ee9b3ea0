#include "support/serie_aleatoria.h"

#include "generator/fluxo_aleatorio.h"

namespace ventaro::teste {

TClima SerieAleatoria(int64_t num_anos) {
    TClima clima = TClima::ParaPeriodo(1, num_anos);
    FluxoAleatorio fluxo(5);
    for (std::size_t d = 1; d <= static_cast<std::size_t>(clima.NumDias); ++d) {
        if (fluxo.Uniform() < 0.3) {
            clima.Prec[d] = 0.2 + 60.0 * fluxo.Uniform() * fluxo.Uniform();
            clima.Dur[d] = 0.2 + 23.8 * fluxo.Uniform();
            clima.Ti[d] = 0.001 + 0.989 * fluxo.Uniform();
            clima.Ii[d] = 0.2 + 120.0 * fluxo.Uniform();
        }
        clima.TMax[d] = 27.0 + 3.5 * fluxo.Normal();
        clima.TMin[d] = 15.0 + 4.0 * fluxo.Normal();
        clima.Rad[d] = 18.0 + 5.0 * fluxo.Normal();
        clima.VVento[d] = 2.0 + 0.8 * fluxo.Uniform();
        clima.Umid[d] = 0.55 + 0.4 * fluxo.Uniform();
    }
    return clima;
}

}  // namespace ventaro::teste
