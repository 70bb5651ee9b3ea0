#include <gtest/gtest.h>

#include <cmath>

#include "erosividade_referencia.h"
#include "generator/erosividade.h"
#include "generator/perfil_tempestade.h"
#include "generator/tcalcular_serie_sintetica.h"
#include "support/dados_exemplo.h"

namespace ventaro {
namespace {

Tempestade Montar(double P, double D, double tp, double ip) {
    Tempestade s;
    s.P = P;
    s.D = D;
    s.tp = tp;
    s.ip = ip;
    s.perfil = CalcularPerfil(P, D, tp, ip);
    return s;
}

// |a - b| within 1e-12 of the larger magnitude (or both NaN: the special values of extreme
// profiles propagate alike).
::testing::AssertionResult Perto(double a, double b) {
    if (std::isnan(a) && std::isnan(b)) return ::testing::AssertionSuccess();
    const double escala = std::fmax(std::fabs(a), std::fabs(b));
    if (std::fabs(a - b) <= 1e-12 * escala) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << a << " vs " << b << " (relative " << std::fabs(a - b) / escala << ")";
}

TEST(CalcularPerfil, BisectionExample) {
    // tp = 0.5 and ip* = ip D / P = 2.
    const PerfilTempestade p = CalcularPerfil(12.0, 4.0, 0.5, 6.0);
    EXPECT_NEAR(p.ParamB, 3.18725, 1e-5);
    EXPECT_EQ(p.ParamB, p.ParamD);
    EXPECT_NEAR(p.ParamA, 0.40637, 1e-5);
    EXPECT_NEAR(p.ParamC, 9.84313, 1e-5);
    EXPECT_NEAR(p.ParamA * std::exp(p.ParamB * 0.5), 2.0, 1e-4);
    EXPECT_NEAR(p.ParamC * std::exp(-p.ParamD * 0.5), 2.0, 1e-4);
    const double area = p.ParamA / p.ParamB * (std::exp(p.ParamB * 0.5) - 1.0) +
                        p.ParamC / p.ParamD * (std::exp(-p.ParamD * 0.5) - std::exp(-p.ParamD));
    EXPECT_NEAR(area, 1.0, 1e-6);
}

TEST(CalcularPerfil, OverflowingFallingLimbGivesCap) {
    // A steep storm: b tp / (1 - tp) * tp beyond the exponential's range.
    const PerfilTempestade p = CalcularPerfil(0.2, 24.0, 0.99, 999.0);
    EXPECT_EQ(p.ParamC, 1e12);
}

TEST(CalcularEnergia, StaysWithinOnePartInATrillionOfThePointByPointRule) {
    // The storms of a generated run, wet days of every size and shape.
    ConfiguracaoSerie config;
    config.NumAnos = 3;
    config.Variaveis.SimularPrec = true;
    const TClima clima = TCalcularSerieSintetica()
                             .Calcular(teste::DadosExemplo(), config, ModoCalculo::Erosividade)
                             .Clima;
    int erosivas = 0;
    for (int64_t d = 1; d <= clima.NumDias; ++d) {
        if (!(clima.Prec[d] > 0)) continue;
        Tempestade s;
        s.P = clima.Prec[d];
        s.D = clima.Dur[d];
        s.tp = clima.Ti[d];
        s.ip = clima.Ii[d];
        s.perfil = {clima.ParamA[d], clima.ParamB[d], clima.ParamC[d], clima.ParamD[d]};
        const EnergiaTempestade ref = teste::CalcularEnergiaReferencia(s);
        if (s.P < 10) {
            ASSERT_TRUE(Perto(LaminaMaxima15(s), teste::LaminaMaxima15Referencia(s))) << d;
        }
        ASSERT_TRUE(Perto(clima.KEf[d], ref.KEf)) << d;
        ASSERT_TRUE(Perto(clima.KEwm[d], ref.KEwm)) << d;
        ASSERT_TRUE(Perto(clima.KE25f[d], ref.KE25f)) << d;
        ASSERT_TRUE(Perto(clima.KE25wm[d], ref.KE25wm)) << d;
        ASSERT_TRUE(Perto(clima.EI30f[d], ref.EI30f)) << d;
        ASSERT_TRUE(Perto(clima.EI30wm[d], ref.EI30wm)) << d;
        if (ref.KEf != 0) ++erosivas;
    }
    EXPECT_GT(erosivas, 50);
}

TEST(CalcularEnergia, StaysCloseOnExtremeProfiles) {
    for (double tp : {0.001, 0.02, 0.5, 0.97, 0.99}) {
        for (double ip : {0.5, 3.0, 40.0, 400.0}) {
            for (double D : {0.2, 1.3, 7.9, 24.0}) {
                const Tempestade s = Montar(12.0, D, tp, ip);
                const EnergiaTempestade r = CalcularEnergia(s);
                const EnergiaTempestade ref = teste::CalcularEnergiaReferencia(s);
                ASSERT_TRUE(Perto(r.KEf, ref.KEf)) << tp << " " << ip << " " << D;
                ASSERT_TRUE(Perto(r.KEwm, ref.KEwm)) << tp << " " << ip << " " << D;
                ASSERT_TRUE(Perto(r.KE25f, ref.KE25f)) << tp << " " << ip << " " << D;
                ASSERT_TRUE(Perto(r.EI30f, ref.EI30f)) << tp << " " << ip << " " << D;
            }
        }
    }
}

TEST(CalcularEnergia, ErosiveOnlyAboveTenMillimetresOrSixInFifteenMinutes) {
    // 10 mm exactly is not erosive, whatever the profile.
    const EnergiaTempestade dez = CalcularEnergia(Montar(10.0, 0.25, 0.3, 80.0));
    EXPECT_EQ(dez.KEf, 0.0);
    EXPECT_EQ(dez.EI30wm, 0.0);
    EXPECT_GT(CalcularEnergia(Montar(10.5, 12.0, 0.3, 2.0)).KEf, 0.0);
    // 9 mm in a quarter of an hour: nearly all of it falls in 15 minutes.
    const Tempestade curta = Montar(9.0, 0.25, 0.3, 80.0);
    EXPECT_GE(LaminaMaxima15(curta), 6.0);
    EXPECT_GT(CalcularEnergia(curta).KEf, 0.0);
    // 9 mm spread over ten hours is not.
    const Tempestade longa = Montar(9.0, 10.0, 0.3, 2.0);
    EXPECT_LT(LaminaMaxima15(longa), 6.0);
    const EnergiaTempestade e = CalcularEnergia(longa);
    EXPECT_EQ(e.KEf, 0.0);
    EXPECT_EQ(e.KE25f, 0.0);
    EXPECT_EQ(e.EI30f, 0.0);
}

TEST(CalcularEnergia, StormShorterThanHalfAnHourHasI30OfTwiceItsDepth) {
    double D = 25.0 / 60.0;
    while (MinutosTempestade(D) < 25) D = std::nextafter(D, 1.0);
    ASSERT_EQ(MinutosTempestade(D), 25);
    const Tempestade s = Montar(15.0, D, 0.4, 70.0);
    const EnergiaTempestade e = CalcularEnergia(s);
    ASSERT_GT(e.KEf, 0.0);
    // Each minute has a slot of its own: I30 = 2 x the sum of the minute depths, about 2 P.
    EXPECT_NEAR(e.EI30f / e.KEf, 2.0 * 15.0, 0.3);
    EXPECT_NEAR(e.EI30wm / e.KEwm, e.EI30f / e.KEf, 1e-12);
}

TEST(CalcularEnergia, IntenseMinutesCountTowardsKE25) {
    // A short, intense storm: most minutes at 25 mm/h or more.
    const EnergiaTempestade forte = CalcularEnergia(Montar(30.0, 0.5, 0.4, 150.0));
    EXPECT_GT(forte.KE25f, 0.0);
    EXPECT_LE(forte.KE25f, forte.KEf);
    // A long gentle one: none.
    const EnergiaTempestade fraca = CalcularEnergia(Montar(12.0, 20.0, 0.4, 1.0));
    EXPECT_GT(fraca.KEf, 0.0);
    EXPECT_EQ(fraca.KE25f, 0.0);
    EXPECT_EQ(fraca.KE25wm, 0.0);
}

}  // namespace
}  // namespace ventaro
