#pragma once

#include "core/tdados.h"
#include "stations/banco_dados.h"
#include "stations/gravacao_estacao.h"

namespace ventaro {

// Regions a rainfall station may name (EstacaoPrec.Regiao).
inline constexpr int kRegiaoMinima = 1;
inline constexpr int kRegiaoMaxima = 7;

// Whether ParamRegiao holds any row of the region.
bool ExisteRegiao(BancoDados& banco, int regiao);

// Replaces the storm laws of `regiao` in ParamRegiao with the regional tables of `leis`
// (AlfaDur, BetaDur, AlfaIi, BetaIi, BetaTi; TipoParametro 1 to 5): the region's rows are
// deleted and 5 x 12 rows written, one per parameter type and month, in one transaction. A
// region outside kRegiaoMinima..kRegiaoMaxima, or a law the generator cannot draw from (a
// shape below 1, a scale or mean time to peak that is not positive, a value that is not a
// number), is refused before anything is written; any other failure rolls back. Either way
// an ErroVentaro names the region and the database is left exactly as it was.
ResultadoGravacao GravarParamRegiao(BancoDados& banco, int regiao, const TDados& leis);

}  // namespace ventaro
