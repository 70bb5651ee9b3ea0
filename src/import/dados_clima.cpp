#include "import/dados_clima.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/calendario.h"

namespace ventaro {

TDadosAno::TDadosAno(int64_t ano) : Ano(ano) {
    for (int mes = 1; mes <= 12; ++mes) {
        Valido[mes] = false;
        Dias[mes].assign(static_cast<std::size_t>(DiasNoMes(ano, mes)) + 1, TDadosDia{});
    }
}

Mensal<int> RegistroClima::AnosValidos() const {
    Mensal<int> contagem;
    for (const TDadosAno& ano : Anos) {
        for (int mes = 1; mes <= 12; ++mes) {
            if (ano.Valido[mes]) ++contagem[mes];
        }
    }
    return contagem;
}

int RegistroClima::NumAnos() const {
    const Mensal<int> contagem = AnosValidos();
    int minimo = contagem[1];
    for (int mes = 2; mes <= 12; ++mes) minimo = std::min(minimo, contagem[mes]);
    return minimo;
}

TDadosAno* RegistroClima::Ano(int64_t ano) {
    for (TDadosAno& registro : Anos) {
        if (registro.Ano == ano) return &registro;
    }
    return nullptr;
}

double RadiacaoInsolacao(double n, int dia_do_ano, double latitude) {
    constexpr double kPi = std::numbers::pi;
    // 1440/pi minutes per radian of hour angle times the solar constant 0.082 MJ/m2/min.
    constexpr double kMinutosPorRadiano = 458.3662361046586;
    constexpr double kConstanteSolar = 0.082;
    constexpr double kObliquidade = 0.40928;  // 23.45 degrees
    const double phi = latitude * kPi / 180.0;
    const double j = static_cast<double>(dia_do_ano);
    const double dr = 1.0 + 0.033 * std::cos(2.0 * kPi * j / 365.0);
    const double delta = kObliquidade * std::sin(2.0 * kPi * (j + 284.0) / 365.0);
    // Inside Brazil the product stays well within [-1, 1]; the clamp only keeps polar
    // latitudes (no sunset or no sunrise) from producing NaN.
    const double x = std::clamp(-std::tan(phi) * std::tan(delta), -1.0, 1.0);
    const double ws = std::acos(x);
    const double duracao_dia = 24.0 * ws / kPi;
    const double ra =
        kMinutosPorRadiano * kConstanteSolar * dr *
        (ws * std::sin(phi) * std::sin(delta) + std::cos(phi) * std::cos(delta) * std::sin(ws));
    if (duracao_dia <= 0) return 0;
    return (0.29 * std::cos(phi) + 0.52 * n / duracao_dia) * ra;
}

int DiaDoAno(int64_t ano, int mes, int dia) {
    int j = dia;
    for (int m = 1; m < mes; ++m) j += DiasNoMes(ano, m);
    return j;
}

void AtualizarRadiacao(RegistroClima& registro, double latitude) {
    for (TDadosAno& ano : registro.Anos) {
        for (int mes = 1; mes <= 12; ++mes) {
            auto& dias = ano.Dias[mes];
            for (std::size_t d = 1; d < dias.size(); ++d) {
                if (!dias[d].Insolacao) continue;
                dias[d].Rad = RadiacaoInsolacao(
                    *dias[d].Insolacao, DiaDoAno(ano.Ano, mes, static_cast<int>(d)), latitude);
            }
        }
    }
}

}  // namespace ventaro
