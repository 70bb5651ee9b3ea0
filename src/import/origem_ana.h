#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "import/chuvas_ana.h"

namespace SQLite {
class Database;
}

namespace ventaro {

// Identification of an ANA rainfall station.
struct EstacaoAna {
    int64_t Codigo = 0;
    std::string Nome;
    std::string Municipio;
    std::optional<double> Latitude, Longitude, Altitude;
    std::optional<int64_t> MunicipioCodigo, EstadoCodigo;
};

// Copies the tables of an ANA Hidro Access database (ESTADO, Estacao, Municipio, Chuvas) into
// `destino`; with `estacoes` only their Chuvas rows are copied.
void CopiarBancoAna(const std::filesystem::path& arquivo, SQLite::Database& destino,
                    const std::optional<std::set<int64_t>>& estacoes = std::nullopt);
// Copies only ESTADO, Estacao and Municipio.
void CopiarCadastroAna(const std::filesystem::path& arquivo, SQLite::Database& destino);
// Copies the Chuvas rows of the given stations.
void CopiarChuvasAna(const std::filesystem::path& arquivo, SQLite::Database& destino,
                     const std::set<int64_t>& estacoes);

// Queries on a copy of an ANA Hidro database.
class OrigemAna {
  public:
    explicit OrigemAna(SQLite::Database& db) : db_(db) {}

    // State names, sorted.
    std::vector<std::string> Estados();
    std::optional<int64_t> CodigoEstado(const std::string& nome);
    // Stations of a state ordered by name, keeping only those whose code encodes the degrees of
    // their coordinates.
    std::vector<EstacaoAna> EstacoesDoEstado(int64_t codigo_estado);
    // A station with its municipality's name; nullopt when the code is not in Estacao.
    std::optional<EstacaoAna> Estacao(int64_t codigo);
    // The Chuvas rows of a station in date order. A date outside kAnoMinimo..kAnoMaximo fails
    // naming the station; a daily depth outside 0 to 500 mm, or not finite, is read as missing
    // and reported in Avisos.
    LeituraChuvas LerChuvas(int64_t codigo);
    // LerChuvas without the warnings.
    std::vector<MesChuva> Chuvas(int64_t codigo);

  private:
    SQLite::Database& db_;
};

// An ANA station inventory (";" separated, one header line naming the columns Codigo, Nome,
// Municipio, Latitude, Longitude, Altitude) by station code, read line by line. A coordinate
// that is not a number, or outside [-90, 90] / [-180, 180], fails naming the line; control
// characters of names are kept escaped (TextoSeguro).
std::map<int64_t, EstacaoAna> LerInventarioAna(const std::filesystem::path& arquivo);

}  // namespace ventaro
