#include "stations/colunas_dados.h"

#include <array>

namespace ventaro {

namespace {

using C = ColunaMensal;
using T = TDados;

constexpr std::array kColunasDadosPrec = {
    C::Real("XPrec", &T::XPrec),       C::Real("SPrec", &T::SPrec),
    C::Real("SkewPrec", &T::SkewPrec), C::Real("PCC", &T::PCC),
    C::Real("PCS", &T::PCS),           C::Inteira("DUmidos", &T::DUmidos),
    C::Inteira("DSecos", &T::DSecos),
};

constexpr std::array kColunasTotaisPrec = {
    C::Real("XTotal", &T::XTotal),
    C::Real("STotal", &T::STotal),
    C::Real("CovTotalAnual", &T::CovTotalAnual),
};

constexpr std::array kColunasDadosClima = {
    C::Real("XTMaxSe", &T::XTMaxSe),
    C::Real("XTMaxCh", &T::XTMaxCh),
    C::Real("STMaxSe", &T::STMaxSe),
    C::Real("STMaxCh", &T::STMaxCh),
    C::Real("XTMinSe", &T::XTMinSe),
    C::Real("XTMinCh", &T::XTMinCh),
    C::Real("STMinSe", &T::STMinSe),
    C::Real("STMinCh", &T::STMinCh),
    C::Real("XRadSe", &T::XRadSe),
    C::Real("XRadCh", &T::XRadCh),
    C::Real("SRadSe", &T::SRadSe),
    C::Real("SRadCh", &T::SRadCh),
    C::Matriz("MatrizA11", &T::MatrizA, 0, 0),
    C::Matriz("MatrizA12", &T::MatrizA, 0, 1),
    C::Matriz("MatrizA13", &T::MatrizA, 0, 2),
    C::Matriz("MatrizA21", &T::MatrizA, 1, 0),
    C::Matriz("MatrizA22", &T::MatrizA, 1, 1),
    C::Matriz("MatrizA23", &T::MatrizA, 1, 2),
    C::Matriz("MatrizA31", &T::MatrizA, 2, 0),
    C::Matriz("MatrizA32", &T::MatrizA, 2, 1),
    C::Matriz("MatrizA33", &T::MatrizA, 2, 2),
    C::Matriz("MatrizB11", &T::MatrizB, 0, 0),
    C::Matriz("MatrizB12", &T::MatrizB, 0, 1),
    C::Matriz("MatrizB13", &T::MatrizB, 0, 2),
    C::Matriz("MatrizB21", &T::MatrizB, 1, 0),
    C::Matriz("MatrizB22", &T::MatrizB, 1, 1),
    C::Matriz("MatrizB23", &T::MatrizB, 1, 2),
    C::Matriz("MatrizB31", &T::MatrizB, 2, 0),
    C::Matriz("MatrizB32", &T::MatrizB, 2, 1),
    C::Matriz("MatrizB33", &T::MatrizB, 2, 2),
    C::Real("XVVentoSe", &T::XVVentoSe),
    C::Real("SVVentoSe", &T::SVVentoSe),
    C::Real("SkewVVentoSe", &T::SkewVVentoSe),
    C::Real("XVVentoCh", &T::XVVentoCh),
    C::Real("SVVentoCh", &T::SVVentoCh),
    C::Real("SkewVVentoCh", &T::SkewVVentoCh),
    C::Real("XUmidSe", &T::XUmidSe),
    C::Real("XUmidCh", &T::XUmidCh),
    C::Real("SUmidSe", &T::SUmidSe),
    C::Real("SUmidCh", &T::SUmidCh),
    // The climatological record's own day counts.
    C::Inteira("DUmidos", &T::DUmidosClima),
    C::Inteira("DSecos", &T::DSecosClima),
};

}  // namespace

double ColunaMensal::Valor(const TDados& dados, int mes) const {
    if (real_ != nullptr) return (dados.*real_)[mes];
    if (inteiro_ != nullptr) return static_cast<double>((dados.*inteiro_)[mes]);
    return (dados.*matriz_)[mes](linha_, coluna_);
}

void ColunaMensal::Definir(TDados& dados, int mes, double valor) const {
    if (real_ != nullptr) {
        (dados.*real_)[mes] = valor;
    } else if (inteiro_ != nullptr) {
        // Through 64 bits, so that a count no table should hold wraps instead of overflowing.
        const bool representavel = valor > -9e18 && valor < 9e18;
        (dados.*inteiro_)[mes] =
            representavel ? static_cast<int32_t>(static_cast<int64_t>(valor)) : 0;
    } else {
        // Written into the container's own matrices, which stay 3x3.
        (dados.*matriz_)[mes](linha_, coluna_) = valor;
    }
}

std::span<const ColunaMensal> ColunasDadosPrec() {
    return kColunasDadosPrec;
}

std::span<const ColunaMensal> ColunasDadosClima() {
    return kColunasDadosClima;
}

std::span<const ColunaMensal> ColunasTotaisPrec() {
    return kColunasTotaisPrec;
}

std::string InsercaoMensal(const char* tabela, std::span<const ColunaMensal> colunas) {
    std::string nomes = "CodEstacao, Mes";
    std::string valores = ":CodEstacao, :Mes";
    for (const ColunaMensal& c : colunas) {
        nomes += std::string(", ") + c.Nome();
        valores += std::string(", :") + c.Nome();
    }
    return "insert into " + std::string(tabela) + "\n(" + nomes + ")\nvalues\n(" + valores + ")";
}

}  // namespace ventaro
