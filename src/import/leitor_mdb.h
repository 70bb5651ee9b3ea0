#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace SQLite {
class Database;
}

namespace ventaro {

// User tables of an Access database (.mdb, Jet 3 or Jet 4), in catalog order. A file that is
// not an Access database fails with a message naming it.
std::vector<std::string> ListarTabelasMdb(const std::filesystem::path& arquivo);

// Rows of one table to copy: those whose integer column `coluna` holds one of `valores`.
struct FiltroMdb {
    std::string Coluna;
    std::set<int64_t> Valores;
};

// Copies the tables `tabelas` (names matched without regard to case) of an Access database
// into `destino`, under the names as written in the Access file, so that the importers' own
// statements run on them. Text becomes TEXT (UTF-8), numbers INTEGER or REAL, dates the text
// "yyyy-mm-dd hh:mm:ss" (which sorts in time order); binary and OLE columns are left empty.
// A missing table fails with a message naming the file and the table.
void CopiarTabelasMdb(const std::filesystem::path& arquivo, SQLite::Database& destino,
                      const std::vector<std::string>& tabelas,
                      const std::optional<FiltroMdb>& filtro = std::nullopt);

// The days of 1 January 100 and 31 December 9999, the range of Access dates.
inline constexpr double kPrimeiroDiaAccess = -657434;
inline constexpr double kUltimoDiaAccess = 2958465;

// An Access date (days since 30 December 1899, the fraction being the time of day, negative
// days counted backwards with a positive time) as "yyyy-mm-dd hh:mm:ss"; empty outside the
// Access range (and for NaN), which the copy stores as NULL.
std::string DataAccessParaTexto(double dias);

}  // namespace ventaro
