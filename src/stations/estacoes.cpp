#include "stations/estacoes.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <span>
#include <string>
#include <vector>

#include "core/erro.h"
#include "stations/colunas_dados.h"

namespace ventaro {

namespace {

constexpr std::string_view kSelecaoEstacoes =
    "select CodEstacao,Nome,Municipio,Regiao,Latitude,Longitude,Altitude,NumAnos ";

std::string_view TabelaEstacoes(TipoEstacao tipo) {
    return tipo == TipoEstacao::Pluviometrica ? "EstacaoPrec" : "EstacaoClima";
}

std::vector<LinhaEstacao> LerLinhas(Consulta& consulta) {
    std::vector<LinhaEstacao> linhas;
    while (consulta.Proxima()) {
        LinhaEstacao l;
        l.Codigo = consulta.Texto("codestacao");
        l.Nome = consulta.Texto("nome");
        l.Municipio = consulta.Texto("municipio");
        l.Regiao = consulta.Texto("regiao");
        l.Latitude = FormatarCoordenada(consulta.Texto("latitude"), "Latitude");
        l.Longitude = FormatarCoordenada(consulta.Texto("longitude"), "Longitude");
        l.Altitude = consulta.Texto("altitude");
        l.Anos = consulta.Texto("numanos");
        linhas.push_back(std::move(l));
    }
    return linhas;
}

// Escapes the LIKE wildcards so that the typed text is matched literally.
std::string PadraoContem(std::string_view texto) {
    std::string padrao = "%";
    for (const char c : texto) {
        if (c == '%' || c == '_' || c == '\\') padrao += '\\';
        padrao += c;
    }
    padrao += '%';
    return padrao;
}

int32_t Inteiro32(const Consulta& consulta, std::string_view coluna) {
    return static_cast<int32_t>(consulta.Inteiro(coluna));
}

// The message of a month that does not have exactly one row.
std::string MensagemMes(std::string_view inicio, int mes, int linhas, std::string_view tabela) {
    std::string m(inicio);
    m += linhas == 0 ? ": falta o mês " + std::to_string(mes) + " em " + std::string(tabela)
                     : ": o mês " + std::to_string(mes) + " tem " + std::to_string(linhas) +
                           " linhas em " + std::string(tabela);
    m += " (cada mês precisa de exatamente uma linha).";
    return m;
}

// Reads the twelve monthly rows of a station into `dados`, month by month: a month that does
// not have exactly one row fails, and the months read before it stay.
void LerMeses(BancoDados& banco, const char* tabela, std::span<const ColunaMensal> colunas,
              std::string_view codigo, std::string_view inicio, TDados& dados) {
    Consulta mensal(banco, "select * from " + std::string(tabela) +
                               "\nwhere CodEstacao = :estacao\nand Mes = :mes");
    std::vector<double> valores(colunas.size());
    for (int mes = 1; mes <= 12; ++mes) {
        mensal.Reiniciar();
        mensal.Bind(":estacao", codigo).Bind(":mes", static_cast<int64_t>(mes));
        int linhas = 0;
        while (mensal.Proxima()) {
            if (++linhas > 1) continue;
            for (std::size_t c = 0; c < colunas.size(); ++c) {
                valores[c] = colunas[c].EhInteira()
                                 ? static_cast<double>(mensal.Inteiro(colunas[c].Nome()))
                                 : mensal.Real(colunas[c].Nome());
            }
        }
        if (linhas != 1) throw ErroVentaro(MensagemMes(inicio, mes, linhas, tabela));
        for (std::size_t c = 0; c < colunas.size(); ++c) colunas[c].Definir(dados, mes, valores[c]);
    }
}

// The record's monthly totals, when the station has them: a database made before they were
// kept has no TotaisPrec table, and a station imported before has no rows; either way the
// container says so. A station with some months only fails like DadosPrec.
void LerTotais(BancoDados& banco, std::string_view codigo, std::string_view inicio, TDados& dados) {
    dados.TemTotaisPrec = false;
    for (const ColunaMensal& c : ColunasTotaisPrec()) {
        for (int mes = 1; mes <= 12; ++mes) c.Definir(dados, mes, 0.0);
    }
    Consulta tabela(banco,
                    "select count(*) as n from sqlite_master where type = 'table' and "
                    "lower(name) = 'totaisprec'");
    if (!tabela.Proxima() || tabela.Inteiro("n") == 0) return;
    Consulta linhas(banco, "select count(*) as n from TotaisPrec where CodEstacao = :estacao");
    linhas.Bind(":estacao", codigo);
    if (!linhas.Proxima() || linhas.Inteiro("n") == 0) return;
    LerMeses(banco, "TotaisPrec", ColunasTotaisPrec(), codigo, inicio, dados);
    dados.TemTotaisPrec = true;
}

}  // namespace

std::vector<LinhaEstacao> ListarEstacoes(BancoDados& banco, TipoEstacao tipo) {
    banco.VerificarTabelas({TabelaEstacoes(tipo)});
    Consulta consulta(banco, std::string(kSelecaoEstacoes) + "from " +
                                 std::string(TabelaEstacoes(tipo)) + " order by CodEstacao");
    return LerLinhas(consulta);
}

std::vector<LinhaEstacao> ProcurarEstacoes(BancoDados& banco, TipoEstacao tipo,
                                           std::string_view texto) {
    banco.VerificarTabelas({TabelaEstacoes(tipo)});
    // The text is bound, never pasted into the statement: quotes, ; and wildcards typed by the
    // user are plain characters to look for.
    Consulta consulta(banco, std::string(kSelecaoEstacoes) + "from " +
                                 std::string(TabelaEstacoes(tipo)) +
                                 " where CodEstacao like :padrao escape '\\'"
                                 " or Nome like :padrao escape '\\'"
                                 " or Municipio like :padrao escape '\\'"
                                 " order by CodEstacao");
    consulta.Bind(":padrao", PadraoContem(texto));
    return LerLinhas(consulta);
}

void CarregarEstacaoPrec(BancoDados& banco, std::string_view codigo, TDados& dados) {
    banco.VerificarTabelas({"EstacaoPrec", "DadosPrec", "ParamRegiao"});
    const std::string cod(codigo);
    const std::string inicio = "Erro ao abrir dados da estação pluviométrica " + cod;

    Consulta estacao(banco, "select * from EstacaoPrec\nwhere CodEstacao = :estacao");
    estacao.Bind(":estacao", codigo);
    if (!estacao.Proxima()) {
        throw ErroVentaro("Estação pluviométrica " + cod + " não encontrada no banco de dados " +
                          banco.Arquivo().string() + ".");
    }

    LerMeses(banco, "DadosPrec", ColunasDadosPrec(), codigo, inicio, dados);
    LerTotais(banco, codigo, inicio, dados);

    dados.SetNome(estacao.Texto("Nome"));
    dados.CodEstacao = Inteiro32(estacao, "CodEstacao");
    dados.Altitude = estacao.Real("Altitude");
    dados.Latitude = estacao.Real("Latitude");
    dados.Longitude = estacao.Real("Longitude");
    dados.Regiao = Inteiro32(estacao, "Regiao");

    TabelaRegional* const tabelas[] = {&dados.AlfaDur, &dados.BetaDur, &dados.AlfaIi, &dados.BetaIi,
                                       &dados.BetaTi};
    Consulta regiao(banco,
                    "select * from ParamRegiao\nwhere CodRegiao = :regiao\n"
                    "and TipoParametro = :tipo\nand Mes = :mes");
    for (int tipo = 1; tipo <= 5; ++tipo) {
        TabelaRegional& tabela = *tabelas[tipo - 1];
        for (int mes = 1; mes <= 12; ++mes) {
            regiao.Reiniciar();
            regiao.Bind(":regiao", static_cast<int64_t>(dados.Regiao))
                .Bind(":tipo", static_cast<int64_t>(tipo))
                .Bind(":mes", static_cast<int64_t>(mes));
            // A region without a row for this law and month reads as zeros.
            const bool tem_linha = regiao.Proxima();
            for (int classe = 0; classe < kNumClasses; ++classe) {
                tabela[mes][static_cast<std::size_t>(classe)] =
                    tem_linha ? regiao.RealNaPosicao(classe + 5) : 0.0;
            }
        }
    }
}

void CarregarEstacaoClima(BancoDados& banco, std::string_view codigo, TDados& dados) {
    banco.VerificarTabelas({"EstacaoClima", "DadosClima"});
    const std::string cod(codigo);
    const std::string inicio = "Erro ao abrir dados climatológicos da estação " + cod;

    Consulta estacao(banco, "select * from EstacaoClima\nwhere CodEstacao = :estacao");
    estacao.Bind(":estacao", codigo);
    if (!estacao.Proxima()) {
        throw ErroVentaro("Estação climatológica " + cod + " não encontrada no banco de dados " +
                          banco.Arquivo().string() + ".");
    }

    LerMeses(banco, "DadosClima", ColunasDadosClima(), codigo, inicio, dados);

    dados.SetNomeClima(estacao.Texto("Nome"));
    dados.CodEstacaoClima = Inteiro32(estacao, "CodEstacao");
    dados.LatitudeClima = estacao.Real("Latitude");
    dados.LongitudeClima = estacao.Real("Longitude");
    dados.AltitudeClima = estacao.Real("Altitude");
    dados.XResJanTMax = estacao.Real("XResJanTMax");
    dados.XResJanTMin = estacao.Real("XResJanTMin");
    dados.XResJanRad = estacao.Real("XResJanRad");
}

VariaveisSimuladas AjustarVariaveisSimuladas(const TDados& dados) {
    auto zeros = [](std::initializer_list<const Mensal<double>*> campos) {
        int n = 0;
        for (const Mensal<double>* campo : campos) {
            for (int mes = 1; mes <= 12; ++mes) {
                if ((*campo)[mes] == 0) ++n;
            }
        }
        return n;
    };
    const TDados& d = dados;
    const int prec = zeros({&d.XPrec, &d.SPrec, &d.SkewPrec, &d.PCC, &d.PCS});
    const int tmax = zeros({&d.XTMaxSe, &d.XTMaxCh, &d.STMaxSe, &d.STMaxCh});
    const int tmin = zeros({&d.XTMinSe, &d.XTMinCh, &d.STMinSe, &d.STMinCh});
    const int rad = zeros({&d.XRadSe, &d.XRadCh, &d.SRadSe, &d.SRadCh});
    const int vento = zeros(
        {&d.XVVentoSe, &d.XVVentoCh, &d.SkewVVentoSe, &d.SkewVVentoCh, &d.SVVentoSe, &d.SVVentoCh});
    const int umid = zeros({&d.XUmidSe, &d.XUmidCh, &d.SUmidSe, &d.SUmidCh});

    VariaveisSimuladas v;
    v.SimularPrec = prec != 60;
    // Maximum and minimum temperature and radiation form one multivariate model: without any
    // of the three, no climate variable can be simulated.
    if (tmax == 48 || tmin == 48 || rad == 48) return v;
    v.SimularTMax = v.SimularTMin = v.SimularRad = true;
    v.SimularVVento = vento != 72;
    v.SimularUmid = umid != 48;
    return v;
}

std::string FormatarCoordenada(std::string_view texto, std::string_view tipo) {
    if (texto.empty()) return " ";
    std::string numero(texto);
    for (char& c : numero) {
        if (c == ',') c = '.';
    }
    double v = 0;
    const auto [fim, ec] = std::from_chars(numero.data(), numero.data() + numero.size(), v);
    if (ec != std::errc() || fim != numero.data() + numero.size() || !(std::fabs(v) < 1e9)) {
        throw ErroVentaro("Coordenada inválida: \"" + std::string(texto) + "\".");
    }
    // Rounded to four decimals, then split exactly in ten-thousandths of a degree, so that
    // 20.25 is 15 minutes and never 14 minutes 59 seconds.
    char buf[64];
    const auto escrito =
        std::to_chars(buf, buf + sizeof buf, std::fabs(v), std::chars_format::fixed, 4);
    const std::string_view arredondado(buf, static_cast<std::size_t>(escrito.ptr - buf));
    const auto ponto = arredondado.find('.');
    int64_t graus = 0, frac = 0;
    std::from_chars(arredondado.data(), arredondado.data() + ponto, graus);
    std::from_chars(arredondado.data() + ponto + 1, arredondado.data() + arredondado.size(), frac);
    const bool negativo = v < 0 && (graus != 0 || frac != 0);
    const int64_t minutos_e4 = frac * 60;  // minutes in ten-thousandths
    const int64_t minutos = minutos_e4 / 10000;
    const int64_t segundos = minutos_e4 % 10000 * 60 / 10000;  // truncated, not rounded

    char saida[96];
    const bool latitude = tipo == "Latitude";
    const char* hemisferio = latitude ? (negativo ? "S" : "N") : (negativo ? "O" : "L");
    std::snprintf(saida, sizeof saida, "%02lld° %02lld ´ %02lld ´´  %s",
                  static_cast<long long>(graus), static_cast<long long>(minutos),
                  static_cast<long long>(segundos), hemisferio);
    return saida;
}

std::string TextoCoordenada(double graus) {
    char buf[64];
    const auto escrito = std::to_chars(buf, buf + sizeof buf, graus, std::chars_format::fixed, 4);
    std::string s(buf, escrito.ptr);
    while (!s.empty() && s.back() == '0') s.pop_back();
    if (!s.empty() && s.back() == '.') s.pop_back();
    if (s == "-0") s = "0";
    return s;
}

}  // namespace ventaro
