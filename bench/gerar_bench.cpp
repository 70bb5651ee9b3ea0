// Whole generator runs on the example stations: 1, 100 and 1000 years with every variable and
// correction, with the table inversion and with the plain scan, and an erosivity run; and
// `ventaro-cli gerar` itself, stations read from the sample database and the series file
// written, for 1, 100 and 1000 years.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>

#include "cli/executar.h"
#include "generator/tcalcular_serie_sintetica.h"
#include "support/dados_exemplo.h"

namespace {

using ventaro::MetodoInversao;
using ventaro::ModoCalculo;
using ventaro::TCalcularSerieSintetica;

ventaro::ConfiguracaoSerie Tudo(uint32_t anos) {
    ventaro::ConfiguracaoSerie c;
    c.NumAnos = anos;
    c.APartir = 1989;
    c.Correcao = true;
    c.Variaveis = {true, true, true, true, true, true};
    return c;
}

void Gerar(benchmark::State& state, MetodoInversao metodo, ModoCalculo modo, uint32_t anos) {
    const ventaro::TDados dados = ventaro::teste::DadosExemplo();
    const TCalcularSerieSintetica gerador(metodo);
    const ventaro::ConfiguracaoSerie config = Tudo(anos);
    int64_t dias = 0;
    for (auto _ : state) {
        auto clima = gerador.Calcular(dados, config, modo).Clima;
        dias = clima.NumDias;
        benchmark::DoNotOptimize(clima.Prec.data());
    }
    state.counters["dias"] = static_cast<double>(dias);
    state.counters["dias/s"] = benchmark::Counter(static_cast<double>(dias),
                                                  benchmark::Counter::kIsIterationInvariantRate);
}

void Gerar1(const ventaro::TDados& dados, MetodoInversao metodo) {
    const TCalcularSerieSintetica gerador(metodo);
    benchmark::DoNotOptimize(gerador.Calcular(dados, Tudo(100)).Clima.Prec.data());
}

void BM_Gerar1Ano(benchmark::State& state) {
    Gerar(state, MetodoInversao::Tabela, ModoCalculo::Normal, 1);
}
BENCHMARK(BM_Gerar1Ano)->Unit(benchmark::kMillisecond);

void BM_Gerar100AnosRapido(benchmark::State& state) {
    Gerar(state, MetodoInversao::Tabela, ModoCalculo::Normal, 100);
}
BENCHMARK(BM_Gerar100AnosRapido)->Unit(benchmark::kMillisecond);

// The same run with the plain scan. The counter "vezes" is its time over the best of a few
// table runs timed alongside: the speed-up of the tables.
void BM_Gerar100AnosDireto(benchmark::State& state) {
    const ventaro::TDados dados = ventaro::teste::DadosExemplo();
    const TCalcularSerieSintetica rapido;
    double melhor_rapido = 1e300;
    for (int i = 0; i < 5; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(rapido.Calcular(dados, Tudo(100)).Clima.Prec.data());
        const std::chrono::duration<double> t = std::chrono::steady_clock::now() - t0;
        melhor_rapido = std::min(melhor_rapido, t.count());
    }
    double total = 0.0;
    int execucoes = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        Gerar1(dados, MetodoInversao::Direta);
        const std::chrono::duration<double> t = std::chrono::steady_clock::now() - t0;
        total += t.count();
        ++execucoes;
    }
    state.counters["vezes"] = total / execucoes / melhor_rapido;
}
BENCHMARK(BM_Gerar100AnosDireto)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_Gerar100AnosErosividade(benchmark::State& state) {
    Gerar(state, MetodoInversao::Tabela, ModoCalculo::Erosividade, 100);
}
BENCHMARK(BM_Gerar100AnosErosividade)->Unit(benchmark::kMillisecond);

void BM_Gerar1000AnosRapido(benchmark::State& state) {
    Gerar(state, MetodoInversao::Tabela, ModoCalculo::Normal, 1000);
}
BENCHMARK(BM_Gerar1000AnosRapido)->Unit(benchmark::kMillisecond);

// What `ventaro-cli gerar --pluviometrica 2045012 --climatologica 83587 --anos N --saida ...`
// does, in-process: stations read from the sample database, every variable the stations allow,
// corrections, the series file written aside and moved into place. Each run writes a file
// that does not exist yet, as a first run does (the previous run's file is removed while the
// clock is stopped). With `substituir`, each run replaces the previous run's file instead:
// that adds what the file system spends releasing the old file (on ext4, which also starts
// writing the new file out when a rename replaces another, several to tens of milliseconds
// for 36 MB, depending on the disk).
void GerarEGravar(benchmark::State& state, const char* anos, bool substituir = false) {
    namespace fs = std::filesystem;
    std::string nome = "ventaro_bench_serie_";
    nome += std::to_string(::getpid());
    nome += ".txt";
    const fs::path saida = fs::temp_directory_path() / nome;
    ventaro::OpcoesGerar opcoes;
    opcoes.banco = (fs::path(VENTARO_BIN_DIR) / "bd.sqlite").string();
    opcoes.pluviometrica = "2045012";
    opcoes.climatologica = "83587";
    opcoes.anos = anos;
    opcoes.separador.emplace(1, '.');
    opcoes.saida = saida.string();
    if (substituir) ventaro::ExecutarGerar(opcoes);
    for (auto _ : state) {
        if (!substituir) {
            state.PauseTiming();
            fs::remove(saida);
            state.ResumeTiming();
        }
        ventaro::ExecutarGerar(opcoes);
    }
    state.counters["bytes"] = static_cast<double>(fs::file_size(saida));
    fs::remove(saida);
}

void BM_GerarEGravar1Ano(benchmark::State& state) {
    GerarEGravar(state, "1");
}
BENCHMARK(BM_GerarEGravar1Ano)->Unit(benchmark::kMillisecond);

void BM_GerarEGravar100Anos(benchmark::State& state) {
    GerarEGravar(state, "100");
}
BENCHMARK(BM_GerarEGravar100Anos)->Unit(benchmark::kMillisecond);

void BM_GerarEGravar1000Anos(benchmark::State& state) {
    GerarEGravar(state, "1000");
}
BENCHMARK(BM_GerarEGravar1000Anos)->Unit(benchmark::kMillisecond);

void BM_GerarEGravar1000AnosSubstituindo(benchmark::State& state) {
    GerarEGravar(state, "1000", true);
}
BENCHMARK(BM_GerarEGravar1000AnosSubstituindo)->Unit(benchmark::kMillisecond);

}  // namespace
