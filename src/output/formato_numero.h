#pragma once

#include <string>

namespace ventaro {

// General number format of the series file: up to 15 significant digits, trailing zeros
// dropped, fixed notation from 0.00001 up to 15 integer digits, scientific otherwise ("1.5E-6",
// "1E15"); 0 (and -0) is "0", NaN "NAN", infinities "INF" and "-INF". The rounding to 15
// digits is exact, like printf's: integer arithmetic from 0.00001 to below 10^15, std::to_chars
// beyond. No allocation per value beyond the growth of `destino`.
void AcrescentarFormatoGeral(std::string& destino, double v, char separador);
std::string FormatoGeral(double v, char separador);

// The same format built plainly on snprintf("%.14e"); the reference the fast one is tested
// against.
std::string FormatoGeralReferencia(double v, char separador);

// A fixed-width field of the series file: the general format cut (not rounded) to `largura`
// characters, or to its whole integer part when its separator lies beyond the field, then
// padded with spaces on the right. Negative values keep their sign: -1.5 is "-1.5", -12.34 is
// "-12.". Text without a separator is cut to the width like any other: 12345 is "1234", 1.5e-6
// is "1.5E". Values in fixed notation are written straight from their fifteen rounded digits,
// without building the general format's text.
void AcrescentarCampo(std::string& destino, double v, int largura, char separador);
std::string FormatarCampo(double v, int largura, char separador);

// Longest text of the general format ("-0.0000" followed by 15 digits, or a negative
// scientific value with a three-digit exponent).
inline constexpr int kMaxFormatoGeral = 24;

// Longest field wider than its width: the integer part of the largest double, with its sign.
inline constexpr int kMaxCampo = 320;

// Raw writers for callers that build large texts in their own buffers. Both write at `destino`
// and return the end of their text. EscreverFormatoGeral writes at most kMaxFormatoGeral
// characters. EscreverCampo needs room for the larger of `largura` and kMaxCampo characters: it
// may fill some of that room beyond the end it returns, which later text overwrites.
char* EscreverFormatoGeral(char* destino, double v, char separador);
char* EscreverCampo(char* destino, double v, int largura, char separador);

}  // namespace ventaro
