#pragma once

#include <span>

namespace ventaro {

// Straight line through the origin, Y = b*X, fitted to twelve monthly pairs (observed X,
// generated Y), with its coefficient of determination and standard error.
class TRegressao {
  public:
    void Limpar() { *this = TRegressao{}; }
    // x and y hold exactly twelve values, month 1 to 12.
    void CalcularRegressao(std::span<const double, 12> x, std::span<const double, 12> y);

    double Inclinacao() const { return inclinacao_; }
    double R2() const { return r2_; }
    double ErroPadrao() const { return erro_padrao_; }
    double MinX() const { return min_x_; }
    double MaxX() const { return max_x_; }

  private:
    double inclinacao_ = 0;
    double r2_ = 0;
    double erro_padrao_ = 0;
    double min_x_ = 0;
    double max_x_ = 0;
};

}  // namespace ventaro
