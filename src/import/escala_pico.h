#pragma once

#include <span>
#include <vector>

namespace ventaro {

// The generator's peaks, seen from the regional estimator: the peak law of a month and depth
// class is fitted to what the generator does with it (core/regras_tempestade.h), not to the
// recorded peaks as if they were the law's own draws. A recorded peak is never below its storm's
// mean intensity P/D, and the generator redraws every peak below P/D as well; a law fitted to
// the recorded peaks by moments alone is cut twice and its peaks come out high.

// Slices of equal probability of a duration law in IntensidadesMediasGeradas.
inline constexpr int kFatiasDuracao = 32;

// The mean intensities P/D (mm/h) of storms of depths `laminas` (mm) whose durations the
// generator draws from the gamma law of shape `alfa_dur` and scale `beta_dur` (h), held between
// kDuracaoMinima and kDuracaoMaxima: every depth over the duration at the middle of each of
// kFatiasDuracao slices of equal probability of the law. The generator draws a storm's duration
// apart from its depth, so the recorded pairing of depth and duration is not the one it makes.
std::vector<double> IntensidadesMediasGeradas(std::span<const double> laminas, double alfa_dur,
                                              double beta_dur);

// The mean peak intensity (mm/h) the generator writes for a storm of mean intensity `limiar`
// (mm/h) whose peak law is gamma with shape `alfa` and scale `beta`. Each of the kTentativasPico
// draws X is kept with probability q = P(limiar < X < kPicoMaximo), so the mean is
//   (1 - (1 - q)^11) * E[max(X, 0.2) | limiar < X < 1000] + (1 - q)^11 * 1.1 * limiar,
// with E[X; a < X < b] = alfa * beta * (Q(alfa + 1, a / beta) - Q(alfa + 1, b / beta)) and Q
// the regularized upper incomplete gamma function. The generator's numerical inversion of the
// law (steps of 0.01 mm/h) is taken as exact.
double PicoMedioGerado(double alfa, double beta, double limiar);

// The generator inverts the peak law numerically in steps of 0.01 mm/h, and a law much narrower
// than ten steps falls between them: its integral never reaches the draw and the walk ends at
// its 1000 mm/h limit, a slow way of writing 1.1 P/D. EscalaPicoGerado goes no lower than the
// scale giving the law this standard deviation (mm/h), unless the moment scale is lower already.
inline constexpr double kDesvioPicoMinimo = 0.1;

struct EscalaPico {
    double Beta = 0;         // the scale
    double Media = 0;        // the generator's mean peak with it, mm/h
    bool Alcancada = false;  // Media is the mean asked for
};

// The scale of the gamma peak law of shape `alfa` for which the generator's peaks of storms of
// mean intensities `limiares` average `media`: the mean of PicoMedioGerado over `limiares`. At a
// vanishing scale that mean is 1.1 times the mean of `limiares` (no draw is kept) and it grows
// with the scale once the draws kept outweigh 1.1 P/D. When no scale down to the floor of
// kDesvioPicoMinimo reaches `media` (storms of one hour, whose hourly peak is their mean
// intensity, average less than 1.1 P/D; storms whose durations the duration law often draws far
// shorter), the scale of the nearest mean among those tried is returned with Alcancada false.
// Throws ErroVentaro on arguments out of range or when the incomplete gamma function cannot be
// evaluated.
EscalaPico EscalaPicoGerado(double alfa, std::span<const double> limiares, double media);

}  // namespace ventaro
