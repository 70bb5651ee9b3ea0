#include "core/tmatriz.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>

namespace ventaro {
namespace {

TMatriz De(std::initializer_list<std::initializer_list<double>> linhas) {
    const std::size_t n = linhas.size();
    const std::size_t m = n == 0 ? 0 : linhas.begin()->size();
    TMatriz a(n, m);
    std::size_t i = 0;
    for (const auto& linha : linhas) {
        std::size_t j = 0;
        for (double v : linha) a(i, j++) = v;
        ++i;
    }
    return a;
}

void ExpectPerto(const TMatriz& a, const TMatriz& b, double tol = 1e-12) {
    ASSERT_EQ(a.Linhas(), b.Linhas());
    ASSERT_EQ(a.Colunas(), b.Colunas());
    for (std::size_t i = 0; i < a.Linhas(); ++i)
        for (std::size_t j = 0; j < a.Colunas(); ++j)
            EXPECT_NEAR(a(i, j), b(i, j), tol) << "[" << i << "][" << j << "]";
}

TEST(TMatriz, NewMatrixIsEmptyUntilSized) {
    TMatriz a;
    EXPECT_EQ(a.Linhas(), 0u);
    EXPECT_EQ(a.Colunas(), 0u);
    EXPECT_EQ(a.Determinante(), 1.0);
    EXPECT_EQ(a.Cholesky(), TMatriz());
    EXPECT_TRUE(a.Inversa().has_value());
}

TEST(TMatriz, ProductChecksShapes) {
    const TMatriz a = De({{1, 2, 3}, {4, 5, 6}, {7, 8, 10}});
    const TMatriz v = De({{1}, {-1}, {2}});
    const auto av = a.Multiplicar(v);
    ASSERT_TRUE(av.has_value());
    EXPECT_EQ(*av, De({{5}, {11}, {19}}));
    EXPECT_FALSE(v.Multiplicar(a).has_value());
    const auto vt_a = v.Transposta().Multiplicar(a);
    ASSERT_TRUE(vt_a.has_value());
    EXPECT_EQ(*vt_a, De({{11, 13, 17}}));
}

TEST(TMatriz, SumAndDifferenceNeedEqualShapes) {
    const TMatriz a = De({{1, 2, 3}, {4, 5, 6}, {7, 8, 9}});
    const TMatriz v = De({{1}, {1}, {1}});
    EXPECT_FALSE(a.Somar(v).has_value());
    EXPECT_FALSE(v.Subtrair(a).has_value());
    EXPECT_EQ(*a.Somar(a), De({{2, 4, 6}, {8, 10, 12}, {14, 16, 18}}));
    EXPECT_EQ(*a.Subtrair(a), a.Zeros());
    EXPECT_EQ(a.Transposta(), De({{1, 4, 7}, {2, 5, 8}, {3, 6, 9}}));
}

TEST(TMatriz, InverseOfRegularMatrices) {
    EXPECT_EQ(*De({{2, 0}, {0, 4}}).Inversa(), De({{0.5, 0}, {0, 0.25}}));
    // Needs both the row swap and the column unscrambling.
    const TMatriz p = De({{0, 1}, {1, 0}});
    EXPECT_EQ(*p.Inversa(), p);

    const TMatriz a = De({{0, 2, 1}, {1, -1, 3}, {4, 0.5, -2}});
    const TMatriz copia = a;
    const auto inv = a.Inversa();
    ASSERT_TRUE(inv.has_value());
    EXPECT_EQ(a, copia);  // the operand is left alone
    ExpectPerto(*a.Multiplicar(*inv), De({{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}));
    ExpectPerto(*inv->Multiplicar(a), De({{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}));
}

TEST(TMatriz, InverseOfSingularOrNonSquareMatricesIsNull) {
    EXPECT_FALSE(De({{1, 2}, {2, 4}}).Inversa().has_value());
    EXPECT_FALSE(De({{0, 1, 2}, {0, 3, 4}, {0, 5, 7}}).Inversa().has_value());
    EXPECT_FALSE(TMatriz(3, 3).Inversa().has_value());
    EXPECT_FALSE(De({{1, 2, 3}, {4, 5, 6}}).Inversa().has_value());
    EXPECT_FALSE(De({{NAN, NAN}, {NAN, NAN}}).Inversa().has_value());
}

TEST(TMatriz, CholeskyFactor) {
    const TMatriz l = De({{4, 2}, {2, 3}}).Cholesky();
    EXPECT_EQ(l, De({{2, 0}, {1, std::sqrt(2.0)}}));

    // Only the lower triangle is read.
    const TMatriz a = De({{25, 99, 99}, {15, 18, 99}, {-5, 0, 11}});
    const TMatriz l3 = a.Cholesky();
    EXPECT_EQ(l3, De({{5, 0, 0}, {3, 3, 0}, {-1, 1, 3}}));
    const TMatriz sim = De({{25, 15, -5}, {15, 18, 0}, {-5, 0, 11}});
    ExpectPerto(*l3.Multiplicar(l3.Transposta()), sim);
}

TEST(TMatriz, DeterminantEliminatesInPlace) {
    TMatriz a = De({{2, 1}, {4, 5}});
    EXPECT_EQ(a.Determinante(), 6.0);
    EXPECT_EQ(a, De({{2, 1}, {0, 3}}));

    TMatriz b = De({{25, 15, -5}, {15, 18, 0}, {-5, 0, 11}});
    EXPECT_NEAR(b.Determinante(), 25.0 * 9.0 * 9.0, 1e-9);
    TMatriz vazia(0, 0);
    EXPECT_EQ(vazia.Determinante(), 1.0);
}

TEST(TMatriz, SubMatrixAndResizing) {
    const TMatriz a = De({{1, 2, 3}, {4, 5, 6}, {7, 8, 9}});
    EXPECT_EQ(a.SubMatriz(2, 2), De({{1, 2}, {4, 5}}));
    EXPECT_EQ(a.SubMatriz(5, 5), a);
    EXPECT_EQ(a.SubMatriz(1, 3), De({{1, 2, 3}}));

    TMatriz b = a;
    b.Dimensionar(3, 1);
    EXPECT_EQ(b, De({{1}, {4}, {7}}));
    b.Dimensionar(3, 3);
    EXPECT_EQ(b, De({{1, 0, 0}, {4, 0, 0}, {7, 0, 0}}));
    EXPECT_EQ(b.Zeros(), TMatriz(3, 3));
}

}  // namespace
}  // namespace ventaro
