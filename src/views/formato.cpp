#include "views/formato.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace ventaro {

namespace {

std::string NaoFinito(double v) {
    return std::isnan(v) ? "NAN" : v > 0 ? "INF" : "-INF";
}

void DoisDigitos(std::string& destino, int64_t v) {
    destino += static_cast<char>('0' + v / 10 % 10);
    destino += static_cast<char>('0' + v % 10);
}

}  // namespace

std::string FormatarFixo(double v, int casas, char separador) {
    if (!std::isfinite(v)) return NaoFinito(v);
    // The widest double in fixed notation has 309 integer digits.
    std::array<char, 400> texto{};
    const auto fim =
        std::to_chars(texto.data(), texto.data() + texto.size(), v, std::chars_format::fixed, casas)
            .ptr;
    std::string s(texto.data(), fim);
    if (s.front() == '-' && s.find_first_of("123456789") == std::string::npos) s.erase(0, 1);
    if (const auto ponto = s.find('.'); ponto != std::string::npos) s[ponto] = separador;
    return s;
}

std::string FormatarMilhar(double v, char separador) {
    std::string digitos = FormatarFixo(v, 0, separador);
    if (!std::isfinite(v)) return digitos;
    const char milhar = separador == ',' ? '.' : ',';
    const std::size_t inicio = digitos.front() == '-' ? 1 : 0;
    for (std::size_t p = digitos.size(); p > inicio + 3; p -= 3) {
        digitos.insert(p - 3, 1, milhar);
    }
    return digitos;
}

std::string FormatarRotuloEixo(double v, const FormatoEixo& formato, char separador) {
    if (formato.Milhar) return FormatarMilhar(v, separador);
    if (formato.Casas >= 0) return FormatarFixo(v, formato.Casas, separador);
    // Automatic labels: the shortest text that tells the tick apart; -0 is written as 0.
    const double sem_sinal = v == 0 ? 0.0 : v;
    std::array<char, 64> texto{};
    const auto fim = std::to_chars(texto.data(), texto.data() + texto.size(), sem_sinal,
                                   std::chars_format::general, 12)
                         .ptr;
    std::string s(texto.data(), fim);
    if (const auto ponto = s.find('.'); ponto != std::string::npos) s[ponto] = separador;
    return s;
}

Data DataDaSerie(const TClima& clima, int64_t dia) {
    // Days from 1 January of the first year to the first day of the series.
    int64_t antes = clima.DataInicial.dia - 1;
    for (int mes = 1; mes < clima.DataInicial.mes; ++mes) {
        antes += DiasNoMes(clima.DataInicial.ano, mes);
    }
    return DataDoDia(clima.DataInicial.ano, dia + antes);
}

std::string DataCurta(const Data& data) {
    std::string s;
    DoisDigitos(s, data.dia);
    s += '/';
    DoisDigitos(s, data.mes);
    s += '/';
    std::array<char, 24> ano{};
    const int n = std::snprintf(ano.data(), ano.size(), "%04lld", static_cast<long long>(data.ano));
    s.append(ano.data(), static_cast<std::size_t>(n));
    return s;
}

std::string DataAnoCurto(const Data& data) {
    std::string s;
    DoisDigitos(s, data.dia);
    s += '/';
    DoisDigitos(s, data.mes);
    s += '/';
    DoisDigitos(s, data.ano % 100);
    return s;
}

}  // namespace ventaro
