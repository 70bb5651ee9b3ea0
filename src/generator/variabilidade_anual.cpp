#include "generator/variabilidade_anual.h"

#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "core/erro.h"
#include "core/totais_prec.h"

namespace ventaro {

namespace {

// Lag-one persistence of the wet/dry chain, kept below 1 where the chain of a month never
// changes state within it (the variance formula divides by 1 - d).
constexpr double kPersistenciaMaxima = 1.0 - 1e-6;
constexpr int kPassosBissecao = 60;

using PorMes = std::array<double, 12>;

// Variance of the annual totals when month m's factor has log-spread w[m] and the twelve
// deviates of a year share the correlation phi: the months' own variances plus, for every
// ordered pair of months, mu_i mu_j (E[F_i F_j] - 1) = mu_i mu_j (exp(phi w_i w_j) - 1).
double VarianciaAnual(double phi, const PorMes& variancia, const PorMes& mu, const PorMes& w) {
    double v = 0.0;
    for (std::size_t i = 0; i < 12; ++i) v = v + variancia[i];
    for (std::size_t i = 0; i < 12; ++i) {
        for (std::size_t j = 0; j < 12; ++j) {
            if (j == i) continue;
            v = v + mu[i] * mu[j] * (std::exp(phi * w[i] * w[j]) - 1.0);
        }
    }
    return v;
}

std::string Mm(double v) {
    return std::to_string(static_cast<long long>(std::floor(v + 0.5))) + " mm";
}

}  // namespace

void VerificarTotaisPrec(const TDados& dados) {
    if (dados.TemTotaisPrec) return;
    throw ErroVentaro("A estação pluviométrica " + std::to_string(dados.CodEstacao) +
                      " não tem os totais mensais e anuais do registro que a variabilidade "
                      "interanual usa (foi importada antes de eles serem guardados): importe-a "
                      "de novo ou desligue a variabilidade interanual.");
}

bool AplicarVariabilidadeAnual(ContextoPasso& ctx, ColetorAvisos& avisos) {
    TClima& clima = ctx.clima;
    const TDados& dados = ctx.dados;
    const std::size_t n = ctx.NumDias();
    if (n == 0) return true;

    // The year of every day (the series starts on 1 January) and each year's monthly totals.
    std::vector<std::size_t> ano(n + 1, 0);
    for (std::size_t d = 2; d <= n; ++d) {
        ano[d] = ano[d - 1] + (clima.Mes[d] == 1 && clima.Mes[d - 1] == 12 ? 1 : 0);
    }
    const std::size_t num_anos = ano[n] + 1;
    std::vector<PorMes> total(num_anos, PorMes{});
    // The month's wet/dry chain and depths over the whole series.
    PorMes dias{}, umidos{}, umido_apos_umido{}, umido_apos_seco{}, soma{};
    for (std::size_t d = 1; d <= n; ++d) {
        const auto m = static_cast<std::size_t>(clima.Mes[d] - 1);
        const double p = clima.Prec[d];
        dias[m] = dias[m] + 1.0;
        if (p > 0) {
            total[ano[d]][m] = total[ano[d]][m] + p;
            umidos[m] = umidos[m] + 1.0;
            if (clima.Prec[d - 1] > 0) {
                umido_apos_umido[m] = umido_apos_umido[m] + 1.0;
            } else {
                umido_apos_seco[m] = umido_apos_seco[m] + 1.0;
            }
            soma[m] = soma[m] + p;
        }
    }
    if (ctx.Cancelado()) return false;
    PorMes media_lamina{};
    for (std::size_t m = 0; m < 12; ++m) {
        media_lamina[m] = umidos[m] > 0 ? soma[m] / umidos[m] : 0.0;
    }
    PorMes ss{};
    for (std::size_t d = 1; d <= n; ++d) {
        const auto m = static_cast<std::size_t>(clima.Mes[d] - 1);
        if (clima.Prec[d] > 0) {
            const double t = clima.Prec[d] - media_lamina[m];
            ss[m] = ss[m] + t * t;
        }
    }

    // Per month: the long-run mean of the total, the variance the chain gives it (Katz, 1977:
    // E[N] var(P) + E[P]^2 var(N), with var(N) of a two-state Markov chain of persistence
    // d = PCC - PCS), and the log-spread w of the factor that adds the rest of the record's.
    const auto anos = static_cast<double>(num_anos);
    PorMes mu{}, variancia{}, w{};
    for (std::size_t m = 0; m < 12; ++m) {
        const int mes = static_cast<int>(m) + 1;
        double soma_totais = 0.0;
        for (std::size_t y = 0; y < num_anos; ++y) soma_totais = soma_totais + total[y][m];
        mu[m] = soma_totais / anos;
        double s2 = 0.0;
        if (umidos[m] > 0) {
            const double secos = dias[m] - umidos[m];
            const double pcc = umido_apos_umido[m] / umidos[m];
            const double pcs = secos > 0 ? umido_apos_seco[m] / secos : 0.0;
            double persistencia = pcc - pcs;
            if (persistencia > kPersistenciaMaxima) persistencia = kPersistenciaMaxima;
            const double dias_mes = dias[m] / anos;
            const double pi = umidos[m] / dias[m];
            const double q = pi * (1.0 - pi);
            const double var_lamina = umidos[m] > 1 ? ss[m] / (umidos[m] - 1.0) : 0.0;
            double var_umidos = 0.0;
            if (q != 0.0) {
                const double um_menos = 1.0 - persistencia;
                var_umidos = dias_mes * q * (1.0 + persistencia) / um_menos -
                             2.0 * q * persistencia *
                                 (1.0 - std::pow(persistencia, std::floor(dias_mes + 0.5))) /
                                 (um_menos * um_menos);
            }
            s2 = dias_mes * pi * var_lamina + media_lamina[m] * media_lamina[m] * var_umidos;
        }
        const double cv = dados.XTotal[mes] > 0 ? dados.STotal[mes] / dados.XTotal[mes] : 0.0;
        const double alvo = cv * mu[m];
        const double alvo2 = alvo * alvo;
        const double v = mu[m] > 0 && alvo2 > s2 ? (alvo2 - s2) / (s2 + mu[m] * mu[m]) : 0.0;
        w[m] = std::sqrt(std::log(1.0 + v));
        variancia[m] = v > 0 ? alvo2 : s2;
    }

    // The share phi of the factors' deviate common to a year, for the record's coefficient of
    // variation of the annual totals; the variance grows with phi.
    const double x_anual = XTotalAnual(dados);
    const double cv_anual = x_anual > 0 ? STotalAnual(dados) / x_anual : 0.0;
    double mu_anual = 0.0;
    for (std::size_t m = 0; m < 12; ++m) mu_anual = mu_anual + mu[m];
    const double alvo_anual = cv_anual * mu_anual;
    const double alvo_anual2 = alvo_anual * alvo_anual;
    double phi = 0.0;
    const double maxima = VarianciaAnual(1.0, variancia, mu, w);
    if (maxima <= alvo_anual2) {
        phi = 1.0;
        if (maxima < alvo_anual2 * (1.0 - 1e-9)) {
            avisos.Adicionar(
                "Variabilidade interanual: o desvio padrão dos totais anuais gerados fica em "
                "cerca de " +
                Mm(std::sqrt(maxima)) + ", abaixo dos " + Mm(alvo_anual) +
                " que o registro da estação indica, mesmo com a variação comum a todos os "
                "meses do ano.");
        }
    } else if (VarianciaAnual(0.0, variancia, mu, w) < alvo_anual2) {
        double lo = 0.0;
        double hi = 1.0;
        for (int k = 0; k < kPassosBissecao; ++k) {
            const double meio = (lo + hi) / 2.0;
            if (VarianciaAnual(meio, variancia, mu, w) < alvo_anual2) {
                lo = meio;
            } else {
                hi = meio;
            }
        }
        phi = (lo + hi) / 2.0;
    }
    if (ctx.Cancelado()) return false;

    // The factors, year by year: one deviate common to the year, then one per month.
    const double comum = std::sqrt(phi);
    const double proprio = std::sqrt(1.0 - phi);
    std::vector<PorMes> fator(num_anos, PorMes{});
    for (std::size_t y = 0; y < num_anos; ++y) {
        const double z = ctx.fluxo.Normal();
        for (std::size_t m = 0; m < 12; ++m) {
            const double e = ctx.fluxo.Normal();
            const double xi = comum * z + proprio * e;
            fator[y][m] = std::exp(w[m] * xi - w[m] * w[m] / 2.0);
        }
    }
    // Each month's factors scaled together to keep its total over the series.
    for (std::size_t m = 0; m < 12; ++m) {
        double antes = 0.0;
        double depois = 0.0;
        for (std::size_t y = 0; y < num_anos; ++y) {
            antes = antes + total[y][m];
            depois = depois + fator[y][m] * total[y][m];
        }
        const double c = depois > 0 ? antes / depois : 1.0;
        for (std::size_t y = 0; y < num_anos; ++y) fator[y][m] = c * fator[y][m];
    }
    if (ctx.Cancelado()) return false;

    const bool intensidades = clima.Possui(&TClima::Ii);
    for (std::size_t d = 1; d <= n; ++d) {
        const double p = clima.Prec[d];
        if (!(p > 0)) continue;
        const auto m = static_cast<std::size_t>(clima.Mes[d] - 1);
        double q = p * fator[ano[d]][m];
        if (q < 0.2) q = 0.2;
        if (intensidades) clima.Ii[d] = clima.Ii[d] * (q / p);
        clima.Prec[d] = q;
    }
    return true;
}

}  // namespace ventaro
