#include "stations/gravacao_estacao.h"

#include <SQLiteCpp/SQLiteCpp.h>

#include <charconv>
#include <cmath>
#include <span>
#include <string>
#include <string_view>

#include "core/erro.h"
#include "stations/colunas_dados.h"

namespace ventaro {

namespace {

constexpr std::string_view kExisteClima =
    "select CodEstacao from EstacaoClima\n"
    "where CodEstacao = :codigo";
constexpr std::string_view kApagarDadosClima =
    "delete from DadosClima\n"
    "where CodEstacao = :codigo";
constexpr std::string_view kApagarEstacaoClima =
    "delete from EstacaoClima\n"
    "where CodEstacao = :codigo";
constexpr std::string_view kInserirEstacaoClima =
    "insert into EstacaoClima values\n"
    "(:CodEstacao, :Nome, :Municipio, :Regiao, :Latitude, :Longitude, :Altitude, :NumAnos, "
    ":ResTMax, :ResTMin, :ResRad)";
constexpr std::string_view kExistePrec =
    "select * from EstacaoPrec\n"
    "where CodEstacao = :codigo";
constexpr std::string_view kApagarDadosPrec =
    "delete from DadosPrec\n"
    "where CodEstacao = :codigo";
constexpr std::string_view kApagarEstacaoPrec =
    "delete from EstacaoPrec\n"
    "where CodEstacao = :codigo";
constexpr std::string_view kInserirEstacaoPrec =
    "insert into EstacaoPrec values\n"
    "(:CodEstacao, :Nome, :Municipio, :Regiao, :Lat, :Long, :Alt, :NumAnos)";
// A database made before the record's totals were kept gets their table (as data/schema.sql
// declares it) the first time a rainfall station is written into it.
constexpr std::string_view kCriarTotaisPrec =
    "create table if not exists TotaisPrec (\n"
    "    CodEstacao integer not null,\n"
    "    Mes integer not null,\n"
    "    XTotal real,\n"
    "    STotal real,\n"
    "    CovTotalAnual real\n"
    ");\n"
    "create index if not exists TotaisPrecEstacaoMes on TotaisPrec (CodEstacao, Mes);";
constexpr std::string_view kApagarTotaisPrec =
    "delete from TotaisPrec\n"
    "where CodEstacao = :codigo";
bool Existe(BancoDados& banco, std::string_view sql, int64_t codigo) {
    Consulta consulta(banco, sql);
    consulta.Bind(":codigo", codigo);
    return consulta.Proxima();
}

void ApagarEstacao(BancoDados& banco, std::string_view dados, std::string_view estacao,
                   int64_t codigo) {
    // The months go before the station.
    Consulta(banco, dados).Bind(":codigo", codigo).Executar();
    Consulta(banco, estacao).Bind(":codigo", codigo).Executar();
}

// A value that is not a number would be stored as NULL and read back as 0: refuse it.
double Finito(double v, std::string_view campo, int mes) {
    if (!std::isfinite(v)) {
        throw ErroVentaro("Valor indefinido de " + std::string(campo) +
                          (mes > 0 ? " no mês " + std::to_string(mes) : std::string()) + ".");
    }
    return v;
}

// A parameter left unbound is stored as no value.
void BindAltitude(Consulta& consulta, const std::string& nome,
                  const std::optional<double>& altitude) {
    if (altitude) consulta.Bind(nome, Finito(*altitude, "Altitude", 0));
}

// The twelve monthly rows of a station, every column from the one table of columns.
void InserirMeses(BancoDados& banco, const char* tabela, std::span<const ColunaMensal> colunas,
                  int64_t codigo, const TDados& d) {
    Consulta mes_dados(banco, InsercaoMensal(tabela, colunas));
    for (int mes = 1; mes <= 12; ++mes) {
        mes_dados.Reiniciar();
        mes_dados.Bind(":CodEstacao", codigo).Bind(":Mes", static_cast<int64_t>(mes));
        for (const ColunaMensal& c : colunas) {
            const std::string parametro = std::string(":") + c.Nome();
            const double v = c.Valor(d, mes);
            if (c.EhInteira()) {
                mes_dados.Bind(parametro, static_cast<int64_t>(v));
            } else {
                mes_dados.Bind(parametro, Finito(v, c.Nome(), mes));
            }
        }
        mes_dados.Executar();
    }
}

std::string Numero(double v) {
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

template <typename F>
ResultadoGravacao EmTransacao(BancoDados& banco, const IdentidadeEstacao& estacao, F&& gravar) {
    const int64_t codigo = estacao.Codigo;
    if (const auto problema = ProblemaIdentidade(estacao)) {
        throw ErroVentaro("Não foi possível gravar os dados da estação " + std::to_string(codigo) +
                          ": " + *problema);
    }
    ResultadoGravacao resultado = ResultadoGravacao::Nova;
    try {
        banco.EmTransacao([&] { resultado = gravar(); });
        return resultado;
    } catch (const std::exception& e) {
        // Nothing of the station was written.
        throw ErroVentaro("Não foi possível gravar os dados da estação " + std::to_string(codigo) +
                          ": " + e.what());
    }
}

}  // namespace

std::optional<std::string> ProblemaIdentidade(const IdentidadeEstacao& e) {
    if (e.Codigo < kCodigoMinimo || e.Codigo > kCodigoMaximo) {
        return "Código da estação fora do intervalo de " + std::to_string(kCodigoMinimo) + " a " +
               std::to_string(kCodigoMaximo) + ": " + std::to_string(e.Codigo) + ".";
    }
    if (!(std::fabs(e.Latitude) <= kLatitudeMaxima)) {
        return "Latitude fora do intervalo de -90 a 90 graus: " + Numero(e.Latitude) + ".";
    }
    if (!(std::fabs(e.Longitude) <= kLongitudeMaxima)) {
        return "Longitude fora do intervalo de -180 a 180 graus: " + Numero(e.Longitude) + ".";
    }
    if (e.Altitude && !(*e.Altitude >= kAltitudeMinima && *e.Altitude <= kAltitudeMaxima)) {
        return "Altitude fora do intervalo de -500 a 9000 m: " + Numero(*e.Altitude) + ".";
    }
    return std::nullopt;
}

bool ExisteEstacaoClima(BancoDados& banco, int64_t codigo) {
    return Existe(banco, kExisteClima, codigo);
}

bool ExisteEstacaoPrec(BancoDados& banco, int64_t codigo) {
    return Existe(banco, kExistePrec, codigo);
}

ResultadoGravacao GravarEstacaoClima(BancoDados& banco, const IdentidadeEstacao& estacao,
                                     const TDados& d, int num_anos) {
    return EmTransacao(banco, estacao, [&] {
        const bool existe = ExisteEstacaoClima(banco, estacao.Codigo);
        if (existe) ApagarEstacao(banco, kApagarDadosClima, kApagarEstacaoClima, estacao.Codigo);
        Consulta estacao_clima(banco, kInserirEstacaoClima);
        BindAltitude(estacao_clima, ":Altitude", estacao.Altitude);
        estacao_clima.Bind(":CodEstacao", estacao.Codigo)
            .Bind(":Nome", estacao.Nome)
            .Bind(":Municipio", estacao.Municipio)
            .Bind(":Regiao", static_cast<int64_t>(estacao.Regiao))
            .Bind(":Latitude", Finito(estacao.Latitude, "Latitude", 0))
            .Bind(":Longitude", Finito(estacao.Longitude, "Longitude", 0))
            .Bind(":NumAnos", static_cast<int64_t>(num_anos))
            .Bind(":ResTMax", Finito(d.XResJanTMax, "XResJanTMax", 0))
            .Bind(":ResTMin", Finito(d.XResJanTMin, "XResJanTMin", 0))
            .Bind(":ResRad", Finito(d.XResJanRad, "XResJanRad", 0))
            .Executar();
        InserirMeses(banco, "DadosClima", ColunasDadosClima(), estacao.Codigo, d);
        return existe ? ResultadoGravacao::Substituida : ResultadoGravacao::Nova;
    });
}

ResultadoGravacao GravarEstacaoPrec(BancoDados& banco, const IdentidadeEstacao& estacao,
                                    const TDados& d, int num_anos) {
    return EmTransacao(banco, estacao, [&] {
        const bool existe = ExisteEstacaoPrec(banco, estacao.Codigo);
        banco.Conexao().exec(std::string(kCriarTotaisPrec));
        // Totals of an earlier import go with the station, whether or not new ones come.
        Consulta(banco, kApagarTotaisPrec).Bind(":codigo", estacao.Codigo).Executar();
        if (existe) ApagarEstacao(banco, kApagarDadosPrec, kApagarEstacaoPrec, estacao.Codigo);
        Consulta estacao_prec(banco, kInserirEstacaoPrec);
        BindAltitude(estacao_prec, ":Alt", estacao.Altitude);
        estacao_prec.Bind(":CodEstacao", estacao.Codigo)
            .Bind(":Nome", estacao.Nome)
            .Bind(":Municipio", estacao.Municipio)
            .Bind(":Regiao", static_cast<int64_t>(estacao.Regiao))
            .Bind(":Lat", Finito(estacao.Latitude, "Latitude", 0))
            .Bind(":Long", Finito(estacao.Longitude, "Longitude", 0))
            .Bind(":NumAnos", static_cast<int64_t>(num_anos))
            .Executar();
        InserirMeses(banco, "DadosPrec", ColunasDadosPrec(), estacao.Codigo, d);
        if (d.TemTotaisPrec) {
            InserirMeses(banco, "TotaisPrec", ColunasTotaisPrec(), estacao.Codigo, d);
        }
        return existe ? ResultadoGravacao::Substituida : ResultadoGravacao::Nova;
    });
}

}  // namespace ventaro
