#pragma once

#include <cstdint>
#include <string>

#include "core/calendario.h"
#include "core/tclima.h"

namespace ventaro {

// A number with a fixed count of decimals, as the patterns "0", "0.0", "0.00" and "0.000"
// write it: rounded, at least one integer digit, `separador` as the decimal point. A value that
// rounds to zero is written without a sign ("0,00", never "-0,00").
std::string FormatarFixo(double v, int casas, char separador);

// A whole number with thousands separators ("#0,"): 36500 is "36.500" when the decimal
// separator is ',' and "36,500" when it is '.'.
std::string FormatarMilhar(double v, char separador);

// How the labels of a chart axis are written and stepped.
struct FormatoEixo {
    int Casas = -1;          // decimals of every label; -1 leaves the format to the chart
    bool Milhar = false;     // thousands separators
    double PassoMinimo = 0;  // labels at multiples of at least this step (0: any)
    bool Fixo = false;       // the axis always runs from Min to Max
    double Min = 0;
    double Max = 0;
    bool operator==(const FormatoEixo&) const = default;
};

// A label of an axis with that format.
std::string FormatarRotuloEixo(double v, const FormatoEixo& formato, char separador);

// Date of day `dia` (1-based) of a series.
Data DataDaSerie(const TClima& clima, int64_t dia);

// "dd/mm/yyyy" (the short date of the storm table and the profile) and "dd/mm/yy" (the series
// table). Years below 1000 keep four digits ("01/01/0001").
std::string DataCurta(const Data& data);
std::string DataAnoCurto(const Data& data);

}  // namespace ventaro
