#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <tuple>
#include <vector>

#include "core/calendario.h"
#include "import/dados_clima.h"

namespace ventaro {

// One day as read from a daily export: each value may be missing. Humidity is a fraction 0-1,
// wind m/s, sunshine hours, precipitation mm.
struct DiaObservado {
    Data Dia;
    std::optional<double> TMax, TMin, Insolacao, Umid, VVento, Prec;
    // A value of the day was outside physical limits and was read as missing: the day stays
    // incomplete whatever another row of the same date gives.
    bool Impossivel = false;
};

// Whether a day holds all six values within what a station can measure: temperatures up to
// 60 C, sunshine from 0 to below 20 h, humidity 0-1, wind 0-60 m/s, precipitation 0-999 mm.
bool DiaCompleto(const DiaObservado& dia);

// The days of an export merged by date as they are read, so that a reader holds one entry per
// date whatever the length of the file: a date given twice keeps the values of its later entry
// that are present.
class DiasPorData {
  public:
    void Juntar(const DiaObservado& dia);
    std::size_t Quantidade() const { return dias_.size(); }
    // The days in date order.
    std::vector<DiaObservado> Dias() const;

  private:
    std::map<std::tuple<int64_t, int, int>, DiaObservado> dias_;
};

// The year records of a station from its days (any order; a date given twice keeps the values
// of its later entry that are present). Years run from the first to the last day's year, which
// must lie within kAnoMinimo..kAnoMaximo; a month is valid only when every one of its days is
// present and complete. Radiation comes from sunshine at `latitude`.
RegistroClima MontarRegistro(const std::vector<DiaObservado>& dias, double latitude);

}  // namespace ventaro
