#include "import/leitor_inmet_mdb.h"

#include <SQLiteCpp/SQLiteCpp.h>

#include <array>
#include <map>
#include <optional>
#include <utility>

#include "core/calendario.h"
#include "core/erro.h"
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
    if (!ano || !mes || *mes < 1 || *mes > 12 || *ano < 1) return std::nullopt;
    return std::pair<int64_t, int>{*ano, static_cast<int>(*mes)};
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
            const auto am = AnoMes(q.getColumn(0).getString());
            if (!am) {
                throw ErroVentaro("Data inválida na tabela Clima da estação " +
                                  std::string(codigo) + ": \"" + q.getColumn(0).getString() +
                                  "\".");
            }
            if (!primeiro) primeiro = am->first;
            ultimo = am->first;
        }
    }
    if (!primeiro) {
        throw ErroVentaro("A estação " + std::string(codigo) + " não tem dados na tabela Clima.");
    }
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
                mv.soma[static_cast<std::size_t>(d)] += q.getColumn(c).getDouble();
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
                        dia.VVento = media / 3.6;
                        break;
                    default:
                        // Humidity is stored as a fraction like the text files'; sources in
                        // per cent are recognised by values no fraction can reach.
                        dia.Umid = media > 1.5 ? media / 100.0 : media;
                        break;
                }
            }
        }
    }
    return registro;
}

}  // namespace ventaro
