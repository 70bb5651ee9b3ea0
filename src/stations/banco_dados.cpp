#include "stations/banco_dados.h"

#include <SQLiteCpp/SQLiteCpp.h>
#include <sqlite3.h>

#include <algorithm>
#include <cctype>
#include <charconv>

namespace ventaro {

namespace {

std::string Minusculas(std::string_view texto) {
    std::string s(texto);
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

constexpr int kTentativasOcupado = 3;

[[noreturn]] void Falhar(const BancoDados& banco, const SQLite::Exception& e,
                         std::string_view contexto = {}) {
    std::string m = "Erro no banco de dados " + banco.Arquivo().string();
    if (!contexto.empty()) m += " (" + std::string(contexto) + ")";
    m += ": " + MotivoErroSqlite(e.getErrorCode(), e.what()) + ".";
    throw ErroBancoDados(m, e.getErrorCode());
}

}  // namespace

bool ErroBancoDados::Ocupado() const {
    return codigo_ == SQLITE_BUSY || codigo_ == SQLITE_LOCKED;
}

std::string MotivoErroSqlite(int codigo, std::string_view texto) {
    switch (codigo & 0xff) {
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return "o banco de dados está em uso por outro programa e não foi liberado a tempo";
        case SQLITE_FULL:
            return "o disco está cheio";
        case SQLITE_READONLY:
            return "o banco de dados não pode ser alterado (somente leitura)";
        case SQLITE_PERM:
        case SQLITE_AUTH:
            return "permissão negada";
        case SQLITE_CORRUPT:
        case SQLITE_NOTADB:
            return "o arquivo está danificado ou não é um banco de dados; restaure uma cópia de "
                   "segurança";
        case SQLITE_IOERR:
            return "erro de leitura ou gravação no disco";
        case SQLITE_CANTOPEN:
            return "o arquivo não pode ser aberto";
        case SQLITE_NOMEM:
            return "memória insuficiente";
        case SQLITE_CONSTRAINT:
            return "os dados violam uma regra do banco de dados (\"" + std::string(texto) + "\")";
        default:
            return "o SQLite recusou a operação (\"" + std::string(texto) + "\")";
    }
}

BancoDados::BancoDados(const std::filesystem::path& arquivo, Modo modo) : arquivo_(arquivo) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(arquivo, ec)) {
        throw ErroVentaro("Banco de dados não encontrado: " + arquivo.string());
    }
    try {
        const int flags = modo == Modo::Escrita ? SQLite::OPEN_READWRITE : SQLite::OPEN_READONLY;
        // Another program writing the file (an import beside a run) is waited for, not failed.
        db_ = std::make_unique<SQLite::Database>(arquivo.string(), flags, kEsperaOcupadoMs);
        db_->exec("PRAGMA foreign_keys = ON");
        // Forces SQLite to read the header, so that a file that is not a database fails here.
        db_->execAndGet("select count(*) from sqlite_master");
    } catch (const SQLite::Exception& e) {
        throw ErroBancoDados("Não foi possível abrir o banco de dados " + arquivo.string() + ": " +
                                 MotivoErroSqlite(e.getErrorCode(), e.what()) + ".",
                             e.getErrorCode());
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
        Falhar(*this, e);
    }
}

void BancoDados::VerificarIntegridade() {
    std::string resultado;
    try {
        SQLite::Statement q(*db_, "PRAGMA quick_check");
        while (q.executeStep()) {
            if (!resultado.empty()) resultado += "; ";
            resultado += q.getColumn(0).getString();
        }
    } catch (const SQLite::Exception& e) {
        resultado = e.what();
    }
    if (resultado != "ok") {
        if (resultado.size() > 200) resultado = resultado.substr(0, 200) + "...";
        throw ErroBancoDados("O banco de dados " + arquivo_.string() +
                                 " está danificado e não será alterado. Restaure uma cópia de "
                                 "segurança do arquivo (verificação de integridade: \"" +
                                 resultado + "\").",
                             SQLITE_CORRUPT);
    }
    integridade_verificada_ = true;
}

void BancoDados::EmTransacao(const std::function<void()>& gravar) {
    if (!integridade_verificada_) VerificarIntegridade();
    for (int tentativa = 1;; ++tentativa) {
        try {
            // Immediate: the write lock is taken (or waited for) before anything is read, so two
            // writers never deadlock half-way and one of them gives up.
            SQLite::Transaction transacao(*db_, SQLite::TransactionBehavior::IMMEDIATE);
            gravar();
            transacao.commit();
            return;
        } catch (const SQLite::Exception& e) {
            // The transaction's destructor has rolled everything back.
            const bool ocupado = (e.getErrorCode() & 0xff) == SQLITE_BUSY ||
                                 (e.getErrorCode() & 0xff) == SQLITE_LOCKED;
            if (!ocupado || tentativa >= kTentativasOcupado) Falhar(*this, e);
        } catch (const ErroBancoDados& e) {
            if (!e.Ocupado() || tentativa >= kTentativasOcupado) throw;
        }
    }
}

Consulta::Consulta(BancoDados& banco, std::string_view sql) : banco_(&banco) {
    try {
        stmt_ = std::make_unique<SQLite::Statement>(banco.Conexao(), std::string(sql));
    } catch (const SQLite::Exception& e) {
        Falhar(banco, e);
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
        Falhar(*banco_, e, "parâmetro " + nome);
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
        Falhar(*banco_, e);
    }
}

void Consulta::Executar() {
    try {
        stmt_->exec();
    } catch (const SQLite::Exception& e) {
        Falhar(*banco_, e);
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
