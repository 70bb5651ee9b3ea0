#include "views/pares_mensais.h"

#include <cmath>

#include "core/calendario.h"
#include "core/estatisticas_serie.h"

namespace ventaro {

namespace {

// Leap years from year 1 to `ano` inclusive (0 for ano < 1).
int64_t BissextosAte(int64_t ano) {
    return ano < 1 ? 0 : ano / 4 - ano / 100 + ano / 400;
}

double Contagem(const Mensal<int32_t>& campo, int mes) {
    return static_cast<double>(campo[mes]);
}

}  // namespace

double MediaTodosDias(int64_t n_secos, int64_t n_umidos, double x_secos, double x_umidos) {
    // A month with no day in either group has no mean to show.
    if (n_secos + n_umidos == 0) return 0.0;
    return (x_umidos * static_cast<double>(n_umidos) + x_secos * static_cast<double>(n_secos)) /
           static_cast<double>(n_secos + n_umidos);
}

double DesvioTodosDias(int64_t n_secos, int64_t n_umidos, double s_secos, double s_umidos,
                       double x_secos, double x_umidos) {
    if (n_secos + n_umidos < 2) return 0.0;
    return DesvioPadraoConjunto(n_secos, n_umidos, s_secos, s_umidos, x_secos, x_umidos);
}

Mensal<int32_t> DiasUmidosEsperados(const TDados& observado, uint32_t num_anos, uint32_t a_partir) {
    const int64_t primeiro = a_partir;
    const int64_t ultimo = primeiro + static_cast<int64_t>(num_anos) - 1;
    const int64_t bissextos = num_anos == 0 ? 0 : BissextosAte(ultimo) - BissextosAte(primeiro - 1);
    Mensal<int32_t> esperados;
    for (int mes = 1; mes <= 12; ++mes) {
        // The month's length in a common year, over every year of the run, plus 29 February.
        const int64_t dias =
            static_cast<int64_t>(DiasNoMes(2001, mes)) * num_anos + (mes == 2 ? bissextos : 0);
        const double pcs = observado.PCS[mes];
        const double pcc = observado.PCC[mes];
        const double v = static_cast<double>(dias) * pcs / (pcs + (1.0 - pcc));
        // Truncated toward zero; a chain that never gets wet again (0 / 0) expects no wet day.
        esperados[mes] =
            std::isfinite(v) && std::fabs(v) < 2147483647.0 ? static_cast<int32_t>(v) : 0;
    }
    return esperados;
}

ParesMensais CalcularPares(const DefinicaoPar& definicao, const Resultados& resultados) {
    ParesMensais pares;
    if (!(resultados.Configuracao.Variaveis.*definicao.Chave)) return pares;
    const TDados& obs = resultados.Dados;
    const TDados& gen = resultados.Estatisticas;
    const CamposClima& c = definicao.Clima;
    // The expected counts live here, not in the selected stations: the rainfall station's
    // observed wet-day counts stay as they were loaded.
    Mensal<int32_t> esperados;
    if (definicao.Tipo == TipoPar::DiasChuvosos) {
        esperados = DiasUmidosEsperados(obs, resultados.Configuracao.NumAnos,
                                        resultados.Configuracao.APartir);
    }
    for (int mes = 1; mes <= 12; ++mes) {
        double& x = pares.X[static_cast<std::size_t>(mes - 1)];
        double& y = pares.Y[static_cast<std::size_t>(mes - 1)];
        switch (definicao.Tipo) {
            case TipoPar::Direto:
                x = (obs.*definicao.Campo)[mes];
                y = (gen.*definicao.Campo)[mes];
                break;
            case TipoPar::SoGerado:
                y = (gen.*definicao.Campo)[mes];
                break;
            case TipoPar::MediaTodosDias:
                x = MediaTodosDias(obs.DSecosClima[mes], obs.DUmidosClima[mes], (obs.*c.XSe)[mes],
                                   (obs.*c.XCh)[mes]);
                y = MediaTodosDias(gen.DSecos[mes], gen.DUmidos[mes], (gen.*c.XSe)[mes],
                                   (gen.*c.XCh)[mes]);
                break;
            case TipoPar::DesvioTodosDias:
                x = DesvioTodosDias(obs.DSecosClima[mes], obs.DUmidosClima[mes], (obs.*c.SSe)[mes],
                                    (obs.*c.SCh)[mes], (obs.*c.XSe)[mes], (obs.*c.XCh)[mes]);
                y = DesvioTodosDias(gen.DSecos[mes], gen.DUmidos[mes], (gen.*c.SSe)[mes],
                                    (gen.*c.SCh)[mes], (gen.*c.XSe)[mes], (gen.*c.XCh)[mes]);
                break;
            case TipoPar::DiasChuvosos:
                x = Contagem(esperados, mes);
                y = Contagem(gen.DUmidos, mes);
                break;
        }
    }
    return pares;
}

}  // namespace ventaro
