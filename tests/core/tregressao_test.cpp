#include "core/tregressao.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

namespace ventaro {
namespace {

using Meses = std::array<double, 12>;

Meses UmADoze() {
    Meses x{};
    for (std::size_t i = 0; i < 12; ++i) x[i] = static_cast<double>(i + 1);
    return x;
}

TEST(TRegressao, StartsAndResetsAtZero) {
    TRegressao r;
    EXPECT_EQ(r.Inclinacao(), 0.0);
    EXPECT_EQ(r.R2(), 0.0);
    const Meses x = UmADoze();
    r.CalcularRegressao(x, x);
    r.Limpar();
    EXPECT_EQ(r.Inclinacao(), 0.0);
    EXPECT_EQ(r.R2(), 0.0);
    EXPECT_EQ(r.ErroPadrao(), 0.0);
    EXPECT_EQ(r.MinX(), 0.0);
    EXPECT_EQ(r.MaxX(), 0.0);
}

TEST(TRegressao, PerfectFitsThroughTheOrigin) {
    const Meses x = UmADoze();
    TRegressao r;
    r.CalcularRegressao(x, x);
    EXPECT_EQ(r.Inclinacao(), 1.0);
    EXPECT_EQ(r.R2(), 1.0);
    EXPECT_EQ(r.ErroPadrao(), 0.0);
    EXPECT_EQ(r.MinX(), 1.0);
    EXPECT_EQ(r.MaxX(), 12.0);

    Meses y{};
    for (std::size_t i = 0; i < 12; ++i) y[i] = 2.0 * x[i];
    r.CalcularRegressao(x, y);
    EXPECT_EQ(r.Inclinacao(), 2.0);
    EXPECT_EQ(r.R2(), 1.0);
    EXPECT_EQ(r.ErroPadrao(), 0.0);
}

TEST(TRegressao, ConstantYHasNoDetermination) {
    const Meses x = UmADoze();
    Meses y{};
    y.fill(6.5);
    TRegressao r;
    r.CalcularRegressao(x, y);
    EXPECT_DOUBLE_EQ(r.Inclinacao(), 0.78);
    EXPECT_EQ(r.R2(), 0.0);

    y.fill(0.0);
    r.CalcularRegressao(x, y);
    EXPECT_EQ(r.Inclinacao(), 0.0);
    EXPECT_EQ(r.R2(), 0.0);
}

TEST(TRegressao, ZeroXGivesZeroSlopeAndANegativeR2) {
    Meses x{};
    const Meses y = UmADoze();
    TRegressao r;
    r.CalcularRegressao(x, y);
    EXPECT_EQ(r.Inclinacao(), 0.0);
    // SSE = sum of Y^2 = 650, SST = 143.
    EXPECT_DOUBLE_EQ(r.R2(), 1.0 - 650.0 / 143.0);
    EXPECT_DOUBLE_EQ(r.ErroPadrao(), std::sqrt(650.0 / 11.0));
    EXPECT_EQ(r.MinX(), 0.0);
    EXPECT_EQ(r.MaxX(), 0.0);
}

TEST(TRegressao, ExtremesOfXAnywhereInTheYear) {
    Meses x = {5, 3, 9, -2, 7, 7, 11, 0, 4, 8, 1, 6};
    TRegressao r;
    r.CalcularRegressao(x, UmADoze());
    EXPECT_EQ(r.MinX(), -2.0);
    EXPECT_EQ(r.MaxX(), 11.0);
    x = {5, 3, 9, 2, 7, 7, 1, 0, 4, 8, 1, 12.5};
    r.CalcularRegressao(x, UmADoze());
    EXPECT_EQ(r.MinX(), 0.0);
    EXPECT_EQ(r.MaxX(), 12.5);
}

}  // namespace
}  // namespace ventaro
