#include "import/limites_observacao.h"

#include <cmath>
#include <cstdio>

#include "import/texto.h"

namespace ventaro {

namespace {

std::string_view Unidade(Grandeza grandeza) {
    switch (grandeza) {
        case Grandeza::Precipitacao:
            return "mm";
        case Grandeza::Temperatura:
            return "°C";
        case Grandeza::Umidade:
            return "%";
        case Grandeza::Vento:
            return "m/s";
        case Grandeza::Radiacao:
            return "MJ/m²";
        case Grandeza::Insolacao:
            return "h";
    }
    return "";
}

std::string Numero(double valor) {
    char texto[32];
    std::snprintf(texto, sizeof texto, "%g", valor);
    return texto;
}

}  // namespace

std::string MotivoAnoFora(long long ano) {
    return "ano " + std::to_string(ano) + " fora de " + std::to_string(kAnoMinimo) + " a " +
           std::to_string(kAnoMaximo);
}

Faixa FaixaFisica(Grandeza grandeza) {
    switch (grandeza) {
        case Grandeza::Precipitacao:
            return {0, 500};
        case Grandeza::Temperatura:
            return {-30, 60};
        case Grandeza::Umidade:
            return {0, 100};
        case Grandeza::Vento:
            return {0, 75};
        case Grandeza::Radiacao:
            return {0, 45};
        case Grandeza::Insolacao:
            return {0, 24};
    }
    return {0, 0};
}

bool ValorFisico(Grandeza grandeza, double valor) {
    const Faixa f = FaixaFisica(grandeza);
    return std::isfinite(valor) && valor >= f.Minimo && valor <= f.Maximo;
}

void ValoresImpossiveis::Registrar(std::string_view onde, std::string_view campo, Grandeza grandeza,
                                   double valor) {
    ++quantidade_;
    if (primeiros_.size() >= kPrimeiros) return;
    primeiros_.push_back(TextoSeguro(onde) + ": " + std::string(campo) + " " + Numero(valor) + " " +
                         std::string(Unidade(grandeza)));
}

std::optional<std::string> ValoresImpossiveis::Aviso(std::string_view origem) const {
    if (quantidade_ == 0) return std::nullopt;
    std::string texto = TextoSeguro(origem) + ": ";
    texto += quantidade_ == 1
                 ? "1 valor fora dos limites físicos foi lido como ausente e o seu mês não "
                   "entra nas estatísticas ("
                 : std::to_string(quantidade_) +
                       " valores fora dos limites físicos foram lidos como ausentes e o mês de "
                       "cada um não entra nas estatísticas (";
    for (std::size_t i = 0; i < primeiros_.size(); ++i) {
        texto += (i ? "; " : "") + primeiros_[i];
    }
    if (quantidade_ > primeiros_.size()) {
        texto += "; e mais " + std::to_string(quantidade_ - primeiros_.size());
    }
    return texto + ").";
}

}  // namespace ventaro
