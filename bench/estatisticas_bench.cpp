#include <benchmark/benchmark.h>

#include "core/estatisticas_serie.h"
#include "core/tclima.h"
#include "core/tdados.h"
#include "support/serie_aleatoria.h"

namespace {

void BM_EstatisticasSerie100Anos(benchmark::State& state) {
    const ventaro::TClima clima = ventaro::teste::SerieAleatoria(100);
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
