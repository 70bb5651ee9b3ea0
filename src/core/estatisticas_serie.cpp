#include "core/estatisticas_serie.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "core/calendario.h"
#include "core/erro.h"

namespace ventaro {

namespace {

// Monthly moments of a daily walk. The first kNumVars arrays are summed over wet days; the
// arrays from kPrimeiraSeca on are also summed over dry days. Array 0 is the depth, which
// decides whether a day is wet.
template <std::size_t kNumVars, std::size_t kPrimeiraSeca>
class Momentos {
  public:
    static constexpr std::size_t kNumSecas = kNumVars - kPrimeiraSeca;

    explicit Momentos(const std::array<const double*, kNumVars>& vars) : vars_(vars) {}

    // `percorrer(f)` calls f(mes, inicio, fim) for every month of the walk in walk order, with
    // [inicio, fim) the indices of its days in the arrays. It is called once per pass.
    template <typename Percorrer>
    void Calcular(const Percorrer& percorrer) {
        ContarESomar(percorrer);
        Desvios(percorrer);
        Assimetria(percorrer);
    }

    struct Mes {
        int64_t n = 0;
        int64_t w = 0;
        int64_t ww = 0;
        int64_t wd = 0;
        std::array<double, kNumVars> media_ch{};
        std::array<double, kNumVars> desvio_ch{};
        std::array<double, kNumSecas> media_se{};
        std::array<double, kNumSecas> desvio_se{};
        double assimetria = 0.0;

        int64_t D() const { return n - w; }
        double PCC() const {
            return w != 0 ? static_cast<double>(ww) / static_cast<double>(w) : 0.0;
        }
        double PCS() const {
            return D() != 0 ? static_cast<double>(wd) / static_cast<double>(D()) : 0.0;
        }
    };

    const Mes& operator[](int mes) const { return meses_[static_cast<std::size_t>(mes - 1)]; }

  private:
    Mes& Do(int mes) { return meses_[static_cast<std::size_t>(mes - 1)]; }

    static double Media(double soma, int64_t contagem) {
        return contagem != 0 ? soma / static_cast<double>(contagem) : 0.0;
    }
    static double Desvio(double soma, int64_t contagem) {
        return contagem > 1 ? std::sqrt(soma / static_cast<double>(contagem - 1)) : 0.0;
    }

    // Occurrence counts and the sums of the means, in walk order.
    template <typename Percorrer>
    void ContarESomar(const Percorrer& percorrer) {
        std::array<std::array<double, kNumVars>, 12> soma_ch{};
        std::array<std::array<double, kNumSecas>, 12> soma_se{};
        bool anterior_umido = false;  // the walk starts after a dry day
        percorrer([&](int mes, std::size_t inicio, std::size_t fim) {
            Mes& m = Do(mes);
            auto& sc = soma_ch[static_cast<std::size_t>(mes - 1)];
            auto& ss = soma_se[static_cast<std::size_t>(mes - 1)];
            m.n += static_cast<int64_t>(fim - inicio);
            for (std::size_t d = inicio; d < fim; ++d) {
                const bool umido = vars_[0][d] > 0;
                if (umido) {
                    ++m.w;
                    if (anterior_umido) {
                        ++m.ww;
                    } else {
                        ++m.wd;
                    }
                    for (std::size_t v = 0; v < kNumVars; ++v) sc[v] = sc[v] + vars_[v][d];
                } else {
                    for (std::size_t v = 0; v < kNumSecas; ++v)
                        ss[v] = ss[v] + vars_[kPrimeiraSeca + v][d];
                }
                anterior_umido = umido;
            }
        });
        for (int mes = 1; mes <= 12; ++mes) {
            Mes& m = Do(mes);
            const auto i = static_cast<std::size_t>(mes - 1);
            for (std::size_t v = 0; v < kNumVars; ++v) m.media_ch[v] = Media(soma_ch[i][v], m.w);
            for (std::size_t v = 0; v < kNumSecas; ++v) m.media_se[v] = Media(soma_se[i][v], m.D());
        }
    }

    // Sums of squared differences from the month's means: sample deviations.
    template <typename Percorrer>
    void Desvios(const Percorrer& percorrer) {
        std::array<std::array<double, kNumVars>, 12> soma_ch{};
        std::array<std::array<double, kNumSecas>, 12> soma_se{};
        percorrer([&](int mes, std::size_t inicio, std::size_t fim) {
            const Mes& m = Do(mes);
            auto& sc = soma_ch[static_cast<std::size_t>(mes - 1)];
            auto& ss = soma_se[static_cast<std::size_t>(mes - 1)];
            for (std::size_t d = inicio; d < fim; ++d) {
                if (vars_[0][d] > 0) {
                    for (std::size_t v = 0; v < kNumVars; ++v) {
                        const double t = vars_[v][d] - m.media_ch[v];
                        sc[v] = sc[v] + t * t;
                    }
                } else {
                    for (std::size_t v = 0; v < kNumSecas; ++v) {
                        const double t = vars_[kPrimeiraSeca + v][d] - m.media_se[v];
                        ss[v] = ss[v] + t * t;
                    }
                }
            }
        });
        for (int mes = 1; mes <= 12; ++mes) {
            Mes& m = Do(mes);
            const auto i = static_cast<std::size_t>(mes - 1);
            for (std::size_t v = 0; v < kNumVars; ++v) m.desvio_ch[v] = Desvio(soma_ch[i][v], m.w);
            for (std::size_t v = 0; v < kNumSecas; ++v)
                m.desvio_se[v] = Desvio(soma_se[i][v], m.D());
        }
    }

    // Skewness coefficient of the wet-day depth, with the small-sample factor W/((W-1)(W-2)).
    template <typename Percorrer>
    void Assimetria(const Percorrer& percorrer) {
        std::array<double, 12> soma{};
        percorrer([&](int mes, std::size_t inicio, std::size_t fim) {
            const Mes& m = Do(mes);
            const double x = m.media_ch[0];
            const double s = m.desvio_ch[0];
            if (s == 0.0) return;
            double& acumulado = soma[static_cast<std::size_t>(mes - 1)];
            for (std::size_t d = inicio; d < fim; ++d) {
                const double p = vars_[0][d];
                if (p > 0) {
                    const double y = (p - x) / s;
                    acumulado = acumulado + y * y * y;
                }
            }
        });
        for (int mes = 1; mes <= 12; ++mes) {
            Mes& m = Do(mes);
            const double s = soma[static_cast<std::size_t>(mes - 1)];
            m.assimetria =
                m.w >= 3 ? s * static_cast<double>(m.w) / static_cast<double>((m.w - 1) * (m.w - 2))
                         : s;
        }
    }

    std::array<const double*, kNumVars> vars_;
    std::array<Mes, 12> meses_{};
};

template <typename M>
void GravarPrecipitacao(TDados& dados, int mes, const M& m) {
    dados.DUmidos[mes] = static_cast<int32_t>(m.w);
    dados.DSecos[mes] = static_cast<int32_t>(m.D());
    dados.PCC[mes] = m.PCC();
    dados.PCS[mes] = m.PCS();
    dados.XPrec[mes] = m.media_ch[0];
    dados.SPrec[mes] = m.desvio_ch[0];
    dados.SkewPrec[mes] = m.assimetria;
}

}  // namespace

void CalcularEstatisticasSerie(TDados& dados, const TClima& clima, int64_t num_anos,
                               int64_t a_partir) {
    // Wet days: depth, storm and climate values; dry days: the five climate values.
    const std::array<TClima::Array, 9> arrays = {&TClima::Prec, &TClima::Dur,    &TClima::Ti,
                                                 &TClima::Ii,   &TClima::TMax,   &TClima::TMin,
                                                 &TClima::Rad,  &TClima::VVento, &TClima::Umid};
    // An array the store does not hold is 0 on every day: one series of zeros stands for all
    // of them.
    std::vector<double> zeros;
    for (const TClima::Array a : arrays) {
        if (!clima.Possui(a) && zeros.empty())
            zeros.assign(static_cast<std::size_t>(clima.NumDias) + 1, 0.0);
    }
    // A store shorter than the walk ends the walk early rather than being read past its end.
    int64_t ultimo = clima.NumDias;
    std::array<const double*, 9> vars{};
    for (std::size_t v = 0; v < arrays.size(); ++v) {
        const std::vector<double>& valores = clima.Possui(arrays[v]) ? clima.*arrays[v] : zeros;
        ultimo = std::min(ultimo, static_cast<int64_t>(valores.size()) - 1);
        vars[v] = valores.data();
    }

    auto percorrer = [&](auto&& f) {
        int64_t d = 1;
        for (int64_t ano = a_partir; ano < a_partir + num_anos; ++ano) {
            for (int mes = 1; mes <= 12; ++mes) {
                if (d > ultimo) return;
                const int64_t fim = std::min(d + DiasNoMes(ano, mes), ultimo + 1);
                f(mes, static_cast<std::size_t>(d), static_cast<std::size_t>(fim));
                d = fim;
            }
        }
    };
    Momentos<9, 4> momentos(vars);
    momentos.Calcular(percorrer);

    for (int mes = 1; mes <= 12; ++mes) {
        const auto& m = momentos[mes];
        GravarPrecipitacao(dados, mes, m);
        dados.XDur[mes] = m.media_ch[1];
        dados.SDur[mes] = m.desvio_ch[1];
        dados.XTi[mes] = m.media_ch[2];
        dados.STi[mes] = m.desvio_ch[2];
        dados.XIi[mes] = m.media_ch[3];
        dados.SIi[mes] = m.desvio_ch[3];

        const std::array<Mensal<double>*, 5> x_ch = {&dados.XTMaxCh, &dados.XTMinCh, &dados.XRadCh,
                                                     &dados.XVVentoCh, &dados.XUmidCh};
        const std::array<Mensal<double>*, 5> s_ch = {&dados.STMaxCh, &dados.STMinCh, &dados.SRadCh,
                                                     &dados.SVVentoCh, &dados.SUmidCh};
        const std::array<Mensal<double>*, 5> x_se = {&dados.XTMaxSe, &dados.XTMinSe, &dados.XRadSe,
                                                     &dados.XVVentoSe, &dados.XUmidSe};
        const std::array<Mensal<double>*, 5> s_se = {&dados.STMaxSe, &dados.STMinSe, &dados.SRadSe,
                                                     &dados.SVVentoSe, &dados.SUmidSe};
        for (std::size_t v = 0; v < 5; ++v) {
            (*x_ch[v])[mes] = m.media_ch[4 + v];
            (*s_ch[v])[mes] = m.desvio_ch[4 + v];
            (*x_se[v])[mes] = m.media_se[v];
            (*s_se[v])[mes] = m.desvio_se[v];
        }
    }
}

void CalcularEstatisticasPrec(TDados& dados, std::span<const double> totais_anuais,
                              int64_t ano_inicial, int64_t ano_final,
                              std::span<const double> diarios) {
    // A year without a total is not part of the record.
    auto incluido = [&](int64_t ano) {
        const auto i = static_cast<std::size_t>(ano - ano_inicial);
        return i < totais_anuais.size() && totais_anuais[i] > 0;
    };
    // Check the daily record against the included years before anything is written.
    std::size_t necessarios = 0;
    for (int64_t ano = ano_inicial; ano <= ano_final; ++ano) {
        if (!incluido(ano)) continue;
        necessarios += static_cast<std::size_t>(DiasNoAno(ano));
        if (necessarios > diarios.size()) {
            throw ErroVentaro("Registro diário de precipitação incompleto: faltam dias do ano " +
                              std::to_string(ano) + ".");
        }
    }

    auto percorrer = [&](auto&& f) {
        std::size_t i = 0;
        for (int64_t ano = ano_inicial; ano <= ano_final; ++ano) {
            if (!incluido(ano)) continue;
            for (int mes = 1; mes <= 12; ++mes) {
                const auto fim = i + static_cast<std::size_t>(DiasNoMes(ano, mes));
                f(mes, i, fim);
                i = fim;
            }
        }
    };
    Momentos<1, 1> momentos({diarios.data()});
    momentos.Calcular(percorrer);
    for (int mes = 1; mes <= 12; ++mes) GravarPrecipitacao(dados, mes, momentos[mes]);
}

double DesvioPadraoConjunto(int64_t n_a, int64_t n_b, double s_a, double s_b, double x_a,
                            double x_b) {
    // A single value (or none) has no sample spread; the divisor below would be 0.
    if (n_a + n_b < 2) return 0.0;
    const double na = static_cast<double>(n_a);
    const double nb = static_cast<double>(n_b);
    // Sum of squares of the union rebuilt from each group's sample deviation and mean.
    const double q = s_a * s_a * static_cast<double>(n_a - 1) + x_a * x_a * na +
                     s_b * s_b * static_cast<double>(n_b - 1) + x_b * x_b * nb;
    const double t = na * x_a + nb * x_b;
    const double v =
        (q - t * t / static_cast<double>(n_a + n_b)) / static_cast<double>(n_a + n_b - 1);
    // Equal values leave a radicand that may round a hair below zero: that is no spread.
    return v > 0 ? std::sqrt(v) : 0.0;
}

}  // namespace ventaro
