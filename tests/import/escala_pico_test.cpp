#include "import/escala_pico.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "core/erro.h"
#include "sorteio_pico.h"

namespace ventaro {
namespace {

double Media(const std::vector<double>& v) {
    double s = 0;
    for (const double x : v) s += x;
    return s / static_cast<double>(v.size());
}

// Peaks drawn the generator's way, storm after storm over the mean intensities: their mean and
// its standard error.
struct Amostra {
    double media, erro;
};
Amostra Sortear(int k, double escala, const std::vector<double>& limiares, int n) {
    FluxoAleatorio fluxo(7);
    double s = 0, ss = 0;
    for (int i = 0; i < n; ++i) {
        const double limiar = limiares[static_cast<std::size_t>(i) % limiares.size()];
        const double pico = teste::PicoComoOGerador(fluxo, k, escala, limiar);
        s += pico;
        ss += pico * pico;
    }
    const double media = s / n;
    return {media, std::sqrt((ss / n - media * media) / n)};
}

double MediaGerada(int k, double escala, const std::vector<double>& limiares) {
    double s = 0;
    for (const double limiar : limiares) s += PicoMedioGerado(k, escala, limiar);
    return s / static_cast<double>(limiares.size());
}

// The mean the generator's peaks take, against peaks drawn by its rule; and the scale found
// from that drawn mean is the scale they were drawn with, within what the draws allow (four
// standard errors of the mean, through the slope of the mean in the scale).
TEST(EscalaPicoGerado, RecoversTheScaleOfPeaksDrawnTheGeneratorsWay) {
    struct Caso {
        const char* nome;
        int alfa;
        double beta;
        std::vector<double> limiares;
    };
    const Caso casos[] = {
        {"storms far below the law", 4, 1.0, {0.1, 0.3, 0.5}},
        {"thresholds inside the law", 4, 1.0, {2, 4, 6, 9}},
        {"a draw in ten kept, the eleventh failure writing 1.1 P/D", 1, 2.0, {4, 5, 6}},
        {"draws between the threshold and 0.2 mm/h", 1, 0.15, {0.01, 0.05, 0.1}},
        {"draws beyond 1000 mm/h refused", 2, 400.0, {1, 10}},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nome);
        const Amostra a = Sortear(c.alfa, c.beta, c.limiares, 200000);
        EXPECT_NEAR(MediaGerada(c.alfa, c.beta, c.limiares), a.media, 4 * a.erro);

        const EscalaPico e = EscalaPicoGerado(c.alfa, c.limiares, a.media);
        EXPECT_TRUE(e.Alcancada);
        EXPECT_NEAR(e.Media, a.media, 1e-9 * a.media);
        const double inclinacao = (MediaGerada(c.alfa, c.beta * 1.01, c.limiares) -
                                   MediaGerada(c.alfa, c.beta * 0.99, c.limiares)) /
                                  (0.02 * c.beta);
        EXPECT_NEAR(e.Beta, c.beta, 4 * a.erro / inclinacao);
        // A threshold counted twice weighs twice.
        std::vector<double> dobrados = c.limiares;
        dobrados.push_back(c.limiares.front());
        EXPECT_NEAR(EscalaPicoGerado(c.alfa, dobrados, a.media).Media, a.media, 1e-9 * a.media);
    }
}

// Storms of one hour, whose hourly peak is their mean intensity, average less than the 1.1 P/D
// the generator writes when no draw is kept: the scale found gives the nearest mean, which
// peaks drawn with it do take, and stays wide enough for the generator's inversion in steps of
// 0.01 mm/h (a narrower law would walk every draw to 1000 mm/h).
TEST(EscalaPicoGerado, AMeanBelowTheGeneratorsReachGivesTheNearest) {
    const std::vector<double> limiares = {1, 2, 3};
    const EscalaPico e = EscalaPicoGerado(1.0, limiares, 2.0);
    EXPECT_FALSE(e.Alcancada);
    EXPECT_GT(e.Media, 2.0);
    EXPECT_NEAR(e.Media, 1.1 * Media(limiares), 0.01);
    EXPECT_GE(e.Beta, kDesvioPicoMinimo);
    const Amostra a = Sortear(1, e.Beta, limiares, 30000);
    EXPECT_NEAR(a.media, e.Media, 4 * a.erro + 1e-9);
    // With a larger shape the floor is on the law's spread: sqrt(4) * beta >= 0.1 mm/h.
    EXPECT_GE(EscalaPicoGerado(4.0, limiares, 2.0).Beta, kDesvioPicoMinimo / 2);
}

TEST(EscalaPicoGerado, DurationSlicesAndBadArguments) {
    // Exponential durations of mean 2 h: the slice middles are -2 ln(1 - (j + 0.5)/32) h, the
    // first ones held at 0.2 h.
    const std::vector<double> laminas = {1.0, 3.0};
    const std::vector<double> l = IntensidadesMediasGeradas(laminas, 1.0, 2.0);
    ASSERT_EQ(l.size(), 2u * kFatiasDuracao);
    EXPECT_DOUBLE_EQ(l[0], 1.0 / 0.2);
    EXPECT_NEAR(l[16], 1.0 / (-2 * std::log(1 - 16.5 / 32)), 1e-12);
    EXPECT_NEAR(l[kFatiasDuracao + 31], 3.0 / (-2 * std::log(1 - 31.5 / 32)), 1e-12);
    // A law of long storms is held at 24 h.
    EXPECT_DOUBLE_EQ(IntensidadesMediasGeradas(laminas, 50.0, 10.0).back(), 3.0 / 24);

    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::vector<double> um = {1.0};
    const std::vector<double> vazio;
    const std::vector<double> negativo = {1.0, -1.0};
    const std::vector<double> indefinido = {nan};
    struct Caso {
        double alfa;
        const std::vector<double>* limiares;
        double media;
    };
    for (const Caso& c :
         {Caso{0.5, &um, 1.0}, Caso{nan, &um, 1.0}, Caso{2.0, &um, 0.0}, Caso{2.0, &um, nan},
          Caso{2.0, &vazio, 1.0}, Caso{2.0, &negativo, 1.0}, Caso{2.0, &indefinido, 1.0}}) {
        try {
            EscalaPicoGerado(c.alfa, *c.limiares, c.media);
            ADD_FAILURE() << c.alfa << " " << c.media;
        } catch (const ErroVentaro& erro) {
            EXPECT_NE(std::string(erro.what()).find("intensidade de pico"), std::string::npos);
        }
    }
    EXPECT_THROW(IntensidadesMediasGeradas(laminas, 0.5, 1.0), ErroVentaro);
    EXPECT_THROW(IntensidadesMediasGeradas(laminas, 2.0, 0.0), ErroVentaro);
}

}  // namespace
}  // namespace ventaro
