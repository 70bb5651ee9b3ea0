#pragma once

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <string_view>

namespace SQLite {
class Database;
class Statement;
}  // namespace SQLite

namespace ventaro {

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

  private:
    std::filesystem::path arquivo_;
    std::unique_ptr<SQLite::Database> db_;
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
