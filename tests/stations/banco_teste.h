#pragma once

#include <SQLiteCpp/SQLiteCpp.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace ventaro::teste {

inline std::string LerTexto(const std::filesystem::path& arquivo) {
    std::ifstream in(arquivo, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

inline std::filesystem::path DirDados() {
    return std::filesystem::path(VENTARO_SOURCE_DIR) / "data";
}

// A station database in a temporary file, created from data/schema.sql (or empty), removed at
// the end of the test.
class BancoTemporario {
  public:
    explicit BancoTemporario(bool com_esquema = true) {
        static int contador = 0;
        arquivo_ = std::filesystem::temp_directory_path() /
                   ("ventaro_estacoes_" + std::to_string(::getpid()) + "_" +
                    std::to_string(contador++) + ".sqlite");
        std::filesystem::remove(arquivo_);
        SQLite::Database db(arquivo_.string(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
        if (com_esquema) db.exec(LerTexto(DirDados() / "schema.sql"));
    }
    ~BancoTemporario() {
        std::error_code ec;
        std::filesystem::remove(arquivo_, ec);
    }
    BancoTemporario(const BancoTemporario&) = delete;
    BancoTemporario& operator=(const BancoTemporario&) = delete;

    const std::filesystem::path& Arquivo() const { return arquivo_; }

    void Executar(const std::string& sql) {
        SQLite::Database db(arquivo_.string(), SQLite::OPEN_READWRITE);
        db.exec(sql);
    }
    void ExecutarArquivo(const std::string& nome) { Executar(LerTexto(DirDados() / nome)); }

  private:
    std::filesystem::path arquivo_;
};

}  // namespace ventaro::teste
