#pragma once

#include <array>
#include <string>

namespace ventaro {

// The four-row grid below the monthly and regression charts: row 0 holds the month names, column
// 0 the row names "Observado", "VENTARO" and "Variação (%)", and rows 1-3 of columns 1-12 the
// values of the tab shown last.
class GradeMensal {
  public:
    static constexpr int kLinhas = 4;
    static constexpr int kColunas = 13;

    // The grid as PrepararTabela leaves it: headers and one blank in every value cell.
    GradeMensal();

    const std::string& Celula(int linha, int coluna) const {
        return celulas_[static_cast<std::size_t>(linha)][static_cast<std::size_t>(coluna)];
    }
    void DefinirCelula(int linha, int coluna, std::string texto) {
        celulas_[static_cast<std::size_t>(linha)][static_cast<std::size_t>(coluna)] =
            std::move(texto);
    }
    bool operator==(const GradeMensal&) const = default;

  private:
    std::array<std::array<std::string, kColunas>, kLinhas> celulas_;
};

// Monthly statistics view: observed and generated with two decimals and their difference in
// per cent of the observed value, or 100 when the observed value is 0.
void PreencherComparacao(GradeMensal& grade, const std::array<double, 12>& x,
                         const std::array<double, 12>& y, char separador);

// Monthly statistics view of a storm statistic, which has no observed value: "     - " in rows 1
// and 3, the generated value with three decimals in row 2.
void PreencherSoGerado(GradeMensal& grade, const std::array<double, 12>& y, char separador);

// Regression view: as PreencherComparacao, except that two values that print alike differ by
// "0,00" per cent.
void PreencherTabela(GradeMensal& grade, const std::array<double, 12>& x,
                     const std::array<double, 12>& y, char separador);

// What Ctrl+C puts on the clipboard for the selection of grid rows linha_ini..linha_fim and
// columns coluna_ini..coluna_fim (inclusive): each row's cells separated by tabs and ended by
// CR LF.
std::string TextoCopia(const GradeMensal& grade, int linha_ini, int linha_fim, int coluna_ini,
                       int coluna_fim);

}  // namespace ventaro
