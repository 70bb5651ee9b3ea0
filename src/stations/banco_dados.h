#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <string_view>

namespace SQLite {
class Database;
class Statement;
}  // namespace SQLite

#include "core/erro.h"

namespace ventaro {

// A failure of the database engine, worded in Portuguese (the engine's own English text, when
// it adds anything, is quoted after it). Ocupado() tells a database held by another writer
// past the wait.
class ErroBancoDados : public ErroVentaro {
  public:
    ErroBancoDados(const std::string& mensagem, int codigo_sqlite)
        : ErroVentaro(mensagem), codigo_(codigo_sqlite) {}
    int CodigoSqlite() const { return codigo_; }
    bool Ocupado() const;

  private:
    int codigo_;
};

// The cause of an engine failure in Portuguese: "o banco de dados está em uso por outro
// programa", "disco cheio", ..., or a general sentence followed by the engine's quoted text.
std::string MotivoErroSqlite(int codigo_sqlite, std::string_view texto);

// How long a connection waits for another program that holds the database before it gives up.
inline constexpr int kEsperaOcupadoMs = 10000;

// A connection to a station database file (bd.sqlite). The file is never created here: a
// missing or unreadable file, or one that is not a database, fails with a message naming it.
class BancoDados {
  public:
    enum class Modo { Leitura, Escrita };

    explicit BancoDados(const std::filesystem::path& arquivo, Modo modo = Modo::Leitura);
    ~BancoDados();
    BancoDados(BancoDados&&) noexcept;
    BancoDados& operator=(BancoDados&&) noexcept;

    const std::filesystem::path& Arquivo() const { return arquivo_; }
    SQLite::Database& Conexao() { return *db_; }

    // Fails with a message naming the first missing table.
    void VerificarTabelas(std::initializer_list<std::string_view> tabelas);

    // Runs a statement without result (schema scripts, deletes, inserts).
    void Executar(std::string_view sql);

    // Runs `gravar` in one transaction that holds the database for writing from its start, and
    // commits when it returns; any failure rolls everything back. A database held by another
    // writer is waited for and, past the wait, the whole transaction is tried again a few
    // times. Before the connection's first write the file's integrity is checked: a damaged
    // file is never written to.
    void EmTransacao(const std::function<void()>& gravar);

    // PRAGMA quick_check: fails, telling the user to restore a backup, when the file is damaged.
    void VerificarIntegridade();

  private:
    std::filesystem::path arquivo_;
    std::unique_ptr<SQLite::Database> db_;
    bool integridade_verificada_ = false;
};

// One statement with named `:parameters` bound by name and columns read by name without regard
// to case, or by 1-based position. A column holding no value reads as empty text or 0; a real
// read as text is its shortest exact decimal form ("850", not "850.0").
class Consulta {
  public:
    Consulta(BancoDados& banco, std::string_view sql);
    ~Consulta();
    Consulta(Consulta&&) noexcept;

    Consulta& Bind(const std::string& nome, std::string_view texto);
    Consulta& Bind(const std::string& nome, int64_t inteiro);
    Consulta& Bind(const std::string& nome, double real);

    // Moves to the next row; false at the end.
    bool Proxima();
    // Runs a statement that returns no rows.
    void Executar();
    void Reiniciar();

    int NumColunas() const;
    bool Nulo(std::string_view coluna) const;
    std::string Texto(std::string_view coluna) const;
    int64_t Inteiro(std::string_view coluna) const;
    double Real(std::string_view coluna) const;
    std::string TextoNaPosicao(int posicao) const;
    double RealNaPosicao(int posicao) const;

  private:
    template <typename T>
    Consulta& Vincular(const std::string& nome, const T& valor);
    int Indice(std::string_view coluna) const;
    int IndiceDaPosicao(int posicao) const;
    std::string TextoDe(int indice) const;

    BancoDados* banco_;
    std::unique_ptr<SQLite::Statement> stmt_;
    std::map<std::string, int> colunas_;  // lower-case name -> 0-based index
};

}  // namespace ventaro
