#include "import/leitor_inmet_mdb.h"

#include <SQLiteCpp/SQLiteCpp.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <map>
#include <optional>
#include <utility>

#include "core/calendario.h"
#include "core/erro.h"
#include "import/limites_observacao.h"
#include "import/texto.h"

namespace ventaro {

namespace {

constexpr std::string_view kEstacoes =
    "select distinct(EstacaoCodigo) from Clima order by EstacaoCodigo";
constexpr std::string_view kDatas =
    "select Data from Clima\n"
    "where EstacaoCodigo = :codigo\n"
    "and (ParametroClima = 11 or ParametroClima = 12\n"
    "or ParametroClima = 42 or ParametroClima = 70\n"
    "or ParametroClima = 80 or ParametroClima = 90)\n"
    "order by Data";
constexpr std::string_view kVariavel =
    "select * from Clima\n"
    "where EstacaoCodigo = :codEstacao\n"
    "and ParametroClima = :codVariavel\n"
    "order by Data";

// Variables in the order they are loaded.
constexpr std::array<int, 6> kVariaveis = {70, 11, 12, 80, 42, 90};

// Year and month of a Data value: "yyyy-mm-dd..." (the copy of an Access date) or
// "dd/mm/yyyy...".
std::optional<std::pair<int64_t, int>> AnoMes(const std::string& data) {
    std::optional<long long> ano, mes;
    if (data.size() >= 10 && data[4] == '-') {
        ano = LerInteiro(std::string_view(data).substr(0, 4));
        mes = LerInteiro(std::string_view(data).substr(5, 2));
    } else if (data.size() >= 10 && data[2] == '/') {
        mes = LerInteiro(std::string_view(data).substr(3, 2));
        ano = LerInteiro(std::string_view(data).substr(6, 4));
    }
    if (!ano || !mes || *mes < 1 || *mes > 12 || !AnoAceito(*ano)) return std::nullopt;
    return std::pair<int64_t, int>{*ano, static_cast<int>(*mes)};
}

// A cell's value in the unit the record keeps, checked against what the variable can be.
struct Celula {
    double valor;     // as stored in the record
    double mostrado;  // as the table gives it, for the warning
    Grandeza grandeza;
    std::string_view nome;
    bool possivel;
};

Celula Converter(int variavel, double v, int64_t ano, int mes, int dia, double latitude) {
    switch (variavel) {
        case 70:
            return {v, v, Grandeza::Precipitacao, "precipitação",
                    ValorFisico(Grandeza::Precipitacao, v)};
        case 11:
            return {v, v, Grandeza::Temperatura, "temperatura máxima",
                    ValorFisico(Grandeza::Temperatura, v)};
        case 12:
            return {v, v, Grandeza::Temperatura, "temperatura mínima",
                    ValorFisico(Grandeza::Temperatura, v)};
        case 80: {
            if (!ValorFisico(Grandeza::Insolacao, v)) {
                return {v, v, Grandeza::Insolacao, "insolação", false};
            }
            // More sunshine than the day has daylight gives more radiation than can arrive.
            const double rad = RadiacaoInsolacao(v, DiaDoAno(ano, mes, dia), latitude);
            return {v, rad, Grandeza::Radiacao, "radiação (da insolação)",
                    ValorFisico(Grandeza::Radiacao, rad)};
        }
        case 42:
            return {v / 3.6, v / 3.6, Grandeza::Vento, "vento",
                    ValorFisico(Grandeza::Vento, v / 3.6)};
        default: {
            // Humidity is stored as a fraction like the text files'; sources in per cent are
            // recognised by values no fraction can reach.
            const double por_cento = v > 1.5 ? v : v * 100.0;
            return {por_cento / 100.0, por_cento, Grandeza::Umidade, "umidade relativa",
                    ValorFisico(Grandeza::Umidade, por_cento)};
        }
    }
}

struct MesVariavel {
    std::array<double, 31> soma{};
    std::array<int, 31> contagem{};
    bool completo = true;
};

}  // namespace

std::vector<std::string> EstacoesClima(SQLite::Database& origem) {
    SQLite::Statement q(origem, std::string(kEstacoes));
    std::vector<std::string> codigos;
    while (q.executeStep()) codigos.push_back(q.getColumn(0).getString());
    return codigos;
}

RegistroClima LerEstacaoClima(SQLite::Database& origem, std::string_view codigo, double latitude) {
    RegistroClima registro;
    std::optional<int64_t> primeiro, ultimo;
    {
        SQLite::Statement q(origem, std::string(kDatas));
        q.bind(":codigo", std::string(codigo));
        while (q.executeStep()) {
            const std::string data = q.getColumn(0).getString();
            const auto am = AnoMes(data);
            if (!am) {
                throw ErroVentaro("Data inválida na tabela Clima da estação " +
                                  TextoSeguro(codigo) + ": \"" + TextoSeguro(data) +
                                  "\" (datas de " + std::to_string(kAnoMinimo) + " a " +
                                  std::to_string(kAnoMaximo) + ").");
            }
            // "dd/mm/yyyy" text does not sort by year.
            primeiro = std::min(primeiro.value_or(am->first), am->first);
            ultimo = std::max(ultimo.value_or(am->first), am->first);
        }
    }
    if (!primeiro) {
        throw ErroVentaro("A estação " + TextoSeguro(codigo) + " não tem dados na tabela Clima.");
    }
    ValoresImpossiveis impossiveis;
    for (int64_t ano = *primeiro; ano <= *ultimo; ++ano) {
        registro.Anos.emplace_back(ano);
        for (int mes = 1; mes <= 12; ++mes) registro.Anos.back().Valido[mes] = true;
    }
    auto ano_de = [&](int64_t ano) -> TDadosAno& {
        return registro.Anos[static_cast<std::size_t>(ano - *primeiro)];
    };

    for (const int variavel : kVariaveis) {
        std::map<std::pair<int64_t, int>, MesVariavel> meses;
        SQLite::Statement q(origem, std::string(kVariavel));
        q.bind(":codEstacao", std::string(codigo));
        q.bind(":codVariavel", variavel);
        std::array<int, 31> colunas{};
        for (int d = 1; d <= 31; ++d) {
            const std::string nome = (d < 10 ? "CLIMA0" : "CLIMA") + std::to_string(d);
            colunas[static_cast<std::size_t>(d - 1)] = -1;
            for (int c = 0; c < q.getColumnCount(); ++c) {
                if (Maiusculas(q.getColumnName(c)) == nome) {
                    colunas[static_cast<std::size_t>(d - 1)] = c;
                }
            }
        }
        while (q.executeStep()) {
            const auto am = AnoMes(q.getColumn("Data").getString());
            if (!am || am->first < *primeiro || am->first > *ultimo) continue;
            MesVariavel& mv = meses[*am];
            const int dias = DiasNoMes(am->first, am->second);
            for (int d = 0; d < dias; ++d) {
                const int c = colunas[static_cast<std::size_t>(d)];
                if (c < 0 || q.getColumn(c).isNull() ||
                    (q.getColumn(c).isText() && Aparar(q.getColumn(c).getString()).empty())) {
                    mv.completo = false;
                    continue;
                }
                const Celula celula = Converter(variavel, q.getColumn(c).getDouble(), am->first,
                                                am->second, d + 1, latitude);
                if (!celula.possivel) {
                    // Read as missing, like an empty cell.
                    char onde[48];
                    std::snprintf(onde, sizeof onde, "%02d/%02d/%04lld", d + 1, am->second,
                                  static_cast<long long>(am->first));
                    impossiveis.Registrar(onde, celula.nome, celula.grandeza, celula.mostrado);
                    mv.completo = false;
                    continue;
                }
                mv.soma[static_cast<std::size_t>(d)] += celula.valor;
                ++mv.contagem[static_cast<std::size_t>(d)];
            }
        }
        // A month without rows of this variable, or with an empty cell, is invalid for all.
        for (TDadosAno& ano : registro.Anos) {
            for (int mes = 1; mes <= 12; ++mes) {
                const auto it = meses.find({ano.Ano, mes});
                if (it == meses.end() || !it->second.completo) ano.Valido[mes] = false;
            }
        }
        for (const auto& [am, mv] : meses) {
            TDadosAno& ano = ano_de(am.first);
            if (!ano.Valido[am.second]) continue;
            auto& dias = ano.Dias[am.second];
            for (std::size_t d = 1; d < dias.size(); ++d) {
                const double media = mv.soma[d - 1] / mv.contagem[d - 1];
                TDadosDia& dia = dias[d];
                switch (variavel) {
                    case 70:
                        dia.Prec = media;
                        break;
                    case 11:
                        dia.TMax = media;
                        break;
                    case 12:
                        dia.TMin = media;
                        break;
                    case 80:
                        dia.Insolacao = media;
                        dia.Rad = RadiacaoInsolacao(
                            media, DiaDoAno(am.first, am.second, static_cast<int>(d)), latitude);
                        break;
                    case 42:
                        dia.VVento = media;  // already m/s
                        break;
                    default:
                        dia.Umid = media;  // already a fraction
                        break;
                }
            }
        }
    }
    if (auto aviso = impossiveis.Aviso("Tabela Clima, estação " + std::string(codigo))) {
        registro.Avisos.push_back(std::move(*aviso));
    }
    return registro;
}

}  // namespace ventaro
