#include "generator/correcoes.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <string>
#include <vector>

#include "core/estatisticas_serie.h"

namespace ventaro {

namespace {

// A monthly deviation below this fraction of the month's mean is the rounding residue of values
// that are all equal, not a spread: dividing by it would push every value of the month one
// target deviation to one side. Such a month gets only its mean corrected.
constexpr double kDesvioResidual = 1e-9;

// Factor of the spread rescale: the target deviation over the one measured, or 0 (every value
// becomes the mean) when the measured deviation is nil or only a rounding residue.
double FatorDispersao(double alvo, double desvio, double media) {
    return desvio > kDesvioResidual * std::fabs(media) ? alvo / desvio : 0.0;
}

// Per-month sums over the days of the series, in day order.
struct Mensais {
    std::array<int64_t, 13> cnt{};
    std::array<double, 13> soma{};
    std::array<double, 13> media{};

    void CalcularMedias() {
        for (std::size_t m = 1; m <= 12; ++m) {
            media[m] = cnt[m] != 0 ? soma[m] / static_cast<double>(cnt[m]) : 0.0;
        }
    }
};

std::size_t Mes(const TClima& clima, std::size_t d) {
    return clima.Mes[d];
}

// A stretch of consecutive days of one month: days [inicio, fim).
struct Trecho {
    std::size_t inicio;
    std::size_t fim;
    std::size_t mes;
};

std::vector<Trecho> Trechos(const TClima& clima) {
    std::vector<Trecho> trechos;
    const auto n = static_cast<std::size_t>(clima.NumDias);
    for (std::size_t d = 1; d <= n;) {
        const std::size_t m = Mes(clima, d);
        const std::size_t inicio = d;
        while (d <= n && Mes(clima, d) == m) ++d;
        trechos.push_back({inicio, d, m});
    }
    return trechos;
}

// Calls visitar(m, d) for every day d of month m, each month's days in day order. A monthly
// sum adds in that order, one addition waiting for the one before; so twelve stretches of
// distinct months (a year's worth) are walked side by side, a day of each in turn, and twelve
// independent sums advance together. The sums are the same as day by day.
template <typename Visitar>
void PorMesEmOrdem(const std::vector<Trecho>& trechos, Visitar&& visitar) {
    for (std::size_t g = 0; g < trechos.size(); g += 12) {
        const std::size_t ng = std::min<std::size_t>(12, trechos.size() - g);
        const Trecho* t = trechos.data() + g;
        unsigned meses = 0;
        std::size_t maior = 0;
        for (std::size_t i = 0; i < ng; ++i) {
            meses |= 1u << t[i].mes;
            maior = std::max(maior, t[i].fim - t[i].inicio);
        }
        if (std::popcount(meses) != static_cast<int>(ng)) {
            // A month twice among them (a series that is not a run of calendar days).
            for (std::size_t i = 0; i < ng; ++i) {
                for (std::size_t d = t[i].inicio; d < t[i].fim; ++d) visitar(t[i].mes, d);
            }
            continue;
        }
        for (std::size_t k = 0; k < maior; ++k) {
            for (std::size_t i = 0; i < ng; ++i) {
                if (t[i].inicio + k < t[i].fim) visitar(t[i].mes, t[i].inicio + k);
            }
        }
    }
}

Mensais MediasChuvosas(const TClima& clima, const std::vector<Trecho>& trechos) {
    Mensais r;
    const double* prec = clima.Prec.data();
    PorMesEmOrdem(trechos, [&](std::size_t m, std::size_t d) {
        if (prec[d] > 0) {
            ++r.cnt[m];
            r.soma[m] = r.soma[m] + prec[d];
        }
    });
    r.CalcularMedias();
    return r;
}

Mensais MediasTodos(const std::vector<Trecho>& trechos, const std::vector<double>& x) {
    Mensais r;
    const double* v = x.data();
    PorMesEmOrdem(trechos, [&](std::size_t m, std::size_t d) {
        ++r.cnt[m];
        r.soma[m] = r.soma[m] + v[d];
    });
    r.CalcularMedias();
    return r;
}

// The series of one climate variable and the station fields that give its targets.
struct CamposVariavel {
    std::vector<double>* valores;
    const Mensal<double>& x_se;
    const Mensal<double>& x_ch;
    const Mensal<double>& s_se;
    const Mensal<double>& s_ch;
};

CamposVariavel Campos(TClima& clima, const TDados& dados, VariavelClima variavel) {
    switch (variavel) {
        case VariavelClima::TMax:
            return {&clima.TMax, dados.XTMaxSe, dados.XTMaxCh, dados.STMaxSe, dados.STMaxCh};
        case VariavelClima::TMin:
            return {&clima.TMin, dados.XTMinSe, dados.XTMinCh, dados.STMinSe, dados.STMinCh};
        case VariavelClima::Rad:
            return {&clima.Rad, dados.XRadSe, dados.XRadCh, dados.SRadSe, dados.SRadCh};
        case VariavelClima::VVento:
            return {&clima.VVento, dados.XVVentoSe, dados.XVVentoCh, dados.SVVentoSe,
                    dados.SVVentoCh};
        case VariavelClima::Umid:
            break;
    }
    return {&clima.Umid, dados.XUmidSe, dados.XUmidCh, dados.SUmidSe, dados.SUmidCh};
}

}  // namespace

void CorrigirLamina(TClima& clima, const TDados& dados) {
    const auto n = static_cast<std::size_t>(clima.NumDias);
    std::vector<double>& prec = clima.Prec;

    // Mean: one factor per month, on every day (dry days stay 0).
    const std::vector<Trecho> trechos = Trechos(clima);
    const Mensais antes = MediasChuvosas(clima, trechos);
    std::array<double, 13> f{};
    for (int m = 1; m <= 12; ++m) {
        const auto i = static_cast<std::size_t>(m);
        f[i] = antes.media[i] != 0 ? dados.XPrec[m] / antes.media[i] : 0.0;
    }
    for (std::size_t d = 1; d <= n; ++d) prec[d] = prec[d] * f[Mes(clima, d)];

    // Spread around the new mean.
    const Mensais depois = MediasChuvosas(clima, trechos);
    std::array<double, 13> ss{};
    PorMesEmOrdem(trechos, [&](std::size_t m, std::size_t d) {
        if (prec[d] > 0) {
            const double t = prec[d] - depois.media[m];
            ss[m] = ss[m] + t * t;
        }
    });
    std::array<double, 13> g{};
    for (int m = 1; m <= 12; ++m) {
        const auto i = static_cast<std::size_t>(m);
        const double s =
            depois.cnt[i] >= 2 ? std::sqrt(ss[i] / static_cast<double>(depois.cnt[i] - 1)) : 0.0;
        g[i] = FatorDispersao(dados.SPrec[m], s, depois.media[i]);
    }
    for (std::size_t d = 1; d <= n; ++d) {
        if (prec[d] > 0) {
            const std::size_t m = Mes(clima, d);
            double v = depois.media[m] + (prec[d] - depois.media[m]) * g[m];
            if (v < 0.2) v = 0.2;
            prec[d] = v;
        }
    }

    // A depth the factor brought to 0 (or below) is a dry day: its storm goes with it, so that
    // a dry day keeps every precipitation array at 0.
    // (A day with depth and time to peak both 0 was dry all along and is clear already.)
    for (std::size_t d = 1; d <= n; ++d) {
        if (!(prec[d] > 0) && (prec[d] != 0.0 || clima.Ti[d] != 0.0 ||
                               clima.Valor(&TClima::Dur, static_cast<int64_t>(d)) != 0.0 ||
                               clima.Valor(&TClima::Ii, static_cast<int64_t>(d)) != 0.0)) {
            clima.LimparDia(static_cast<int64_t>(d));
        }
    }
}

void CorrigirVariavelClima(TClima& clima, const TDados& dados, VariavelClima variavel,
                           ColetorAvisos& avisos) {
    const CamposVariavel c = Campos(clima, dados, variavel);
    std::vector<double>& x = *c.valores;
    const auto n = static_cast<std::size_t>(clima.NumDias);

    // Targets: the mean and sample deviation of the union of the record's dry and wet days.
    std::array<bool, 13> definido{};
    std::array<double, 13> mu{};
    std::array<double, 13> sigma{};
    const std::vector<Trecho> trechos = Trechos(clima);
    const Mensais inicio = MediasTodos(trechos, x);
    for (int m = 1; m <= 12; ++m) {
        const auto i = static_cast<std::size_t>(m);
        const int64_t ns = dados.DSecosClima[m];
        const int64_t nc = dados.DUmidosClima[m];
        definido[i] = ns + nc > 1;
        if (!definido[i]) {
            if (inicio.cnt[i] > 0) {
                avisos.Adicionar("Mês " + std::to_string(m) +
                                 " sem correção das variáveis climáticas: o registro "
                                 "climatológico tem " +
                                 std::to_string(ns + nc) +
                                 " dia(s) nesse mês, e são precisos pelo menos 2.");
            }
            continue;
        }
        mu[i] = (c.x_se[m] * static_cast<double>(ns) + c.x_ch[m] * static_cast<double>(nc)) /
                static_cast<double>(ns + nc);
        sigma[i] = DesvioPadraoConjunto(ns, nc, c.s_se[m], c.s_ch[m], c.x_se[m], c.x_ch[m]);
    }

    // Mean: a factor, not a shift.
    std::array<double, 13> f{};
    for (std::size_t m = 1; m <= 12; ++m) {
        f[m] = inicio.media[m] != 0 ? mu[m] / inicio.media[m] : 0.0;
    }
    for (std::size_t d = 1; d <= n; ++d) {
        const std::size_t m = Mes(clima, d);
        if (definido[m]) x[d] = x[d] * f[m];
    }

    // Spread around the new mean.
    const Mensais meio = MediasTodos(trechos, x);
    std::array<double, 13> ss{};
    PorMesEmOrdem(trechos, [&](std::size_t m, std::size_t d) {
        const double t = x[d] - meio.media[m];
        ss[m] = ss[m] + t * t;
    });
    std::array<double, 13> g{};
    for (std::size_t m = 1; m <= 12; ++m) {
        const double s =
            meio.cnt[m] > 1 ? std::sqrt(ss[m] / static_cast<double>(meio.cnt[m] - 1)) : 0.0;
        g[m] = FatorDispersao(sigma[m], s, meio.media[m]);
    }
    for (std::size_t d = 1; d <= n; ++d) {
        const std::size_t m = Mes(clima, d);
        if (definido[m]) x[d] = meio.media[m] + (x[d] - meio.media[m]) * g[m];
    }

    if (variavel == VariavelClima::Rad) {
        for (std::size_t d = 1; d <= n; ++d) {
            if (x[d] < 0) x[d] = 0.0;
        }
    } else if (variavel == VariavelClima::VVento) {
        for (std::size_t d = 1; d <= n; ++d) {
            if (x[d] < 0.1) x[d] = 0.1;
        }
    } else if (variavel == VariavelClima::Umid) {
        // The spread rescale may carry a humid day beyond saturation (or a dry one below 0).
        for (std::size_t d = 1; d <= n; ++d) {
            if (x[d] < 0) {
                x[d] = 0.0;
            } else if (x[d] > 1) {
                x[d] = 1.0;
            }
        }
    }
}

}  // namespace ventaro
