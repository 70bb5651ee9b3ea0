#include "generator/erosividade.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "generator/paralelo.h"

namespace ventaro {

// Each minute's depth is the trapezoid rule over 100 sub-steps of the intensity in mm/h,
// capped at the peak intensity. Along one limb without the cap the sub-step intensities form a
// geometric sequence, so the 99 inner points sum in closed form from the larger end of the
// minute; the minutes where the cap acts or where the limb changes inside the minute are
// integrated point by point. The closed form stays within a few units in the last place of the
// point-by-point sum; the minute ends, which decide the unit energies, are evaluated exactly as
// the point-by-point rule evaluates them.

namespace {

enum class TipoMinuto {
    Subida,   // every point on the rising limb
    Descida,  // every point on the falling limb
    Pico,     // left points rising; right points falling once past tp (15-minute depth only)
};

class Limbos {
  public:
    explicit Limbos(const Tempestade& s) : s_(s), T_(static_cast<double>(MinutosTempestade(s.D))) {
        soma_subida_ = SomaInterna(s.perfil.ParamB / (100.0 * T_));
        soma_descida_ = SomaInterna(s.perfil.ParamD / (100.0 * T_));
    }

    double Subida(double x) const {
        return s_.perfil.ParamA * std::exp(s_.perfil.ParamB * x) * s_.P / s_.D;
    }
    double Descida(double x) const {
        return s_.perfil.ParamC * std::exp(-s_.perfil.ParamD * x) * s_.P / s_.D;
    }
    double Limitar(double v) const { return v > s_.ip ? s_.ip : v; }
    double Nodo(int v) const { return static_cast<double>(v) / T_; }

    // Depth of minute v whose ends have the uncapped intensities i_ini and i_fim on one limb.
    double LaminaMinuto(int v, TipoMinuto tipo, double i_ini, double i_fim) const {
        const double maior = i_ini > i_fim ? i_ini : i_fim;
        const double soma = tipo == TipoMinuto::Subida ? soma_subida_ : soma_descida_;
        if (maior <= s_.ip && std::isfinite(soma)) {
            return (i_ini + i_fim + 2.0 * (maior * soma)) / 12000.0;
        }
        return LaminaMinutoPontos(v, tipo);
    }

    double LaminaMinutoPontos(int v, TipoMinuto tipo) const {
        const double vd = static_cast<double>(v);
        double w = 0.0;
        double x0 = vd / T_;
        for (int e = 0; e < 100; ++e) {
            const double x1 = (vd + static_cast<double>(e + 1) / 100.0) / T_;
            double i0;
            double i1;
            if (tipo == TipoMinuto::Descida) {
                i0 = Limitar(Descida(x0));
                i1 = Limitar(Descida(x1));
            } else {
                i0 = Limitar(Subida(x0));
                i1 = tipo == TipoMinuto::Pico && x1 > s_.tp ? Limitar(Descida(x1))
                                                            : Limitar(Subida(x1));
            }
            w = w + (i0 + i1) / 12000.0;
            x0 = x1;
        }
        return w;
    }

  private:
    // Sum of q^-j for j = 1..99, q = e^a: the inner points relative to the larger end.
    static double SomaInterna(double a) {
        a = std::fabs(a);
        if (a == 0.0) return 99.0;
        return std::exp(-a) * std::expm1(-99.0 * a) / std::expm1(-a);
    }

    const Tempestade& s_;
    double T_;
    double soma_subida_;
    double soma_descida_;
};

// The uncapped intensity of one limb at the minute ends, each end evaluated once.
template <typename Funcao>
class NodosLimbo {
  public:
    NodosLimbo(const Limbos& l, Funcao f) : l_(l), f_(f) {}
    double operator()(int v) {
        if (v != ultimo_) {
            valor_ = f_(l_.Nodo(v));
            ultimo_ = v;
        }
        return valor_;
    }

  private:
    const Limbos& l_;
    Funcao f_;
    int ultimo_ = -1;
    double valor_ = 0.0;
};

}  // namespace

int MinutosTempestade(double D) {
    return 60 * static_cast<int>(std::floor(D)) +
           static_cast<int>(std::floor((D - std::floor(D)) * 60.0));
}

double LaminaMaxima15(const Tempestade& s) {
    const Limbos l(s);
    const int T = MinutosTempestade(s.D);
    auto sobe = [&l](double x) { return l.Subida(x); };
    auto desce = [&l](double x) { return l.Descida(x); };
    NodosLimbo<decltype(sobe)> subida(l, sobe);
    NodosLimbo<decltype(desce)> descida(l, desce);
    std::array<double, 15> slots{};
    for (int v = 0; v < T; ++v) {
        double w;
        if (l.Nodo(v) > s.tp) {
            w = l.LaminaMinuto(v, TipoMinuto::Descida, descida(v), descida(v + 1));
        } else if (l.Nodo(v + 1) > s.tp) {
            w = l.LaminaMinutoPontos(v, TipoMinuto::Pico);
        } else {
            w = l.LaminaMinuto(v, TipoMinuto::Subida, subida(v), subida(v + 1));
        }
        double& slot = slots[static_cast<std::size_t>(v % 15)];
        if (w > slot) slot = w;
    }
    double q15 = 0.0;
    for (double w : slots) q15 = q15 + w;
    return q15;
}

EnergiaTempestade CalcularEnergia(const Tempestade& s) {
    EnergiaTempestade r;
    if (!(s.P > 0)) return r;
    const double q15 = s.P > 0 && s.P < 10 ? LaminaMaxima15(s) : 0.0;
    if (!(s.P > 10 || q15 >= 6)) return r;

    const Limbos l(s);
    const int T = MinutosTempestade(s.D);
    auto sobe = [&l](double x) { return l.Subida(x); };
    auto desce = [&l](double x) { return l.Descida(x); };
    NodosLimbo<decltype(sobe)> subida(l, sobe);
    NodosLimbo<decltype(desce)> descida(l, desce);
    std::array<double, 30> slots{};
    for (int v = 0; v < T; ++v) {
        double i0;
        double i1;
        double w;
        if (l.Nodo(v) <= s.tp) {
            const double r0 = subida(v);
            const double r1 = subida(v + 1);
            i0 = l.Limitar(r0);
            i1 = l.Limitar(r1);
            w = l.LaminaMinuto(v, TipoMinuto::Subida, r0, r1);
        } else {
            const double f0 = descida(v);
            const double f1 = descida(v + 1);
            // A minute whose intensity underflows still has a defined unit energy.
            i0 = f0 == 0 ? 1e-19 : f0;
            i1 = f1 == 0 ? 1e-19 : f1;
            w = l.LaminaMinuto(v, TipoMinuto::Descida, f0, f1);
        }
        const double a = (i0 + i1) / 2.0;
        const double log_a = std::log10(a);
        const double ef = a >= 76 ? 0.283 : 0.119 + 0.0873 * log_a;
        const double ewm = 0.153 + 0.0645 * log_a;
        r.KEf = r.KEf + ef * w;
        r.KEwm = r.KEwm + ewm * w;
        if (a >= 25) {
            r.KE25f = r.KE25f + ef * w;
            r.KE25wm = r.KE25wm + ewm * w;
        }
        double& slot = slots[static_cast<std::size_t>(v % 30)];
        if (w > slot) slot = w;
    }
    double soma = 0.0;
    for (double w : slots) soma = soma + w;
    const double i30 = 2.0 * soma;
    r.EI30f = r.KEf * i30;
    r.EI30wm = r.KEwm * i30;
    return r;
}

void CalcularErosividades(TClima& clima, bool em_paralelo) {
    // Each storm's energy depends on that day alone: blocks of days go to both cores.
    const auto n = static_cast<std::size_t>(clima.NumDias);
    const std::size_t blocos = (n + kDiasPorBloco - 1) / kDiasPorBloco;
    ExecutarEmParalelo(blocos, em_paralelo, [&clima, n](std::size_t bloco) {
        const std::size_t fim = std::min(n, (bloco + 1) * kDiasPorBloco);
        for (std::size_t d = bloco * kDiasPorBloco + 1; d <= fim; ++d) {
            if (!(clima.Prec[d] > 0)) continue;
            Tempestade s;
            s.P = clima.Prec[d];
            s.D = clima.Dur[d];
            s.tp = clima.Ti[d];
            s.ip = clima.Ii[d];
            s.perfil = {clima.ParamA[d], clima.ParamB[d], clima.ParamC[d], clima.ParamD[d]};
            const EnergiaTempestade e = CalcularEnergia(s);
            clima.KEf[d] = e.KEf;
            clima.KEwm[d] = e.KEwm;
            clima.KE25f[d] = e.KE25f;
            clima.KE25wm[d] = e.KE25wm;
            clima.EI30f[d] = e.EI30f;
            clima.EI30wm[d] = e.EI30wm;
        }
    });
}

}  // namespace ventaro
