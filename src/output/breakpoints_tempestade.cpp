#include "output/breakpoints_tempestade.h"

#include <algorithm>
#include <cmath>

#include "output/texto_em_blocos.h"

namespace ventaro {

namespace {

int64_t Unidades(double v, int casas) {
    int64_t u = 0;
    if (!UnidadesDecimais(v, casas, u)) u = 0;
    return u;
}

// Normalised time (0-1) at which the profile's cumulative depth reaches the fraction q of the
// storm's depth. With the normalised peak ip at tp, the rising limb is ip e^(B (t - tp)), whose
// area up to t is (ip/B)(e^(B (t - tp)) - e^(-B tp)); the falling limb is ip e^(-Dd (t - tp)),
// adding (ip/Dd)(1 - e^(-Dd (t - tp))). Written around the peak, the limbs keep their values
// where A e^(B t) and C e^(-Dd t) of the store underflow or overflow (the sharpest storms).
class CurvaAcumulada {
  public:
    CurvaAcumulada(double tp, double ip, double B, double Dd) : tp_(tp), pico_(ip), b_(B), d_(Dd) {
        valida_ = std::isfinite(ip) && std::isfinite(B) && std::isfinite(Dd) && ip > 0 && B > 0 &&
                  Dd > 0 && tp > 0 && tp < 1;
        if (!valida_) return;
        inicio_subida_ = std::exp(-B * tp);
        area_subida_ = -ip / B * std::expm1(-B * tp);
        total_ = area_subida_ - ip / Dd * std::expm1(-Dd * (1.0 - tp));
        valida_ = std::isfinite(total_) && total_ > 0;
    }

    // Share of the depth that falls before the peak; 0 for uniform rain.
    double FracaoSubida() const { return valida_ ? area_subida_ / total_ : 0.0; }

    double Tempo(double q) const {
        if (!valida_) return q;
        const double g = q * total_;
        double t;
        if (g <= area_subida_) {
            t = tp_ + std::log(g * b_ / pico_ + inicio_subida_) / b_;
        } else {
            t = tp_ - std::log1p(-(g - area_subida_) * d_ / pico_) / d_;
        }
        return std::isfinite(t) ? std::clamp(t, 0.0, 1.0) : 1.0;
    }

  private:
    double tp_, pico_, b_, d_;
    bool valida_ = false;
    double inicio_subida_ = 0, area_subida_ = 0, total_ = 0;
};

}  // namespace

int CalcularBreakpoints(double P, double D, double tp, double ip, double B, double Dd,
                        std::array<Breakpoint, kMaxBreakpoints>& pontos) {
    const double inicio = InicioTempestade(D);
    const int64_t lamina = Unidades(P, kCasasLaminaBreakpoint);
    const int64_t hora_inicio = Unidades(inicio, kCasasHoraBreakpoint);
    int64_t hora_fim = Unidades(inicio + D, kCasasHoraBreakpoint);
    if (hora_fim <= hora_inicio) hora_fim = hora_inicio + 1;

    const CurvaAcumulada curva(tp, ip * D / P, B, Dd);
    // Intervals between the first and the last point, shared between the limbs by their depth.
    constexpr int kIntervalos = kMaxBreakpoints - 1;
    const double q_pico = curva.FracaoSubida();
    int subida = 0;
    if (q_pico > 0 && q_pico < 1) {
        subida =
            std::clamp(static_cast<int>(std::lround(kIntervalos * q_pico)), 1, kIntervalos - 1);
    }
    const int descida = kIntervalos - subida;

    int n = 0;
    pontos[n++] = {hora_inicio, 0};
    const auto Acrescentar = [&](double q) {
        const Breakpoint b{Unidades(inicio + curva.Tempo(q) * D, kCasasHoraBreakpoint),
                           Unidades(q * P, kCasasLaminaBreakpoint)};
        const Breakpoint& ultimo = pontos[static_cast<std::size_t>(n - 1)];
        if (b.Hora > ultimo.Hora && b.Lamina > ultimo.Lamina && b.Hora < hora_fim &&
            b.Lamina < lamina) {
            pontos[static_cast<std::size_t>(n++)] = b;
        }
    };
    for (int j = 1; j <= subida; ++j) Acrescentar(q_pico * j / subida);
    for (int j = 1; j < descida; ++j) Acrescentar(q_pico + (1.0 - q_pico) * j / descida);
    pontos[static_cast<std::size_t>(n++)] = {hora_fim, lamina};
    return n;
}

}  // namespace ventaro
