// An erosivity batch of 4 stations x 40 years of the sample database: one station after the
// other on one thread (--tarefas 1), two stations at a time (--tarefas 2), and, for reference,
// one station at a time with each run splitting its own passes over both cores as a single
// generator run does. Reported as the best of a few runs of each, interleaved; "razao" is the
// one-thread time over the two-task time.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "erosivity/calcular_erosividade.h"
#include "erosivity/texporta_excel.h"

namespace {

namespace fs = std::filesystem;

const std::vector<std::string> kEstacoes = {"2045012", "2345024", "2345106", "2447049"};

ventaro::ParametrosLote Lote(const fs::path& pasta, unsigned tarefas) {
    ventaro::ParametrosLote p;
    p.Banco = fs::path(VENTARO_BIN_DIR) / "bd.sqlite";
    p.Estacoes = kEstacoes;
    p.NumAnos = 40;
    p.APartir = 1981;
    p.Pasta = pasta;
    p.Tarefas = tarefas;
    return p;
}

double Segundos(const std::function<void()>& f) {
    const auto t0 = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

void BM_Erosividade4Estacoes40Anos(benchmark::State& state) {
    const fs::path pasta =
        fs::temp_directory_path() / ("ventaro_bench_erosividade_" + std::to_string(::getpid()));
    const auto Rodar = [&](unsigned tarefas) {
        fs::remove_all(pasta);
        ventaro::TExportaExcel planilha;
        ventaro::CalcularErosividade(Lote(pasta, tarefas), planilha);
    };
    const auto UmaPorVezDoisNucleos = [&] {
        fs::remove_all(pasta);
        for (const std::string& estacao : kEstacoes) {
            ventaro::ParametrosLote p = Lote(pasta, 2);
            p.Estacoes = {estacao};
            ventaro::TExportaExcel planilha;
            ventaro::CalcularErosividade(p, planilha);
        }
    };
    double sequencial = 1e300, duas = 1e300, referencia = 1e300;
    for (auto _ : state) {
        for (int i = 0; i < 3; ++i) {
            sequencial = std::min(sequencial, Segundos([&] { Rodar(1); }));
            duas = std::min(duas, Segundos([&] { Rodar(2); }));
            referencia = std::min(referencia, Segundos(UmaPorVezDoisNucleos));
        }
    }
    fs::remove_all(pasta);
    state.counters["tarefas1_s"] = sequencial;
    state.counters["tarefas2_s"] = duas;
    state.counters["razao"] = sequencial / duas;
    state.counters["uma_por_vez_2nucleos_s"] = referencia;
}
BENCHMARK(BM_Erosividade4Estacoes40Anos)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
