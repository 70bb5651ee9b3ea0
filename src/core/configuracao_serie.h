#pragma once

#include <cstdint>
#include <optional>

#include "core/cenario_climatico.h"

namespace ventaro {

// Which variables a run simulates besides the wet/dry sequence and the depths, which every run
// draws. Temperatures and radiation come from one process: any of the three runs it.
struct VariaveisSimuladas {
    bool SimularPrec = false;  // storm duration, peak intensity and profile
    bool SimularTMax = false;
    bool SimularTMin = false;
    bool SimularRad = false;
    bool SimularVVento = false;
    bool SimularUmid = false;

    bool AlgumaClimatica() const {
        return SimularTMax || SimularTMin || SimularRad || SimularVVento || SimularUmid;
    }
    bool operator==(const VariaveisSimuladas&) const = default;
};

// Settings of a run. The member values are those of a new generator; Padroes() gives the
// defaults the settings panel restores.
struct ConfiguracaoSerie {
    uint32_t NumAnos = 1;
    uint32_t APartir = 1;
    bool Correcao = true;
    VariaveisSimuladas Variaveis;
    // Rescale each month's wet-day depths so that the monthly and annual totals vary from year
    // to year as much as in the rainfall station's record. Off: the series of the model alone.
    bool VariabilidadeAnual = false;
    // First state of the run's random stream: 5, the model's own, unless another is asked for
    // (the members of an ensemble take one each).
    uint32_t Semente = 5;
    // A climate-change scenario for the run. Calcular reads only the parameters it is given:
    // the front ends apply the scenario to a copy of the stations (AplicarCenario) before the
    // run, and the writers name it. Empty: the present climate.
    std::optional<CenarioClimatico> Cenario;

    // 10 years from year 1, with corrections, storms simulated and no climate variable, seed 5
    // and no scenario.
    static ConfiguracaoSerie Padroes() {
        ConfiguracaoSerie c;
        c.NumAnos = 10;
        c.Variaveis.SimularPrec = true;
        return c;
    }
    void RestaurarPadroes() { *this = Padroes(); }
    bool operator==(const ConfiguracaoSerie&) const = default;
};

}  // namespace ventaro
