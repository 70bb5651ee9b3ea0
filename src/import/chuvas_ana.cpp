#include "import/chuvas_ana.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <string>
#include <tuple>

#include "core/calendario.h"
#include "core/erro.h"
#include "core/estatisticas_serie.h"
#include "core/totais_prec.h"
#include "import/formato_arquivo.h"
#include "import/texto.h"

namespace ventaro {

namespace {

std::string_view SemAspas(std::string_view texto) {
    texto = Aparar(texto);
    if (texto.size() >= 2 && texto.front() == '"' && texto.back() == '"') {
        texto = texto.substr(1, texto.size() - 2);
    }
    return texto;
}

struct ColunasChuva {
    std::optional<std::size_t> estacao, nivel, data;
    std::array<std::optional<std::size_t>, 31> dias{};
};

ColunasChuva MapearColunas(std::string_view cabecalho) {
    ColunasChuva c;
    const auto campos = DividirCampos(cabecalho, ';');
    for (std::size_t i = 0; i < campos.size(); ++i) {
        const std::string nome = Maiusculas(SemAspas(campos[i]));
        if (nome == "ESTACAOCODIGO") {
            c.estacao = i;
        } else if (nome == "NIVELCONSISTENCIA") {
            c.nivel = i;
        } else if (nome == "DATA") {
            c.data = i;
        } else if (nome.size() == 7 && ComecaCom(nome, "CHUVA")) {
            const auto dia = LerInteiro(std::string_view(nome).substr(5));
            if (dia && *dia >= 1 && *dia <= 31) c.dias[static_cast<std::size_t>(*dia - 1)] = i;
        }
    }
    return c;
}

}  // namespace

void ValidarChuvaDiaria(MesChuva& mes, ValoresImpossiveis& impossiveis, const std::string& onde) {
    // Cells past the month's end are not read.
    const auto dias = static_cast<std::size_t>(DiasNoMes(mes.Ano, mes.Mes));
    for (std::size_t d = 0; d < dias; ++d) {
        auto& valor = mes.Dias[d];
        if (!valor || ValorFisico(Grandeza::Precipitacao, *valor)) continue;
        impossiveis.Registrar(onde + ", dia " + std::to_string(d + 1), "precipitação",
                              Grandeza::Precipitacao, *valor);
        valor.reset();
    }
}

LeituraChuvas LerArquivoChuvas(const std::filesystem::path& arquivo) {
    LeitorLinhas leitor(arquivo);
    std::optional<ColunasChuva> colunas;
    LeituraChuvas leitura;
    MarcacaoFinal marcacao(arquivo);
    ValoresImpossiveis impossiveis;
    std::set<std::tuple<int64_t, int64_t, int, int>> lidos;  // station, year, month, level
    while (leitor.Proxima()) {
        const std::size_t n = leitor.Numero();
        std::string_view linha = Aparar(leitor.Linha());
        if (!colunas) {
            // The old export comments its header out like the rest of its preamble.
            if (ComecaCom(linha, "//")) linha.remove_prefix(2);
            if (Maiusculas(SemAspas(linha.substr(0, linha.find(';')))) == "ESTACAOCODIGO") {
                colunas = MapearColunas(linha);
                if (!colunas->estacao || !colunas->data || !colunas->dias[27]) {
                    throw ErroVentaro(MensagemLinha(
                        arquivo, n, "faltam as colunas EstacaoCodigo, Data ou Chuva01..Chuva31",
                        leitor.Linha()));
                }
            }
            continue;
        }
        if (linha.empty() || ComecaCom(linha, "//")) continue;
        const auto campos = DividirCampos(linha, ';');
        auto campo = [&](std::optional<std::size_t> c) -> std::string_view {
            return c && *c < campos.size() ? SemAspas(campos[*c]) : std::string_view{};
        };
        MesChuva mes;
        const auto estacao = LerInteiro(campo(colunas->estacao));
        if (!estacao) {
            if (marcacao.Adiar(n, linha)) continue;
            throw ErroVentaro(MensagemLinha(arquivo, n, "código de estação inválido", linha));
        }
        marcacao.Dados();
        mes.Estacao = *estacao;
        if (colunas->nivel) {
            const auto nivel = LerInteiro(campo(colunas->nivel));
            mes.Nivel = nivel && *nivel >= 0 && *nivel <= 9 ? static_cast<int>(*nivel) : 1;
        }
        // "01/mm/yyyy", possibly followed by a time.
        const std::string_view data = campo(colunas->data).substr(0, 10);
        const auto mes_num = data.size() == 10 ? LerInteiro(data.substr(3, 2)) : std::nullopt;
        const auto ano = data.size() == 10 ? LerInteiro(data.substr(6, 4)) : std::nullopt;
        if (!mes_num || !ano || *mes_num < 1 || *mes_num > 12) {
            throw ErroVentaro(MensagemLinha(arquivo, n, "data inválida", linha));
        }
        if (!AnoAceito(*ano))
            throw ErroVentaro(MensagemLinha(arquivo, n, MotivoAnoFora(*ano), linha));
        mes.Ano = *ano;
        mes.Mes = static_cast<int>(*mes_num);
        for (std::size_t d = 0; d < 31; ++d) {
            bool invalido = false;
            mes.Dias[d] = LerDecimal(campo(colunas->dias[d]), &invalido);
            if (invalido) {
                throw ErroVentaro(MensagemLinha(
                    arquivo, n, "valor de chuva inválido no dia " + std::to_string(d + 1), linha));
            }
        }
        ValidarChuvaDiaria(mes, impossiveis, "linha " + std::to_string(n));
        if (!lidos.insert({mes.Estacao, mes.Ano, mes.Mes, mes.Nivel}).second) continue;
        leitura.Meses.push_back(mes);
    }
    if (!colunas) {
        throw ErroVentaro("O arquivo " + TextoSeguro(arquivo.string()) +
                          " não tem o cabeçalho \"EstacaoCodigo;...\" das séries de chuva da ANA.");
    }
    if (auto aviso = impossiveis.Aviso("Arquivo " + arquivo.string())) {
        leitura.Avisos.push_back(std::move(*aviso));
    }
    return leitura;
}

std::vector<MesChuva> LerChuvasHidroweb(const std::filesystem::path& arquivo) {
    return LerArquivoChuvas(arquivo).Meses;
}

std::vector<MesChuva> OrdenarMeses(std::vector<MesChuva> meses) {
    // Consisted data replace the raw data of the same month.
    std::map<std::pair<int64_t, int>, MesChuva> por_mes;
    for (MesChuva& m : meses) {
        auto [it, novo] = por_mes.try_emplace({m.Ano, m.Mes}, m);
        if (!novo && m.Nivel > it->second.Nivel) it->second = std::move(m);
    }
    std::vector<MesChuva> ordenados;
    ordenados.reserve(por_mes.size());
    for (auto& [chave, m] : por_mes) ordenados.push_back(std::move(m));
    return ordenados;
}

std::vector<MesChuva> MesesAceitos(const std::vector<MesChuva>& ordenados) {
    std::vector<MesChuva> aceitos;
    if (ordenados.size() <= 12) return aceitos;
    // Drops the months of an unfinished year from the end of the table.
    auto descartar_ano_incompleto = [&] {
        while (!aceitos.empty() && aceitos.back().Mes != 12) aceitos.pop_back();
    };
    std::optional<std::pair<int64_t, int>> anterior;  // last accepted (year, month)
    for (const MesChuva& linha : ordenados) {
        if (anterior) {
            const auto [a, m] = *anterior;
            const std::pair<int64_t, int> seguinte =
                m == 12 ? std::pair{a + 1, 1} : std::pair{a, m + 1};
            if (std::pair{linha.Ano, linha.Mes} != seguinte) {
                // A missing month row is a gap like an empty day.
                descartar_ano_incompleto();
                anterior.reset();
            }
        }
        if (!anterior && linha.Mes != 1) continue;
        bool completo = true;
        const int dias = DiasNoMes(linha.Ano, linha.Mes);
        for (int d = 0; d < dias; ++d) {
            if (!linha.Dias[static_cast<std::size_t>(d)]) completo = false;
        }
        if (completo) {
            aceitos.push_back(linha);
            anterior = std::pair{linha.Ano, linha.Mes};
        } else {
            descartar_ano_incompleto();
            anterior.reset();
        }
    }
    descartar_ano_incompleto();
    return aceitos;
}

SerieDiariaPrec MontarSerieDiaria(const std::vector<MesChuva>& aceitos) {
    SerieDiariaPrec serie;
    if (aceitos.empty()) return serie;
    serie.AnoInicial = aceitos.front().Ano;
    serie.AnoFinal = aceitos.back().Ano;
    serie.TotaisAnuais.assign(static_cast<std::size_t>(serie.AnoFinal - serie.AnoInicial + 1), 0.0);
    for (const MesChuva& m : aceitos) {
        const int dias = DiasNoMes(m.Ano, m.Mes);
        for (int d = 0; d < dias; ++d) {
            serie.TotaisAnuais[static_cast<std::size_t>(m.Ano - serie.AnoInicial)] +=
                *m.Dias[static_cast<std::size_t>(d)];
        }
    }
    // The statistics walk only the years with rain; their days go into the series, the days of
    // a dry year are consumed with it.
    for (const MesChuva& m : aceitos) {
        if (!(serie.TotaisAnuais[static_cast<std::size_t>(m.Ano - serie.AnoInicial)] > 0)) continue;
        const int dias = DiasNoMes(m.Ano, m.Mes);
        for (int d = 0; d < dias; ++d)
            serie.Diarios.push_back(*m.Dias[static_cast<std::size_t>(d)]);
    }
    for (double total : serie.TotaisAnuais) {
        if (total > 0) ++serie.NumAnos;
    }
    return serie;
}

ParametrosPrec EstimarPrec(std::vector<MesChuva> meses) {
    const SerieDiariaPrec serie = MontarSerieDiaria(MesesAceitos(OrdenarMeses(std::move(meses))));
    ParametrosPrec p;
    p.NumAnos = serie.NumAnos;
    if (serie.NumAnos > 0) {
        CalcularEstatisticasPrec(p.Dados, serie.TotaisAnuais, serie.AnoInicial, serie.AnoFinal,
                                 serie.Diarios);
        CalcularTotaisPrec(p.Dados, serie.TotaisAnuais, serie.AnoInicial, serie.AnoFinal,
                           serie.Diarios);
    }
    return p;
}

std::string CodigoAna8(int64_t codigo) {
    std::string texto = std::to_string(codigo);
    if (texto.size() >= 5 && texto.size() < 8) texto.insert(0, 8 - texto.size(), '0');
    return texto;
}

bool CodigoConfereCoordenadas(int64_t codigo, double latitude, double longitude) {
    if (!(std::fabs(latitude) <= 90) || !(std::fabs(longitude) <= 180)) return false;
    const std::string texto = CodigoAna8(codigo);
    if (texto.size() != 8) return false;
    const auto graus_lat = LerInteiro(std::string_view(texto).substr(1, 2));
    const auto graus_lon = LerInteiro(std::string_view(texto).substr(3, 2));
    // Degrees as shown by the coordinate format: the truncated absolute value.
    return graus_lat && graus_lon &&
           *graus_lat == static_cast<long long>(std::trunc(std::fabs(latitude))) &&
           *graus_lon == static_cast<long long>(std::trunc(std::fabs(longitude)));
}

}  // namespace ventaro
