#include "core/calendario.h"

#include <gtest/gtest.h>

namespace ventaro {
namespace {

TEST(Calendario, LeapYearsFollowTheGregorianRule) {
    EXPECT_FALSE(EhBissexto(1900));
    EXPECT_TRUE(EhBissexto(2000));
    EXPECT_TRUE(EhBissexto(2004));
    EXPECT_FALSE(EhBissexto(2001));
    EXPECT_TRUE(EhBissexto(4));
    EXPECT_EQ(DiasNoMes(1900, 2), 28);
    EXPECT_EQ(DiasNoMes(2000, 2), 29);
    EXPECT_EQ(DiasNoAno(2004), 366);
}

TEST(Calendario, CountsTheDaysOfAPeriod) {
    EXPECT_EQ(DiasNoPeriodo(1989, 10), 3652);
    EXPECT_EQ(DiasNoPeriodo(4, 2), 366 + 365);
    EXPECT_EQ(DiasNoPeriodo(2000, 0), 0);
    EXPECT_EQ(DiasNoPeriodo(2000, -401), 0);
    EXPECT_EQ(MesesDoPeriodo(2000, -1).size(), 1u);
    // Periods longer than a 400-year cycle, starting anywhere, equal the year-by-year sum.
    for (int64_t a_partir : {1, 4, 1601, 1899, 1950}) {
        int64_t soma = 0;
        for (int64_t ano = a_partir; ano < a_partir + 1003; ++ano) soma += DiasNoAno(ano);
        EXPECT_EQ(DiasNoPeriodo(a_partir, 1003), soma) << a_partir;
    }
}

TEST(Calendario, MonthsOfATwoYearWalkFromYear4) {
    const auto meses = MesesDoPeriodo(4, 2);
    ASSERT_EQ(meses.size(), 366u + 365u + 1u);
    EXPECT_EQ(meses[0], 0);
    EXPECT_EQ(meses[1], 1);
    EXPECT_EQ(meses[31], 1);
    EXPECT_EQ(meses[32], 2);
    EXPECT_EQ(meses[60], 2);  // 29 February of year 4
    EXPECT_EQ(meses[61], 3);
    EXPECT_EQ(meses[366], 12);
    EXPECT_EQ(meses[367], 1);
    EXPECT_EQ(meses[366 + 59], 2);  // 28 February of year 5
    EXPECT_EQ(meses[366 + 60], 3);  // year 5 has no 29 February
}

TEST(Calendario, DataDoDiaAgreesWithTheWalk) {
    EXPECT_EQ(DataDoDia(2000, 60), (Data{2000, 2, 29}));
    EXPECT_EQ(DataDoDia(1989, 3652), (Data{1998, 12, 31}));
    EXPECT_EQ(DataDoDia(1, 2 * 146097 + 1), (Data{801, 1, 1}));
    EXPECT_EQ(DataDoDia(1899, 2 * 146097), (Data{2698, 12, 31}));

    // Across 1900 (not leap) and 2000 (leap), every day follows the one before it.
    const int64_t a_partir = 1896;
    const int64_t anos = 110;
    const auto meses = MesesDoPeriodo(a_partir, anos);
    Data anterior{a_partir - 1, 12, 31};
    for (int64_t d = 1; d <= DiasNoPeriodo(a_partir, anos); ++d) {
        const Data data = DataDoDia(a_partir, d);
        ASSERT_EQ(data.mes, meses[static_cast<std::size_t>(d)]) << d;
        if (data.dia == 1) {
            ASSERT_EQ(anterior.dia, DiasNoMes(anterior.ano, anterior.mes)) << d;
            ASSERT_EQ(data.mes, anterior.mes == 12 ? 1 : anterior.mes + 1) << d;
        } else {
            ASSERT_EQ(data.dia, anterior.dia + 1) << d;
            ASSERT_EQ(data.mes, anterior.mes) << d;
        }
        anterior = data;
    }
    EXPECT_EQ(anterior, (Data{a_partir + anos - 1, 12, 31}));
}

TEST(Calendario, YearsDoneWhileARunProgresses) {
    EXPECT_EQ(AnosCalculados(1), 0);
    EXPECT_EQ(AnosCalculados(2), 1);
    EXPECT_EQ(AnosCalculados(366), 1);
    EXPECT_EQ(AnosCalculados(367), 2);
}

}  // namespace
}  // namespace ventaro
