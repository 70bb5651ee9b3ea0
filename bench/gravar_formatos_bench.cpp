// Writers of the formats other models read, over the same 1000-year series as
// BM_GravarSerie1000Anos (gravar_bench.cpp), to compare the time per day. The text goes to a
// destination that only counts it, as the series file's benchmark builds its text in memory.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string_view>

#include "core/configuracao_serie.h"
#include "core/tclima.h"
#include "generator/perfil_tempestade.h"
#include "output/arquivo_csv.h"
#include "output/arquivo_swat.h"
#include "output/arquivo_wepp.h"
#include "output/texto_em_blocos.h"
#include "support/dados_exemplo.h"
#include "support/serie_aleatoria.h"

namespace ventaro {
namespace {

constexpr int64_t kAnos = 1000;

ConfiguracaoSerie TodasAsVariaveis() {
    ConfiguracaoSerie config;
    config.NumAnos = kAnos;
    config.Variaveis = {true, true, true, true, true, true};
    return config;
}

template <typename Escrever>
void Gravar(benchmark::State& state, const TClima& clima, Escrever escrever) {
    std::size_t bytes = 0;
    for (auto _ : state) {
        bytes = 0;
        TextoEmBlocos texto([&bytes](std::string_view bloco) {
            bytes += bloco.size();
            benchmark::DoNotOptimize(bloco.data());
        });
        escrever(texto);
        texto.Descarregar();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
    state.counters["dias"] = benchmark::Counter(static_cast<double>(clima.NumDias),
                                                benchmark::Counter::kIsIterationInvariantRate);
}

void BM_GravarCsv1000Anos(benchmark::State& state) {
    const TClima clima = teste::SerieAleatoria(kAnos);
    const TDados dados = teste::DadosExemplo();
    const ConfiguracaoSerie config = TodasAsVariaveis();
    Gravar(state, clima, [&](TextoEmBlocos& s) { EscreverCsv(dados, clima, config, s); });
}
BENCHMARK(BM_GravarCsv1000Anos)->Unit(benchmark::kMillisecond);

void BM_GravarWepp1000Anos(benchmark::State& state) {
    const TClima clima = teste::SerieAleatoria(kAnos);
    const TDados dados = teste::DadosExemplo();
    const ConfiguracaoSerie config = TodasAsVariaveis();
    Gravar(state, clima, [&](TextoEmBlocos& s) { EscreverWepp(dados, clima, config, false, s); });
}
BENCHMARK(BM_GravarWepp1000Anos)->Unit(benchmark::kMillisecond);

void BM_GravarWeppBreakpoint1000Anos(benchmark::State& state) {
    TClima clima = teste::SerieAleatoria(kAnos);
    CalcularPerfis(clima, false);
    const TDados dados = teste::DadosExemplo();
    const ConfiguracaoSerie config = TodasAsVariaveis();
    Gravar(state, clima, [&](TextoEmBlocos& s) { EscreverWepp(dados, clima, config, true, s); });
}
BENCHMARK(BM_GravarWeppBreakpoint1000Anos)->Unit(benchmark::kMillisecond);

// The five weather files and their five lists.
void BM_GravarSwat1000Anos(benchmark::State& state) {
    const TClima clima = teste::SerieAleatoria(kAnos);
    const TDados dados = teste::DadosExemplo();
    const ConfiguracaoSerie config = TodasAsVariaveis();
    Gravar(state, clima, [&](TextoEmBlocos& s) {
        for (int i = 0; i < kNumArquivosSwat; ++i) {
            EscreverSwat(static_cast<ArquivoSwat>(i), dados, clima, config, s);
        }
    });
}
BENCHMARK(BM_GravarSwat1000Anos)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace ventaro
