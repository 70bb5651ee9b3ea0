#include "output/descricao_saida.h"

#include <cstdio>

namespace ventaro {

namespace {

std::string Codigo(int32_t codigo, int digitos) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%0*d", digitos, static_cast<int>(codigo));
    return buf;
}

std::string UmaLinha(std::string s) {
    for (char& c : s) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b == 0x7F) c = '?';
    }
    return s;
}

}  // namespace

std::string CodigoPrecTexto(int32_t codigo) {
    return Codigo(codigo, 8);
}

std::string CodigoClimaTexto(int32_t codigo) {
    return Codigo(codigo, 5);
}

std::string DescricaoSerie(const TDados& dados, const ConfiguracaoSerie& config) {
    std::string s = "Ventaro 2.0; estação pluviométrica " + CodigoPrecTexto(dados.CodEstacao) +
                    " " + dados.Nome();
    if (!dados.NomeClima().empty()) {
        s += "; estação climatológica " + CodigoClimaTexto(dados.CodEstacaoClima) + " " +
             dados.NomeClima();
    }
    s += "; " + std::to_string(config.NumAnos) + " anos a partir de " +
         std::to_string(config.APartir) + "; semente " + std::to_string(config.Semente) +
         (config.Correcao ? "" : "; sem correções") +
         (config.VariabilidadeAnual ? "; variabilidade interanual" : "");
    s += config.Cenario ? "; cenário " + config.Cenario->Nome : "; clima atual, sem cenário";
    return UmaLinha(std::move(s));
}

}  // namespace ventaro
