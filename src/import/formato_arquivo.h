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
// line itself (cut when long). Control characters of the file name, the reason and the line are
// shown escaped (TextoSeguro).
std::string MensagemLinha(const std::filesystem::path& arquivo, std::size_t numero,
                          std::string_view motivo, std::string_view linha);

// Exports saved from a web page end with lines such as "</pre>". A reader hands every line
// that is not data to Adiar: an HTML tag line is held back and skipped if no data follow it;
// Dados, called before each data line, refuses the held line, since tags amid the data mean the
// file is not what it seems.
class MarcacaoFinal {
  public:
    explicit MarcacaoFinal(const std::filesystem::path& arquivo) : arquivo_(arquivo) {}

    // Whether the line is an HTML tag line, now held back.
    bool Adiar(std::size_t numero, std::string_view linha);
    // A data line follows: a held tag line fails naming its line.
    void Dados() const;

  private:
    std::filesystem::path arquivo_;
    std::size_t numero_ = 0;
    std::string linha_;
};

}  // namespace ventaro
