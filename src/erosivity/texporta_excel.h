#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "erosivity/exportador_planilha.h"

namespace ventaro {

// The spreadsheet exporter that writes Excel workbooks (.xlsx) with libxlsxwriter. The workbook
// is kept in memory, because an .xlsx file is written whole: every save writes all of it to a
// new file beside the destination and moves it into place, so a failed save never leaves a
// broken workbook where a spreadsheet program may open it. Integers are numbers shown without
// decimals.
class TExportaExcel : public ExportadorPlanilha {
  public:
    void CriarPlanilha(std::string_view nome) override;
    void EscreverCelula(std::string_view planilha, const ValorCelula& valor, int linha,
                        int coluna) override;
    void SalvarComo(const std::filesystem::path& arquivo) override;
    void Salvar() override;
    void Encerrar() override;

  private:
    struct Folha {
        std::string nome;
        std::map<std::pair<int, int>, ValorCelula> celulas;
    };
    Folha& Buscar(std::string_view nome);
    void Gravar(const std::filesystem::path& arquivo) const;

    std::vector<Folha> folhas_;
    std::filesystem::path arquivo_;
};

}  // namespace ventaro
