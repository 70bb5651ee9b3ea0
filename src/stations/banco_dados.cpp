#include "stations/banco_dados.h"

#include <SQLiteCpp/SQLiteCpp.h>

#include <algorithm>
#include <cctype>
#include <charconv>

#include "core/erro.h"

namespace ventaro {

namespace {

std::string Minusculas(std::string_view texto) {
    std::string s(texto);
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

}  // namespace

BancoDados::BancoDados(const std::filesystem::path& arquivo, Modo modo) : arquivo_(arquivo) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(arquivo, ec)) {
        throw ErroVentaro("Banco de dados não encontrado: " + arquivo.string());
    }
    try {
        const int flags = modo == Modo::Escrita ? SQLite::OPEN_READWRITE : SQLite::OPEN_READONLY;
        db_ = std::make_unique<SQLite::Database>(arquivo.string(), flags);
        db_->exec("PRAGMA foreign_keys = ON");
        // Forces SQLite to read the header, so that a file that is not a database fails here.
        db_->execAndGet("select count(*) from sqlite_master");
    } catch (const SQLite::Exception& e) {
        throw ErroVentaro("Não foi possível abrir o banco de dados " + arquivo.string() + ": " +
                          e.what());
    }
}

BancoDados::~BancoDados() = default;
BancoDados::BancoDados(BancoDados&&) noexcept = default;
BancoDados& BancoDados::operator=(BancoDados&&) noexcept = default;

void BancoDados::VerificarTabelas(std::initializer_list<std::string_view> tabelas) {
    for (auto tabela : tabelas) {
        SQLite::Statement q(*db_,
                            "select count(*) from sqlite_master where type = 'table' and "
                            "lower(name) = lower(:nome)");
        q.bind(":nome", std::string(tabela));
        q.executeStep();
        if (q.getColumn(0).getInt() == 0) {
            throw ErroVentaro("O banco de dados " + arquivo_.string() + " não tem a tabela " +
                              std::string(tabela) + ".");
        }
    }
}

void BancoDados::Executar(std::string_view sql) {
    try {
        db_->exec(std::string(sql));
    } catch (const SQLite::Exception& e) {
        throw ErroVentaro("Erro no banco de dados " + arquivo_.string() + ": " + e.what());
    }
}

Consulta::Consulta(BancoDados& banco, std::string_view sql) : banco_(&banco) {
    try {
        stmt_ = std::make_unique<SQLite::Statement>(banco.Conexao(), std::string(sql));
    } catch (const SQLite::Exception& e) {
        throw ErroVentaro("Erro no banco de dados " + banco.Arquivo().string() + ": " + e.what());
    }
    for (int i = 0; i < stmt_->getColumnCount(); ++i) {
        colunas_.emplace(Minusculas(stmt_->getColumnName(i)), i);
    }
}

Consulta::~Consulta() = default;
Consulta::Consulta(Consulta&&) noexcept = default;

template <typename T>
Consulta& Consulta::Vincular(const std::string& nome, const T& valor) {
    try {
        stmt_->bind(nome, valor);
    } catch (const SQLite::Exception& e) {
        throw ErroVentaro("Erro no banco de dados " + banco_->Arquivo().string() + ": parâmetro " +
                          nome + ": " + e.what());
    }
    return *this;
}

Consulta& Consulta::Bind(const std::string& nome, std::string_view texto) {
    return Vincular(nome, std::string(texto));
}

Consulta& Consulta::Bind(const std::string& nome, int64_t inteiro) {
    return Vincular(nome, inteiro);
}

Consulta& Consulta::Bind(const std::string& nome, double real) {
    return Vincular(nome, real);
}

bool Consulta::Proxima() {
    try {
        return stmt_->executeStep();
    } catch (const SQLite::Exception& e) {
        throw ErroVentaro("Erro no banco de dados " + banco_->Arquivo().string() + ": " + e.what());
    }
}

void Consulta::Executar() {
    try {
        stmt_->exec();
    } catch (const SQLite::Exception& e) {
        throw ErroVentaro("Erro no banco de dados " + banco_->Arquivo().string() + ": " + e.what());
    }
}

void Consulta::Reiniciar() {
    stmt_->reset();
    stmt_->clearBindings();
}

int Consulta::NumColunas() const {
    return stmt_->getColumnCount();
}

int Consulta::Indice(std::string_view coluna) const {
    const auto it = colunas_.find(Minusculas(coluna));
    if (it == colunas_.end()) {
        throw ErroVentaro("Coluna " + std::string(coluna) + " não encontrada no banco de dados " +
                          banco_->Arquivo().string() + ".");
    }
    return it->second;
}

bool Consulta::Nulo(std::string_view coluna) const {
    return stmt_->getColumn(Indice(coluna)).isNull();
}

std::string Consulta::Texto(std::string_view coluna) const {
    return TextoDe(Indice(coluna));
}

int64_t Consulta::Inteiro(std::string_view coluna) const {
    return stmt_->getColumn(Indice(coluna)).getInt64();
}

double Consulta::Real(std::string_view coluna) const {
    return stmt_->getColumn(Indice(coluna)).getDouble();
}

std::string Consulta::TextoNaPosicao(int posicao) const {
    return TextoDe(IndiceDaPosicao(posicao));
}

double Consulta::RealNaPosicao(int posicao) const {
    return stmt_->getColumn(IndiceDaPosicao(posicao)).getDouble();
}

int Consulta::IndiceDaPosicao(int posicao) const {
    if (posicao < 1 || posicao > stmt_->getColumnCount()) {
        throw ErroVentaro("O banco de dados " + banco_->Arquivo().string() + " não tem a coluna " +
                          std::to_string(posicao) + " na consulta \"" +
                          std::string(stmt_->getQuery()) + "\".");
    }
    return posicao - 1;
}

std::string Consulta::TextoDe(int indice) const {
    const SQLite::Column coluna = stmt_->getColumn(indice);
    if (coluna.isFloat()) {
        // A real is shown as its shortest exact decimal text ("850", "-20.7546"), not with the
        // ".0" SQLite appends to whole numbers.
        char buf[64];
        const auto fim = std::to_chars(buf, buf + sizeof buf, coluna.getDouble());
        return std::string(buf, fim.ptr);
    }
    return coluna.getString();
}

}  // namespace ventaro
