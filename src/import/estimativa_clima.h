#pragma once

#include <string>

#include "core/tdados.h"
#include "import/dados_clima.h"

namespace ventaro {

// The monthly parameters of a climatological station estimated from its daily record: the
// climatological block of `Dados` (means, deviations and wind skewness by dry and wet days,
// DUmidosClima/DSecosClima, matrices A and B, the initial residuals XResJan*) and the number
// of years behind them.
struct ParametrosClima {
    TDados Dados;
    int NumAnos = 0;
};

// The whole estimation, in order: means and deviations, residuals, matrices A and B, wind
// skewness, initial residuals and NumAnos. A deviation of 0 where residuals are standardised,
// a correlation without pairs or without spread, or a singular lag-zero matrix fails with an
// ErroVentaro naming the month and the variable; no estimate holds NaN or infinity.
ParametrosClima EstimarClima(RegistroClima& registro);

// The steps, in the order EstimarClima runs them.
void CalcularMediasDesvios(const RegistroClima& registro, TDados& dados);
void CalcularResiduos(RegistroClima& registro, const TDados& dados);
void CalcularMatrizes(const RegistroClima& registro, TDados& dados);
void CalcularAssimetriaVento(const RegistroClima& registro, TDados& dados);
void CalcularResiduosIniciais(const RegistroClima& registro, TDados& dados);

// Correlation of residual `a` on day t with residual `b` on day t - lag (0 or 1) in month
// `mes`, over the valid years; pairs never cross a month boundary and a pair with a residual of
// exactly 0 is left out.
double CorrelacaoResiduos(const RegistroClima& registro, int mes, int a, int lag, int b);

// Portuguese name of a month, "janeiro" ... "dezembro".
std::string NomeMes(int mes);

}  // namespace ventaro
