#include "core/tdados.h"

#include <gtest/gtest.h>

#include <string>

namespace ventaro {
namespace {

std::size_t ContarCaracteres(const std::string& s) {
    std::size_t n = 0;
    for (unsigned char c : s) n += (c & 0xC0) != 0x80;
    return n;
}

TEST(TDados, FreshContainerHoldsZerosAndZeroMatrices) {
    const TDados dados;
    EXPECT_TRUE(dados.Nome().empty());
    EXPECT_TRUE(dados.NomeClima().empty());
    EXPECT_EQ(dados.CodEstacao, 0);
    EXPECT_EQ(dados.Regiao, 0);
    EXPECT_EQ(dados.Latitude, 0.0);
    EXPECT_EQ(dados.CodEstacaoClima, 0);
    EXPECT_EQ(dados.XResJanRad, 0.0);
    const TMatriz zero(3, 3);
    for (int mes = 1; mes <= 12; ++mes) {
        EXPECT_EQ(dados.DUmidos[mes], 0);
        EXPECT_EQ(dados.DSecosClima[mes], 0);
        for (const auto* campo : {&dados.XPrec, &dados.SPrec, &dados.PCC, &dados.XTMaxSe,
                                  &dados.SUmidCh, &dados.SkewVVentoCh, &dados.XTi, &dados.SDur}) {
            EXPECT_EQ((*campo)[mes], 0.0);
        }
        for (int k = 0; k < kNumClasses; ++k) {
            EXPECT_EQ(dados.AlfaDur[mes][static_cast<std::size_t>(k)], 0.0);
            EXPECT_EQ(dados.BetaTi[mes][static_cast<std::size_t>(k)], 0.0);
        }
        EXPECT_EQ(dados.MatrizA[mes], zero) << mes;
        EXPECT_EQ(dados.MatrizB[mes], zero) << mes;
    }
}

TEST(TDados, MonthlyAndRegionalFieldsAreIndependentCells) {
    TDados dados;
    dados.XPrec[3] = 7.5;
    EXPECT_EQ(dados.XPrec[2], 0.0);
    EXPECT_EQ(dados.XPrec[4], 0.0);
    dados.AlfaDur[5][11] = 2.0;
    EXPECT_EQ(dados.AlfaDur[5][10], 0.0);
    EXPECT_EQ(dados.AlfaDur[6][0], 0.0);
    dados.XPrec[12] = 1.0;
    EXPECT_EQ(dados.XPrec[1], 0.0);
}

TEST(TDados, NamesKeepTheirFirst31Characters) {
    TDados dados;
    const std::string quarenta = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcd";
    ASSERT_EQ(quarenta.size(), 40u);
    dados.SetNome(quarenta);
    EXPECT_EQ(dados.Nome(), quarenta.substr(0, 31));

    // Accented letters count as one character each and are never split.
    const std::string acentuado = "São João do Triunfo — Paraná, Brasil ção";
    ASSERT_EQ(ContarCaracteres(acentuado), 40u);
    dados.SetNomeClima(acentuado);
    EXPECT_EQ(ContarCaracteres(dados.NomeClima()), 31u);
    EXPECT_EQ(dados.NomeClima(), "São João do Triunfo — Paraná, B");
    EXPECT_EQ(dados.Nome(), quarenta.substr(0, 31));

    dados.SetNome("Curto");
    EXPECT_EQ(dados.Nome(), "Curto");
    EXPECT_EQ(CortarNome(std::string(31, 'x')), std::string(31, 'x'));
    EXPECT_EQ(CortarNome(""), "");
}

TEST(ClasseLamina, BoundsAreInclusiveBelow) {
    EXPECT_EQ(ClasseLamina(0.0), 0);
    EXPECT_EQ(ClasseLamina(4.99), 0);
    EXPECT_EQ(ClasseLamina(5.0), 1);
    EXPECT_EQ(ClasseLamina(19.99), 3);
    EXPECT_EQ(ClasseLamina(20.0), 4);
    EXPECT_EQ(ClasseLamina(89.99), 10);
    EXPECT_EQ(ClasseLamina(90.0), 11);
    EXPECT_EQ(ClasseLamina(250.0), 11);
}

}  // namespace
}  // namespace ventaro
