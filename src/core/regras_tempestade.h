#pragma once

namespace ventaro {

// How the generator turns a storm's laws into the duration and the peak it writes
// (SimulacaoTempestades), shared with the regional estimator, which fits the peak law to this
// rule. A peak is drawn from the law of the storm's month and depth class up to
// kTentativasPico times, and the first draw t with P/D < t < kPicoMaximo (P/D the storm's mean
// intensity, depth over duration, mm/h) is kept, raised to kPicoMinimo; when none is, the peak
// is kFatorPicoSemSorteio * P/D.
inline constexpr int kTentativasPico = 11;
inline constexpr double kPicoMaximo = 1000.0;  // mm/h
inline constexpr double kPicoMinimo = 0.2;     // mm/h
inline constexpr double kFatorPicoSemSorteio = 1.1;

// A storm's duration is drawn from its duration law and held between these bounds (h), apart
// from its depth: the depth only chooses the class whose law is drawn.
inline constexpr double kDuracaoMinima = 0.2;
inline constexpr double kDuracaoMaxima = 24.0;

}  // namespace ventaro
