#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/erro.h"
#include "import/chuvas_ana.h"
#include "import/origem_ana.h"

namespace SQLite {
class Database;
}

namespace ventaro {

// The tables of an ANA Access database whose failure ends a listing or skips the station
// concerned.
enum class TabelaAna { Estado, Estacao, Chuvas };

// The error dialog of a table that cannot be read ("Erro ao conectar Banco de Dados, tabela
// Chuvas.") and its line in the run's messages ("Erro: Tabela Chuvas.").
std::string MensagemErroTabela(TabelaAna tabela);
std::string LinhaErroTabela(TabelaAna tabela);

class ErroTabelaAna : public ErroVentaro {
  public:
    ErroTabelaAna(TabelaAna tabela, const std::string& causa)
        : ErroVentaro(MensagemErroTabela(tabela) + " " + causa), tabela_(tabela) {}
    TabelaAna Tabela() const { return tabela_; }

  private:
    TabelaAna tabela_;
};

// The source of an ANA rainfall import, told from the file's content: an ANA Hidro Access
// database (its register copied when opened, the rainfall of the stations about to be imported
// copied on demand) or a HidroWeb export (CSV or CHUVAS.TXT, read whole), whose stations take
// their identity from an ANA inventory when one is given.
class FonteAna {
  public:
    // A file in another format fails with "O arquivo <file> é uma <format>, não uma série de
    // chuvas da ANA."; one that cannot be read with the reader's message.
    explicit FonteAna(const std::filesystem::path& arquivo);
    // A whole copy of an ANA Hidro database already made (CopiarBancoAna), Chuvas included:
    // PrepararChuvas has nothing left to copy.
    explicit FonteAna(std::unique_ptr<SQLite::Database> copia);
    ~FonteAna();
    FonteAna(FonteAna&&) noexcept;
    FonteAna& operator=(FonteAna&&) noexcept;

    bool Access() const { return db_ != nullptr; }
    const std::filesystem::path& Arquivo() const { return arquivo_; }

    // Access: the state names, sorted (empty for a HidroWeb export).
    std::vector<std::string> Estados();
    // Access: the stations of a state whose code encodes their degrees, ordered by name; nullopt
    // for a name that is not in ESTADO. A table that cannot be read throws ErroTabelaAna.
    std::optional<std::vector<EstacaoAna>> EstacoesDoEstado(const std::string& nome);

    // HidroWeb: the identity of its stations by code; replaces the previous inventory.
    void UsarInventario(std::map<int64_t, EstacaoAna> inventario);
    // HidroWeb: the stations of the export in code order, as the inventory knows them (only
    // the code otherwise).
    std::vector<EstacaoAna> EstacoesHidroweb() const;

    // The identity of a station: from the Estacao table (with its municipality's name) of an
    // Access database, from the inventory for a HidroWeb export; nullopt when neither has it.
    std::optional<EstacaoAna> Estacao(int64_t codigo);

    // Makes the rainfall of `codigos` readable: one pass over the Chuvas table of an Access
    // database, which replaces what an earlier call copied. Throws ErroTabelaAna.
    void PrepararChuvas(const std::set<int64_t>& codigos);
    // The monthly rows of a station. Throws ErroTabelaAna.
    std::vector<MesChuva> Chuvas(int64_t codigo);
    // The readers' warnings gathered since the last call (values outside physical limits read
    // as missing), each a sentence naming the file or table.
    std::vector<std::string> TomarAvisos();

  private:
    std::filesystem::path arquivo_;
    std::unique_ptr<SQLite::Database> db_;
    bool copia_completa_ = false;
    std::map<int64_t, std::vector<MesChuva>> hidroweb_;
    std::vector<std::string> avisos_;
    std::map<int64_t, EstacaoAna> inventario_;
};

}  // namespace ventaro
