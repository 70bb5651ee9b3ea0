#include "support/dados_exemplo.h"

#include <array>
#include <cmath>

namespace ventaro::teste {

namespace {

using Doze = std::array<double, 12>;

void Preencher(Mensal<double>& campo, const Doze& valores) {
    for (int m = 1; m <= 12; ++m) campo[m] = valores[static_cast<std::size_t>(m - 1)];
}

void Preencher(Mensal<int32_t>& campo, const std::array<int32_t, 12>& valores) {
    for (int m = 1; m <= 12; ++m) campo[m] = valores[static_cast<std::size_t>(m - 1)];
}

Doze Somar(const Doze& a, double delta) {
    Doze r = a;
    for (double& v : r) v += delta;
    return r;
}

Doze Multiplicar(const Doze& a, double fator) {
    Doze r = a;
    for (double& v : r) v *= fator;
    return r;
}

// Small uniform stream of its own, so that the example does not depend on the generator.
class Perturbacao {
  public:
    explicit Perturbacao(uint32_t semente) : estado_(semente * 2654435761u + 12345u) {}
    // A factor in [1 - amplitude, 1 + amplitude].
    double Fator(double amplitude) {
        estado_ = estado_ * 1664525u + 1013904223u;
        const double u = static_cast<double>(estado_) / 4294967296.0;
        return 1.0 + amplitude * (2.0 * u - 1.0);
    }

  private:
    uint32_t estado_;
};

void Perturbar(Mensal<double>& campo, Perturbacao& p, double amplitude) {
    for (int m = 1; m <= 12; ++m) campo[m] *= p.Fator(amplitude);
}

}  // namespace

TDados DadosExemplo() {
    TDados d;
    d.SetNome("Fazenda Santa Rita");
    d.CodEstacao = 1944009;
    d.Regiao = 3;
    d.Altitude = 732.0;
    d.Latitude = -19.4667;
    d.Longitude = -44.25;
    Preencher(d.DUmidos, {572, 470, 452, 238, 130, 64, 52, 80, 190, 330, 460, 556});
    Preencher(d.DSecos, {358, 376, 478, 662, 800, 836, 878, 850, 710, 600, 440, 374});
    Preencher(d.XPrec, {14.8, 13.9, 13.1, 10.6, 8.4, 6.9, 6.2, 7.5, 9.3, 11.2, 13.0, 14.6});
    Preencher(d.SPrec, {16.2, 15.1, 14.4, 11.9, 9.8, 8.1, 7.4, 8.6, 10.7, 12.6, 14.1, 15.8});
    Preencher(d.SkewPrec, {2.2, 2.1, 2.3, 2.5, 2.8, 3.1, 3.3, 2.9, 2.6, 2.4, 2.2, 2.1});
    Preencher(d.PCC, {0.74, 0.70, 0.66, 0.55, 0.42, 0.33, 0.28, 0.31, 0.44, 0.57, 0.66, 0.72});
    Preencher(d.PCS, {0.42, 0.37, 0.33, 0.19, 0.09, 0.04, 0.03, 0.05, 0.12, 0.23, 0.34, 0.40});

    // Regional storm laws: longer, more intense storms in the higher depth classes.
    for (int m = 1; m <= 12; ++m) {
        for (std::size_t k = 0; k < kNumClasses; ++k) {
            const double kd = static_cast<double>(k);
            d.AlfaDur[m][k] = 1.0 + 0.08 * kd + 0.02 * static_cast<double>(m % 3);
            d.BetaDur[m][k] = 1.8 + 0.45 * kd;
            d.AlfaIi[m][k] = 1.6 + 0.1 * kd + 0.05 * static_cast<double>(m % 2);
            d.BetaIi[m][k] = 4.0 + 2.5 * kd;
            d.BetaTi[m][k] = 0.28 + 0.01 * kd;
        }
    }

    d.SetNomeClima("Sete Lagoas");
    d.CodEstacaoClima = 83586;
    d.LatitudeClima = -19.4667;
    d.LongitudeClima = -44.25;
    Preencher(d.DUmidosClima, {380, 318, 300, 160, 86, 42, 30, 50, 128, 226, 310, 372});
    Preencher(d.DSecosClima, {240, 247, 320, 440, 534, 558, 590, 570, 472, 394, 290, 248});

    const Doze tmax_se = {30.1, 30.6, 30.2, 29.1, 27.4, 26.2, 26.3, 28.2, 29.8, 30.4, 29.6, 29.7};
    Preencher(d.XTMaxSe, tmax_se);
    Preencher(d.XTMaxCh, Somar(tmax_se, -2.6));
    Preencher(d.STMaxSe, {1.9, 1.8, 1.9, 2.0, 2.2, 2.4, 2.5, 2.4, 2.3, 2.2, 2.1, 2.0});
    Preencher(d.STMaxCh, {2.6, 2.5, 2.5, 2.7, 2.9, 3.0, 3.1, 3.0, 2.9, 2.8, 2.7, 2.6});
    const Doze tmin_se = {18.4, 18.5, 18.0, 16.2, 13.4, 11.3, 10.8, 12.2, 14.8, 17.0, 17.9, 18.3};
    Preencher(d.XTMinSe, tmin_se);
    Preencher(d.XTMinCh, Somar(tmin_se, 0.8));
    Preencher(d.STMinSe, {1.5, 1.5, 1.6, 1.9, 2.3, 2.5, 2.5, 2.4, 2.1, 1.8, 1.6, 1.5});
    Preencher(d.STMinCh, {1.2, 1.2, 1.3, 1.5, 1.8, 2.0, 2.1, 2.0, 1.7, 1.4, 1.3, 1.2});
    const Doze rad_se = {21.5, 22.0, 20.4, 18.6, 16.2, 15.0, 15.8, 18.1, 20.0, 21.0, 20.8, 21.2};
    Preencher(d.XRadSe, rad_se);
    Preencher(d.XRadCh, Multiplicar(rad_se, 0.7));
    Preencher(d.SRadSe, {3.1, 3.0, 2.9, 2.6, 2.3, 2.1, 2.2, 2.5, 2.9, 3.2, 3.3, 3.2});
    Preencher(d.SRadCh, {5.2, 5.0, 4.8, 4.4, 4.0, 3.8, 3.8, 4.1, 4.6, 5.0, 5.3, 5.3});
    const Doze vento_se = {1.9, 1.8, 1.8, 1.9, 2.0, 2.2, 2.4, 2.6, 2.6, 2.4, 2.1, 1.9};
    Preencher(d.XVVentoSe, vento_se);
    Preencher(d.XVVentoCh, Somar(vento_se, 0.2));
    Preencher(d.SVVentoSe, Multiplicar(vento_se, 0.4));
    Preencher(d.SVVentoCh, Multiplicar(vento_se, 0.5));
    Preencher(d.SkewVVentoSe, {0.6, 0.6, 0.5, 0.5, 0.6, 0.7, 0.7, 0.6, 0.5, 0.5, 0.6, 0.6});
    Preencher(d.SkewVVentoCh, {0.9, 0.9, 0.8, 0.8, 0.9, 1.0, 1.0, 0.9, 0.8, 0.8, 0.9, 0.9});
    Preencher(d.XUmidSe, {0.72, 0.70, 0.71, 0.69, 0.66, 0.62, 0.57, 0.52, 0.55, 0.62, 0.69, 0.72});
    Preencher(d.XUmidCh, {0.83, 0.82, 0.83, 0.82, 0.80, 0.78, 0.76, 0.74, 0.77, 0.80, 0.82, 0.83});
    Preencher(d.SUmidSe, {0.09, 0.09, 0.09, 0.10, 0.10, 0.11, 0.12, 0.12, 0.12, 0.11, 0.10, 0.09});
    Preencher(d.SUmidCh, {0.07, 0.07, 0.07, 0.07, 0.08, 0.08, 0.09, 0.09, 0.08, 0.08, 0.07, 0.07});

    // Lag-one dependence of the residuals and the factor of the day's deviates; a little
    // stronger persistence in the dry season.
    constexpr double kA[3][3] = {{0.62, 0.12, 0.05}, {0.18, 0.55, -0.04}, {0.08, -0.03, 0.41}};
    constexpr double kB[3][3] = {{0.76, 0.0, 0.0}, {0.32, 0.74, 0.0}, {-0.21, 0.09, 0.86}};
    for (int m = 1; m <= 12; ++m) {
        const double seca = (m >= 5 && m <= 9) ? 1.05 : 1.0;
        for (std::size_t i = 0; i < 3; ++i) {
            for (std::size_t j = 0; j < 3; ++j) {
                d.MatrizA[m](i, j) = kA[i][j] * seca;
                d.MatrizB[m](i, j) = kB[i][j];
            }
        }
    }
    d.XResJanTMax = 0.35;
    d.XResJanTMin = -0.12;
    d.XResJanRad = 0.21;
    return d;
}

TDados DadosVariados(uint32_t semente) {
    TDados d = DadosExemplo();
    Perturbacao p(semente);
    for (auto* campo :
         {&d.XPrec,     &d.SPrec,     &d.SkewPrec,  &d.PCC,          &d.PCS,          &d.XTMaxSe,
          &d.XTMaxCh,   &d.STMaxSe,   &d.STMaxCh,   &d.XTMinSe,      &d.XTMinCh,      &d.STMinSe,
          &d.STMinCh,   &d.XRadSe,    &d.XRadCh,    &d.SRadSe,       &d.SRadCh,       &d.XVVentoSe,
          &d.XVVentoCh, &d.SVVentoSe, &d.SVVentoCh, &d.SkewVVentoSe, &d.SkewVVentoCh, &d.XUmidSe,
          &d.XUmidCh,   &d.SUmidSe,   &d.SUmidCh}) {
        Perturbar(*campo, p, 0.08);
    }
    for (int m = 1; m <= 12; ++m) {
        for (std::size_t k = 0; k < kNumClasses; ++k) {
            // Shapes stay at or above 1.
            d.AlfaDur[m][k] = std::fmax(1.0, d.AlfaDur[m][k] * p.Fator(0.1));
            d.BetaDur[m][k] *= p.Fator(0.15);
            d.AlfaIi[m][k] = std::fmax(1.0, d.AlfaIi[m][k] * p.Fator(0.1));
            d.BetaIi[m][k] *= p.Fator(0.15);
            d.BetaTi[m][k] *= p.Fator(0.15);
        }
    }
    return d;
}

}  // namespace ventaro::teste
