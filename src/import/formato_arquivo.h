#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace ventaro {

// The input formats of the importers, told apart by their content.
enum class FormatoArquivo {
    AccessMdb,          // Access database (INMET Clima table or ANA Hidro tables)
    InmetTexto,         // INMET daily text file: 25 blank-separated fields, two-digit years
    BdmepCsv,           // INMET BDMEP daily export: metadata block, ";", "null"
    BdmepAntigo,        // old BDMEP daily export: header block, two rows per day
    HidrowebCsv,        // ANA HidroWeb daily rainfall, CSV export
    HidrowebTxt,        // ANA HidroWeb daily rainfall, old CHUVAS.TXT export
    InmetHorarioAnual,  // INMET automatic station, yearly hourly file: "KEY:;value" block
    BdmepHorario,       // INMET BDMEP hourly export: "Key: value" block, "Hora Medicao"
};

std::string NomeFormato(FormatoArquivo formato);

// Looks at the file's first bytes and lines. A file in no known format fails with a message
// naming it and the first line that fits none.
FormatoArquivo DetectarFormato(const std::filesystem::path& arquivo);

// The message of a line that could not be read: file, 1-based line number, reason and the
// line itself (cut when long).
std::string MensagemLinha(const std::filesystem::path& arquivo, std::size_t numero,
                          std::string_view motivo, std::string_view linha);

}  // namespace ventaro
