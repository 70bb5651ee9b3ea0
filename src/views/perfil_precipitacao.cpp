#include "views/perfil_precipitacao.h"

#include <cmath>

#include "generator/perfil_tempestade.h"
#include "output/formato_numero.h"
#include "views/formato.h"

namespace ventaro {

PerfilDia CalcularPerfil(const TClima& clima, int64_t dia, char separador, int n) {
    const auto d = static_cast<std::size_t>(dia);
    // Only erosivity runs keep every storm's profile; otherwise the day's profile is computed
    // here, the same as the run would have stored.
    PerfilTempestade p{clima.Valor(&TClima::ParamA, dia), clima.Valor(&TClima::ParamB, dia),
                       clima.Valor(&TClima::ParamC, dia), clima.Valor(&TClima::ParamD, dia)};
    if (!clima.Possui(&TClima::ParamA) && clima.Possui(&TClima::Dur) && clima.Prec[d] != 0) {
        p = ventaro::CalcularPerfil(clima.Prec[d], clima.Dur[d], clima.Ti[d], clima.Ii[d]);
    }
    const double A = p.ParamA;
    const double B = p.ParamB;
    const double C = p.ParamC;
    const double D = p.ParamD;
    PerfilDia perfil;
    perfil.ParamA = FormatoGeral(A, separador);
    perfil.ParamB = FormatoGeral(B, separador);
    perfil.ParamC = FormatoGeral(C, separador);
    perfil.ParamD = FormatoGeral(D, separador);
    perfil.Data = DataCurta(DataDaSerie(clima, dia));

    const double P = clima.Prec[d];
    const double dur = clima.Valor(&TClima::Dur, dia);
    const double tp = clima.Ti[d];
    const double ip = clima.Valor(&TClima::Ii, dia);
    // A wet day without a duration (storms not simulated) has no profile to draw.
    if (!(P > 0) || !(dur > 0)) return perfil;
    perfil.Chuvoso = true;
    perfil.CasasTempo = dur < 1 ? 2 : dur < 3 ? 1 : 0;
    perfil.CasasIntensidade = ip >= 5 ? 0 : 1;
    const double passo = 1.0 / n;
    perfil.Tempo.resize(static_cast<std::size_t>(n) + 1);
    perfil.Intensidade.resize(static_cast<std::size_t>(n) + 1);
    for (int k = 0; k <= n; ++k) {
        const double t = k * passo;
        const double i = t <= tp ? A * std::exp(B * t) : C * std::exp(-D * t);
        perfil.Tempo[static_cast<std::size_t>(k)] = t * dur;
        perfil.Intensidade[static_cast<std::size_t>(k)] = i * P / dur;
    }
    return perfil;
}

}  // namespace ventaro
