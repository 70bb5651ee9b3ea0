#pragma once

#include <filesystem>
#include <vector>

#include "erosivity/calcular_erosividade.h"
#include "erosivity/exportador_planilha.h"

namespace ventaro {

struct ResultadoJuntar {
    int Calculadas = 0;
    std::vector<EstacaoIgnorada> Ignoradas;
};

// Merges the folders of the parts of one batch, each run to its end with its own part K/N into
// a folder of its own, into the folder `destino`, as one run of the whole batch into that
// folder would leave it: the station lines in batch order appended to its text files (headers
// on the files it creates), its workbook and its batch record rewritten. Every part must be
// there once, all from the same batch with the same settings, each folder holding exactly what
// its batch record lists; otherwise nothing is written and an ErroVentaro says what is wrong.
ResultadoJuntar JuntarPartes(const std::filesystem::path& destino,
                             const std::vector<std::filesystem::path>& partes,
                             ExportadorPlanilha& planilha);

}  // namespace ventaro
