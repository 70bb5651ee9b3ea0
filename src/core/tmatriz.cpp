#include "core/tmatriz.h"

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

}  // namespace ventaro
