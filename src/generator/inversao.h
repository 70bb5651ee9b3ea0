#pragma once

#include <cmath>
#include <cstddef>
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
        return std::pow(x, am1) * std::pow(1.0 - x, bm1) / B;
    }
};

// Where a walk stops whatever its area: storm duration at 24 h, peak intensity beyond
// 1000 mm/h, humidity at 1 (the walk runs only while x < 1).
enum class LimiteInversao { Duracao, Intensidade, Umidade };

inline bool AtingiuLimite(LimiteInversao limite, double x) {
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

// The abscissas x_0 = 0, x_k = x_{k-1} + h, shared by every law with the same step.
class GradeInversao {
  public:
    explicit GradeInversao(double h) : h_(h), x_{0.0} {}

    double Passo() const { return h_; }
    double X(std::size_t k) {
        while (x_.size() <= k) x_.push_back(x_.back() + h_);
        return x_[k];
    }
    // Walks the grid to the first x at the limit, the farthest any table of the limit can go,
    // so that tables built on several threads only read it.
    void EstenderAteLimite(LimiteInversao limite) {
        while (!AtingiuLimite(limite, x_.back())) x_.push_back(x_.back() + h_);
    }

  private:
    double h_;
    std::vector<double> x_;
};

// Cumulative trapezoid table of one law, walked lazily.
//
// A guide over the areas speeds up the search: guia_[j] is the first step whose area reaches
// j / kGuias, so a draw u in [j / kGuias, (j + 1) / kGuias) lies between guia_[j] and
// guia_[j + 1], usually a handful of neighbouring entries.
template <typename Densidade>
class TabelaInversao {
  public:
    TabelaInversao(const Densidade& f, LimiteInversao limite, GradeInversao& grade)
        : f_(f), limite_(limite), grade_(&grade), F_{0.0}, guia_{0} {}

    // The value the plain scan gives for u.
    double Inverter(double u) {
        // With F_0 = 0 already reaching u the scan takes no step at all.
        if (!(0.0 < u)) return 0.0;
        std::size_t ultimo = F_.size() - 1;
        if (!Atingido(ultimo, u)) {
            EstenderAte(u);
            // The new last entry is the first to reach u: the entries before it did not.
            return grade_->X(F_.size() - 1);
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
            if (j < guia_.size() && guia_[j] > lo) lo = guia_[j];
            if (j + 1 < guia_.size() && guia_[j + 1] < hi) hi = guia_[j + 1];
        }
        const double* F = F_.data();
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

    // Walks the table until its last entry reaches u (or the limit). The values Inverter gives
    // do not depend on how far the table was walked before.
    void EstenderAte(double u) {
        while (!Atingido(F_.size() - 1, u)) Estender();
    }

    // Steps walked so far, and the area at the end of each (F_0 = 0 first).
    std::size_t Passos() const { return F_.size() - 1; }
    const std::vector<double>& Areas() const { return F_; }

  private:
    static constexpr std::size_t kGuias = 1024;

    bool Atingido(std::size_t k, double u) {
        return !(F_[k] < u) || AtingiuLimite(limite_, grade_->X(k));
    }

    void Estender() {
        const std::size_t k = F_.size();
        const double h = grade_->Passo();
        if (k == 1) f_ultimo_ = f_(0.0);
        const double f0 = f_ultimo_;
        const double f1 = f_(grade_->X(k));
        const double F = F_.back() + (f0 + f1) * h / 2.0;
        F_.push_back(F);
        f_ultimo_ = f1;
        while (guia_.size() <= kGuias &&
               !(F < static_cast<double>(guia_.size()) / static_cast<double>(kGuias))) {
            guia_.push_back(k);
        }
    }

    Densidade f_;
    LimiteInversao limite_;
    GradeInversao* grade_;
    std::vector<double> F_;          // F_[0] = 0
    double f_ultimo_ = 0.0;          // density at the last x walked
    std::vector<std::size_t> guia_;  // guia_[0] = 0: F_0 reaches 0
};

}  // namespace ventaro
