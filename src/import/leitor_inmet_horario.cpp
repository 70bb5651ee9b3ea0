#include "import/leitor_inmet_horario.h"

#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <string_view>
#include <tuple>

#include "core/erro.h"
#include "import/formato_arquivo.h"
#include "import/limites_observacao.h"
#include "import/texto.h"

namespace ventaro {

namespace {

// INMET writes -9999 for an hour the station did not record.
constexpr double kAusente = -9999.0;

// "yyyy-mm-dd", "yyyy/mm/dd" or "dd/mm/yyyy"; nullopt when not a calendar date.
std::optional<Data> LerData(std::string_view texto) {
    texto = Aparar(texto);
    if (texto.size() != 10) return std::nullopt;
    std::optional<long long> a, m, d;
    if ((texto[4] == '-' || texto[4] == '/') && texto[7] == texto[4]) {
        a = LerInteiro(texto.substr(0, 4));
        m = LerInteiro(texto.substr(5, 2));
        d = LerInteiro(texto.substr(8, 2));
    } else if (texto[2] == '/' && texto[5] == '/') {
        d = LerInteiro(texto.substr(0, 2));
        m = LerInteiro(texto.substr(3, 2));
        a = LerInteiro(texto.substr(6, 4));
    }
    if (!a || !m || !d || *a < 1 || *m < 1 || *m > 12 || *d < 1) return std::nullopt;
    if (*d > DiasNoMes(*a, static_cast<int>(*m))) return std::nullopt;
    return Data{*a, static_cast<int>(*m), static_cast<int>(*d)};
}

// "00:00", "0000 UTC", "0000" or "0": a whole hour 0-23.
std::optional<int> LerHora(std::string_view texto) {
    texto = Aparar(texto);
    const std::string maiusculas = Maiusculas(texto);
    if (maiusculas.size() > 3 && maiusculas.ends_with("UTC")) {
        texto = Aparar(texto.substr(0, texto.size() - 3));
    }
    std::optional<long long> hora;
    std::optional<long long> minuto = 0;
    if (const std::size_t p = texto.find(':'); p != std::string_view::npos) {
        hora = LerInteiro(texto.substr(0, p));
        minuto = LerInteiro(texto.substr(p + 1));
    } else if (texto.size() == 4) {
        hora = LerInteiro(texto.substr(0, 2));
        minuto = LerInteiro(texto.substr(2, 2));
    } else if (!texto.empty() && texto.size() <= 2) {
        hora = LerInteiro(texto);
    }
    if (!hora || !minuto || *hora < 0 || *hora > 23 || *minuto != 0) return std::nullopt;
    return static_cast<int>(*hora);
}

// One line of the metadata block: "KEY:;value" (yearly files) or "Key: value" (BDMEP). The
// yearly files lost their accents on the way ("REGI?O:", "ESTA\uFFFD\uFFFDO:"), so keys are
// matched by their leading letters.
void LerMetadado(std::string_view linha, IdentidadeArquivo& identidade) {
    const std::size_t p = linha.find(':');
    if (p == std::string_view::npos) return;
    const std::string chave = Maiusculas(Aparar(linha.substr(0, p)));
    std::string_view valor = Aparar(linha.substr(p + 1));
    while (!valor.empty() && valor.front() == ';') valor = Aparar(valor.substr(1));
    while (!valor.empty() && valor.back() == ';') valor = Aparar(valor.substr(0, valor.size() - 1));
    if (ComecaCom(chave, "CODIGO")) {
        identidade.Codigo = std::string(valor);
    } else if (chave == "NOME" || ComecaCom(chave, "ESTA")) {
        identidade.Nome = std::string(valor);
    } else if (ComecaCom(chave, "LATITUDE")) {
        identidade.Latitude = LerDecimal(valor);
    } else if (ComecaCom(chave, "LONGITUDE")) {
        identidade.Longitude = LerDecimal(valor);
    } else if (ComecaCom(chave, "ALTITUDE")) {
        identidade.Altitude = LerDecimal(valor);
    }
}

bool EhCabecalho(const std::vector<std::string_view>& campos) {
    return campos.size() >= 3 && ComecaCom(Maiusculas(Aparar(campos[0])), "DATA") &&
           ComecaCom(Maiusculas(Aparar(campos[1])), "HORA");
}

std::string TextoDataHora(const Data& d, int hora) {
    char texto[64];
    std::snprintf(texto, sizeof texto, "%02d/%02d/%04lld %02d h", d.dia, d.mes,
                  static_cast<long long>(d.ano), hora);
    return texto;
}

}  // namespace

RegistroHorario LerInmetHorario(const std::filesystem::path& arquivo) {
    const FormatoArquivo formato = DetectarFormato(arquivo);
    if (formato != FormatoArquivo::InmetHorarioAnual && formato != FormatoArquivo::BdmepHorario) {
        throw ErroVentaro("O arquivo " + TextoSeguro(arquivo.string()) + " é uma " +
                          NomeFormato(formato) +
                          ", não uma série horária de estação automática do INMET.");
    }
    // Read line by line: memory follows the record, not the file.
    LeitorLinhas leitor(arquivo);
    RegistroHorario registro;
    registro.Arquivo = arquivo;
    bool achou_cabecalho = false;
    while (leitor.Proxima()) {
        if (EhCabecalho(DividirCampos(leitor.Linha(), ';'))) {
            achou_cabecalho = true;
            break;
        }
        LerMetadado(leitor.Linha(), registro.Identidade);
    }
    if (!achou_cabecalho) {
        throw ErroVentaro("O arquivo " + TextoSeguro(arquivo.string()) +
                          " não tem o cabeçalho de data, hora e precipitação de uma série "
                          "horária do INMET.");
    }
    const std::vector<std::string_view> cabecalho = DividirCampos(leitor.Linha(), ';');
    std::optional<std::size_t> coluna_prec;
    for (std::size_t c = 2; c < cabecalho.size() && !coluna_prec; ++c) {
        if (ComecaCom(Maiusculas(Aparar(cabecalho[c])), "PRECIPITA")) coluna_prec = c;
    }
    if (!coluna_prec) {
        throw ErroVentaro(MensagemLinha(arquivo, leitor.Numero(),
                                        "sem a coluna de precipitação horária", leitor.Linha()));
    }

    std::map<std::tuple<int64_t, int, int, int>, std::size_t> vistas;
    while (leitor.Proxima()) {
        const std::string& linha = leitor.Linha();
        const std::size_t n = leitor.Numero();
        if (Aparar(linha).empty()) continue;
        const std::vector<std::string_view> campos = DividirCampos(linha, ';');
        const std::optional<Data> data = LerData(campos.empty() ? "" : campos[0]);
        if (!data) throw ErroVentaro(MensagemLinha(arquivo, n, "data inválida", linha));
        if (!AnoAceito(data->ano)) {
            throw ErroVentaro(MensagemLinha(arquivo, n,
                                            "ano " + std::to_string(data->ano) + " fora de " +
                                                std::to_string(kAnoMinimo) + " a " +
                                                std::to_string(kAnoMaximo),
                                            linha));
        }
        const std::optional<int> hora = LerHora(campos.size() > 1 ? campos[1] : "");
        if (!hora) throw ErroVentaro(MensagemLinha(arquivo, n, "hora inválida", linha));
        HoraObservada h{*data, *hora, std::nullopt};
        if (*coluna_prec < campos.size()) {
            bool invalido = false;
            h.Prec = LerDecimal(campos[*coluna_prec], &invalido);
            if (invalido || (h.Prec && !std::isfinite(*h.Prec))) {
                throw ErroVentaro(MensagemLinha(
                    arquivo, n,
                    "precipitação inválida \"" + std::string(campos[*coluna_prec]) + "\"", linha));
            }
            if (h.Prec && *h.Prec == kAusente) h.Prec.reset();
            if (h.Prec && *h.Prec < 0) {
                throw ErroVentaro(MensagemLinha(arquivo, n, "precipitação negativa", linha));
            }
        }
        const auto [onde, nova] = vistas.try_emplace({data->ano, data->mes, data->dia, *hora}, n);
        if (!nova) {
            throw ErroVentaro(MensagemLinha(arquivo, n,
                                            "hora repetida (" + TextoDataHora(*data, *hora) +
                                                ", já na linha " + std::to_string(onde->second) +
                                                ")",
                                            linha));
        }
        registro.Horas.push_back(h);
    }
    return registro;
}

}  // namespace ventaro
