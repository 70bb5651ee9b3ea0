#pragma once

#include <string>
#include <string_view>

#include "core/mensal.h"
#include "core/tdados.h"

namespace ventaro {

// What a climate-change scenario asks of one month, and the line of the scenario file it came
// from (for the messages of AplicarCenario).
struct MesCenario {
    double FatorChuvaMedia = 1.0;    // wet-day mean depth (and its deviation) times this
    double FatorDiasChuvosos = 1.0;  // stationary fraction of wet days times this
    double DeltaTMax = 0.0;          // °C added to the mean maximum temperature
    double DeltaTMin = 0.0;          // °C added to the mean minimum temperature
    double FatorRadiacao = 1.0;      // mean radiation times this
    int Linha = 0;
    bool operator==(const MesCenario&) const = default;
};

// A monthly climate-change scenario: twelve months of changes to the stations' parameters.
// `Nome` names it in the headers of the files written from its series.
struct CenarioClimatico {
    std::string Nome;
    // The file as the user named it, for messages.
    std::string Origem;
    Mensal<MesCenario> Meses;
    bool operator==(const CenarioClimatico&) const = default;
};

// The column names of a scenario file, in the order its header usually gives them.
inline constexpr const char* kColunasCenario[] = {
    "mes",        "fator_chuva_media", "fator_dias_chuvosos",
    "delta_tmax", "delta_tmin",        "fator_radiacao"};

// Reads a scenario from the text of its file: a header naming the six columns (any order), then
// one row per month, 1 to 12, each exactly once. Fields are separated by commas, or by
// semicolons with a decimal comma (a spreadsheet's export in Portuguese); blank lines and lines
// starting with '#' are skipped. A missing or repeated month, a field that is not a number, a
// factor not above 0, a month outside 1-12, a row with the wrong number of fields or an unknown
// column fails with an ErroVentaro naming `origem`, the line and the field.
CenarioClimatico LerCenario(std::string_view texto, std::string nome, std::string origem);

// Applies the scenario to the stations' parameters, month by month: XPrec and SPrec times the
// rain factor (the skewness, a shape, stays); PCS times the wet-day factor and PCC moved by the
// same amount, so that the stationary wet fraction PCS / (1 - PCC + PCS) changes by the factor
// while the persistence PCC - PCS stays (the record's wet and dry day counts follow the new
// fraction); the dry- and wet-day mean temperatures shifted; the mean radiations scaled. A month
// whose transition probabilities would leave [0, 1] fails with an ErroVentaro naming the month,
// the line and the field, and leaves `dados` untouched.
void AplicarCenario(const CenarioClimatico& cenario, TDados& dados);

}  // namespace ventaro
