#pragma once

#include <array>
#include <string>
#include <vector>

#include "core/mensal.h"
#include "core/tdados.h"
#include "import/tempestades_horarias.h"

namespace ventaro {

// How the storm laws of one month and depth class were estimated. A cell with fewer storms
// than the minimum borrows, trying these pools in order until one holds enough.
enum class RegraCelula {
    Propria,           // the cell's own storms
    ClassesVizinhas,   // its month, its class and the classes next to it
    Estacao,           // its class in the three months of its season (DJF, MAM, JJA, SON)
    TodosOsMeses,      // its class in every month
    ClassesAmpliadas,  // every month, classes widened around its own, one on each side at a time
};

struct CelulaEstimativa {
    int Proprias = 0;  // storms of the month and class
    int Usadas = 0;    // storms behind the cell's laws
    RegraCelula Regra = RegraCelula::Propria;
    int ClasseInicial = 0;  // depth classes pooled
    int ClasseFinal = 0;
    // Whether the generator's peaks of the cell's storms average the recorded peaks (see
    // EscalaPicoGerado); when not, their mean is the nearest a law gives, above the record's.
    bool PicoAlcancado = true;
};

struct EstimativaRegiao {
    // AlfaDur, BetaDur, AlfaIi, BetaIi and BetaTi of every month and class; nothing else.
    TDados Leis;
    Mensal<std::array<CelulaEstimativa, kNumClasses>> Celulas;
    int Minimo = 0;
    int NumTempestades = 0;
};

inline constexpr int kMinimoTempestadesPadrao = 10;
inline constexpr int kMinimoTempestadesMenor = 2;  // a spread needs two storms

// Largest gamma shape written. A sample of equal durations (a cell of one-hour showers) has no
// spread and an infinite moment shape; a shape of 50 is already a narrow law (coefficient of
// variation 0.14), and far larger ones overflow the generator's normalising constant.
inline constexpr double kAlfaMaximo = 50.0;

// The regional storm laws of each month (1-12) and depth class (0-11) from the storms of
// hourly records: a method-of-moments gamma law of duration (sample variance; a shape below 1
// is raised to 1 and one above kAlfaMaximo lowered to it, the scale refitted to keep the mean),
// and a gamma law of peak intensity with the moment shape of the recorded peaks, so clamped,
// and the scale for which the peaks the generator draws for the cell's storms average the
// recorded ones: the generator keeps only draws above the storm's mean intensity depth over
// duration, with a duration drawn from the duration law (EscalaPicoGerado,
// IntensidadesMediasGeradas). The mean normalised time to peak is the exponential law's mean.
// Cells with fewer than `minimo` storms borrow (RegraCelula). Fails when the storms are fewer
// than `minimo` or `minimo` is below kMinimoTempestadesMenor.
EstimativaRegiao EstimarLeisRegiao(const std::vector<TempestadeObservada>& tempestades, int minimo);

// "jan" ... "dez", and "0-5" ... "80-90", "90+" (mm).
std::string NomeMesCurto(int mes);
std::string NomeClasseCurto(int classe);

// The table of the report: one row per month, one column per depth class, each cell the number
// of its own storms, and for a borrowed cell "/", the storms used and the rule's letter; then
// the legend, the classes pooled by ClassesAmpliadas and the cells whose recorded mean peak the
// generator cannot reach.
std::string TabelaEstimativa(const EstimativaRegiao& estimativa);

}  // namespace ventaro
