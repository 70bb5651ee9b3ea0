#include "generator/passo_umidade.h"

#include <array>
#include <cmath>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "generator/amostragem.h"
#include "generator/paralelo.h"

namespace ventaro {

ParBeta MomentosBeta(double mu, double s, int32_t c) {
    ParBeta p;
    if (c == 0) return p;
    const double e2 = s * s * static_cast<double>(c - 1) / static_cast<double>(c) + mu * mu;
    const double den = e2 - mu * mu;
    if (den == 0) {
        p.a = p.b = std::numeric_limits<double>::quiet_NaN();
        return p;
    }
    p.a = mu * (mu - e2) / den;
    p.b = (mu - e2) * (1.0 - mu) / den;
    return p;
}

LeiBeta PrepararLeiBeta(ParBeta par) {
    LeiBeta lei;
    // The checks on a and b come first: Gama is only defined from 1 on.
    if (par.a == 0.0 && par.b == 0.0) {
        lei.motivo = "o registro climatológico não tem dias nesse estado";
        return lei;
    }
    if (std::isnan(par.a) || std::isnan(par.b)) {
        lei.motivo = "desvio padrão 0, com o qual os momentos não definem a lei";
        return lei;
    }
    if (!(std::isfinite(par.a) && std::isfinite(par.b))) {
        lei.motivo = "parâmetros infinitos";
        return lei;
    }
    if (!(par.a >= 1.0 && par.b >= 1.0)) {
        lei.motivo = "parâmetro menor que 1, com o qual a densidade é infinita numa das pontas";
        return lei;
    }
    DensidadeBeta f;
    f.am1 = par.a - 1.0;
    f.bm1 = par.b - 1.0;
    f.B = Gama(par.a) * Gama(par.b) / Gama(par.a + par.b);
    if (!(std::isfinite(f.B) && f.B > 0.0)) {
        // Shapes beyond about 171 take the gamma functions out of range while the law is sound:
        // its density goes to logarithms, if the walk's step can follow it.
        const double soma = par.a + par.b;
        const double desvio = std::sqrt(par.a * par.b / (soma * soma * (soma + 1.0)));
        if (!(desvio >= 2.0 * kPassoUmidade)) {
            lei.motivo = "desvio padrão de " + TextoNumero(desvio) +
                         ", estreito demais para o passo de integração de 0,001";
            return lei;
        }
        f.logB = LogGama(par.a) + LogGama(par.b) - LogGama(par.a + par.b);
        if (!std::isfinite(f.logB)) {
            lei.motivo = "constante de normalização sem valor finito";
            return lei;
        }
        f.em_log = true;
    }
    lei.densidade = f;
    return lei;
}

namespace {

enum Estado : std::size_t { kSeco = 0, kUmido = 1 };

const char* NomeEstado(std::size_t estado) {
    return estado == kSeco ? "dias secos" : "dias chuvosos";
}

// The law one month and state use: a beta law (possibly the other state's) or a constant.
struct LeiUmidade {
    bool beta = false;
    std::size_t fonte = kSeco;  // whose pair the beta law is
    double constante = 0.0;
    std::string aviso;  // reported the first time a day uses the law; empty for its own pair
    bool avisada = false;
};

struct LeisUmidadeMes {
    std::array<LeiBeta, 2> leis_beta;
    std::array<ParBeta, 2> pares;
    std::array<LeiUmidade, 2> leis;
};

LeisUmidadeMes MontarLeis(const TDados& dados, int m) {
    LeisUmidadeMes r;
    const int32_t ns = dados.DSecosClima[m];
    const int32_t nc = dados.DUmidosClima[m];
    r.pares[kSeco] = MomentosBeta(dados.XUmidSe[m], dados.SUmidSe[m], ns);
    r.pares[kUmido] = MomentosBeta(dados.XUmidCh[m], dados.SUmidCh[m], nc);
    for (std::size_t e = 0; e < 2; ++e) r.leis_beta[e] = PrepararLeiBeta(r.pares[e]);
    for (std::size_t e = 0; e < 2; ++e) {
        LeiUmidade& lei = r.leis[e];
        const std::size_t outro = 1 - e;
        const std::string onde = "Umidade relativa no mês " + std::to_string(m) + ", " +
                                 NomeEstado(e) + ": a lei beta (α = " + TextoNumero(r.pares[e].a) +
                                 ", β = " + TextoNumero(r.pares[e].b) + ") não é válida (" +
                                 r.leis_beta[e].motivo + ")";
        if (r.leis_beta[e].densidade) {
            lei.beta = true;
            lei.fonte = e;
        } else if (r.leis_beta[outro].densidade) {
            lei.beta = true;
            lei.fonte = outro;
            lei.aviso = onde + "; usada a lei dos " + NomeEstado(outro) + " do mesmo mês.";
        } else {
            const int64_t total = static_cast<int64_t>(ns) + static_cast<int64_t>(nc);
            if (total == 0) {
                lei.constante = e == kSeco ? dados.XUmidSe[m] : dados.XUmidCh[m];
            } else {
                lei.constante = (dados.XUmidSe[m] * static_cast<double>(ns) +
                                 dados.XUmidCh[m] * static_cast<double>(nc)) /
                                static_cast<double>(total);
            }
            lei.aviso = onde + ", nem a dos " + NomeEstado(outro) +
                        "; usada a umidade média do mês, " + TextoNumero(lei.constante) + ".";
        }
    }
    return r;
}

}  // namespace

bool SimularUmidade(ContextoPasso& ctx, ColetorAvisos& avisos) {
    TClima& clima = ctx.clima;
    std::array<LeisUmidadeMes, 13> meses;
    for (int m = 1; m <= 12; ++m) meses[static_cast<std::size_t>(m)] = MontarLeis(ctx.dados, m);
    const std::size_t n = ctx.NumDias();
    const auto Estado = [&clima](std::size_t d) -> std::size_t {
        return clima.Prec[d] != 0 ? kUmido : kSeco;
    };

    // With tables, the draws (one a day, whatever the law) are taken first and kept in Umid
    // until their day reads its table; each table is walked as far as its largest draw, the
    // tables on two threads when the run may use them. The values are those of one day at a
    // time.
    const GradeInversao grade(kPassoUmidade, LimiteInversao::Umidade);
    std::array<std::array<std::optional<TabelaInversao<DensidadeBeta>>, 2>, 13> tabelas;
    const bool tabela = ctx.metodo == MetodoInversao::Tabela;
    if (tabela) {
        std::array<std::array<double, 2>, 13> maior{};
        for (std::size_t d = 1; d <= n; ++d) {
            if (ctx.Cancelado()) return false;
            const double u = ctx.fluxo.Uniform();
            clima.Umid[d] = u;
            const auto m = static_cast<std::size_t>(clima.Mes[d]);
            const LeiUmidade& lei = meses[m].leis[Estado(d)];
            if (lei.beta && u > maior[m][lei.fonte]) maior[m][lei.fonte] = u;
        }
        std::vector<std::pair<TabelaInversao<DensidadeBeta>*, double>> caminhadas;
        for (std::size_t m = 1; m <= 12; ++m) {
            for (std::size_t e = 0; e < 2; ++e) {
                if (!(maior[m][e] > 0.0)) continue;
                tabelas[m][e].emplace(*meses[m].leis_beta[e].densidade, grade);
                caminhadas.emplace_back(&*tabelas[m][e], maior[m][e]);
            }
        }
        ExecutarEmParalelo(caminhadas.size(), ctx.em_paralelo, [&](std::size_t i) {
            if (!ctx.Cancelado()) caminhadas[i].first->EstenderAte(caminhadas[i].second);
        });
        if (ctx.Cancelado()) return false;
    }

    ctx.Faixa(0, static_cast<int64_t>(n));
    for (std::size_t d = 1; d <= n; ++d) {
        ctx.Notificar(static_cast<int64_t>(d));
        if (ctx.Cancelado()) return false;
        const auto m = static_cast<std::size_t>(clima.Mes[d]);
        const double u = tabela ? clima.Umid[d] : ctx.fluxo.Uniform();
        LeisUmidadeMes& mes = meses[m];
        LeiUmidade& lei = mes.leis[Estado(d)];
        if (!lei.aviso.empty() && !lei.avisada) {
            avisos.Adicionar(lei.aviso);
            lei.avisada = true;
        }
        if (!lei.beta) {
            clima.Umid[d] = lei.constante;
            continue;
        }
        if (tabela) {
            // Walked far enough above (a draw of 0 walks no step).
            clima.Umid[d] = u > 0.0 ? tabelas[m][lei.fonte]->Inverter(u) : 0.0;
        } else {
            const DensidadeBeta& f = *mes.leis_beta[lei.fonte].densidade;
            clima.Umid[d] = InverterDireto(f, kPassoUmidade, LimiteInversao::Umidade, u);
        }
    }
    return true;
}

}  // namespace ventaro
