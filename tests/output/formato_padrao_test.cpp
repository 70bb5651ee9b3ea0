#include "output/formato_padrao.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace ventaro {
namespace {

TEST(FormatarPadrao, PadsRoundsAndKeepsTheSign) {
    struct Caso {
        double v;
        const char* padrao;
        const char* esperado;
    };
    const double inf = std::numeric_limits<double>::infinity();
    const Caso casos[] = {
        {1234.5, "00000.00", "01234,50"},
        {-20.5, "00.00", "-20,50"},
        {1200, "000.0", "1200,0"},
        {-4.8297, "00.00", "-04,83"},
        {2345024, "00000000", "02345024"},
        {123456789, "00000000", "123456789"},
        {0, "00000.00", "00000,00"},
        {-0.0, "00.00", "00,00"},
        {-0.001, "00.00", "00,00"},
        {0.005, "0.00", "0,01"},
        {0.0049, "0.00", "0,00"},
        {0.0005, "0.00", "0,00"},
        {9.995, "0.00", "10,00"},
        {99999.999, "00000.00", "100000,00"},
        // Half away from zero at the 15th digit, not on the binary value: 1.005 is stored
        // as 1.00499999999999989..., and 0.125 exactly.
        {1.005, "0.00", "1,01"},
        {0.125, "0.00", "0,13"},
        {-0.125, "0.00", "-0,13"},
        {850, "000.0", "850,0"},
        {1e20, "0.0", "100000000000000000000,0"},
        {std::nan(""), "00.00", "NAN"},
        {-inf, "00.00", "-INF"},
    };
    for (const Caso& c : casos) {
        EXPECT_EQ(FormatarPadrao(c.v, c.padrao, ','), c.esperado) << c.v << " " << c.padrao;
    }
    EXPECT_EQ(FormatarPadrao(-20.5, "00.00", '.'), "-20.50");
}

}  // namespace
}  // namespace ventaro
