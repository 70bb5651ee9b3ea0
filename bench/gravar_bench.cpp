#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/tclima.h"
#include "core/tdados.h"
#include "generator/fluxo_aleatorio.h"
#include "output/arquivo_serie.h"
#include "output/formato_numero.h"
#include "support/serie_aleatoria.h"

namespace ventaro {
namespace {

TDados DadosDeTeste() {
    TDados dados;
    dados.CodEstacao = 2045012;
    dados.SetNome("São João del-Rei");
    dados.Latitude = -21.1356;
    dados.Longitude = -44.2614;
    dados.CodEstacaoClima = 83587;
    dados.SetNomeClima("Belo Horizonte");
    dados.LatitudeClima = -19.93;
    dados.LongitudeClima = -43.95;
    return dados;
}

void GravarSerieAnos(benchmark::State& state, int64_t num_anos) {
    const TClima clima = teste::SerieAleatoria(num_anos);
    const TDados dados = DadosDeTeste();
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string texto = TextoSerie(dados, clima, static_cast<uint32_t>(num_anos), ',');
        bytes = texto.size();
        benchmark::DoNotOptimize(texto.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
    state.counters["linhas"] = static_cast<double>(clima.NumDias);
}

void BM_GravarSerie100Anos(benchmark::State& state) {
    GravarSerieAnos(state, 100);
}
BENCHMARK(BM_GravarSerie100Anos)->Unit(benchmark::kMillisecond);

void BM_GravarSerie1000Anos(benchmark::State& state) {
    GravarSerieAnos(state, 1000);
}
BENCHMARK(BM_GravarSerie1000Anos)->Unit(benchmark::kMillisecond);

// One value per call, of the kinds a series holds.
void BM_FormatoGeral(benchmark::State& state) {
    FluxoAleatorio fluxo(5);
    std::vector<double> valores(4096);
    for (double& v : valores) v = 40.0 * fluxo.Uniform() - 5.0;
    std::string destino;
    destino.reserve(64);
    std::size_t i = 0;
    for (auto _ : state) {
        destino.clear();
        AcrescentarFormatoGeral(destino, valores[i++ & 4095], '.');
        benchmark::DoNotOptimize(destino.data());
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
}
BENCHMARK(BM_FormatoGeral);

void BM_FormatarCampo(benchmark::State& state) {
    FluxoAleatorio fluxo(5);
    std::vector<double> valores(4096);
    for (double& v : valores) v = 40.0 * fluxo.Uniform() - 5.0;
    std::string destino;
    destino.reserve(kMaxCampo + 8);
    std::size_t i = 0;
    for (auto _ : state) {
        destino.clear();
        AcrescentarCampo(destino, valores[i++ & 4095], 4, '.');
        benchmark::DoNotOptimize(destino.data());
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
}
BENCHMARK(BM_FormatarCampo);

// The raw field writer the series file uses, on values of the kinds a series holds (a third of
// them 0, as the storm fields of dry days), widths 4 and 5.
void BM_EscreverCampo(benchmark::State& state) {
    FluxoAleatorio fluxo(5);
    std::vector<double> valores(4096);
    for (double& v : valores) v = fluxo.Uniform() < 0.33 ? 0.0 : 40.0 * fluxo.Uniform() - 5.0;
    char destino[kMaxCampo + 8];
    std::size_t i = 0;
    for (auto _ : state) {
        char* fim = EscreverCampo(destino, valores[i & 4095], 4 + static_cast<int>(i & 1), '.');
        ++i;
        benchmark::DoNotOptimize(fim);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
}
BENCHMARK(BM_EscreverCampo);

}  // namespace
}  // namespace ventaro
