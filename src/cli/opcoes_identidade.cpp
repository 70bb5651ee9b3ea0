#include "cli/opcoes_identidade.h"

#include <cstdio>

#include "cli/erro_uso.h"
#include "import/texto.h"
#include "stations/gravacao_estacao.h"

namespace ventaro {

namespace {

void Faixa(const std::optional<std::string>* opcao, const char* nome, double minimo, double maximo,
           const char* unidade) {
    if (opcao == nullptr || !*opcao) return;
    const auto v = LerDecimal(**opcao);
    if (!v || !(*v >= minimo && *v <= maximo)) {
        char faixa[96];
        std::snprintf(faixa, sizeof faixa, "%g a %g%s", minimo, maximo, unidade);
        throw ErroUso(std::string(nome) + ": \"" + **opcao + "\" não é um número de " + faixa +
                      ".");
    }
}

}  // namespace

void ValidarOpcoesIdentidade(const OpcoesIdentidade& o) {
    if (o.codigo != nullptr && *o.codigo) {
        const auto c = LerInteiro(**o.codigo);
        if (!c || *c < kCodigoMinimo || *c > kCodigoMaximo) {
            throw ErroUso("--codigo: \"" + **o.codigo + "\" não é um código de 1 a 99999999.");
        }
    }
    Faixa(o.latitude, "--latitude", -kLatitudeMaxima, kLatitudeMaxima, " graus");
    Faixa(o.longitude, "--longitude", -kLongitudeMaxima, kLongitudeMaxima, " graus");
    Faixa(o.altitude, "--altitude", kAltitudeMinima, kAltitudeMaxima, " m");
}

}  // namespace ventaro
