#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "import/dados_clima.h"
#include "import/estimativa_regiao.h"
#include "import/tempestades_horarias.h"

namespace ventaro {

// Hourly depth to peak intensity: 1 keeps the largest hourly depth as the storm's peak
// intensity (README.md, "Command line", gives the ratios of shorter durations in use in
// Brazil and why none is applied by default).
inline constexpr double kFatorPicoPadrao = 1.0;

struct OpcoesEstimativaRegiao {
    double FatorPico = kFatorPicoPadrao;
    int Minimo = kMinimoTempestadesPadrao;
};

// What one hourly file gave.
struct ArquivoHorario {
    std::filesystem::path Arquivo;
    IdentidadeArquivo Identidade;
    std::size_t Horas = 0;
    std::size_t HorasSemValor = 0;
    TempestadesHorarias Tempestades;
};

struct EstimativaArquivos {
    std::vector<ArquivoHorario> Arquivos;
    double FatorPico = kFatorPicoPadrao;
    EstimativaRegiao Estimativa;
};

// Reads the hourly files, takes their storms and fits the region's laws. A file that is not an
// hourly INMET record, or that has no storm, fails with a message naming it, as do a peak
// factor that is not a positive number and a minimum below kMinimoTempestadesMenor. Nothing is
// written.
EstimativaArquivos EstimarRegiaoDeArquivos(const std::vector<std::filesystem::path>& arquivos,
                                           const OpcoesEstimativaRegiao& opcoes);

// The report: one line per file, the number of storms with their mean duration, peak intensity
// and time to peak, then TabelaEstimativa. Decimals use `separador`.
std::string RelatorioEstimativa(const EstimativaArquivos& estimativa, char separador);

// Option values typed by the user; anything else fails with a message naming the value.
int LerRegiao(const std::string& texto);             // 1 to 7
double LerFatorPico(const std::string& texto);       // a positive number ("." or ",")
int LerMinimoTempestades(const std::string& texto);  // a whole number of at least 2

}  // namespace ventaro
