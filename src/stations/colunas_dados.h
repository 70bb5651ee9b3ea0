#pragma once

#include <cstddef>
#include <span>
#include <string>

#include "core/tdados.h"

namespace ventaro {

// One monthly column of DadosPrec or DadosClima and the TDados field it holds: a real field, a
// day count, or one element of a monthly matrix. The one map between the tables and the fields,
// read by the station loads and written by the station writes.
class ColunaMensal {
  public:
    static constexpr ColunaMensal Real(const char* nome, Mensal<double> TDados::*campo) {
        return ColunaMensal(nome, campo, nullptr, nullptr, 0, 0);
    }
    static constexpr ColunaMensal Inteira(const char* nome, Mensal<int32_t> TDados::*campo) {
        return ColunaMensal(nome, nullptr, campo, nullptr, 0, 0);
    }
    static constexpr ColunaMensal Matriz(const char* nome, Mensal<TMatriz> TDados::*campo,
                                         std::size_t linha, std::size_t coluna) {
        return ColunaMensal(nome, nullptr, nullptr, campo, linha, coluna);
    }

    // The column's name as the table spells it.
    const char* Nome() const { return nome_; }
    // Day counts are stored as integers, everything else as reals.
    bool EhInteira() const { return inteiro_ != nullptr; }

    double Valor(const TDados& dados, int mes) const;
    // A day count takes the value's integer part.
    void Definir(TDados& dados, int mes, double valor) const;

  private:
    constexpr ColunaMensal(const char* nome, Mensal<double> TDados::*real,
                           Mensal<int32_t> TDados::*inteiro, Mensal<TMatriz> TDados::*matriz,
                           std::size_t linha, std::size_t coluna)
        : nome_(nome),
          real_(real),
          inteiro_(inteiro),
          matriz_(matriz),
          linha_(linha),
          coluna_(coluna) {}

    const char* nome_;
    Mensal<double> TDados::*real_;
    Mensal<int32_t> TDados::*inteiro_;
    Mensal<TMatriz> TDados::*matriz_;
    std::size_t linha_, coluna_;
};

// The monthly columns of DadosPrec, of DadosClima and of TotaisPrec (the station code and the
// month aside), in the order the tables declare them.
std::span<const ColunaMensal> ColunasDadosPrec();
std::span<const ColunaMensal> ColunasDadosClima();
std::span<const ColunaMensal> ColunasTotaisPrec();

// "insert into <tabela> (CodEstacao, Mes, <colunas>) values (:CodEstacao, :Mes, :<colunas>)".
std::string InsercaoMensal(const char* tabela, std::span<const ColunaMensal> colunas);

}  // namespace ventaro
