#pragma once

#include <array>
#include <cstdint>

#include "core/configuracao_serie.h"
#include "core/mensal.h"
#include "core/tdados.h"
#include "views/resultados.h"

namespace ventaro {

using CampoMensal = Mensal<double> TDados::*;

// The four fields of a climate variable split into dry and wet days: XTMaxSe, XTMaxCh, STMaxSe
// and STMaxCh for the maximum temperature.
struct CamposClima {
    CampoMensal XSe = nullptr;
    CampoMensal XCh = nullptr;
    CampoMensal SSe = nullptr;
    CampoMensal SCh = nullptr;
};

// How the twelve observed (X) and generated (Y) values of a monthly comparison are taken.
enum class TipoPar {
    Direto,           // X = observed field, Y = generated field
    SoGerado,         // no observed value; Y = generated field
    MediaTodosDias,   // mean of all days from the dry-day and wet-day means and counts
    DesvioTodosDias,  // deviation of all days from the dry-day and wet-day groups
    DiasChuvosos,     // wet days expected from the observed chain vs generated wet days
};

struct DefinicaoPar {
    TipoPar Tipo = TipoPar::Direto;
    CampoMensal Campo = nullptr;  // Direto and SoGerado
    CamposClima Clima{};          // MediaTodosDias and DesvioTodosDias
    bool VariaveisSimuladas::*Chave = nullptr;
};

// Month m is index m - 1.
struct ParesMensais {
    std::array<double, 12> X{};
    std::array<double, 12> Y{};
    bool operator==(const ParesMensais&) const = default;
};

// The pairs of one comparison; all 24 values are 0 when the run did not simulate the variable.
// The observed values are the rainfall station's for precipitation and the climatological
// station's counts (DSecosClima, DUmidosClima) for the climate variables; the generated ones
// use the series' own counts.
ParesMensais CalcularPares(const DefinicaoPar& definicao, const Resultados& resultados);

// Wet days each month of a run of `num_anos` years from `a_partir` should have if the wet/dry
// sequence followed the observed chain: the month's days times its stationary wet-day share
// PCS / (PCS + 1 - PCC), truncated. A month whose share is undefined (PCS = 0 and PCC = 1)
// expects 0.
Mensal<int32_t> DiasUmidosEsperados(const TDados& observado, uint32_t num_anos, uint32_t a_partir);

// Mean of all days of a month from its dry-day and wet-day groups, or 0 when both are empty.
double MediaTodosDias(int64_t n_secos, int64_t n_umidos, double x_secos, double x_umidos);

// Standard deviation of all days of a month, or 0 when the two groups hold fewer than two days.
double DesvioTodosDias(int64_t n_secos, int64_t n_umidos, double s_secos, double s_umidos,
                       double x_secos, double x_umidos);

}  // namespace ventaro
