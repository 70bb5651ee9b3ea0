#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <limits>
#include <memory>
#include <span>
#include <vector>

namespace ventaro {

// Numerical inversion of a distribution function given by its density: the trapezoid rule walks
// x = 0, h, 2h, ... (x by repeated addition of h, never k * h) until the accumulated area F
// reaches the uniform draw u or x reaches the law's limit, and the right end of that step is
// the drawn value. Every step evaluates the density once, at the new x; the left end reuses
// the value of the step before.
//
// Two ways give the same value bit for bit:
// - the plain scan walks the steps for every draw;
// - the table keeps F_k and x_k of every step walked so far for one law and finds the step by
//   binary search. The walk is extended only when a draw lies beyond the last F_k, so a law
//   costs as many density evaluations as its largest draw needs, once per run.

// How the distribution functions of duration, peak intensity and humidity are inverted. Both
// give the same series bit for bit; the direct scan is kept as the reference.
enum class MetodoInversao { Tabela, Direta };

// The logarithm of x^k, with pow's convention that x^0 = 1 for every x, 0 and negatives
// included; otherwise k ln x (-inf at 0 for k > 0, NaN for a negative x).
inline double LogPotencia(double x, double k) {
    return k == 0.0 ? 0.0 : k * std::log(x);
}

// Gamma density with shape alpha and scale beta, normalised by K = beta^alpha * Gama(alpha),
// formed once per law. When that product leaves the range of a double (shapes beyond about 171)
// the density is evaluated in logarithms instead, exp((alpha - 1) ln x - x / beta - ln K), with
// ln K = alpha ln beta + ln Gamma(alpha); every other law keeps the direct arithmetic.
struct DensidadeGama {
    double am1 = 0.0;  // alpha - 1
    double beta = 1.0;
    double K = 1.0;
    bool em_log = false;
    double logK = 0.0;
    double operator()(double x) const {
        if (em_log) return std::exp(LogPotencia(x, am1) - x / beta - logK);
        // Shape 1: x^0 is 1 for every x, and 1 * e is e, so pow is left out.
        if (am1 == 0.0) return std::exp(-x / beta) / K;
        return std::pow(x, am1) * std::exp(-x / beta) / K;
    }
};

// Beta density with shapes a and b, normalised by B = Gama(a) * Gama(b) / Gama(a + b); in
// logarithms, with ln B = ln Gamma(a) + ln Gamma(b) - ln Gamma(a + b), when that quotient leaves
// the range of a double.
struct DensidadeBeta {
    double am1 = 0.0;  // a - 1
    double bm1 = 0.0;  // b - 1
    double B = 1.0;
    bool em_log = false;
    double logB = 0.0;
    double operator()(double x) const {
        if (em_log) return std::exp(LogPotencia(x, am1) + LogPotencia(1.0 - x, bm1) - logB);
        if (am1 == 0.0) return std::pow(1.0 - x, bm1) / B;
        return std::pow(x, am1) * std::pow(1.0 - x, bm1) / B;
    }
};

// Where a walk stops whatever its area: storm duration at 24 h, peak intensity beyond
// 1000 mm/h, humidity at 1 (the walk runs only while x < 1).
enum class LimiteInversao { Duracao, Intensidade, Umidade };

constexpr bool AtingiuLimite(LimiteInversao limite, double x) {
    switch (limite) {
        case LimiteInversao::Duracao:
            return x >= 24.0;
        case LimiteInversao::Intensidade:
            return x > 1000.0;
        case LimiteInversao::Umidade:
            return x >= 1.0;
    }
    return true;
}

// Step of each law, in the unit of its variable.
inline constexpr double kPassoDuracao = 0.001;
inline constexpr double kPassoIntensidade = 0.01;
inline constexpr double kPassoUmidade = 0.001;

// The plain scan. With the beta density, once x passes 1 the power of the negative 1 - x is NaN
// (unless b - 1 is whole); the area then never compares below u and the walk ends there, as it
// ends anyway because x reached 1.
template <typename Densidade>
double InverterDireto(const Densidade& f, double h, LimiteInversao limite, double u) {
    double x = 0.0;
    double F = 0.0;
    while (F < u) {
        const double f0 = f(x);  // on the stored x, never on a recomputed x - h
        x = x + h;
        const double f1 = f(x);
        F = F + (f0 + f1) * h / 2.0;
        if (AtingiuLimite(limite, x)) break;
    }
    return x;
}

// The abscissas of the model's three laws (duration, peak intensity and humidity steps with
// their limits), formed once when the program is built; empty for any other step or limit.
std::span<const double> AbscissasDoModelo(double h, LimiteInversao limite);

// The abscissas x_0 = 0, x_k = x_{k-1} + h up to the first at the law's limit, the farthest any
// walk can go; shared by every law with the same step and limit, and only read once made. The
// model's own steps use the grids built into the program; any other step is summed here.
class GradeInversao {
  public:
    GradeInversao(double h, LimiteInversao limite) : h_(h), limite_(limite) {
        const std::span<const double> prontas = AbscissasDoModelo(h, limite);
        if (!prontas.empty()) {
            x_ = prontas.data();
            n_ = prontas.size();
            return;
        }
        proprias_.push_back(0.0);
        while (!AtingiuLimite(limite, proprias_.back())) {
            proprias_.push_back(proprias_.back() + h_);
        }
        x_ = proprias_.data();
        n_ = proprias_.size();
    }
    // Tables keep its address.
    GradeInversao(const GradeInversao&) = delete;
    GradeInversao& operator=(const GradeInversao&) = delete;

    double Passo() const { return h_; }
    LimiteInversao Limite() const { return limite_; }
    double X(std::size_t k) const { return x_[k]; }
    const double* Abscissas() const { return x_; }
    // Index of the first x at the limit: no walk goes beyond it.
    std::size_t Ultimo() const { return n_ - 1; }

  private:
    double h_;
    LimiteInversao limite_;
    std::vector<double> proprias_;
    const double* x_ = nullptr;
    std::size_t n_ = 0;
};

// Beyond which x a table may stop where its area stopped changing (see TabelaInversao), or +inf
// where it may not. A gamma density falls beyond its mode (alpha - 1) beta. In the direct
// arithmetic x^(alpha - 1) must stay finite up to the limit `x_fim` (else inf * 0 gives NaN
// once e^(-x/beta) underflows, and the NaN ends the walk there), and the absolute error that a
// subnormal e^(-x/beta) carries into the density, about x_fim^(alpha - 1) / K times 2^-1074,
// must be negligible.
inline double InicioQueda(const DensidadeGama& f, double x_fim) {
    constexpr double kInfinito = std::numeric_limits<double>::infinity();
    if (!f.em_log) {
        const double maior_potencia = std::pow(x_fim, f.am1);
        if (!std::isfinite(maior_potencia)) return kInfinito;
        if (!(maior_potencia / f.K * 0x1p-1070 <= 0x1p-60)) return kInfinito;
    }
    return f.am1 * f.beta;
}
// Humidity tables are short and their density turns to NaN beyond 1: they walk every step.
inline double InicioQueda(const DensidadeBeta&, double) {
    return std::numeric_limits<double>::infinity();
}

// Cumulative trapezoid table of one law, walked lazily into storage sized once for the whole
// grid (pages never walked are never touched).
//
// A guide over the areas speeds up the search: guia_[j] is the first step whose area reaches
// j / kGuias, so a draw u in [j / kGuias, (j + 1) / kGuias) lies between guia_[j] and
// guia_[j + 1], usually a handful of neighbouring entries.
//
// Once the density is past its mode (InicioQueda) and a trapezoid term is below an eighth of the
// spacing of the doubles above F, no later term can move F: each is at most about twice that
// term (the step before may straddle the mode; beyond it the density only falls, and the
// library's rounding errors are far smaller than the factor kept in hand), so it stays below
// half the spacing and F + term rounds to F. Every later F equals the last one, up to the limit:
// the table stops walking there, and a draw beyond that area goes to the limit, as the walk
// would.
template <typename Densidade>
class TabelaInversao {
  public:
    TabelaInversao(const Densidade& f, const GradeInversao& grade)
        : f_(f),
          grade_(&grade),
          queda_(InicioQueda(f, grade.X(grade.Ultimo()))),
          F_(std::make_unique_for_overwrite<double[]>(grade.Ultimo() + 1)) {
        F_[0] = 0.0;
        guia_[0] = 0;
    }

    // The value the plain scan gives for u.
    double Inverter(double u) {
        // With F_0 = 0 already reaching u the scan takes no step at all.
        if (!(0.0 < u)) return 0.0;
        std::size_t ultimo = percorridas_ - 1;
        if (!Atingido(ultimo, u)) {
            if (completa_) return grade_->X(grade_->Ultimo());
            EstenderAte(u);
            // The new last entry is the first to reach u: the entries before it did not.
            ultimo = percorridas_ - 1;
            if (completa_ && !Atingido(ultimo, u)) return grade_->X(grade_->Ultimo());
            return grade_->X(ultimo);
        }
        // Least k >= 1 reaching u. "Reached" is monotone in k: F never decreases (the trapezoid
        // terms are >= 0), +inf stays reached, and a NaN entry counts as reached and makes every
        // later entry NaN. The limit on x can only hold at the last entry, where the walk
        // stopped, so below it only F is compared.
        std::size_t lo = 1;
        std::size_t hi = ultimo;
        if (u < 1.0) {
            // u * kGuias is exact (a power of two), so j / kGuias <= u < (j + 1) / kGuias.
            const auto j = static_cast<std::size_t>(u * static_cast<double>(kGuias));
            if (j < guias_ && guia_[j] > lo) lo = guia_[j];
            if (j + 1 < guias_ && guia_[j + 1] < hi) hi = guia_[j + 1];
        }
        const double* F = F_.get();
        while (lo < hi) {
            const std::size_t meio = lo + (hi - lo) / 2;
            if (!(F[meio] < u)) {
                hi = meio;
            } else {
                lo = meio + 1;
            }
        }
        return grade_->X(lo);
    }

    // Walks the table until its last entry reaches u, the limit or the point from which F no
    // longer changes. The values Inverter gives do not depend on how far the table was walked
    // before.
    void EstenderAte(double u) {
        std::size_t k = percorridas_;
        if (completa_ || Atingido(k - 1, u)) return;
        const double* x = grade_->Abscissas();
        const double h = grade_->Passo();
        const std::size_t fim = grade_->Ultimo();
        double* F = F_.get();
        double Fk = F[k - 1];
        double f0 = k == 1 ? f_(0.0) : f_ultimo_;
        // The densities of a few steps ahead are evaluated together, apart from the sums that
        // decide where the walk stops, so that the processor overlaps their evaluations; the
        // ones beyond the stop are left unused.
        double lote[kLote];
        for (bool parar = false; !parar;) {
            const std::size_t n = std::min(kLote, fim - k + 1);
            for (std::size_t j = 0; j < n; ++j) lote[j] = f_(x[k + j]);
            for (std::size_t j = 0; j < n; ++j, ++k) {
                const double f1 = lote[j];
                const double termo = (f0 + f1) * h / 2.0;
                Fk = Fk + termo;
                F[k] = Fk;
                f0 = f1;
                if (!(Fk < u) || k == fim) {
                    parar = true;
                    break;
                }
                if (termo < kTermoPequeno && x[k] >= queda_ && Plato(Fk, termo)) {
                    completa_ = true;
                    parar = true;
                    break;
                }
            }
        }
        f_ultimo_ = f0;
        AtualizarGuia(percorridas_, k + 1);
        percorridas_ = k + 1;
        if (k == fim) completa_ = true;
    }

    // Steps walked so far, and the area at the end of each (F_0 = 0 first).
    std::size_t Passos() const { return percorridas_ - 1; }
    std::vector<double> Areas() const {
        return std::vector<double>(F_.get(), F_.get() + percorridas_);
    }
    // Whether the walk has ended: at the limit, or where F stopped changing.
    bool Completa() const { return completa_; }

  private:
    static constexpr std::size_t kGuias = 1024;
    static constexpr std::size_t kLote = 16;  // densities evaluated ahead of the sums

    bool Atingido(std::size_t k, double u) const { return !(F_[k] < u) || k == grade_->Ultimo(); }

    // A cheap first test of the terms: Plato accepts none at or above 2^-53 while F < 2^3.
    static constexpr double kTermoPequeno = 0x1p-53;

    // Whether F, whose last term was `termo`, can no longer change: F finite and at least 1/4,
    // so that its spacing dwarfs any subnormal residue of the density, and the term below an
    // eighth of the gap to the next double.
    static bool Plato(double F, double termo) {
        if (!(F >= 0.25) || !std::isfinite(F)) return false;
        const double folga = std::nextafter(F, std::numeric_limits<double>::infinity()) - F;
        return termo >= 0.0 && termo < folga / 8.0;
    }

    void AtualizarGuia(std::size_t de, std::size_t ate) {
        const double* F = F_.get();
        for (std::size_t k = de; k < ate && guias_ <= kGuias; ++k) {
            while (guias_ <= kGuias &&
                   !(F[k] < static_cast<double>(guias_) / static_cast<double>(kGuias))) {
                guia_[guias_++] = k;
            }
        }
    }

    Densidade f_;
    const GradeInversao* grade_;
    double queda_;                                // the density only falls beyond this x
    std::unique_ptr<double[]> F_;                 // F_[0] = 0; entries [0, percorridas_) hold areas
    std::size_t percorridas_ = 1;                 // entries walked, F_0 included
    double f_ultimo_ = 0.0;                       // density at the last x walked
    bool completa_ = false;                       // no later entry differs from the last
    std::array<std::size_t, kGuias + 1> guia_{};  // guia_[0] = 0: F_0 reaches 0
    std::size_t guias_ = 1;
};

}  // namespace ventaro
