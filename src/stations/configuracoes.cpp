#include "stations/configuracoes.h"

#include <cstdint>
#include <cstdio>
#include <utility>

#include "stations/estacoes.h"

namespace ventaro {

namespace {

constexpr const char* kMensagemCampoInvalido =
    "Existe campo com valor inválido. Deseja restaurar os valores padrões?";
constexpr const char* kMensagemFaltaEstacaoPrec =
    "É necessário selecionar uma estação pluviométrica para gerar a série de precipitação.";
constexpr const char* kMensagemFaltaEstacaoClima =
    "É necessário selecionar uma estação climatológica para gerar uma série climática.";
constexpr const char* kMensagemVariabilidadeSemEstacao =
    "É necessário selecionar uma estação pluviométrica para usar a variabilidade interanual.";

std::string CodigoComZeros(int32_t codigo, int digitos) {
    if (codigo == 0) return {};
    char buf[32];
    std::snprintf(buf, sizeof buf, "%0*d", digitos, static_cast<int>(codigo));
    return buf;
}

std::string MensagemSemTotaisPrec(const TDados& dados) {
    return "A estação pluviométrica " + CodigoComZeros(dados.CodEstacao, 8) +
           " não tem os totais mensais e anuais do registro que a variabilidade interanual usa "
           "(foi importada antes de eles serem guardados). Importe-a de novo ou desmarque "
           "\"Variabilidade interanual\".";
}

std::string Coordenada(double graus, std::string_view tipo) {
    if (graus == 0) return {};
    return FormatarCoordenada(TextoCoordenada(graus), tipo);
}

}  // namespace

TextoConfiguracoes CarregarConfiguracoes(const ConfiguracaoSerie& config) {
    TextoConfiguracoes t;
    t.NumAnos = std::to_string(config.NumAnos);
    t.APartir = std::to_string(config.APartir);
    t.Correcao = config.Correcao;
    t.Variaveis = config.Variaveis;
    t.VariabilidadeAnual = config.VariabilidadeAnual;
    return t;
}

RotulosEstacoes CarregarRotulosEstacoes(const TDados& dados) {
    RotulosEstacoes r;
    r.NomePrec = dados.Nome();
    r.CodigoPrec = CodigoComZeros(dados.CodEstacao, 8);
    r.LatitudePrec = Coordenada(dados.Latitude, "Latitude");
    r.LongitudePrec = Coordenada(dados.Longitude, "Longitude");
    r.NomeClima = dados.NomeClima();
    r.CodigoClima = CodigoComZeros(dados.CodEstacaoClima, 5);
    r.LatitudeClima = Coordenada(dados.LatitudeClima, "Latitude");
    r.LongitudeClima = Coordenada(dados.LongitudeClima, "Longitude");
    return r;
}

std::string TextoVariabilidadeAnual(const TDados& dados) {
    if (dados.Nome().empty()) return {};
    const std::string codigo = CodigoComZeros(dados.CodEstacao, 8);
    if (dados.TemTotaisPrec) return "Disponível para a estação " + codigo + ".";
    return "Indisponível para a estação " + codigo +
           ", importada antes de os totais do registro serem guardados.";
}

std::optional<uint32_t> LerCampoInteiro(std::string_view texto) {
    if (texto.empty()) return std::nullopt;
    uint64_t valor = 0;
    for (const char c : texto) {
        if (c < '0' || c > '9') return std::nullopt;
        valor = valor * 10 + static_cast<uint64_t>(c - '0');
        if (valor > UINT32_MAX) return std::nullopt;
    }
    return static_cast<uint32_t>(valor);
}

std::string MotivoCampoInvalido(std::string_view texto) {
    if (texto.empty()) return "o campo está vazio";
    // Built by appending: GCC 12 warns falsely on a chain of + starting with a literal.
    std::string motivo(1, '"');
    motivo += texto;
    for (const char c : texto) {
        if (c < '0' || c > '9') return motivo += "\" não é um número inteiro sem sinal";
    }
    if (!LerCampoInteiro(texto)) {
        motivo = texto;
        motivo += " passa do maior valor aceito, ";
        return motivo += std::to_string(UINT32_MAX);
    }
    return {};
}

Validacao ValidarConfiguracoes(const TextoConfiguracoes& texto, const TDados& dados) {
    Validacao v;
    // Text pasted into a field can hold anything the key filter would have refused; it is
    // refused here, before any setting is written.
    const auto num_anos = LerCampoInteiro(texto.NumAnos);
    const auto a_partir = LerCampoInteiro(texto.APartir);
    if (!num_anos || !a_partir) {
        v.Resultado = ResultadoValidacao::CampoInvalido;
        v.Mensagem = kMensagemCampoInvalido;
        if (!num_anos) v.Detalhe += "Número de anos: " + MotivoCampoInvalido(texto.NumAnos) + ".";
        if (!a_partir) {
            if (!v.Detalhe.empty()) v.Detalhe += '\n';
            v.Detalhe += "Simular a partir do ano: " + MotivoCampoInvalido(texto.APartir) + ".";
        }
        return v;
    }
    if (dados.Nome().empty() && texto.Variaveis.SimularPrec) {
        v.Resultado = ResultadoValidacao::FaltaEstacaoPrec;
        v.Mensagem = kMensagemFaltaEstacaoPrec;
        v.Detalhe = "Precipitação está marcada e nenhuma estação pluviométrica foi selecionada.";
        return v;
    }
    if (dados.NomeClima().empty() && texto.Variaveis.AlgumaClimatica()) {
        v.Resultado = ResultadoValidacao::FaltaEstacaoClima;
        v.Mensagem = kMensagemFaltaEstacaoClima;
        const VariaveisSimuladas& x = texto.Variaveis;
        std::string marcadas;
        for (const auto& [marcada, nome] : {std::pair{x.SimularTMax, "Temperatura máxima"},
                                            {x.SimularTMin, "Temperatura mínima"},
                                            {x.SimularRad, "Radiação"},
                                            {x.SimularVVento, "Velocidade do vento"},
                                            {x.SimularUmid, "Umidade"}}) {
            if (!marcada) continue;
            if (!marcadas.empty()) marcadas += ", ";
            marcadas += nome;
        }
        v.Detalhe = "Marcadas sem estação climatológica: " + marcadas + ".";
        return v;
    }
    if (texto.VariabilidadeAnual && !dados.TemTotaisPrec) {
        v.Resultado = ResultadoValidacao::SemTotaisPrec;
        v.Mensagem =
            dados.Nome().empty() ? kMensagemVariabilidadeSemEstacao : MensagemSemTotaisPrec(dados);
        return v;
    }
    ConfiguracaoSerie& c = v.Configuracao;
    c.NumAnos = *num_anos;
    c.APartir = *a_partir;
    c.Correcao = texto.Correcao;
    c.Variaveis = texto.Variaveis;
    c.VariabilidadeAnual = texto.VariabilidadeAnual;
    return v;
}

}  // namespace ventaro
