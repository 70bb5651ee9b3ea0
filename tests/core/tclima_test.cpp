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

// A store of some groups: the others are empty, read as 0 through Valor, and LimparDia clears
// only what it holds.
TEST(TClima, PartialStoreHoldsItsGroupsAndReadsZeroForTheOthers) {
    ArraysSerie grupos;
    grupos.Perfis = false;
    grupos.Energias = false;
    grupos.Vento = false;
    TClima clima = TClima::ParaPeriodo(2001, 1, grupos);
    for (const TClima::Array a : {&TClima::Prec, &TClima::Ti, &TClima::Dur, &TClima::Ii,
                                  &TClima::TMax, &TClima::TMin, &TClima::Rad, &TClima::Umid}) {
        EXPECT_TRUE(clima.Possui(a));
        EXPECT_EQ((clima.*a).size(), 366u);
    }
    for (const TClima::Array a :
         {&TClima::ParamA, &TClima::ParamD, &TClima::KEf, &TClima::EI30wm, &TClima::VVento}) {
        EXPECT_FALSE(clima.Possui(a));
        EXPECT_TRUE((clima.*a).empty());
        EXPECT_EQ(clima.Valor(a, 200), 0.0);
    }
    clima.Prec[200] = 3.0;
    clima.Dur[200] = 2.0;
    clima.TMax[200] = 25.0;
    EXPECT_EQ(clima.Valor(&TClima::Prec, 200), 3.0);
    clima.LimparDia(200);
    EXPECT_EQ(clima.Prec[200], 0.0);
    EXPECT_EQ(clima.Dur[200], 0.0);
    EXPECT_EQ(clima.TMax[200], 25.0);
    // A long store whose arrays span several large pages is still all zeros.
    const TClima longa = TClima::ParaPeriodo(1, 100, grupos);
    for (const double v : longa.Umid) ASSERT_EQ(v, 0.0);
    // Groups added later come zero-filled; the arrays already held keep their values.
    clima.Acrescentar(ArraysSerie{});
    for (const TClima::Array a : {&TClima::ParamA, &TClima::EI30wm, &TClima::VVento}) {
        ASSERT_EQ((clima.*a).size(), 366u);
        for (const double v : clima.*a) ASSERT_EQ(v, 0.0);
    }
    EXPECT_EQ(clima.TMax[200], 25.0);
}

}  // namespace
}  // namespace ventaro
