#include "import/fonte_ana.h"

#include <utility>

#include <SQLiteCpp/SQLiteCpp.h>

#include "import/formato_arquivo.h"
#include "import/texto.h"

namespace ventaro {

namespace {

const char* NomeTabela(TabelaAna tabela) {
    switch (tabela) {
        case TabelaAna::Estado:
            return "Estado";
        case TabelaAna::Estacao:
            return "Estacao";
        case TabelaAna::Chuvas:
            break;
    }
    return "Chuvas";
}

}  // namespace

std::string MensagemErroTabela(TabelaAna tabela) {
    return std::string("Erro ao conectar Banco de Dados, tabela ") + NomeTabela(tabela) + ".";
}

std::string LinhaErroTabela(TabelaAna tabela) {
    return std::string("Erro: Tabela ") + NomeTabela(tabela) + ".";
}

FonteAna::FonteAna(const std::filesystem::path& arquivo) : arquivo_(arquivo) {
    const FormatoArquivo formato = DetectarFormato(arquivo);
    if (formato == FormatoArquivo::AccessMdb) {
        auto db = std::make_unique<SQLite::Database>(":memory:",
                                                     SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
        CopiarCadastroAna(arquivo, *db);
        db_ = std::move(db);
    } else if (formato == FormatoArquivo::HidrowebCsv || formato == FormatoArquivo::HidrowebTxt) {
        // An export normally holds one station; its rows are grouped by code anyway.
        LeituraChuvas leitura = LerArquivoChuvas(arquivo);
        for (MesChuva& m : leitura.Meses) hidroweb_[m.Estacao].push_back(std::move(m));
        avisos_ = std::move(leitura.Avisos);
    } else {
        throw ErroVentaro("O arquivo " + TextoSeguro(arquivo.string()) + " é uma " +
                          NomeFormato(formato) + ", não uma série de chuvas da ANA.");
    }
}

FonteAna::FonteAna(std::unique_ptr<SQLite::Database> copia)
    : db_(std::move(copia)), copia_completa_(true) {}

FonteAna::~FonteAna() = default;
FonteAna::FonteAna(FonteAna&&) noexcept = default;
FonteAna& FonteAna::operator=(FonteAna&&) noexcept = default;

std::vector<std::string> FonteAna::Estados() {
    if (!db_) return {};
    return OrigemAna(*db_).Estados();
}

std::optional<std::vector<EstacaoAna>> FonteAna::EstacoesDoEstado(const std::string& nome) {
    if (!db_) return std::nullopt;
    OrigemAna origem(*db_);
    std::optional<int64_t> codigo;
    try {
        codigo = origem.CodigoEstado(nome);
    } catch (const std::exception& e) {
        throw ErroTabelaAna(TabelaAna::Estado, e.what());
    }
    if (!codigo) return std::nullopt;
    try {
        return origem.EstacoesDoEstado(*codigo);
    } catch (const std::exception& e) {
        throw ErroTabelaAna(TabelaAna::Estacao, e.what());
    }
}

void FonteAna::UsarInventario(std::map<int64_t, EstacaoAna> inventario) {
    inventario_ = std::move(inventario);
}

std::vector<EstacaoAna> FonteAna::EstacoesHidroweb() const {
    std::vector<EstacaoAna> estacoes;
    for (const auto& [codigo, meses] : hidroweb_) {
        if (const auto it = inventario_.find(codigo); it != inventario_.end()) {
            estacoes.push_back(it->second);
        } else {
            EstacaoAna e;
            e.Codigo = codigo;
            estacoes.push_back(e);
        }
    }
    return estacoes;
}

std::optional<EstacaoAna> FonteAna::Estacao(int64_t codigo) {
    if (db_) return OrigemAna(*db_).Estacao(codigo);
    if (const auto it = inventario_.find(codigo); it != inventario_.end()) return it->second;
    return std::nullopt;
}

void FonteAna::PrepararChuvas(const std::set<int64_t>& codigos) {
    if (!db_ || copia_completa_) return;
    try {
        db_->exec("drop table if exists Chuvas");
        CopiarChuvasAna(arquivo_, *db_, codigos);
    } catch (const std::exception& e) {
        throw ErroTabelaAna(TabelaAna::Chuvas, e.what());
    }
}

std::vector<MesChuva> FonteAna::Chuvas(int64_t codigo) {
    if (!db_) {
        const auto it = hidroweb_.find(codigo);
        return it == hidroweb_.end() ? std::vector<MesChuva>{} : it->second;
    }
    try {
        LeituraChuvas leitura = OrigemAna(*db_).LerChuvas(codigo);
        for (std::string& aviso : leitura.Avisos) avisos_.push_back(std::move(aviso));
        return std::move(leitura.Meses);
    } catch (const std::exception& e) {
        throw ErroTabelaAna(TabelaAna::Chuvas, e.what());
    }
}

std::vector<std::string> FonteAna::TomarAvisos() {
    return std::exchange(avisos_, {});
}

}  // namespace ventaro
