#include "output/arquivo_wepp.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

#include "generator/perfil_tempestade.h"
#include "output/breakpoints_tempestade.h"
#include "output/descricao_saida.h"
#include "output/percurso_dias.h"
#include "output/texto_ascii.h"

namespace ventaro {

namespace {

// Mean length of each month over the Gregorian cycle (February: 28 + 97/400 days).
constexpr double kDiasMedios[12] = {31, 28.2425, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

// Mean of a dry-day and a wet-day value weighted by the record's days of each kind; the plain
// mean when the record's counts are unknown.
double MediaPonderada(double seco, double chuvoso, int32_t dias_secos, int32_t dias_chuvosos) {
    const double total = static_cast<double>(dias_secos) + static_cast<double>(dias_chuvosos);
    if (!(total > 0)) return (seco + chuvoso) / 2.0;
    return (seco * dias_secos + chuvoso * dias_chuvosos) / total;
}

// Fraction of wet days of the month: the record's, or the chain's stationary one when the
// record's counts are unknown.
double FracaoChuvosa(const TDados& dados, int mes) {
    const double total = static_cast<double>(dados.DUmidos[mes]) + dados.DSecos[mes];
    if (total > 0) return dados.DUmidos[mes] / total;
    const double denominador = 1.0 - dados.PCC[mes] + dados.PCS[mes];
    return denominador > 0 ? dados.PCS[mes] / denominador : 0.0;
}

// Years of the rainfall record, from the days of its months.
int64_t AnosObservados(const TDados& dados) {
    double anos = 0;
    for (int mes = 1; mes <= 12; ++mes) {
        const double dias = static_cast<double>(dados.DUmidos[mes]) + dados.DSecos[mes];
        anos = std::max(anos, dias / kDiasMedios[mes - 1]);
    }
    return std::llround(anos);
}

void LinhaMensal(TextoEmBlocos& s, const Mensal<double>& valores, int decimais) {
    for (int mes = 1; mes <= 12; ++mes) {
        s.Caractere(' ');
        s.Fixo(valores[mes], decimais, 6);
    }
    s.Caractere('\n');
}

void Cabecalho(TextoEmBlocos& s, const TDados& dados, const ConfiguracaoSerie& config,
               int64_t primeiro_ano, int64_t num_anos, bool breakpoints, bool vento) {
    s.Texto("0.0\n");
    s.Texto(breakpoints ? "   1   1   " : "   1   0   ");
    s.Texto(vento ? "0\n" : "1\n");
    s.Texto(ParaAscii(DescricaoSerie(dados, config)));
    s.Caractere('\n');
    s.Texto(" Latitude Longitude Elevation (m) Obs. Years   Beginning year  Years simulated\n");
    s.Caractere(' ');
    s.Fixo(dados.Latitude, 4, 8);
    s.Caractere(' ');
    s.Fixo(dados.Longitude, 4, 9);
    s.Caractere(' ');
    s.Fixo(dados.Altitude, 1, 13);
    s.Caractere(' ');
    s.Inteiro(AnosObservados(dados), 10);
    s.Caractere(' ');
    s.Inteiro(primeiro_ano, 16);
    s.Caractere(' ');
    s.Inteiro(num_anos, 16);
    s.Caractere('\n');

    const MediasObservadasWepp medias = MediasObservadas(dados);
    s.Texto(" Observed monthly ave max temperature (C)\n");
    LinhaMensal(s, medias.TMax, 1);
    s.Texto(" Observed monthly ave min temperature (C)\n");
    LinhaMensal(s, medias.TMin, 1);
    s.Texto(" Observed monthly ave solar radiation (Langleys/day)\n");
    LinhaMensal(s, medias.Rad, 1);
    s.Texto(" Observed monthly ave precipitation (mm)\n");
    LinhaMensal(s, medias.Prec, 1);
    if (breakpoints) {
        s.Texto(" da mo year nbrkpt  tmax  tmin    rad  w-vl w-dir  tdew\n");
        s.Texto("                     (C)   (C)  (l/d) (m/s) (Deg)   (C)\n");
    } else {
        s.Texto(" da mo year  prcp   dur    tp     ip  tmax  tmin    rad  w-vl w-dir  tdew\n");
        s.Texto("             (mm)   (h)                (C)   (C)  (l/d) (m/s) (Deg)   (C)\n");
    }
}

}  // namespace

double PontoOrvalho(double temperatura_media, double umidade) {
    const double ur = std::clamp(umidade, 0.01, 1.0);
    const double gama = std::log(ur) + 17.62 * temperatura_media / (243.12 + temperatura_media);
    return 243.12 * gama / (17.62 - gama);
}

MediasObservadasWepp MediasObservadas(const TDados& dados) {
    MediasObservadasWepp m;
    for (int mes = 1; mes <= 12; ++mes) {
        const int32_t secos = dados.DSecosClima[mes];
        const int32_t umidos = dados.DUmidosClima[mes];
        m.TMax[mes] = MediaPonderada(dados.XTMaxSe[mes], dados.XTMaxCh[mes], secos, umidos);
        m.TMin[mes] = MediaPonderada(dados.XTMinSe[mes], dados.XTMinCh[mes], secos, umidos);
        m.Rad[mes] =
            MediaPonderada(dados.XRadSe[mes], dados.XRadCh[mes], secos, umidos) * kLangleyPorMJm2;
        m.Prec[mes] = FracaoChuvosa(dados, mes) * kDiasMedios[mes - 1] * dados.XPrec[mes];
    }
    return m;
}

void EscreverWepp(const TDados& dados, const TClima& clima, const ConfiguracaoSerie& config,
                  bool breakpoints, TextoEmBlocos& s) {
    const VariaveisSimuladas& v = config.Variaveis;
    const auto n = static_cast<std::size_t>(clima.NumDias > 0 ? clima.NumDias : 0);
    const int64_t primeiro_ano = clima.DataInicial.ano;
    Cabecalho(s, dados, config, primeiro_ano, AnosDaSerie(primeiro_ano, clima.NumDias), breakpoints,
              v.SimularVVento);

    std::array<Breakpoint, kMaxBreakpoints> pontos;
    PercursoDias dias(clima.DataInicial);
    for (std::size_t d = 1; d <= n; ++d, dias.Avancar()) {
        const Data& data = dias.Atual();
        const double P = clima.Prec[d];
        const bool chuvoso = P > 0;
        s.Caractere(' ');
        s.Inteiro(data.dia, 2);
        s.Caractere(' ');
        s.Inteiro(data.mes, 2);
        s.Caractere(' ');
        s.Inteiro(data.ano, 4);
        int num_pontos = 0;
        if (breakpoints) {
            if (chuvoso) {
                // Only erosivity runs keep every storm's profile; otherwise it is computed
                // here, the same as such a run would have stored.
                const PerfilTempestade perfil =
                    clima.Possui(&TClima::ParamB)
                        ? PerfilTempestade{clima.ParamA[d], clima.ParamB[d], clima.ParamC[d],
                                           clima.ParamD[d]}
                        : CalcularPerfil(P, clima.Dur[d], clima.Ti[d], clima.Ii[d]);
                num_pontos = CalcularBreakpoints(P, clima.Dur[d], clima.Ti[d], clima.Ii[d],
                                                 perfil.ParamB, perfil.ParamD, pontos);
            }
            s.Caractere(' ');
            s.Inteiro(num_pontos, 6);
        } else if (chuvoso) {
            const double D = clima.Dur[d];
            // The peak over the mean intensity; a storm whose depth correction left its peak at
            // or below its mean is written as uniform rain.
            const double ip = std::max(clima.Ii[d] * D / P, 1.0);
            s.Caractere(' ');
            s.Fixo(P, 1, 5);
            s.Caractere(' ');
            s.Fixo(D, 2, 5);
            s.Caractere(' ');
            s.Fixo(clima.Ti[d], 3, 5);
            s.Caractere(' ');
            s.Fixo(ip, 2, 6);
        } else {
            s.Texto("   0.0  0.00 0.000   0.00");
        }
        const double tmax = clima.TMax[d];
        const double tmin = clima.TMin[d];
        const double orvalho =
            v.SimularUmid ? PontoOrvalho((tmax + tmin) / 2.0, clima.Umid[d]) : tmin;
        s.Caractere(' ');
        s.Fixo(tmax, 1, 5);
        s.Caractere(' ');
        s.Fixo(tmin, 1, 5);
        s.Caractere(' ');
        s.Fixo(clima.Rad[d] * kLangleyPorMJm2, 1, 6);
        s.Caractere(' ');
        s.Fixo(v.SimularVVento ? clima.VVento[d] : 0.0, 1, 5);
        s.Texto("     0 ");
        s.Fixo(orvalho, 1, 5);
        s.Caractere('\n');
        for (int i = 0; i < num_pontos; ++i) {
            const Breakpoint& b = pontos[static_cast<std::size_t>(i)];
            s.Caractere(' ');
            s.Decimal(b.Hora, kCasasHoraBreakpoint, 7);
            s.Caractere(' ');
            s.Decimal(b.Lamina, kCasasLaminaBreakpoint, 8);
            s.Caractere('\n');
        }
    }
}

}  // namespace ventaro
