#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace ventaro::teste {

// One cell of a workbook as a spreadsheet program reads it.
struct CelulaXlsx {
    bool texto = false;
    std::string valor;      // the text, or the number as written in the file
    int formato = 0;        // number format id of the cell's style (1 is "0")
    double Numero() const;  // the number of a numeric cell
};

struct FolhaXlsx {
    std::string nome;
    std::map<std::pair<int, int>, CelulaXlsx> celulas;  // (row, column), from 1
};

// The sheets of an .xlsx file in workbook order with their cells, read from the file's zip
// parts (workbook, relationships, shared strings, styles, worksheets). Fails the calling test
// (by throwing std::runtime_error) when the file is not such a workbook.
std::vector<FolhaXlsx> LerXlsx(const std::filesystem::path& arquivo);

}  // namespace ventaro::teste
