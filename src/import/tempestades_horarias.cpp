#include "import/tempestades_horarias.h"

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <tuple>

namespace ventaro {

namespace {

// Depths are sums of tipping-bucket steps written with one decimal; 0.1 + 0.1 must count as
// the 0.2 mm of a storm day.
constexpr double kLaminaMinima = 0.2 - 1e-9;

struct DiaHorario {
    Data Dia;
    std::array<std::optional<double>, 24> Horas{};
};

}  // namespace

TempestadesHorarias ExtrairTempestades(const RegistroHorario& registro, double fator_pico) {
    std::map<std::tuple<int64_t, int, int>, DiaHorario> dias;
    for (const HoraObservada& h : registro.Horas) {
        DiaHorario& dia = dias[{h.Dia.ano, h.Dia.mes, h.Dia.dia}];
        dia.Dia = h.Dia;
        dia.Horas[static_cast<std::size_t>(h.Hora)] = h.Prec;
    }
    TempestadesHorarias resultado;
    for (const auto& [chave, dia] : dias) {
        bool completo = true;
        double total = 0;
        for (const auto& v : dia.Horas) {
            completo = completo && v.has_value();
            if (v) total += *v;
        }
        if (!completo) {
            ++resultado.DiasIncompletos;
            continue;
        }
        ++resultado.DiasCompletos;
        if (total < kLaminaMinima) continue;
        int primeira = -1, ultima = -1, pico = -1;
        for (int h = 0; h < 24; ++h) {
            const double v = *dia.Horas[static_cast<std::size_t>(h)];
            if (!(v > 0)) continue;
            if (primeira < 0) primeira = h;
            ultima = h;
            if (pico < 0 || v > *dia.Horas[static_cast<std::size_t>(pico)]) pico = h;
        }
        TempestadeObservada t;
        t.Dia = dia.Dia;
        t.Lamina = total;
        t.Duracao = static_cast<double>(ultima - primeira + 1);
        t.IntensidadePico = *dia.Horas[static_cast<std::size_t>(pico)] * fator_pico;
        const double tp = (static_cast<double>(pico - primeira) + 0.5) / t.Duracao;
        t.TempoPico = tp > 0.99 ? 0.99 : tp < 0.001 ? 0.001 : tp;
        resultado.Tempestades.push_back(t);
    }
    return resultado;
}

}  // namespace ventaro
