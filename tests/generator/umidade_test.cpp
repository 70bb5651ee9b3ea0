#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <string>
#include <vector>

#include "generator/contexto_passo.h"
#include "generator/passo_umidade.h"
#include "support/dados_exemplo.h"

namespace ventaro {
namespace {

struct Execucao {
    TClima clima;
    std::vector<std::string> avisos;
    uint32_t estado_final = 0;
};

// The humidity pass alone over a store whose wet days are every third day.
Execucao SimularSo(const TDados& dados, uint32_t anos = 2) {
    Execucao r;
    r.clima = TClima::ParaPeriodo(2003, anos);
    for (int64_t d = 3; d <= r.clima.NumDias; d += 3) r.clima.Prec[d] = 5.0;
    FluxoAleatorio fluxo;
    const SinalCancelamento cancelamento;
    ContextoPasso ctx{r.clima, dados, fluxo, cancelamento};
    ColetorAvisos avisos(r.avisos);
    EXPECT_TRUE(SimularUmidade(ctx, avisos));
    r.estado_final = fluxo.Estado();
    return r;
}

uint32_t EstadoDepois(int64_t sorteios) {
    FluxoAleatorio fluxo;
    for (int64_t i = 0; i < sorteios; ++i) fluxo.Uniform();
    return fluxo.Estado();
}

TEST(SimularUmidade, ValidLawsGiveFractionsWithoutWarnings) {
    const Execucao r = SimularSo(teste::DadosExemplo());
    EXPECT_TRUE(r.avisos.empty());
    for (int64_t d = 1; d <= r.clima.NumDias; ++d) {
        ASSERT_GT(r.clima.Umid[d], 0.0);
        ASSERT_LE(r.clima.Umid[d], 1.0 + 1e-9);
    }
    EXPECT_EQ(r.estado_final, EstadoDepois(r.clima.NumDias));
}

TEST(SimularUmidade, StateWithoutRecordUsesTheOtherStatesLawOnceWarned) {
    TDados dados = teste::DadosExemplo();
    dados.DUmidosClima[7] = 0;  // no wet July day in the climatological record
    const Execucao r = SimularSo(dados);
    ASSERT_EQ(r.avisos.size(), 1u);
    EXPECT_NE(r.avisos[0].find("mês 7"), std::string::npos) << r.avisos[0];
    EXPECT_NE(r.avisos[0].find("dias chuvosos"), std::string::npos) << r.avisos[0];
    EXPECT_NE(r.avisos[0].find("dias secos"), std::string::npos) << r.avisos[0];
    for (int64_t d = 1; d <= r.clima.NumDias; ++d) ASSERT_GT(r.clima.Umid[d], 0.0);
    EXPECT_EQ(r.estado_final, EstadoDepois(r.clima.NumDias));
}

TEST(SimularUmidade, NoValidLawGivesTheMonthsMeanAndStillDraws) {
    TDados dados = teste::DadosExemplo();
    dados.SUmidSe[7] = 0.0;  // no spread: the moments divide by zero
    dados.DUmidosClima[7] = 0;
    const Execucao r = SimularSo(dados);
    ASSERT_EQ(r.avisos.size(), 2u);
    const double media = dados.XUmidSe[7] * static_cast<double>(dados.DSecosClima[7]) /
                         static_cast<double>(dados.DSecosClima[7]);
    for (int64_t d = 1; d <= r.clima.NumDias; ++d) {
        if (r.clima.MesDoDia(d) == 7) {
            ASSERT_EQ(r.clima.Umid[d], media) << d;
        }
    }
    EXPECT_EQ(r.estado_final, EstadoDepois(r.clima.NumDias));

    // Without any record at all each state keeps its own mean.
    dados.DSecosClima[7] = 0;
    const Execucao s = SimularSo(dados);
    for (int64_t d = 1; d <= s.clima.NumDias; ++d) {
        if (s.clima.MesDoDia(d) == 7) {
            ASSERT_EQ(s.clima.Umid[d], s.clima.Prec[d] != 0 ? dados.XUmidCh[7] : dados.XUmidSe[7]);
        }
    }
}

// A law whose shapes overflow the gamma functions (October's dry days, a ~ 230) is drawn from;
// one too narrow for the step (July's wet days) falls back, and the warning says why.
TEST(SimularUmidade, LargeShapesAreDrawnFromAndTooNarrowLawsNamedSo) {
    TDados dados = teste::DadosExemplo();
    dados.XUmidSe[10] = 0.757;
    dados.SUmidSe[10] = 0.0246;
    dados.SUmidCh[7] = 1e-7;
    const Execucao r = SimularSo(dados, 100);
    ASSERT_EQ(r.avisos.size(), 1u);
    EXPECT_NE(r.avisos[0].find("mês 7, dias chuvosos"), std::string::npos) << r.avisos[0];
    EXPECT_NE(r.avisos[0].find("estreito demais para o passo"), std::string::npos) << r.avisos[0];
    double soma = 0.0, soma2 = 0.0;
    int64_t n = 0;
    for (int64_t d = 1; d <= r.clima.NumDias; ++d) {
        if (r.clima.MesDoDia(d) != 10 || r.clima.Prec[d] != 0) continue;
        soma += r.clima.Umid[d];
        soma2 += r.clima.Umid[d] * r.clima.Umid[d];
        ++n;
    }
    const double media = soma / static_cast<double>(n);
    EXPECT_NEAR(media, 0.757 + 0.0005, 0.0015);  // a draw is the right end of its step
    EXPECT_NEAR(std::sqrt(soma2 / static_cast<double>(n) - media * media), 0.0246, 0.002);
}

}  // namespace
}  // namespace ventaro
