#include "core/tclima.h"

#include <sys/mman.h>

#include <cstdint>

namespace ventaro {

namespace {

// Large arrays are backed by 2 MB pages where the system gives them on request: a thousand
// years of one variable is 2.9 MB, whose first touch otherwise costs about 700 page faults.
// Only the 2 MB-aligned part of the allocation can use such pages; the request is advice, and
// its failure changes nothing.
constexpr std::size_t kPaginaGrande = std::size_t{1} << 21;

void Alocar(std::vector<double>& v, std::size_t n) {
    const std::size_t bytes = n * sizeof(double);
    if (bytes >= 2 * kPaginaGrande) {
        // Room for one more large page, so that the aligned part covers all but the head.
        v.reserve(n + kPaginaGrande / sizeof(double));
        const auto inicio = reinterpret_cast<std::uintptr_t>(v.data());
        const std::uintptr_t alinhado = (inicio + kPaginaGrande - 1) & ~(kPaginaGrande - 1);
        const std::uintptr_t fim = (inicio + bytes) & ~(kPaginaGrande - 1);
        if (fim > alinhado) {
            ::madvise(reinterpret_cast<void*>(alinhado), fim - alinhado, MADV_HUGEPAGE);
        }
    }
    v.assign(n, 0.0);
}

}  // namespace

std::vector<double> TClima::NovoArray(std::size_t n) {
    std::vector<double> v;
    Alocar(v, n);
    return v;
}

TClima::TClima(int64_t num_dias, const ArraysSerie& arrays) : NumDias(num_dias < 0 ? 0 : num_dias) {
    const auto n = static_cast<std::size_t>(NumDias + 1);
    Alocar(Prec, n);
    Alocar(Ti, n);
    Acrescentar(arrays);
    Mes.assign(n, 0);
}

void TClima::Acrescentar(const ArraysSerie& arrays) {
    const auto n = static_cast<std::size_t>(NumDias + 1);
    const auto Grupo = [n](bool tem, std::initializer_list<std::vector<double>*> grupo) {
        if (!tem) return;
        for (auto* v : grupo) {
            if (v->empty()) Alocar(*v, n);
        }
    };
    Grupo(arrays.Tempestades, {&Dur, &Ii});
    Grupo(arrays.Perfis, {&ParamA, &ParamB, &ParamC, &ParamD});
    Grupo(arrays.Energias, {&KEf, &KEwm, &KE25f, &KE25wm, &EI30f, &EI30wm});
    Grupo(arrays.Temperaturas, {&TMax, &TMin, &Rad});
    Grupo(arrays.Vento, {&VVento});
    Grupo(arrays.Umidade, {&Umid});
}

TClima TClima::ParaPeriodo(int64_t a_partir, int64_t num_anos, const ArraysSerie& arrays) {
    TClima clima(DiasNoPeriodo(a_partir, num_anos), arrays);
    clima.DataInicial = Data{a_partir, 1, 1};
    clima.Mes = MesesDoPeriodo(a_partir, num_anos);
    return clima;
}

void TClima::LimparDia(int64_t d) {
    const auto i = static_cast<std::size_t>(d);
    for (auto* v : {&Prec, &Dur, &Ti, &Ii, &ParamA, &ParamB, &ParamC, &ParamD, &KEf, &KEwm, &KE25f,
                    &KE25wm, &EI30f, &EI30wm}) {
        if (!v->empty()) (*v)[i] = 0.0;
    }
}

}  // namespace ventaro
