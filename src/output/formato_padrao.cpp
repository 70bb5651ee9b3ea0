#include "output/formato_padrao.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace ventaro {

std::string FormatarPadrao(double v, std::string_view padrao, char separador) {
    const auto ponto = padrao.find('.');
    const std::size_t inteiros = ponto == std::string_view::npos ? padrao.size() : ponto;
    const std::size_t decimais = ponto == std::string_view::npos ? 0 : padrao.size() - ponto - 1;
    assert(padrao.find_first_not_of("0.") == std::string_view::npos && inteiros >= 1);

    if (std::isnan(v)) return "NAN";
    if (std::isinf(v)) return v < 0 ? "-INF" : "INF";

    // The 15 significant digits d0 d1 ... d14 of |v| and its decimal exponent: |v| is
    // 0.d0d1...d14 x 10^(expoente + 1).
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.14e", std::fabs(v));
    std::string digitos(1, buf[0]);
    digitos.append(buf + 2, 14);
    const long expoente = std::strtol(buf + 17, nullptr, 10);

    // The value in units of the last decimal of the pattern, as decimal digits with a leading
    // 0 that takes the carry of the rounding.
    std::string unidades(1, '0');
    const long manter = expoente + 1 + static_cast<long>(decimais);
    if (v != 0 && manter >= 0) {
        const auto n = static_cast<std::size_t>(manter);
        if (n >= digitos.size()) {
            unidades += digitos;
            unidades.append(n - digitos.size(), '0');
        } else {
            unidades.append(digitos, 0, n);
            if (digitos[n] >= '5') {
                std::size_t i = unidades.size();
                while (unidades[--i] == '9') unidades[i] = '0';
                ++unidades[i];
            }
        }
    }
    const auto primeiro = unidades.find_first_not_of('0');
    const bool zero = primeiro == std::string::npos;
    const std::size_t significativos = zero ? 1 : unidades.size() - primeiro;
    const std::size_t largura = std::max(significativos, inteiros + decimais);
    std::string numero(largura - significativos, '0');
    numero.append(unidades, unidades.size() - significativos, significativos);

    std::string saida = v < 0 && !zero ? "-" : "";
    saida.append(numero, 0, numero.size() - decimais);
    if (decimais > 0) {
        saida += separador;
        saida.append(numero, numero.size() - decimais, decimais);
    }
    return saida;
}

}  // namespace ventaro
