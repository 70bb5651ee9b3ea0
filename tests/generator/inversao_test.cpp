#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "generator/amostragem.h"
#include "generator/fluxo_aleatorio.h"
#include "generator/inversao.h"
#include "generator/passo_tempestade.h"
#include "generator/passo_umidade.h"

namespace ventaro {
namespace {

bool MesmoDouble(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

DensidadeGama Gamma(double alfa, double beta) {
    return PrepararDensidadeGama(LeiTempestade::Duracao, 1, 0, alfa, beta);
}

// Draws in the order a run would make them (so the table grows and is searched in turn), plus
// the extremes of the stream.
std::vector<double> Sorteios(int quantos) {
    FluxoAleatorio fluxo;
    std::vector<double> u;
    for (int i = 0; i < quantos; ++i) u.push_back(fluxo.Uniform());
    u.push_back(1.0 / 4294967296.0);
    u.push_back(4294967295.0 / 4294967296.0);
    u.push_back(0.5);
    u.push_back(0.0);
    return u;
}

template <typename Densidade>
void ExpectTabelaIgualVarredura(const Densidade& f, LimiteInversao limite, double h,
                                const std::vector<double>& sorteios) {
    const GradeInversao grade(h, limite);
    TabelaInversao<Densidade> tabela(f, grade);
    for (double u : sorteios) {
        const double direto = InverterDireto(f, h, limite, u);
        const double rapido = tabela.Inverter(u);
        ASSERT_TRUE(MesmoDouble(direto, rapido))
            << "u = " << u << ": " << direto << " vs " << rapido;
    }
}

// The grids built into the program hold, bit for bit, the sums a walk makes at run time.
TEST(GradeInversao, BuiltInGridsEqualTheSumsOfAWalk) {
    struct Caso {
        double h;
        LimiteInversao limite;
    };
    // Read through volatile, so that the sums below are made when the test runs.
    volatile double duracao = kPassoDuracao;
    volatile double intensidade = kPassoIntensidade;
    volatile double umidade = kPassoUmidade;
    for (const Caso c :
         {Caso{duracao, LimiteInversao::Duracao}, Caso{intensidade, LimiteInversao::Intensidade},
          Caso{umidade, LimiteInversao::Umidade}}) {
        std::vector<double> somas{0.0};
        while (!AtingiuLimite(c.limite, somas.back())) somas.push_back(somas.back() + c.h);
        const GradeInversao grade(c.h, c.limite);
        ASSERT_EQ(AbscissasDoModelo(c.h, c.limite).data(), grade.Abscissas());
        ASSERT_EQ(grade.Ultimo() + 1, somas.size());
        EXPECT_EQ(std::memcmp(grade.Abscissas(), somas.data(), somas.size() * sizeof(double)), 0);
    }
    // Any other step is summed for the grid itself.
    EXPECT_TRUE(AbscissasDoModelo(0.002, LimiteInversao::Duracao).empty());
    const GradeInversao outra(0.5, LimiteInversao::Duracao);
    EXPECT_EQ(outra.Ultimo(), 48u);
    EXPECT_EQ(outra.X(48), 24.0);
}

TEST(TabelaInversao, EqualsThePlainScanForStormLaws) {
    const std::vector<double> u = Sorteios(60);
    // Shapes from exactly 1 (pow(0, 0) = 1 at the start) to long tails that reach the limits.
    for (double alfa : {1.0, 1.37, 2.0, 3.5}) {
        for (double beta : {0.4, 2.5, 9.0}) {
            ExpectTabelaIgualVarredura(Gamma(alfa, beta), LimiteInversao::Duracao, kPassoDuracao,
                                       u);
            ExpectTabelaIgualVarredura(Gamma(alfa, beta * 4.0), LimiteInversao::Intensidade,
                                       kPassoIntensidade, u);
        }
    }
}

TEST(TabelaInversao, EqualsThePlainScanWhereTheAreaOverflowsOrIsNaN) {
    // Shape 171: the constant is still finite, but x^170 overflows beyond x ~ 65, giving an
    // infinite density, an infinite area, and NaN once e^(-x/beta) underflows as well.
    const DensidadeGama f = Gamma(171.0, 1.0);
    const double F_inf = f(70.0);
    ASSERT_TRUE(std::isinf(F_inf));
    std::vector<double> u = Sorteios(40);
    u.push_back(0.999999);
    ExpectTabelaIgualVarredura(f, LimiteInversao::Intensidade, kPassoIntensidade, u);
    // Shape 170.5 with scale 0.08: Gama's polynomial overstates the constant, so the area
    // stops short of 1; beyond x ~ 60 the density underflows to 0, and once x^169.5 overflows
    // it is inf * 0 = NaN, which ends the walk.
    const DensidadeGama g = Gamma(170.5, 0.08);
    const double x_nan = InverterDireto(g, kPassoIntensidade, LimiteInversao::Intensidade, 0.99999);
    ASSERT_TRUE(std::isnan(g(x_nan)));
    ExpectTabelaIgualVarredura(g, LimiteInversao::Intensidade, kPassoIntensidade, u);
    // A tiny scale makes the area jump to +inf in one step.
    ExpectTabelaIgualVarredura(Gamma(1.0, 1e-300), LimiteInversao::Duracao, kPassoDuracao, u);
}

TEST(TabelaInversao, EqualsThePlainScanForHumidityLaws) {
    const std::vector<double> u = Sorteios(300);
    // Non-integer b - 1 gives NaN beyond x = 1; whole b - 1 (b = 1, b = 3) does not.
    for (ParBeta par : {ParBeta{13.4222, 3.3556}, ParBeta{2.0, 1.0}, ParBeta{1.0, 3.0},
                        ParBeta{40.0, 9.5}, ParBeta{1.0, 1.0}}) {
        const auto f = DensidadeBetaValida(par);
        ASSERT_TRUE(f.has_value());
        ExpectTabelaIgualVarredura(*f, LimiteInversao::Umidade, kPassoUmidade, u);
    }
}

TEST(TabelaInversao, WalksOnlyAsFarAsTheLargestDraw) {
    const DensidadeGama f = Gamma(2.0, 2.5);
    const GradeInversao grade(kPassoDuracao, LimiteInversao::Duracao);
    TabelaInversao<DensidadeGama> tabela(f, grade);
    const double x = tabela.Inverter(0.5);
    const std::size_t passos = tabela.Passos();
    EXPECT_EQ(static_cast<double>(passos), std::round(x / kPassoDuracao));
    tabela.Inverter(0.2);
    tabela.Inverter(0.49);
    EXPECT_EQ(tabela.Passos(), passos);
    tabela.Inverter(0.9);
    EXPECT_GT(tabela.Passos(), passos);
    // A draw the area never reaches stops at the limit, and the table with it.
    EXPECT_EQ(
        tabela.Inverter(4294967295.0 / 4294967296.0),
        InverterDireto(f, kPassoDuracao, LimiteInversao::Duracao, 4294967295.0 / 4294967296.0));
}

TEST(TabelaInversao, DrawEqualToAnAreaStopsAtThatStep) {
    const DensidadeGama f = Gamma(1.6, 3.0);
    const GradeInversao grade(kPassoDuracao, LimiteInversao::Duracao);
    TabelaInversao<DensidadeGama> tabela(f, grade);
    tabela.Inverter(0.999);
    const std::vector<double> F = tabela.Areas();
    for (std::size_t k : {std::size_t{1}, std::size_t{2}, std::size_t{17}, std::size_t{400},
                          std::size_t{3001}, F.size() - 2}) {
        for (double u : {F[k], std::nextafter(F[k], 0.0), std::nextafter(F[k], 2.0)}) {
            const double direto = InverterDireto(f, kPassoDuracao, LimiteInversao::Duracao, u);
            ASSERT_TRUE(MesmoDouble(tabela.Inverter(u), direto)) << k << " " << u;
        }
        ASSERT_EQ(tabela.Inverter(F[k]), grade.X(k)) << k;
    }
}

// Laws whose trapezoid area settles below the largest draws (shapes above 1: Gama's polynomial
// leaves their total short of 1 by about 5e-5) stop walking where the area stops changing, long
// before the limit; draws beyond that area still give the limit, as the scan does. Laws whose
// density would turn to NaN before the limit (x^(alpha - 1) overflowing) walk every step.
TEST(TabelaInversao, StopsWhereTheAreaStopsChangingWithTheScanValues) {
    const double u_max = 4294967295.0 / 4294967296.0;
    struct Caso {
        double alfa, beta;
        LimiteInversao limite;
        double h;
        bool para_antes;  // stops before the limit
    };
    for (const Caso& c :
         {Caso{1.37, 2.5, LimiteInversao::Intensidade, kPassoIntensidade, true},
          Caso{6.46, 0.4, LimiteInversao::Intensidade, kPassoIntensidade, true},
          Caso{3.5, 0.4, LimiteInversao::Duracao, kPassoDuracao, true},
          Caso{1.0, 9.0, LimiteInversao::Intensidade, kPassoIntensidade, false},
          Caso{170.5, 0.08, LimiteInversao::Intensidade, kPassoIntensidade, false}}) {
        const DensidadeGama f = Gamma(c.alfa, c.beta);
        const GradeInversao grade(c.h, c.limite);
        TabelaInversao<DensidadeGama> tabela(f, grade);
        tabela.EstenderAte(u_max);
        const std::vector<double> F = tabela.Areas();
        EXPECT_EQ(tabela.Passos() < grade.Ultimo() && tabela.Completa(), c.para_antes)
            << c.alfa << " " << c.beta << ": " << tabela.Passos() << " steps";
        for (double u : {F.back(), std::nextafter(F.back(), 0.0), std::nextafter(F.back(), 2.0),
                         0.99999, u_max, 0.5}) {
            const double direto = InverterDireto(f, c.h, c.limite, u);
            ASSERT_TRUE(MesmoDouble(tabela.Inverter(u), direto))
                << c.alfa << " " << c.beta << " u = " << u << ": " << direto;
        }
    }
}

// Cells with the same parameters share one table; the values are those of the plain scan.
TEST(LeisGama, CellsWithTheSameLawShareATable) {
    TDados dados;
    for (int m = 1; m <= 12; ++m) {
        for (std::size_t k = 0; k < kNumClasses; ++k) {
            dados.AlfaIi[m][k] = k < 6 ? 2.0 : 3.25;
            dados.BetaIi[m][k] = m <= 6 ? 4.0 : 5.5;
        }
    }
    LeisGama tabelas(dados, LeiTempestade::Intensidade, MetodoInversao::Tabela);
    LeisGama direto(dados, LeiTempestade::Intensidade, MetodoInversao::Direta);
    FluxoAleatorio fluxo;
    for (int i = 0; i < 400; ++i) {
        const int m = 1 + i % 12;
        const int k = (i / 12) % kNumClasses;
        const double u = fluxo.Uniform();
        ASSERT_TRUE(MesmoDouble(tabelas.Inverter(m, k, u), direto.Inverter(m, k, u)))
            << m << " " << k << " " << u;
    }
    EXPECT_EQ(tabelas.NumTabelas(), 4u);
    EXPECT_EQ(direto.NumTabelas(), 0u);
}

TEST(MomentosBeta, HumidityExample) {
    const ParBeta p = MomentosBeta(0.8, 0.1, 10);
    EXPECT_NEAR(0.1 * 0.1 * 9.0 / 10.0 + 0.8 * 0.8, 0.649, 1e-15);
    EXPECT_NEAR(p.a, 13.4222, 5e-5);
    EXPECT_NEAR(p.b, 3.3556, 5e-5);
    const ParBeta vazio = MomentosBeta(0.8, 0.1, 0);
    EXPECT_EQ(vazio.a, 0.0);
    EXPECT_EQ(vazio.b, 0.0);
    EXPECT_TRUE(std::isnan(MomentosBeta(0.8, 0.0, 10).a));
    EXPECT_FALSE(DensidadeBetaValida(vazio).has_value());
    EXPECT_FALSE(DensidadeBetaValida(MomentosBeta(0.8, 0.0, 10)).has_value());
}

// Shapes whose gamma functions leave the range of a double keep their law, evaluated in
// logarithms, unless the law is too narrow for the 0.001 step; laws in range keep the direct
// arithmetic. Either way the table walk equals the plain scan.
TEST(PrepararLeiBeta, LargeShapesGoToLogarithmsWhenTheStepCanFollowThem) {
    const ParBeta largo = MomentosBeta(0.757, 0.0246, 300);  // a ~ 230, b ~ 74
    const LeiBeta lei = PrepararLeiBeta(largo);
    ASSERT_TRUE(lei.densidade.has_value()) << lei.motivo;
    EXPECT_TRUE(lei.densidade->em_log);
    // The normalised density integrates to 1 over [0, 1] and peaks near the mean.
    double area = 0.0;
    for (int k = 0; k < 1000; ++k) {
        area += ((*lei.densidade)(k * 0.001) + (*lei.densidade)((k + 1) * 0.001)) * 0.0005;
    }
    EXPECT_NEAR(area, 1.0, 1e-6);
    ExpectTabelaIgualVarredura(*lei.densidade, LimiteInversao::Umidade, kPassoUmidade,
                               Sorteios(300));

    EXPECT_FALSE(PrepararLeiBeta(MomentosBeta(0.8, 0.1, 10)).densidade->em_log);
    const LeiBeta estreita = PrepararLeiBeta(MomentosBeta(0.5, 1e-5, 100));
    EXPECT_FALSE(estreita.densidade.has_value());
    EXPECT_NE(estreita.motivo.find("estreito demais"), std::string::npos) << estreita.motivo;
    EXPECT_NE(PrepararLeiBeta(MomentosBeta(0.8, 0.1, 0)).motivo.find("não tem dias"),
              std::string::npos);
    EXPECT_NE(PrepararLeiBeta(MomentosBeta(0.8, 0.0, 10)).motivo.find("desvio padrão 0"),
              std::string::npos);
    EXPECT_NE(PrepararLeiBeta(MomentosBeta(0.5, 0.4, 10)).motivo.find("menor que 1"),
              std::string::npos);
}

TEST(PrepararDensidadeGama, LargeShapesGoToLogarithms) {
    // 0.02^230 underflows to 0 and Gama(230) overflows: the product is NaN.
    const DensidadeGama f = Gamma(230.0, 0.02);
    EXPECT_TRUE(f.em_log);
    EXPECT_FALSE(Gamma(171.0, 1.0).em_log);
    double area = 0.0;
    for (int k = 0; k < 20000; ++k) area += (f(k * 0.001) + f((k + 1) * 0.001)) * 0.0005;
    EXPECT_NEAR(area, 1.0, 1e-6);
    ExpectTabelaIgualVarredura(f, LimiteInversao::Duracao, kPassoDuracao, Sorteios(60));
}

}  // namespace
}  // namespace ventaro
