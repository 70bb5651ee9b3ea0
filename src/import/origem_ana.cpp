#include "import/origem_ana.h"

#include <SQLiteCpp/SQLiteCpp.h>

#include <algorithm>

#include "core/erro.h"
#include "import/formato_arquivo.h"
#include "import/leitor_mdb.h"
#include "import/texto.h"

namespace ventaro {

namespace {

std::optional<double> Real(const SQLite::Column& c) {
    if (c.isNull()) return std::nullopt;
    if (c.isText()) return LerDecimal(c.getString());
    return c.getDouble();
}

std::optional<int64_t> Inteiro(const SQLite::Column& c) {
    if (c.isNull()) return std::nullopt;
    if (c.isText()) {
        const auto v = LerInteiro(c.getString());
        return v ? std::optional<int64_t>(*v) : std::nullopt;
    }
    return c.getInt64();
}

}  // namespace

void CopiarCadastroAna(const std::filesystem::path& arquivo, SQLite::Database& destino) {
    CopiarTabelasMdb(arquivo, destino, {"ESTADO", "Estacao", "Municipio"});
}

void CopiarChuvasAna(const std::filesystem::path& arquivo, SQLite::Database& destino,
                     const std::set<int64_t>& estacoes) {
    CopiarTabelasMdb(arquivo, destino, {"Chuvas"}, FiltroMdb{"EstacaoCodigo", estacoes});
    destino.exec("create index ChuvasEstacao on Chuvas (EstacaoCodigo)");
}

void CopiarBancoAna(const std::filesystem::path& arquivo, SQLite::Database& destino,
                    const std::optional<std::set<int64_t>>& estacoes) {
    CopiarCadastroAna(arquivo, destino);
    if (estacoes) {
        CopiarChuvasAna(arquivo, destino, *estacoes);
    } else {
        CopiarTabelasMdb(arquivo, destino, {"Chuvas"});
        destino.exec("create index ChuvasEstacao on Chuvas (EstacaoCodigo)");
    }
}

std::vector<std::string> OrigemAna::Estados() {
    SQLite::Statement q(db_, "select nome from ESTADO");
    std::vector<std::string> nomes;
    while (q.executeStep()) nomes.push_back(q.getColumn(0).getString());
    std::sort(nomes.begin(), nomes.end());
    return nomes;
}

std::optional<int64_t> OrigemAna::CodigoEstado(const std::string& nome) {
    SQLite::Statement q(db_, "select Codigo from ESTADO where (Nome = :Param1)");
    q.bind(":Param1", nome);
    if (!q.executeStep()) return std::nullopt;
    return Inteiro(q.getColumn(0));
}

std::vector<EstacaoAna> OrigemAna::EstacoesDoEstado(int64_t codigo_estado) {
    SQLite::Statement q(db_,
                        "select Codigo, Nome, latitude, longitude, altitude from Estacao where "
                        "(EstadoCodigo = :Param2) order by Nome");
    q.bind(":Param2", codigo_estado);
    std::vector<EstacaoAna> estacoes;
    while (q.executeStep()) {
        EstacaoAna e;
        const auto codigo = Inteiro(q.getColumn(0));
        if (!codigo) continue;
        e.Codigo = *codigo;
        e.Nome = q.getColumn(1).getString();
        e.Latitude = Real(q.getColumn(2));
        e.Longitude = Real(q.getColumn(3));
        e.Altitude = Real(q.getColumn(4));
        e.EstadoCodigo = codigo_estado;
        // Codes of the national network encode the station's degrees; others are not rainfall
        // stations of the network.
        if (!e.Latitude || !e.Longitude ||
            !CodigoConfereCoordenadas(e.Codigo, *e.Latitude, *e.Longitude)) {
            continue;
        }
        estacoes.push_back(std::move(e));
    }
    return estacoes;
}

std::optional<EstacaoAna> OrigemAna::Estacao(int64_t codigo) {
    SQLite::Statement q(db_,
                        "select Codigo, Nome, MunicipioCodigo, EstadoCodigo, Latitude, Longitude, "
                        "Altitude, CodigoAdicional, OperadoraCodigo\n"
                        "from Estacao\n"
                        "where Codigo = :pCodigo");
    q.bind(":pCodigo", codigo);
    if (!q.executeStep()) return std::nullopt;
    EstacaoAna e;
    e.Codigo = codigo;
    e.Nome = q.getColumn(1).getString();
    e.MunicipioCodigo = Inteiro(q.getColumn(2));
    e.EstadoCodigo = Inteiro(q.getColumn(3));
    e.Latitude = Real(q.getColumn(4));
    e.Longitude = Real(q.getColumn(5));
    e.Altitude = Real(q.getColumn(6));
    if (e.MunicipioCodigo) {
        SQLite::Statement m(db_,
                            "select Nome from Municipio\n"
                            "where Codigo = :codMunicipio");
        m.bind(":codMunicipio", *e.MunicipioCodigo);
        if (m.executeStep()) e.Municipio = m.getColumn(0).getString();
    }
    return e;
}

std::vector<MesChuva> OrigemAna::Chuvas(int64_t codigo) {
    SQLite::Statement q(db_, "select * from Chuvas where (ESTACAOCODIGO = :param3) order by DATA");
    q.bind(":param3", codigo);
    int col_data = -1, col_nivel = -1;
    std::array<int, 31> col_dias;
    col_dias.fill(-1);
    for (int c = 0; c < q.getColumnCount(); ++c) {
        const std::string nome = Maiusculas(q.getColumnName(c));
        if (nome == "DATA") col_data = c;
        if (nome == "NIVELCONSISTENCIA") col_nivel = c;
        if (nome.size() == 7 && ComecaCom(nome, "CHUVA")) {
            const auto d = LerInteiro(std::string_view(nome).substr(5));
            if (d && *d >= 1 && *d <= 31) col_dias[static_cast<std::size_t>(*d - 1)] = c;
        }
    }
    if (col_data < 0) throw ErroVentaro("A tabela Chuvas não tem a coluna DATA.");
    std::vector<MesChuva> meses;
    while (q.executeStep()) {
        MesChuva m;
        m.Estacao = codigo;
        if (col_nivel >= 0) m.Nivel = static_cast<int>(Inteiro(q.getColumn(col_nivel)).value_or(1));
        const std::string data = q.getColumn(col_data).getString();
        // The copy writes Access dates as "yyyy-mm-dd hh:mm:ss".
        const auto ano =
            data.size() >= 7 ? LerInteiro(std::string_view(data).substr(0, 4)) : std::nullopt;
        const auto mes =
            data.size() >= 7 ? LerInteiro(std::string_view(data).substr(5, 2)) : std::nullopt;
        if (!ano || !mes || *mes < 1 || *mes > 12) {
            throw ErroVentaro("Data inválida na tabela Chuvas da estação " +
                              std::to_string(codigo) + ": \"" + data + "\".");
        }
        m.Ano = *ano;
        m.Mes = static_cast<int>(*mes);
        for (std::size_t d = 0; d < 31; ++d) {
            if (col_dias[d] >= 0) m.Dias[d] = Real(q.getColumn(col_dias[d]));
        }
        meses.push_back(m);
    }
    return meses;
}

std::map<int64_t, EstacaoAna> LerInventarioAna(const std::filesystem::path& arquivo) {
    const std::vector<std::string> linhas = LerLinhasTexto(arquivo);
    std::map<int64_t, EstacaoAna> estacoes;
    if (linhas.empty()) throw ErroVentaro("O inventário " + arquivo.string() + " está vazio.");
    std::map<std::string, std::size_t> colunas;
    const auto cabecalho = DividirCampos(linhas[0], ';');
    for (std::size_t c = 0; c < cabecalho.size(); ++c) {
        colunas[Maiusculas(Aparar(cabecalho[c]))] = c;
    }
    for (const char* necessaria : {"CODIGO", "NOME", "LATITUDE", "LONGITUDE"}) {
        if (!colunas.count(necessaria)) {
            throw ErroVentaro(MensagemLinha(
                arquivo, 1, "inventário sem a coluna " + std::string(necessaria), linhas[0]));
        }
    }
    for (std::size_t n = 1; n < linhas.size(); ++n) {
        if (Aparar(linhas[n]).empty()) continue;
        const auto campos = DividirCampos(linhas[n], ';');
        auto campo = [&](const char* nome) -> std::string_view {
            const auto it = colunas.find(nome);
            return it != colunas.end() && it->second < campos.size() ? Aparar(campos[it->second])
                                                                     : std::string_view{};
        };
        const auto codigo = LerInteiro(campo("CODIGO"));
        if (!codigo) {
            throw ErroVentaro(MensagemLinha(arquivo, n + 1, "código inválido", linhas[n]));
        }
        EstacaoAna e;
        e.Codigo = *codigo;
        e.Nome = std::string(campo("NOME"));
        e.Municipio = std::string(campo("MUNICIPIO"));
        bool invalido = false;
        e.Latitude = LerDecimal(campo("LATITUDE"), &invalido);
        bool inv_lon = false;
        e.Longitude = LerDecimal(campo("LONGITUDE"), &inv_lon);
        bool inv_alt = false;
        e.Altitude = LerDecimal(campo("ALTITUDE"), &inv_alt);
        if (invalido || inv_lon || inv_alt) {
            throw ErroVentaro(MensagemLinha(arquivo, n + 1, "coordenada inválida", linhas[n]));
        }
        estacoes[e.Codigo] = std::move(e);
    }
    return estacoes;
}

}  // namespace ventaro
