#include "generator/inversao.h"

#include <array>
#include <cstddef>

namespace ventaro {

namespace {

// The grids of the model's laws are summed by the compiler, addition by addition in double
// precision as the walks would sum them, and kept in the program: a run reads the few pages
// its walks reach instead of summing and storing up to 100 000 abscissas first.
constexpr std::size_t NumAbscissas(double h, LimiteInversao limite) {
    double x = 0.0;
    std::size_t n = 1;
    while (!AtingiuLimite(limite, x)) {
        x = x + h;
        ++n;
    }
    return n;
}

template <std::size_t N>
constexpr std::array<double, N> Abscissas(double h) {
    std::array<double, N> x{};
    for (std::size_t k = 1; k < N; ++k) x[k] = x[k - 1] + h;
    return x;
}

constexpr auto kGradeDuracao =
    Abscissas<NumAbscissas(kPassoDuracao, LimiteInversao::Duracao)>(kPassoDuracao);
constexpr auto kGradeIntensidade =
    Abscissas<NumAbscissas(kPassoIntensidade, LimiteInversao::Intensidade)>(kPassoIntensidade);
constexpr auto kGradeUmidade =
    Abscissas<NumAbscissas(kPassoUmidade, LimiteInversao::Umidade)>(kPassoUmidade);

}  // namespace

std::span<const double> AbscissasDoModelo(double h, LimiteInversao limite) {
    if (limite == LimiteInversao::Duracao && h == kPassoDuracao) return kGradeDuracao;
    if (limite == LimiteInversao::Intensidade && h == kPassoIntensidade) return kGradeIntensidade;
    if (limite == LimiteInversao::Umidade && h == kPassoUmidade) return kGradeUmidade;
    return {};
}

}  // namespace ventaro
