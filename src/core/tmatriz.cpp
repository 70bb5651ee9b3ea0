#include "core/tmatriz.h"

#include <cassert>
#include <cmath>
#include <utility>

namespace ventaro {

TMatriz::TMatriz(std::size_t linhas, std::size_t colunas)
    : linhas_(linhas), colunas_(colunas), a_(linhas * colunas, 0.0) {}

void TMatriz::Dimensionar(std::size_t linhas, std::size_t colunas) {
    std::vector<double> novo(linhas * colunas, 0.0);
    for (std::size_t i = 0; i < std::min(linhas, linhas_); ++i)
        for (std::size_t j = 0; j < std::min(colunas, colunas_); ++j)
            novo[i * colunas + j] = a_[i * colunas_ + j];
    linhas_ = linhas;
    colunas_ = colunas;
    a_ = std::move(novo);
}

TMatriz TMatriz::Zeros() const {
    return TMatriz(linhas_, colunas_);
}

TMatriz TMatriz::Transposta() const {
    TMatriz t(colunas_, linhas_);
    for (std::size_t i = 0; i < linhas_; ++i)
        for (std::size_t j = 0; j < colunas_; ++j) t(j, i) = (*this)(i, j);
    return t;
}

std::optional<TMatriz> TMatriz::Multiplicar(const TMatriz& b) const {
    if (colunas_ != b.linhas_) return std::nullopt;
    TMatriz c(linhas_, b.colunas_);
    for (std::size_t i = 0; i < linhas_; ++i) {
        for (std::size_t j = 0; j < b.colunas_; ++j) {
            double soma = 0.0;
            for (std::size_t k = 0; k < colunas_; ++k) soma = soma + (*this)(i, k) * b(k, j);
            c(i, j) = soma;
        }
    }
    return c;
}

std::optional<TMatriz> TMatriz::Somar(const TMatriz& b) const {
    if (linhas_ != b.linhas_ || colunas_ != b.colunas_) return std::nullopt;
    TMatriz c(linhas_, colunas_);
    for (std::size_t i = 0; i < a_.size(); ++i) c.a_[i] = a_[i] + b.a_[i];
    return c;
}

std::optional<TMatriz> TMatriz::Subtrair(const TMatriz& b) const {
    if (linhas_ != b.linhas_ || colunas_ != b.colunas_) return std::nullopt;
    TMatriz c(linhas_, colunas_);
    for (std::size_t i = 0; i < a_.size(); ++i) c.a_[i] = a_[i] - b.a_[i];
    return c;
}

TMatriz TMatriz::SubMatriz(std::size_t linhas, std::size_t colunas) const {
    TMatriz s(std::min(linhas, linhas_), std::min(colunas, colunas_));
    for (std::size_t i = 0; i < s.linhas_; ++i)
        for (std::size_t j = 0; j < s.colunas_; ++j) s(i, j) = (*this)(i, j);
    return s;
}

std::optional<TMatriz> TMatriz::Inversa() const {
    // Only a square matrix has an inverse; anything else would be read past its rows.
    if (linhas_ != colunas_) return std::nullopt;
    const std::size_t n = linhas_;
    TMatriz a = *this;
    std::vector<int> contagem_pivo(n, 0);
    std::vector<std::size_t> linha_pivo(n, 0);
    std::vector<std::size_t> coluna_pivo(n, 0);

    for (std::size_t i = 0; i < n; ++i) {
        // Full pivoting. With >= a tie goes to the element met last in row-major order, which
        // decides the last bits of the result.
        double maior = 0.0;
        std::size_t lin = 0;
        std::size_t col = 0;
        bool achou = false;
        for (std::size_t j = 0; j < n; ++j) {
            if (contagem_pivo[j] == 1) continue;
            for (std::size_t k = 0; k < n; ++k) {
                if (contagem_pivo[k] == 0) {
                    if (std::fabs(a(j, k)) >= maior) {
                        maior = std::fabs(a(j, k));
                        lin = j;
                        col = k;
                        achou = true;
                    }
                } else if (contagem_pivo[k] > 1) {
                    return std::nullopt;
                }
            }
        }
        // Only NaN candidates left: no usable pivot.
        if (!achou) return std::nullopt;
        ++contagem_pivo[col];
        if (lin != col) {
            for (std::size_t l = 0; l < n; ++l) std::swap(a(lin, l), a(col, l));
        }
        linha_pivo[i] = lin;
        coluna_pivo[i] = col;
        if (a(col, col) == 0.0) return std::nullopt;
        const double pivinv = 1.0 / a(col, col);
        a(col, col) = 1.0;
        for (std::size_t l = 0; l < n; ++l) a(col, l) = a(col, l) * pivinv;
        for (std::size_t ll = 0; ll < n; ++ll) {
            if (ll == col) continue;
            const double dum = a(ll, col);
            a(ll, col) = 0.0;
            for (std::size_t l = 0; l < n; ++l) a(ll, l) = a(ll, l) - a(col, l) * dum;
        }
    }
    // Undo the row swaps as column swaps, last step first.
    for (std::size_t l = n; l-- > 0;) {
        if (linha_pivo[l] != coluna_pivo[l]) {
            for (std::size_t k = 0; k < n; ++k)
                std::swap(a(k, linha_pivo[l]), a(k, coluna_pivo[l]));
        }
    }
    return a;
}

TMatriz TMatriz::Cholesky() const {
    assert(linhas_ == colunas_);
    const std::size_t n = std::min(linhas_, colunas_);
    TMatriz l(n, n);
    if (n == 0) return l;
    const TMatriz& a = *this;
    l(0, 0) = std::sqrt(a(0, 0));
    for (std::size_t r = 1; r < n; ++r) {
        for (std::size_t j = 0; j < r; ++j) {
            double soma = 0.0;
            for (std::size_t k = 0; k < j; ++k) soma = soma + l(j, k) * l(r, k);
            l(r, j) = (a(r, j) - soma) / l(j, j);
        }
        double soma = 0.0;
        for (std::size_t j = 0; j < r; ++j) soma = soma + l(r, j) * l(r, j);
        l(r, r) = std::sqrt(a(r, r) - soma);
    }
    return l;
}

double TMatriz::Determinante() {
    assert(linhas_ == colunas_);
    const std::size_t n = std::min(linhas_, colunas_);
    TMatriz& a = *this;
    for (std::size_t i = 0; i + 1 < n; ++i) {
        for (std::size_t j = i + 1; j < n; ++j) {
            const double fator = a(j, i) / a(i, i);
            for (std::size_t k = 0; k < n; ++k) a(j, k) = a(j, k) - fator * a(i, k);
        }
    }
    double det = 1.0;
    for (std::size_t i = 0; i < n; ++i) det = det * a(i, i);
    return det;
}

}  // namespace ventaro
