#pragma once

#include <algorithm>
#include <cstddef>
#include <optional>
#include <vector>

namespace ventaro {

// Small dense matrix of doubles, [row][column] from 0. Operations return new matrices and leave
// their operands unchanged, except Determinante, which eliminates in place. "No matrix" (shape
// mismatch, singular inverse) is std::nullopt.
class TMatriz {
  public:
    TMatriz() = default;
    TMatriz(std::size_t linhas, std::size_t colunas);

    std::size_t Linhas() const { return linhas_; }
    std::size_t Colunas() const { return colunas_; }

    double& operator()(std::size_t i, std::size_t j) { return a_[i * colunas_ + j]; }
    double operator()(std::size_t i, std::size_t j) const { return a_[i * colunas_ + j]; }

    // Resizes keeping the elements present in both shapes; new elements are 0.
    void Dimensionar(std::size_t linhas, std::size_t colunas);

    TMatriz Zeros() const;
    TMatriz Transposta() const;
    std::optional<TMatriz> Multiplicar(const TMatriz& b) const;
    std::optional<TMatriz> Somar(const TMatriz& b) const;
    std::optional<TMatriz> Subtrair(const TMatriz& b) const;
    TMatriz SubMatriz(std::size_t linhas, std::size_t colunas) const;
    // Gauss-Jordan with full pivoting; nullopt when singular.
    std::optional<TMatriz> Inversa() const;
    // Lower-triangular L with L*L^T = this; reads only the lower triangle.
    TMatriz Cholesky() const;
    // Elimination without pivoting, in place; the product of the diagonal.
    double Determinante();

    bool operator==(const TMatriz&) const = default;

  private:
    std::size_t linhas_ = 0;
    std::size_t colunas_ = 0;
    std::vector<double> a_;
};

}  // namespace ventaro
