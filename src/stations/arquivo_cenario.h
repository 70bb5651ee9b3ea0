#pragma once

#include <filesystem>

#include "core/cenario_climatico.h"

namespace ventaro {

// Reads and checks a scenario file (LerCenario), named in the files of its series by its file
// name. A file that cannot be read fails with an ErroVentaro naming it.
CenarioClimatico CarregarCenario(const std::filesystem::path& arquivo);

}  // namespace ventaro
