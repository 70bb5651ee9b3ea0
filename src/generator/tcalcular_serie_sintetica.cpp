#include "generator/tcalcular_serie_sintetica.h"

namespace ventaro {

TClima TCalcularSerieSintetica::Calcular(const TDados&, ModoCalculo) { return TClima(0); }

}  // namespace ventaro
