#include "stations/gravacao_estacao.h"

#include <SQLiteCpp/SQLiteCpp.h>

#include <array>
#include <cmath>
#include <string_view>

#include "core/erro.h"

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
constexpr std::string_view kInserirDadosClima =
    "insert into DadosClima\n"
    "(CodEstacao, Mes,\n"
    "XTMaxSe, XTMaxCh, STMaxSe, STMaxCh,\n"
    "XTMinSe, XTMinCh, STMinSe, STMinCh,\n"
    "XRadSe, XRadCh, SRadSe, SRadCh,\n"
    "MatrizA11, MatrizA12, MatrizA13,\n"
    "MatrizA21, MatrizA22, MatrizA23,\n"
    "MatrizA31, MatrizA32, MatrizA33,\n"
    "MatrizB11, MatrizB12, MatrizB13,\n"
    "MatrizB21, MatrizB22, MatrizB23,\n"
    "MatrizB31, MatrizB32, MatrizB33,\n"
    "XVVentoSe, SVVentoSe, SkewVVentoSe,\n"
    "XVVentoCh, SVVentoCh, SkewVVentoCh,\n"
    "XUmidSe, XUmidCh, SUmidSe, SUmidCh,\n"
    "DUmidos, DSecos)\n"
    "values\n"
    "(:CodEstacao, :Mes,\n"
    ":XTMaxSe, :XTMaxCh, :STMaxSe, :STMaxCh,\n"
    ":XTMinSe, :XTMinCh, :STMinSe, :STMinCh,\n"
    ":XRadSe, :XRadCh, :SRadSe, :SRadCh,\n"
    ":MatrizA11, :MatrizA12, :MatrizA13,\n"
    ":MatrizA21, :MatrizA22, :MatrizA23,\n"
    ":MatrizA31, :MatrizA32, :MatrizA33,\n"
    ":MatrizB11, :MatrizB12, :MatrizB13,\n"
    ":MatrizB21, :MatrizB22, :MatrizB23,\n"
    ":MatrizB31, :MatrizB32, :MatrizB33,\n"
    ":XVVentoSe, :SVVentoSe, :SkewVVentoSe,\n"
    ":XVVentoCh, :SVVentoCh, :SkewVVentoCh,\n"
    ":XUmidSe, :XUmidCh, :SUmidSe, :SUmidCh,\n"
    ":DUmidos, :DSecos)";

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
constexpr std::string_view kInserirDadosPrec =
    "insert into DadosPrec\n"
    "(CodEstacao, Mes, XPrec, SPrec, SkewPrec, PCC, PCS, DUmidos, DSecos)\n"
    "values\n"
    "(:CodEstacao, :Mes, :XPrec, :SPrec, :SkewPrec, :PCC, :PCS, :DUmidos, :DSecos)";

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

template <typename F>
ResultadoGravacao EmTransacao(BancoDados& banco, int64_t codigo, F&& gravar) {
    try {
        SQLite::Transaction transacao(banco.Conexao());
        const ResultadoGravacao resultado = gravar();
        transacao.commit();
        return resultado;
    } catch (const std::exception& e) {
        // The transaction's destructor has rolled everything back.
        throw ErroVentaro("Não foi possível gravar os dados da estação " + std::to_string(codigo) +
                          ": " + e.what());
    }
}

}  // namespace

bool ExisteEstacaoClima(BancoDados& banco, int64_t codigo) {
    return Existe(banco, kExisteClima, codigo);
}

bool ExisteEstacaoPrec(BancoDados& banco, int64_t codigo) {
    return Existe(banco, kExistePrec, codigo);
}

ResultadoGravacao GravarEstacaoClima(BancoDados& banco, const IdentidadeEstacao& estacao,
                                     const TDados& d, int num_anos) {
    return EmTransacao(banco, estacao.Codigo, [&] {
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
        Consulta mes_clima(banco, kInserirDadosClima);
        for (int mes = 1; mes <= 12; ++mes) {
            mes_clima.Reiniciar();
            mes_clima.Bind(":CodEstacao", estacao.Codigo).Bind(":Mes", static_cast<int64_t>(mes));
            const std::array<std::pair<const char*, const Mensal<double>*>, 22> reais = {{
                {"XTMaxSe", &d.XTMaxSe},
                {"XTMaxCh", &d.XTMaxCh},
                {"STMaxSe", &d.STMaxSe},
                {"STMaxCh", &d.STMaxCh},
                {"XTMinSe", &d.XTMinSe},
                {"XTMinCh", &d.XTMinCh},
                {"STMinSe", &d.STMinSe},
                {"STMinCh", &d.STMinCh},
                {"XRadSe", &d.XRadSe},
                {"XRadCh", &d.XRadCh},
                {"SRadSe", &d.SRadSe},
                {"SRadCh", &d.SRadCh},
                {"XVVentoSe", &d.XVVentoSe},
                {"SVVentoSe", &d.SVVentoSe},
                {"SkewVVentoSe", &d.SkewVVentoSe},
                {"XVVentoCh", &d.XVVentoCh},
                {"SVVentoCh", &d.SVVentoCh},
                {"SkewVVentoCh", &d.SkewVVentoCh},
                {"XUmidSe", &d.XUmidSe},
                {"XUmidCh", &d.XUmidCh},
                {"SUmidSe", &d.SUmidSe},
                {"SUmidCh", &d.SUmidCh},
            }};
            for (const auto& [nome, campo] : reais) {
                mes_clima.Bind(std::string(":") + nome, Finito((*campo)[mes], nome, mes));
            }
            for (int i = 0; i < 3; ++i) {
                for (int j = 0; j < 3; ++j) {
                    const std::string sufixo = std::to_string(i + 1) + std::to_string(j + 1);
                    const auto ui = static_cast<std::size_t>(i);
                    const auto uj = static_cast<std::size_t>(j);
                    mes_clima.Bind(":MatrizA" + sufixo,
                                   Finito(d.MatrizA[mes](ui, uj), "MatrizA" + sufixo, mes));
                    mes_clima.Bind(":MatrizB" + sufixo,
                                   Finito(d.MatrizB[mes](ui, uj), "MatrizB" + sufixo, mes));
                }
            }
            mes_clima.Bind(":DUmidos", static_cast<int64_t>(d.DUmidosClima[mes]))
                .Bind(":DSecos", static_cast<int64_t>(d.DSecosClima[mes]))
                .Executar();
        }
        return existe ? ResultadoGravacao::Substituida : ResultadoGravacao::Nova;
    });
}

ResultadoGravacao GravarEstacaoPrec(BancoDados& banco, const IdentidadeEstacao& estacao,
                                    const TDados& d, int num_anos) {
    return EmTransacao(banco, estacao.Codigo, [&] {
        const bool existe = ExisteEstacaoPrec(banco, estacao.Codigo);
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
        Consulta mes_prec(banco, kInserirDadosPrec);
        for (int mes = 1; mes <= 12; ++mes) {
            mes_prec.Reiniciar();
            mes_prec.Bind(":CodEstacao", estacao.Codigo)
                .Bind(":Mes", static_cast<int64_t>(mes))
                .Bind(":XPrec", Finito(d.XPrec[mes], "XPrec", mes))
                .Bind(":SPrec", Finito(d.SPrec[mes], "SPrec", mes))
                .Bind(":SkewPrec", Finito(d.SkewPrec[mes], "SkewPrec", mes))
                .Bind(":PCC", Finito(d.PCC[mes], "PCC", mes))
                .Bind(":PCS", Finito(d.PCS[mes], "PCS", mes))
                .Bind(":DUmidos", static_cast<int64_t>(d.DUmidos[mes]))
                .Bind(":DSecos", static_cast<int64_t>(d.DSecos[mes]))
                .Executar();
        }
        return existe ? ResultadoGravacao::Substituida : ResultadoGravacao::Nova;
    });
}

}  // namespace ventaro
