#include <benchmark/benchmark.h>

#include "core/estatisticas_serie.h"
#include "core/tclima.h"
#include "core/tdados.h"
#include "generator/fluxo_aleatorio.h"

namespace {

// A century of plausible daily values; the statistics do not care where they come from.
ventaro::TClima SerieDeCemAnos() {
    ventaro::TClima clima = ventaro::TClima::ParaPeriodo(1, 100);
    ventaro::FluxoAleatorio fluxo;
    for (int64_t d = 1; d <= clima.NumDias; ++d) {
        const auto i = static_cast<std::size_t>(d);
        if (fluxo.Uniform() < 0.35) {
            clima.Prec[i] = 0.2 + 40.0 * fluxo.Uniform();
            clima.Dur[i] = 0.2 + 12.0 * fluxo.Uniform();
            clima.Ti[i] = 0.001 + 0.989 * fluxo.Uniform();
            clima.Ii[i] = 0.2 + 80.0 * fluxo.Uniform();
        }
        clima.TMax[i] = 28.0 + 3.0 * fluxo.Normal();
        clima.TMin[i] = 17.0 + 2.5 * fluxo.Normal();
        clima.Rad[i] = 18.0 + 4.0 * fluxo.Normal();
        clima.VVento[i] = 0.1 + 4.0 * fluxo.Uniform();
        clima.Umid[i] = 0.4 + 0.6 * fluxo.Uniform();
    }
    return clima;
}

void BM_EstatisticasSerie100Anos(benchmark::State& state) {
    const ventaro::TClima clima = SerieDeCemAnos();
    ventaro::TDados dados;
    for (auto _ : state) {
        ventaro::CalcularEstatisticasSerie(dados, clima, 100, 1);
        benchmark::DoNotOptimize(dados.SkewPrec[1]);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * clima.NumDias);
}
BENCHMARK(BM_EstatisticasSerie100Anos)->Unit(benchmark::kMicrosecond);

}  // namespace
