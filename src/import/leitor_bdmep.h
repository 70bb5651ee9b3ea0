#pragma once

#include <filesystem>
#include <vector>

#include "import/dados_clima.h"
#include "import/registro_diario.h"

namespace ventaro {

// Days and station identity read from an INMET daily export.
struct LeituraDiaria {
    std::vector<DiaObservado> Dias;
    IdentidadeArquivo Identidade;
};

// Current BDMEP daily export: a "Key: value" metadata block (name, code, latitude, longitude,
// altitude), then a ";" header and one row per day; "null" is a missing value and either
// decimal separator is accepted. Columns are found by name.
LeituraDiaria LerBdmepCsv(const std::filesystem::path& arquivo);

// Old BDMEP daily export: a header block ("Estação : NAME - UF (OMM: code)", latitude,
// longitude, altitude), a ";" header and two rows per day (0000 and 1200 UTC) whose values are
// merged. Columns are found by name; an empty field is a missing value.
LeituraDiaria LerBdmepAntigo(const std::filesystem::path& arquivo);

}  // namespace ventaro
