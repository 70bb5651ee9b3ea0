#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/calendario.h"
#include "import/chuvas_ana.h"
#include "import/leitor_bdmep.h"

namespace ventaro {
namespace {

// A BDMEP export of 30 years written `copias` times over (about 1 MB a copy): the readers hold
// one entry per date, so time grows with the file and memory does not.
std::filesystem::path ExportacaoBdmep(int copias) {
    const auto arquivo = std::filesystem::temp_directory_path() /
                         ("ventaro_bench_bdmep_" + std::to_string(copias) + ".csv");
    std::ofstream saida(arquivo, std::ios::binary);
    saida << "Nome: BENCH\nCodigo Estacao: 12345\nLatitude: -19,9\n\n"
             "Data Medicao;INSOLACAO TOTAL, DIARIO(h);PRECIPITACAO TOTAL, DIARIO(mm);"
             "TEMPERATURA MAXIMA, DIARIA(°C);TEMPERATURA MINIMA, DIARIA(°C);"
             "UMIDADE RELATIVA DO AR, MEDIA DIARIA(%);VENTO, VELOCIDADE MEDIA DIARIA(m/s);\n";
    for (int c = 0; c < copias; ++c) {
        for (int64_t ano = 1990; ano < 2020; ++ano) {
            for (int mes = 1; mes <= 12; ++mes) {
                for (int dia = 1; dia <= DiasNoMes(ano, mes); ++dia) {
                    char linha[96];
                    std::snprintf(linha, sizeof linha,
                                  "%04lld-%02d-%02d;%d,5;%s;29,1;18,4;%d;1,7;\n",
                                  static_cast<long long>(ano), mes, dia, dia % 12,
                                  dia % 3 ? "0" : "12,4", 60 + dia);
                    saida << linha;
                }
            }
        }
    }
    return arquivo;
}

void BM_LerBdmepCsv(benchmark::State& state) {
    const auto arquivo = ExportacaoBdmep(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const LeituraDiaria l = LerBdmepCsv(arquivo);
        benchmark::DoNotOptimize(l.Dias.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(std::filesystem::file_size(arquivo)));
    std::filesystem::remove(arquivo);
}
BENCHMARK(BM_LerBdmepCsv)->Arg(1)->Arg(20)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace ventaro
