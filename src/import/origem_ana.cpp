#include "import/origem_ana.h"

#include <SQLiteCpp/SQLiteCpp.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "core/erro.h"
#include "import/formato_arquivo.h"
#include "import/leitor_mdb.h"
#include "import/limites_observacao.h"
#include "import/texto.h"

namespace ventaro {

namespace {

// A number of the copied tables; NaN and infinities, which an Access double can hold, are no
// values.
std::optional<double> Real(const SQLite::Column& c) {
    if (c.isNull()) return std::nullopt;
    const std::optional<double> v = c.isText() ? LerDecimal(c.getString()) : c.getDouble();
    if (v && !std::isfinite(*v)) return std::nullopt;
    return v;
}

// A rainfall cell: a value that is not finite stays, to be counted as impossible.
std::optional<double> Chuva(const SQLite::Column& c) {
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
        e.Nome = TextoSeguro(q.getColumn(1).getString());
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
    e.Nome = TextoSeguro(q.getColumn(1).getString());
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
        if (m.executeStep()) e.Municipio = TextoSeguro(m.getColumn(0).getString());
    }
    return e;
}

LeituraChuvas OrigemAna::LerChuvas(int64_t codigo) {
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
    LeituraChuvas leitura;
    ValoresImpossiveis impossiveis;
    while (q.executeStep()) {
        MesChuva m;
        m.Estacao = codigo;
        if (col_nivel >= 0) {
            const auto nivel = Inteiro(q.getColumn(col_nivel));
            m.Nivel = nivel && *nivel >= 0 && *nivel <= 9 ? static_cast<int>(*nivel) : 1;
        }
        const std::string data = q.getColumn(col_data).getString();
        // The copy writes Access dates as "yyyy-mm-dd hh:mm:ss".
        const long long ano =
            LerInteiro(std::string_view(data).substr(0, std::min<std::size_t>(data.size(), 4)))
                .value_or(0);
        const long long mes =
            data.size() >= 7 ? LerInteiro(std::string_view(data).substr(5, 2)).value_or(0) : 0;
        if (data.size() < 7 || mes < 1 || mes > 12 || !AnoAceito(ano)) {
            throw ErroVentaro("Data inválida na tabela Chuvas da estação " +
                              std::to_string(codigo) + ": \"" + TextoSeguro(data) +
                              "\" (datas de " + std::to_string(kAnoMinimo) + " a " +
                              std::to_string(kAnoMaximo) + ").");
        }
        m.Ano = ano;
        m.Mes = static_cast<int>(mes);
        for (std::size_t d = 0; d < 31; ++d) {
            if (col_dias[d] >= 0) m.Dias[d] = Chuva(q.getColumn(col_dias[d]));
        }
        char onde[32];
        std::snprintf(onde, sizeof onde, "%02d/%04lld", m.Mes, static_cast<long long>(m.Ano));
        ValidarChuvaDiaria(m, impossiveis, onde);
        leitura.Meses.push_back(m);
    }
    if (auto aviso = impossiveis.Aviso("Tabela Chuvas, estação " + std::to_string(codigo))) {
        leitura.Avisos.push_back(std::move(*aviso));
    }
    return leitura;
}

std::vector<MesChuva> OrigemAna::Chuvas(int64_t codigo) {
    return LerChuvas(codigo).Meses;
}

std::map<int64_t, EstacaoAna> LerInventarioAna(const std::filesystem::path& arquivo) {
    LeitorLinhas leitor(arquivo);
    std::map<int64_t, EstacaoAna> estacoes;
    if (!leitor.Proxima()) {
        throw ErroVentaro("O inventário " + TextoSeguro(arquivo.string()) + " está vazio.");
    }
    std::map<std::string, std::size_t> colunas;
    const auto cabecalho = DividirCampos(leitor.Linha(), ';');
    for (std::size_t c = 0; c < cabecalho.size(); ++c) {
        colunas[Maiusculas(Aparar(cabecalho[c]))] = c;
    }
    for (const char* necessaria : {"CODIGO", "NOME", "LATITUDE", "LONGITUDE"}) {
        if (!colunas.count(necessaria)) {
            throw ErroVentaro(MensagemLinha(
                arquivo, 1, "inventário sem a coluna " + std::string(necessaria), leitor.Linha()));
        }
    }
    MarcacaoFinal marcacao(arquivo);
    while (leitor.Proxima()) {
        const std::size_t n = leitor.Numero();
        const std::string& linha = leitor.Linha();
        if (Aparar(linha).empty()) continue;
        const auto campos = DividirCampos(linha, ';');
        auto campo = [&](const char* nome) -> std::string_view {
            const auto it = colunas.find(nome);
            return it != colunas.end() && it->second < campos.size() ? Aparar(campos[it->second])
                                                                     : std::string_view{};
        };
        const auto codigo = LerInteiro(campo("CODIGO"));
        if (!codigo) {
            if (marcacao.Adiar(n, linha)) continue;
            throw ErroVentaro(MensagemLinha(arquivo, n, "código inválido", linha));
        }
        marcacao.Dados();
        EstacaoAna e;
        e.Codigo = *codigo;
        e.Nome = TextoSeguro(campo("NOME"));
        e.Municipio = TextoSeguro(campo("MUNICIPIO"));
        bool invalido = false;
        e.Latitude = LerDecimal(campo("LATITUDE"), &invalido);
        bool inv_lon = false;
        e.Longitude = LerDecimal(campo("LONGITUDE"), &inv_lon);
        bool inv_alt = false;
        e.Altitude = LerDecimal(campo("ALTITUDE"), &inv_alt);
        // A coordinate no place has is as unreadable as one that is not a number.
        const bool fora = (e.Latitude && !(std::fabs(*e.Latitude) <= 90)) ||
                          (e.Longitude && !(std::fabs(*e.Longitude) <= 180)) ||
                          (e.Altitude && !std::isfinite(*e.Altitude));
        if (invalido || inv_lon || inv_alt || fora) {
            throw ErroVentaro(MensagemLinha(arquivo, n, "coordenada inválida", linha));
        }
        estacoes[e.Codigo] = std::move(e);
    }
    return estacoes;
}

}  // namespace ventaro
