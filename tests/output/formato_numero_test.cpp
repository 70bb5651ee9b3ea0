#include "output/formato_numero.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>

namespace ventaro {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(FormatoGeral, WritesSpecialValues) {
    EXPECT_EQ(FormatoGeral(0.0, '.'), "0");
    EXPECT_EQ(FormatoGeral(-0.0, '.'), "0");
    EXPECT_EQ(FormatoGeral(kNaN, '.'), "NAN");
    EXPECT_EQ(FormatoGeral(-kNaN, '.'), "NAN");
    EXPECT_EQ(FormatoGeral(kInf, '.'), "INF");
    EXPECT_EQ(FormatoGeral(-kInf, '.'), "-INF");
}

TEST(FormatoGeral, UsesFixedNotationFromOneHundredThousandthUpToFifteenIntegerDigits) {
    EXPECT_EQ(FormatoGeral(2.5, '.'), "2.5");
    EXPECT_EQ(FormatoGeral(-12.34, '.'), "-12.34");
    EXPECT_EQ(FormatoGeral(100.0, '.'), "100");
    EXPECT_EQ(FormatoGeral(0.1, '.'), "0.1");
    EXPECT_EQ(FormatoGeral(1.0 / 3.0, '.'), "0.333333333333333");
    EXPECT_EQ(FormatoGeral(2.0 / 3.0, '.'), "0.666666666666667");
    EXPECT_EQ(FormatoGeral(0.1 + 0.2, '.'), "0.3");
    EXPECT_EQ(FormatoGeral(0.0000325, '.'), "0.0000325");
    EXPECT_EQ(FormatoGeral(0.00001, '.'), "0.00001");
    EXPECT_EQ(FormatoGeral(1e14, '.'), "100000000000000");
    EXPECT_EQ(FormatoGeral(999999999999999.0, '.'), "999999999999999");
    EXPECT_EQ(FormatoGeral(123456.7890123456, '.'), "123456.789012346");
    // Rounded to 15 digits the value reaches the next power of ten; the point moves with it.
    EXPECT_EQ(FormatoGeral(9.999999999999999e-5, '.'), "0.0001");
    EXPECT_EQ(FormatoGeral(99.99999999999999, '.'), "100");
}

TEST(FormatoGeral, UsesScientificNotationOutsideTheFixedRange) {
    EXPECT_EQ(FormatoGeral(1.5e-6, '.'), "1.5E-6");
    EXPECT_EQ(FormatoGeral(-1.5e-6, '.'), "-1.5E-6");
    EXPECT_EQ(FormatoGeral(1e15, '.'), "1E15");
    EXPECT_EQ(FormatoGeral(1e-300, '.'), "1E-300");
    EXPECT_EQ(FormatoGeral(1.2345678901234567e17, '.'), "1.23456789012346E17");
    // The fixed-notation test looks at the value before rounding: just below 0.00001 stays
    // scientific even though it rounds to 1E-5.
    EXPECT_EQ(FormatoGeral(std::nextafter(0.00001, 0.0), '.'), "1E-5");
    EXPECT_EQ(FormatoGeral(9.99999999999999e-6, '.'), "9.99999999999999E-6");
    // ...while the integer-digit test looks at the rounded exponent.
    EXPECT_EQ(FormatoGeral(999999999999999.5, '.'), "1E15");
    EXPECT_EQ(FormatoGeral(std::numeric_limits<double>::denorm_min(), '.'),
              "4.94065645841247E-324");
    EXPECT_EQ(FormatoGeral(std::numeric_limits<double>::max(), '.'), "1.79769313486232E308");
}

TEST(FormatoGeral, WritesTheGivenDecimalSeparator) {
    EXPECT_EQ(FormatoGeral(2.5, ','), "2,5");
    EXPECT_EQ(FormatoGeral(-0.0000325, ','), "-0,0000325");
    EXPECT_EQ(FormatoGeral(1.5e-6, ','), "1,5E-6");
    EXPECT_EQ(FormatoGeral(42.0, ','), "42");
    EXPECT_EQ(FormatoGeralReferencia(2.5, ','), "2,5");
}

TEST(FormatoGeral, AppendsToWhatIsAlreadyThere) {
    std::string s = "x=";
    AcrescentarFormatoGeral(s, 0.25, '.');
    AcrescentarFormatoGeral(s, -kInf, '.');
    EXPECT_EQ(s, "x=0.25-INF");
}

// The field cut plainly from the reference text: its first `largura` characters, or its whole
// integer part when the separator lies beyond them, padded with spaces.
std::string CampoReferencia(const std::string& geral, int largura, char sep) {
    std::string s = geral;
    const auto w = static_cast<std::size_t>(largura);
    if (s.size() > w) {
        const std::size_t p = s.find(sep);
        s = p != std::string::npos && p + 1 > w ? s.substr(0, p) : s.substr(0, w);
    }
    if (s.size() < w) s.resize(w, ' ');
    return s;
}

// Other widths a field may have, taken in turn beside the file's 4 and 5.
constexpr int kOutrasLarguras[] = {0, 1, 2, 3, 6, 8, 12, 17, 24};

// The fast writers must give the reference's text for every double: the general format, and
// every field cut from it. The values below aim at the places where a formatter goes wrong:
// rounding ties and carries, the two notation limits, subnormals and arbitrary bit patterns.
class ComparacaoComReferencia : public ::testing::Test {
  protected:
    void Verificar(double v) {
        for (char sep : {'.', ','}) {
            const std::string rapido = FormatoGeral(v, sep);
            const std::string referencia = FormatoGeralReferencia(v, sep);
            if (rapido != referencia) {
                ADD_FAILURE() << "valor " << std::hexfloat << v << ": " << rapido
                              << " != " << referencia;
                ++falhas_;
            }
            const int outra = kOutrasLarguras[proxima_++ % std::size(kOutrasLarguras)];
            for (const int largura : {4, 5, outra}) {
                const std::string campo = FormatarCampo(v, largura, sep);
                const std::string esperado = CampoReferencia(referencia, largura, sep);
                if (campo != esperado) {
                    ADD_FAILURE() << "valor " << std::hexfloat << v << ", largura " << largura
                                  << ": \"" << campo << "\" != \"" << esperado << "\"";
                    ++falhas_;
                }
            }
        }
        ASSERT_LT(falhas_, 10) << "too many mismatches";
    }
    void VerificarVizinhos(double v) {
        Verificar(v);
        Verificar(std::nextafter(v, 0.0));
        Verificar(std::nextafter(v, kInf));
        Verificar(-v);
    }
    std::mt19937_64 gerador_{20240601};
    int falhas_ = 0;
    std::size_t proxima_ = 0;
};

TEST_F(ComparacaoComReferencia, RandomBitPatterns) {
    for (int i = 0; i < 200000; ++i) Verificar(std::bit_cast<double>(gerador_()));
}

TEST_F(ComparacaoComReferencia, RandomValuesOfEveryMagnitude) {
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    std::uniform_int_distribution<int> expoente(-25, 25);
    for (int i = 0; i < 200000; ++i) {
        Verificar(mantissa(gerador_) * std::pow(10.0, expoente(gerador_)));
    }
    // Values of the magnitudes a series holds, with few digits, as sums and products leave
    // them.
    std::uniform_real_distribution<double> diario(-10.0, 120.0);
    for (int i = 0; i < 100000; ++i) {
        const double x = diario(gerador_);
        Verificar(x);
        Verificar(std::round(x * 10.0) / 10.0);
        Verificar(x / 100.0 * 100.0);
    }
}

TEST_F(ComparacaoComReferencia, NeighboursOfPowersOfTenAndNotationLimits) {
    for (int k = -30; k <= 30; ++k) {
        const double p = std::pow(10.0, k);
        VerificarVizinhos(p);
        VerificarVizinhos(p * 0.5);
        VerificarVizinhos(p * 9.99999999999999);
        VerificarVizinhos(p * 9.999999999999995);
    }
    for (double v : {0.00001, 9.99999999999999e-5, 9.999999999999995e-6, 999999999999999.5,
                     999999999999999.0, 999999999999999.4, 1e15, 0.5, 1.0, 9.5, 0.95}) {
        VerificarVizinhos(v);
    }
    for (double v = 0.000009; v < 0.000011; v += 1e-12) Verificar(v);
    for (int i = 1; i < 1000; ++i) {
        VerificarVizinhos(std::numeric_limits<double>::denorm_min() * i);
        VerificarVizinhos(std::numeric_limits<double>::min() * i);
        VerificarVizinhos(std::numeric_limits<double>::max() / i);
    }
}

TEST_F(ComparacaoComReferencia, ValuesHalfwayBetweenFifteenDigitDecimals) {
    // d.dddddddddddddd5 x 10^k: the sixteenth digit decides the rounding, and the double
    // nearest to it lies on either side of the tie.
    std::uniform_int_distribution<int64_t> mantissa(100000000000000, 999999999999999);
    std::uniform_int_distribution<int> expoente(-22, 20);
    for (int i = 0; i < 100000; ++i) {
        const double m = static_cast<double>(mantissa(gerador_)) + 0.5;
        VerificarVizinhos(m * std::pow(10.0, expoente(gerador_) - 14));
    }
    // Exact ties: N / 2^j with N * 5^j of sixteen digits is a double whose sixteenth digit is
    // a final 5, from the hundred-trillions down to the ten-millionths.
    for (int j = 1; j <= 22; ++j) {
        const double cinco_j = std::pow(5.0, j);
        const auto menor = static_cast<int64_t>(std::ceil(1e15 / cinco_j));
        const auto maior = static_cast<int64_t>(std::floor((1e16 - 1) / cinco_j));
        std::uniform_int_distribution<int64_t> impar(menor / 2, (maior - 1) / 2);
        for (int i = 0; i < 2000; ++i) {
            const int64_t n = 2 * impar(gerador_) + 1;
            VerificarVizinhos(std::ldexp(static_cast<double>(n), -j));
        }
    }
    // Ties that doubles hold exactly: integers and binary fractions with 16 digits.
    for (int64_t n = 1000000000000000; n < 1000000000000000 + 2000; ++n) {
        VerificarVizinhos(static_cast<double>(n) + 0.5);
        VerificarVizinhos(static_cast<double>(n) / 1024.0);
    }
}

TEST(FormatarCampo, WritesTheExamplesOfTheFileLayout) {
    EXPECT_EQ(FormatarCampo(0.0, 4, '.'), "0   ");
    EXPECT_EQ(FormatarCampo(2.5, 4, '.'), "2.5 ");
    EXPECT_EQ(FormatarCampo(12.3456, 4, '.'), "12.3");
    EXPECT_EQ(FormatarCampo(123.456, 4, '.'), "123.");
    EXPECT_EQ(FormatarCampo(1234.5, 4, '.'), "1234");
    EXPECT_EQ(FormatarCampo(12345.6, 4, '.'), "12345");
    EXPECT_EQ(FormatarCampo(0.0123456, 5, '.'), "0.012");
    EXPECT_EQ(FormatarCampo(0.001, 5, '.'), "0.001");
    EXPECT_EQ(FormatarCampo(0.99, 5, '.'), "0.99 ");
    EXPECT_EQ(FormatarCampo(0.856 * 100.0, 4, '.'), "85.6");
    EXPECT_EQ(FormatarCampo(1.0 * 100.0, 4, '.'), "100 ");
    EXPECT_EQ(FormatarCampo(12.3456, 4, ','), "12,3");
}

TEST(FormatarCampo, KeepsSignOfNegativeValues) {
    EXPECT_EQ(FormatarCampo(-1.5, 4, '.'), "-1.5");
    EXPECT_EQ(FormatarCampo(-3.2, 4, '.'), "-3.2");
    EXPECT_EQ(FormatarCampo(-12.34, 4, '.'), "-12.");
    EXPECT_EQ(FormatarCampo(-123.4, 4, '.'), "-123");
    EXPECT_EQ(FormatarCampo(-1234.5, 4, '.'), "-1234");
    EXPECT_EQ(FormatarCampo(-2.0, 4, '.'), "-2  ");
    EXPECT_EQ(FormatarCampo(-0.0, 4, '.'), "0   ");
    EXPECT_EQ(FormatarCampo(-0.25, 4, ','), "-0,2");
}

TEST(FormatarCampo, CutsInsteadOfRounding) {
    EXPECT_EQ(FormatarCampo(9.7000000000001, 4, '.'), "9.70");
    EXPECT_EQ(FormatarCampo(9.99, 4, '.'), "9.99");
    EXPECT_EQ(FormatarCampo(9.999, 4, '.'), "9.99");
    EXPECT_EQ(FormatarCampo(0.0999, 4, '.'), "0.09");
    // Fifteen-digit rounding happens first: this value is "10" in the general format.
    EXPECT_EQ(FormatarCampo(9.999999999999998, 4, '.'), "10  ");
}

TEST(FormatarCampo, CutsTextWithoutSeparatorToTheWidth) {
    // Only a separator beyond the field keeps the whole integer part; other text is cut to
    // the width, as the models reading the file have always seen it.
    EXPECT_EQ(FormatarCampo(12345.0, 4, '.'), "1234");
    EXPECT_EQ(FormatarCampo(-1234.0, 4, '.'), "-123");
    EXPECT_EQ(FormatarCampo(1234.0, 4, '.'), "1234");
    EXPECT_EQ(FormatarCampo(1.5e-6, 4, '.'), "1.5E");
    EXPECT_EQ(FormatarCampo(1.5e-6, 6, '.'), "1.5E-6");
    EXPECT_EQ(FormatarCampo(1e15, 4, '.'), "1E15");
    EXPECT_EQ(FormatarCampo(1.5e15, 4, '.'), "1.5E");
}

TEST(FormatarCampo, WritesSpecialValues) {
    EXPECT_EQ(FormatarCampo(kNaN, 4, '.'), "NAN ");
    EXPECT_EQ(FormatarCampo(kInf, 4, '.'), "INF ");
    EXPECT_EQ(FormatarCampo(-kInf, 4, '.'), "-INF");
}

TEST(FormatarCampo, AppendsInPlace) {
    std::string s = "|";
    AcrescentarCampo(s, 2.5, 4, '.');
    s += '|';
    AcrescentarCampo(s, 12345.6, 4, '.');
    s += '|';
    EXPECT_EQ(s, "|2.5 |12345|");
}

}  // namespace
}  // namespace ventaro
