#include "core/tclima.h"

namespace ventaro {

TClima::TClima(int64_t num_dias) : NumDias(num_dias < 0 ? 0 : num_dias) {
    const auto n = static_cast<std::size_t>(NumDias + 1);
    for (auto* v : {&Prec, &Dur, &Ti, &Ii, &ParamA, &ParamB, &ParamC, &ParamD, &KEf, &KEwm, &KE25f,
                    &KE25wm, &EI30f, &EI30wm, &TMax, &TMin, &Rad, &VVento, &Umid}) {
        v->assign(n, 0.0);
    }
    Mes.assign(n, 0);
}

TClima TClima::ParaPeriodo(int64_t a_partir, int64_t num_anos) {
    TClima clima(DiasNoPeriodo(a_partir, num_anos));
    clima.DataInicial = Data{a_partir, 1, 1};
    clima.Mes = MesesDoPeriodo(a_partir, num_anos);
    return clima;
}

void TClima::LimparDia(int64_t d) {
    const auto i = static_cast<std::size_t>(d);
    for (auto* v : {&Prec, &Dur, &Ti, &Ii, &ParamA, &ParamB, &ParamC, &ParamD, &KEf, &KEwm, &KE25f,
                    &KE25wm, &EI30f, &EI30wm}) {
        (*v)[i] = 0.0;
    }
}

}  // namespace ventaro
