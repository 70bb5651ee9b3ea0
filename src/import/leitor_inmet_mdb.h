#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "import/dados_clima.h"

namespace SQLite {
class Database;
}

namespace ventaro {

// Station codes of an INMET Clima table, in order.
std::vector<std::string> EstacoesClima(SQLite::Database& origem);

// One station of an INMET Clima table (one row per station, variable and month; cells CLIMA01
// ... CLIMA31) as year records from the year of its first row to that of its last. Variables:
// 70 precipitation, 11 and 12 maximum and minimum temperature, 80 sunshine (radiation at
// `latitude`), 42 wind in km/h (stored in m/s), 90 humidity (per cent above 1.5 is turned into
// a fraction). Several rows of a variable and month are averaged day by day. A month is valid
// only when every variable has rows for it and none of their day cells is empty. A date outside
// kAnoMinimo..kAnoMaximo fails naming the station; a cell outside physical limits is read as
// empty and reported in RegistroClima::Avisos.
RegistroClima LerEstacaoClima(SQLite::Database& origem, std::string_view codigo, double latitude);

}  // namespace ventaro
