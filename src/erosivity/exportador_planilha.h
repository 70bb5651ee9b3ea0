#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <variant>

namespace ventaro {

// A cell's value with its type: text, real or integer.
using ValorCelula = std::variant<std::string, double, int64_t>;

// The spreadsheet the erosivity batch writes its means into: named sheets, single cells, a save
// under a name and saves in place. Sheets are addressed by name; rows and columns count from 1.
// Failures (a sheet name that is missing, invalid or already used, a file that cannot be
// written) throw ErroVentaro. The batch knows only this interface, so the spreadsheet engine can
// be replaced; TExportaExcel writes .xlsx files.
class ExportadorPlanilha {
  public:
    virtual ~ExportadorPlanilha() = default;

    // Adds a sheet in front of the others: created as "Anual", "Dezembro", ..., "Janeiro",
    // the sheets end up in the order "Janeiro" ... "Dezembro", "Anual".
    virtual void CriarPlanilha(std::string_view nome) = 0;
    virtual void EscreverCelula(std::string_view planilha, const ValorCelula& valor, int linha,
                                int coluna) = 0;
    // Stores the workbook at `arquivo`, replacing the file; later Salvar calls rewrite it.
    virtual void SalvarComo(const std::filesystem::path& arquivo) = 0;
    virtual void Salvar() = 0;
    // Ends the workbook: what was not saved is discarded and the next sheet starts a new one.
    virtual void Encerrar() = 0;
};

}  // namespace ventaro
