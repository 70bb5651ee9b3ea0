#include "core/tclima.h"

#include <gtest/gtest.h>

namespace ventaro {
namespace {

std::vector<std::vector<double>*> TodosOsArrays(TClima& c) {
    return {&c.Prec,   &c.Dur,  &c.Ti,   &c.Ii,     &c.ParamA, &c.ParamB, &c.ParamC,
            &c.ParamD, &c.KEf,  &c.KEwm, &c.KE25f,  &c.KE25wm, &c.EI30f,  &c.EI30wm,
            &c.TMax,   &c.TMin, &c.Rad,  &c.VVento, &c.Umid};
}

TEST(TClima, FreshStoreHoldsZerosFromDay0ToTheLastDay) {
    TClima clima(10);
    EXPECT_EQ(clima.NumDias, 10);
    for (auto* v : TodosOsArrays(clima)) {
        ASSERT_EQ(v->size(), 11u);
        for (double x : *v) EXPECT_EQ(x, 0.0);
    }
}

TEST(TClima, PeriodStartingInALeapYear) {
    TClima clima = TClima::ParaPeriodo(2000, 1);
    EXPECT_EQ(clima.NumDias, 366);
    EXPECT_EQ(clima.DataInicial, (Data{2000, 1, 1}));
    for (auto* v : TodosOsArrays(clima)) EXPECT_EQ(v->size(), 367u);
    ASSERT_EQ(clima.Mes.size(), 367u);
    EXPECT_EQ(clima.MesDoDia(0), 0);
    EXPECT_EQ(clima.MesDoDia(1), 1);
    EXPECT_EQ(clima.MesDoDia(60), 2);  // 29 February
    EXPECT_EQ(clima.MesDoDia(61), 3);
    EXPECT_EQ(clima.MesDoDia(366), 12);

    EXPECT_EQ(TClima::ParaPeriodo(1989, 10).NumDias, 3652);
    EXPECT_EQ(TClima::ParaPeriodo(2001, 0).NumDias, 0);
}

TEST(TClima, NegativeLengthsGiveAnEmptyStore) {
    const TClima a = TClima::ParaPeriodo(2001, -2);
    EXPECT_EQ(a.NumDias, 0);
    EXPECT_EQ(a.Prec.size(), 1u);
    EXPECT_EQ(a.Mes.size(), 1u);
    const TClima b(-5);
    EXPECT_EQ(b.NumDias, 0);
    EXPECT_EQ(b.Umid.size(), 1u);
}

TEST(TClima, LimparDiaClearsTheStormAndKeepsTheClimate) {
    TClima clima(3);
    auto arrays = TodosOsArrays(clima);
    for (std::size_t i = 0; i < arrays.size(); ++i) {
        for (std::size_t d = 0; d < 4; ++d) (*arrays[i])[d] = 1.0 + static_cast<double>(i);
    }
    clima.LimparDia(2);
    for (std::size_t i = 0; i < arrays.size(); ++i) {
        const double esperado_dia2 = i < 14 ? 0.0 : 1.0 + static_cast<double>(i);
        EXPECT_EQ((*arrays[i])[2], esperado_dia2) << "array " << i;
        EXPECT_EQ((*arrays[i])[1], 1.0 + static_cast<double>(i)) << "array " << i;
        EXPECT_EQ((*arrays[i])[3], 1.0 + static_cast<double>(i)) << "array " << i;
    }
}

}  // namespace
}  // namespace ventaro
