#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "import/dados_clima.h"
#include "import/registro_diario.h"

namespace ventaro {

// Days and station identity read from an INMET daily export.
struct LeituraDiaria {
    // One entry per date, in date order, the rows of a date merged.
    std::vector<DiaObservado> Dias;
    IdentidadeArquivo Identidade;
    // At most one line: the values outside physical limits (temperatures -30 to 60 C, sunshine
    // 0 to 24 h and the radiation it gives 0 to 45 MJ/m2, humidity 0 to 100 %, wind 0 to
    // 75 m/s, precipitation 0 to 500 mm, all finite) that were read as missing, leaving their
    // day incomplete.
    std::vector<std::string> Avisos;
};

// Both exports are read line by line, holding one entry per date rather than the file. Dates
// must fall within kAnoMinimo..kAnoMaximo; a row that is not data fails naming its line, except
// HTML tag lines after the last row (pages saved from the web site end with "</pre>").

// Current BDMEP daily export: a "Key: value" metadata block (name, code, latitude, longitude,
// altitude), then a ";" header and one row per day; "null" is a missing value and either
// decimal separator is accepted. Columns are found by name.
LeituraDiaria LerBdmepCsv(const std::filesystem::path& arquivo);

// Old BDMEP daily export: a header block ("Estação : NAME - UF (OMM: code)", latitude,
// longitude, altitude), a ";" header and two or three rows per day (0000, 1200 and 1800 UTC)
// whose values are merged. Columns are found by name; an empty field is a missing value.
LeituraDiaria LerBdmepAntigo(const std::filesystem::path& arquivo);

}  // namespace ventaro
