// Everything the result views work out after a 100-year run of the example stations (the run of
// BM_Gerar100AnosRapido): the statistics of the series, the 19 daily charts, the 42 monthly and
// 36 regression tabs with their grids, a screen of the storm and series tables, and the profile
// of the wettest day.
#include <benchmark/benchmark.h>

#include "core/estatisticas_serie.h"
#include "generator/tcalcular_serie_sintetica.h"
#include "support/dados_exemplo.h"
#include "views/perfil_precipitacao.h"
#include "views/regressao_linear.h"
#include "views/tabelas_serie.h"
#include "views/valores_diarios.h"
#include "views/valores_mensais.h"

namespace {

void BM_Visualizacoes100Anos(benchmark::State& state) {
    using namespace ventaro;
    const TDados dados = teste::DadosExemplo();
    ConfiguracaoSerie config;
    config.NumAnos = 100;
    config.APartir = 1989;
    config.Correcao = true;
    config.Variaveis = {true, true, true, true, true, true};
    const TClima clima = TCalcularSerieSintetica().Calcular(dados, config).Clima;
    int64_t mais_chuvoso = 1;
    for (int64_t d = 1; d <= clima.NumDias; ++d) {
        if (clima.Prec[static_cast<std::size_t>(d)] >
            clima.Prec[static_cast<std::size_t>(mais_chuvoso)]) {
            mais_chuvoso = d;
        }
    }
    std::vector<double> valores;
    for (auto _ : state) {
        TDados estatisticas;
        CalcularEstatisticasSerie(estatisticas, clima, config.NumAnos, config.APartir);
        const Resultados r{clima, dados, estatisticas, config};
        for (const GraficoDiario& g : GraficosDiarios()) {
            ValoresDiarios(g, clima, config.Variaveis, valores);
            benchmark::DoNotOptimize(valores.data());
        }
        for (const AbaMensal& aba : AbasMensais()) {
            benchmark::DoNotOptimize(CalcularAbaMensal(aba, r, ',').Grade.Celula(3, 12).size());
        }
        for (const AbaRegressao& aba : AbasRegressao()) {
            benchmark::DoNotOptimize(CalcularAbaRegressao(aba, r, ',').Regressao.R2());
        }
        // The rows a table view asks for when it opens.
        const TabelaTempestades tempestades(clima, true, ',');
        const TabelaSerie serie(clima, true, ',');
        for (int64_t linha = 0; linha < 40; ++linha) {
            for (int c = 0; c < tempestades.NumColunas(); ++c) {
                benchmark::DoNotOptimize(tempestades.Celula(linha, c).size());
            }
            for (int c = 0; c < serie.NumColunas(); ++c) {
                benchmark::DoNotOptimize(serie.Celula(linha, c).size());
            }
        }
        benchmark::DoNotOptimize(CalcularPerfil(clima, mais_chuvoso, ',').Intensidade.back());
    }
    state.counters["dias"] = static_cast<double>(clima.NumDias);
}
BENCHMARK(BM_Visualizacoes100Anos)->Unit(benchmark::kMillisecond);

}  // namespace
