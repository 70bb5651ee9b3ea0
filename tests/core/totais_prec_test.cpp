#include "core/totais_prec.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/calendario.h"

namespace ventaro {
namespace {

// A daily record of the years `primeiro` to `ultimo` whose month m of year y rains `chuva(y, m)` mm
// on its first day and nothing else.
template <typename Chuva>
std::vector<double> Registro(int64_t primeiro, int64_t ultimo, Chuva chuva) {
    std::vector<double> diarios;
    for (int64_t ano = primeiro; ano <= ultimo; ++ano) {
        for (int mes = 1; mes <= 12; ++mes) {
            for (int dia = 1; dia <= DiasNoMes(ano, mes); ++dia) {
                diarios.push_back(dia == 1 ? chuva(ano, mes) : 0.0);
            }
        }
    }
    return diarios;
}

// Three years whose totals are known: month m of year y holds 10 m + 5 (y - 2000)^2 in January
// and 10 m + 3 (y - 2000) elsewhere. Statistics by the textbook formulas, a dry year skipped, the
// same walk for a generated store, and the annual deviation from the monthly covariances.
TEST(TotaisPrec, MonthlyAndAnnualStatisticsOfTheYearsTotals) {
    const auto chuva = [](int64_t ano, int mes) {
        const double k = static_cast<double>(ano - 2000);
        return 10.0 * mes + (mes == 1 ? 5.0 * k * k : 3.0 * k);
    };
    std::vector<double> diarios = Registro(2000, 2002, chuva);
    // The same years with a dry 2001 between the first two: it is left out, days and all (the
    // record holds only the included years' days).

    TDados observado;
    CalcularTotaisPrec(observado, std::vector<double>{1.0, 1.0, 1.0}, 2000, 2002, diarios);
    ASSERT_TRUE(observado.TemTotaisPrec);
    // January: 10, 15, 30 -> mean 55/3, sample variance (sum of squares about the mean) / 2.
    const double xj = 55.0 / 3.0;
    const double vj = ((10 - xj) * (10 - xj) + (15 - xj) * (15 - xj) + (30 - xj) * (30 - xj)) / 2;
    EXPECT_NEAR(observado.XTotal[1], xj, 1e-12);
    EXPECT_NEAR(observado.STotal[1], std::sqrt(vj), 1e-12);
    // March: 30, 33, 36.
    EXPECT_NEAR(observado.XTotal[3], 33.0, 1e-12);
    EXPECT_NEAR(observado.STotal[3], 3.0, 1e-12);
    // The annual totals computed directly.
    std::vector<double> anuais;
    for (int64_t ano = 2000; ano <= 2002; ++ano) {
        double a = 0.0;
        for (int mes = 1; mes <= 12; ++mes) a += chuva(ano, mes);
        anuais.push_back(a);
    }
    const double xa = (anuais[0] + anuais[1] + anuais[2]) / 3.0;
    double va = 0.0;
    for (double a : anuais) va += (a - xa) * (a - xa);
    EXPECT_NEAR(XTotalAnual(observado), xa, 1e-9);
    EXPECT_NEAR(STotalAnual(observado), std::sqrt(va / 2.0), 1e-9);

    TDados com_ano_seco;
    CalcularTotaisPrec(com_ano_seco, std::vector<double>{1.0, 0.0, 1.0, 1.0}, 2000, 2003, diarios);
    EXPECT_EQ(com_ano_seco.XTotal, observado.XTotal);
    EXPECT_EQ(com_ano_seco.STotal, observado.STotal);

    TClima clima = TClima::ParaPeriodo(2000, 3);
    for (std::size_t d = 1; d < clima.Prec.size(); ++d) clima.Prec[d] = diarios[d - 1];
    TDados gerado;
    CalcularTotaisSerie(gerado, clima, 3, 2000);
    EXPECT_EQ(gerado.XTotal, observado.XTotal);
    EXPECT_EQ(gerado.CovTotalAnual, observado.CovTotalAnual);

    // One year has no spread to measure.
    TDados um;
    CalcularTotaisSerie(um, TClima::ParaPeriodo(2000, 1), 1, 2000);
    EXPECT_FALSE(um.TemTotaisPrec);
    EXPECT_EQ(um.STotal[5], 0.0);
}

}  // namespace
}  // namespace ventaro
