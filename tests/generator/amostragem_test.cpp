#include <gtest/gtest.h>

#include <cmath>

#include "generator/amostragem.h"
#include "generator/fluxo_aleatorio.h"
#include "generator/passo_precipitacao.h"

namespace ventaro {
namespace {

TEST(FluxoAleatorio, StartsFromSeedFiveAndFollowsTheCongruence) {
    FluxoAleatorio fluxo;
    fluxo.Semear(5);
    EXPECT_EQ(fluxo.Uniform(), 673879066.0 / 4294967296.0);
    EXPECT_NEAR(673879066.0 / 4294967296.0, 0.1568997, 1e-7);
    uint32_t estado = 673879066u;
    for (int i = 0; i < 1000; ++i) {
        estado = estado * 134775813u + 1u;
        ASSERT_EQ(fluxo.Uniform(), static_cast<double>(estado) / 4294967296.0) << i;
    }
}

// A jump of k draws lands where k single draws do, from any state; 2^32 draws is the period.
TEST(FluxoAleatorio, JumpingAheadEqualsDrawingOneByOne) {
    for (uint32_t semente : {5u, 0u, 4294967295u, 2654435761u}) {
        FluxoAleatorio passo_a_passo(semente);
        uint64_t feitos = 0;
        for (uint64_t k : {0u, 1u, 2u, 3u, 7u, 64u, 1000u, 109575u, 365243u}) {
            while (feitos < k) {
                passo_a_passo.Uniform();
                ++feitos;
            }
            FluxoAleatorio salto(semente);
            salto.Avancar(k);
            ASSERT_EQ(salto.Estado(), passo_a_passo.Estado()) << semente << " " << k;
        }
        FluxoAleatorio volta(semente);
        volta.Avancar(uint64_t{1} << 32);
        EXPECT_EQ(volta.Estado(), semente);
        volta.Avancar((uint64_t{1} << 32) + 3);
        FluxoAleatorio tres(semente);
        tres.Avancar(3);
        EXPECT_EQ(volta.Estado(), tres.Estado());
    }
}

TEST(FluxoAleatorio, NormalAtOneHalfTakesTheUpperBranch) {
    // The state whose next uniform is exactly 0.5: 2^31 = s * 134775813 + 1 (mod 2^32).
    // 134775813 is odd, so it has an inverse modulo 2^32; find s by Newton's iteration.
    uint32_t inverso = 134775813u;
    for (int i = 0; i < 5; ++i) inverso *= 2u - 134775813u * inverso;
    FluxoAleatorio fluxo((2147483648u - 1u) * inverso);
    const double z = fluxo.Normal();
    EXPECT_GT(z, 0.0);
    EXPECT_NEAR(z, 0.0000034, 0.0000005);
}

TEST(Gama, MatchesThePolynomialAndTheRecursion) {
    EXPECT_EQ(Gama(1.0), 1.0);
    EXPECT_NEAR(Gama(2.0), 1.0, 1e-15);
    EXPECT_EQ(Gama(3.0), 2.0 * Gama(2.0));
    EXPECT_EQ(Gama(4.0), 3.0 * Gama(3.0));
    EXPECT_NEAR(Gama(1.5), 0.886271, 1e-6);
    // Built from the smallest factor up, as the recursion multiplies.
    EXPECT_EQ(Gama(5.5), 4.5 * (3.5 * (2.5 * (1.5 * Gama(1.5)))));
    EXPECT_TRUE(std::isinf(Gama(180.0)));
    EXPECT_TRUE(std::isinf(Gama(1e300)));
}

TEST(Skew, ZeroSkewnessGivesTheMeanAndATinyOneItsNormalLimit) {
    EXPECT_EQ(Skew(1.7, 12.5, 4.0, 0.0), 12.5);
    // A skewness that is a rounding residue of 0 gives X + S z, not the mean the cubic
    // cancels to; just above the threshold the cubic agrees with that limit.
    for (const double g : {4.6e-17, -4.6e-17, 3e-10, -9.9e-8}) {
        EXPECT_EQ(Skew(1.7, 12.5, 4.0, g), 12.5 + 4.0 * 1.7) << g;
        EXPECT_EQ(Skew(-0.3, 2.0, 1.5, g), 2.0 + 1.5 * -0.3) << g;
    }
    for (const double g : {1.1e-7, -1.1e-7}) {
        EXPECT_NEAR(Skew(1.7, 12.5, 4.0, g), 12.5 + 4.0 * 1.7 + 4.0 * g * (1.7 * 1.7 - 1) / 6,
                    1e-7);
    }
    // G = 2, z = 1: y = 1 + (1/3)(1 - 1/3) = 11/9; X + S (y^3 - 1).
    const double y = 1.0 + (2.0 / 6.0) * (1.0 - 2.0 / 6.0);
    EXPECT_EQ(Skew(1.0, 10.0, 3.0, 2.0), 10.0 + (2.0 * 3.0 / 2.0) * (y * y * y - 1.0));
}

TEST(TempoAtePico, IsClampedToItsRange) {
    // x = -beta ln(1 - u): choose u for the wanted x with beta = 1.
    EXPECT_EQ(TempoAtePico(1.0 - std::exp(-1.2), 1.0), 0.99);
    EXPECT_EQ(TempoAtePico(1.0 - std::exp(-0.0004), 1.0), 0.001);
    EXPECT_EQ(TempoAtePico(0.0, 0.3), 0.001);
    const double u = 0.5;
    EXPECT_EQ(TempoAtePico(u, 0.3), -0.3 * std::log(1.0 - u));
}

}  // namespace
}  // namespace ventaro
