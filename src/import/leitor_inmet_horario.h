#pragma once

#include <filesystem>
#include <optional>
#include <vector>

#include "core/calendario.h"
#include "import/dados_clima.h"

namespace ventaro {

// One hour of an hourly record, with the date and hour as the file writes them (UTC).
struct HoraObservada {
    Data Dia;
    int Hora = 0;                // 0-23
    std::optional<double> Prec;  // mm in the hour; missing when empty, "null" or -9999
};

// The hourly precipitation of one INMET automatic station, in file order.
struct RegistroHorario {
    std::filesystem::path Arquivo;
    IdentidadeArquivo Identidade;
    std::vector<HoraObservada> Horas;
};

// Reads an INMET automatic-station hourly file, in either export:
// - the yearly files of INMET's historical-data portal: a "KEY:;value" block (REGIAO, UF,
//   ESTACAO, CODIGO (WMO), LATITUDE, ...), then a ";" header whose first two columns are the
//   date and the hour ("DATA (YYYY-MM-DD);HORA (UTC)" with "2018-01-01;00:00", or
//   "Data;Hora UTC" with "2019/01/01;0000 UTC"), decimal commas, -9999 or empty when missing;
// - the BDMEP hourly export: a "Key: value" block, "Data Medicao;Hora Medicao;..." and
//   "2024-04-01;0000", "null" when missing.
// The precipitation column is found by its name. A file of another format, a line whose date,
// hour or precipitation cannot be read, a negative depth or an hour given twice fails with a
// message naming the file (and the line).
RegistroHorario LerInmetHorario(const std::filesystem::path& arquivo);

}  // namespace ventaro
