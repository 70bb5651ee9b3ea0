#include "import/escala_pico.h"

#include <algorithm>
#include <boost/math/policies/policy.hpp>
#include <boost/math/special_functions/gamma.hpp>
#include <boost/math/tools/toms748_solve.hpp>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <string>
#include <utility>

#include "core/erro.h"
#include "core/regras_tempestade.h"

namespace ventaro {

namespace {

namespace politicas = boost::math::policies;

// Every failure of Boost.Math throws, whatever a build-wide BOOST_MATH_*_POLICY macro says, and
// is reported below as ErroVentaro; an underflow gives 0, which is what a vanishing tail is.
// Doubles are not promoted to long double: the fit needs no more than double precision.
using Politica = politicas::policy<politicas::domain_error<politicas::throw_on_error>,
                                   politicas::pole_error<politicas::throw_on_error>,
                                   politicas::overflow_error<politicas::throw_on_error>,
                                   politicas::evaluation_error<politicas::throw_on_error>,
                                   politicas::rounding_error<politicas::throw_on_error>,
                                   politicas::underflow_error<politicas::ignore_error>,
                                   politicas::indeterminate_result_error<politicas::throw_on_error>,
                                   politicas::promote_double<false>>;

double Q(double a, double x) {
    return boost::math::gamma_q(a, x, Politica());
}

// x^a e^-x / Gamma(a + 1) = Q(a + 1, x) - Q(a, x).
double Termo(double a, double x) {
    return boost::math::gamma_p_derivative(a + 1, x, Politica());
}

std::string Texto(double x) {
    char texto[32];
    std::snprintf(texto, sizeof texto, "%.6g", x);
    return texto;
}

bool Positivo(double x) {
    return std::isfinite(x) && x > 0;
}

// The peak law of shape alfa and scale beta, with what every storm shares: the law above
// kPicoMaximo and above kPicoMinimo. With x = t / beta, P(X > t) = Q(alfa, x) and
// E[X; X > t] = alfa * beta * Q(alfa + 1, x) = alfa * beta * (Q(alfa, x) + Termo(alfa, x)).
class LeiPico {
  public:
    LeiPico(double alfa, double beta)
        : alfa_(alfa),
          beta_(beta),
          q_teto_(Q(alfa, kPicoMaximo / beta)),
          soma_teto_(Soma(kPicoMaximo, q_teto_)),
          q_piso_(Q(alfa, kPicoMinimo / beta)),
          soma_piso_(Soma(kPicoMinimo, q_piso_)) {}

    double Media(double limiar) const {
        const double sem_sorteio = kFatorPicoSemSorteio * limiar;
        if (!(limiar < kPicoMaximo)) return sem_sorteio;
        const double q_limiar = Q(alfa_, limiar / beta_);
        const double q = q_limiar - q_teto_;  // a draw is kept
        if (!(q > 0)) return sem_sorteio;
        // The draws kept, raised to kPicoMinimo: the law's own values from max(limiar,
        // kPicoMinimo) up, and kPicoMinimo for those between `limiar` and kPicoMinimo.
        const double soma = limiar < kPicoMinimo
                                ? soma_piso_ - soma_teto_ + kPicoMinimo * (q_limiar - q_piso_)
                                : Soma(limiar, q_limiar) - soma_teto_;
        const double mantido = std::clamp(soma / q, std::max(limiar, kPicoMinimo), kPicoMaximo);
        const double falhas = std::exp(kTentativasPico * std::log1p(-q));  // (1 - q)^11
        return (1.0 - falhas) * mantido + falhas * sem_sorteio;
    }

  private:
    // E[X; X > t], given Q(alfa, t / beta).
    double Soma(double t, double q_t) const {
        return alfa_ * beta_ * (q_t + Termo(alfa_, t / beta_));
    }

    double alfa_, beta_;
    double q_teto_, soma_teto_, q_piso_, soma_piso_;
};

// Equal mean intensities, counted once with their number.
using Limiares = std::vector<std::pair<double, double>>;

double MediaGerada(double alfa, double beta, const Limiares& limiares, double total) {
    const LeiPico lei(alfa, beta);
    double soma = 0;
    for (const auto& [limiar, peso] : limiares) soma += peso * lei.Media(limiar);
    return soma / total;
}

}  // namespace

std::vector<double> IntensidadesMediasGeradas(std::span<const double> laminas, double alfa_dur,
                                              double beta_dur) {
    if (!(alfa_dur >= 1.0) || !Positivo(alfa_dur) || !Positivo(beta_dur)) {
        throw ErroVentaro("Lei de duração inválida para as intensidades médias: forma " +
                          Texto(alfa_dur) + ", escala " + Texto(beta_dur) + ".");
    }
    std::vector<double> duracoes;
    try {
        for (int j = 0; j < kFatiasDuracao; ++j) {
            const double p = (j + 0.5) / kFatiasDuracao;
            const double d = beta_dur * boost::math::gamma_p_inv(alfa_dur, p, Politica());
            duracoes.push_back(std::clamp(d, kDuracaoMinima, kDuracaoMaxima));
        }
    } catch (const std::exception&) {
        throw ErroVentaro(
            "A função gama incompleta não pôde ser invertida para a lei de duração "
            "de forma " +
            Texto(alfa_dur) + " e escala " + Texto(beta_dur) + ".");
    }
    std::vector<double> limiares;
    limiares.reserve(laminas.size() * duracoes.size());
    for (const double lamina : laminas) {
        for (const double d : duracoes) limiares.push_back(lamina / d);
    }
    return limiares;
}

double PicoMedioGerado(double alfa, double beta, double limiar) {
    try {
        return LeiPico(alfa, beta).Media(limiar);
    } catch (const std::exception&) {
        throw ErroVentaro(
            "A função gama incompleta não pôde ser avaliada para a lei de "
            "intensidade de pico de forma " +
            Texto(alfa) + " e escala " + Texto(beta) + " acima de " + Texto(limiar) + " mm/h.");
    }
}

EscalaPico EscalaPicoGerado(double alfa, std::span<const double> valores, double media) {
    if (!(alfa >= 1.0) || !Positivo(alfa) || !Positivo(media) || valores.empty() ||
        !std::all_of(valores.begin(), valores.end(), Positivo)) {
        throw ErroVentaro(
            "A escala da lei de intensidade de pico precisa de forma finita de pelo "
            "menos 1 (há " +
            Texto(alfa) + "), de média positiva (há " + Texto(media) +
            ") e de intensidades médias positivas das tempestades.");
    }
    std::vector<double> ordenados(valores.begin(), valores.end());
    std::sort(ordenados.begin(), ordenados.end());
    Limiares limiares;
    for (const double v : ordenados) {
        if (limiares.empty() || limiares.back().first != v) limiares.emplace_back(v, 0.0);
        limiares.back().second += 1.0;
    }
    const auto total = static_cast<double>(ordenados.size());

    // From the scale whose law has the mean asked for, the scale doubles or halves until the
    // generated mean crosses `media`, and TOMS 748 finds the crossing between the last two.
    // Halving stops at the floor kDesvioPicoMinimo / sqrt(alfa), or at the moment scale when
    // that is lower already.
    constexpr int kPassosMaximos = 64;
    double beta = media / alfa;
    const double piso = std::min(beta, kDesvioPicoMinimo / std::sqrt(alfa));
    try {
        const auto desvio = [&](double b) { return MediaGerada(alfa, b, limiares, total) - media; };
        double d = desvio(beta);
        if (d == 0) return {beta, media, true};
        EscalaPico melhor{beta, d + media, false};
        const double passo = d < 0 ? 2.0 : 0.5;
        for (int i = 0; i < kPassosMaximos; ++i) {
            const double outro = std::max(beta * passo, piso);
            if (outro == beta) break;
            const double d_outro = desvio(outro);
            if ((d_outro < 0) != (d < 0)) {
                const bool subindo = passo > 1;
                std::uintmax_t iteracoes = 200;
                const auto [a, b] = boost::math::tools::toms748_solve(
                    desvio, subindo ? beta : outro, subindo ? outro : beta, subindo ? d : d_outro,
                    subindo ? d_outro : d, boost::math::tools::eps_tolerance<double>(45), iteracoes,
                    Politica());
                const double raiz = (a + b) / 2;
                return {raiz, desvio(raiz) + media, true};
            }
            if (std::abs(d_outro) < std::abs(melhor.Media - media)) {
                melhor = {outro, d_outro + media, false};
            }
            if (!Positivo(outro)) break;
            beta = outro;
            d = d_outro;
        }
        return melhor;
    } catch (const std::exception&) {
        throw ErroVentaro(
            "A função gama incompleta não pôde ser avaliada ao ajustar a escala da "
            "lei de intensidade de pico de forma " +
            Texto(alfa) + " perto da escala " + Texto(beta) + ".");
    }
}

}  // namespace ventaro
