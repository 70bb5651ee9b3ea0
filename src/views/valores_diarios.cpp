#include "views/valores_diarios.h"

namespace ventaro {

namespace {

std::vector<GraficoDiario> CriarGraficos() {
    using V = VariaveisSimuladas;
    using F = FiltroDias;
    const FormatoEixo inteiro{.Casas = 0, .Milhar = true};
    const FormatoEixo passo{.Casas = 0, .Milhar = true, .PassoMinimo = 0.1};
    const FormatoEixo ti{.Casas = 1, .PassoMinimo = 0.1, .Fixo = true, .Min = 0, .Max = 1};
    const char* temperatura = "Temperatura (ºC)";
    const char* radiacao = "Radiação (MJ/m2/dia)";
    const char* velocidade = "Velocidade (m/s)";
    const char* umidade = "Umidade (%)";
    std::vector<GraficoDiario> g = {
        {0, "tsValoresDiariosPrecipitacao", "Precipitação", "Precipitação total diária",
         "Precipitação (mm)", inteiro, &TClima::Prec, false, F::Todos, &V::SimularPrec, true},
        {0, "tsValoresDiariosDuracao", "Duração", "Duração diária", "Duração (h)", inteiro,
         &TClima::Dur, false, F::Todos, &V::SimularPrec},
        {0, "tsValoresDiariosTempoInstens", "    ti*",
         "Tempo padronizado de ocorrência da intensidade máxima instantânea dos eventos",
         "ti* (adimensional)", ti, &TClima::Ti, false, F::Todos, &V::SimularPrec},
        {0, "tsValoresDiariosIntensInstan", "    ii", "Intensidade máxima instantânea diária",
         "ii (mm/h)", inteiro, &TClima::Ii, false, F::PrecNaoNula, &V::SimularPrec},
        {1, "tsValoresDiariosTMax", "Temperatura máxima", "Temperatura máxima diária", temperatura,
         inteiro, &TClima::TMax, false, F::Todos, &V::SimularTMax},
        {1, "tsValoresDiariosTMaxSe", "Temperatura máxima dias secos",
         "Temperatura máxima diária dos dias secos", temperatura, inteiro, &TClima::TMax, false,
         F::Secos, &V::SimularTMax},
        {1, "tsValoresDiariosTMaxCh", "Temperatura máxima dias chuvosos",
         "Temperatura máxima diária dos dias chuvosos", temperatura, inteiro, &TClima::TMax, false,
         F::Chuvosos, &V::SimularTMax},
        {2, "tsValoresDiariosTMin", "Temperatura mínima", "Temperatura mínima diária", temperatura,
         inteiro, &TClima::TMin, false, F::Todos, &V::SimularTMin},
        {2, "tsValoresDiariosTMinSe", "Temperatura mínima dias secos",
         "Temperatura mínima diária dos dias secos", temperatura, inteiro, &TClima::TMin, false,
         F::Secos, &V::SimularTMin},
        {2, "tsValoresDiariosTMinCh", "Temperatura mínima dias chuvosos",
         "Temperatura mínima diária dos dias chuvosos", temperatura, inteiro, &TClima::TMin, false,
         F::Chuvosos, &V::SimularTMin},
        {3, "tsValoresDiariosRadiacao", "Radiação", "Radiação total diária", radiacao, inteiro,
         &TClima::Rad, false, F::Todos, &V::SimularRad},
        {3, "tsValoresDiariosRadSe", "Radiação dias secos", "Radiação total diária nos dias secos",
         radiacao, passo, &TClima::Rad, false, F::Secos, &V::SimularRad},
        {3, "tsValoresDiariosRadCh", "Radiação dias chuvosos",
         "Radiação total diária nos dias chuvosos", radiacao, inteiro, &TClima::Rad, false,
         F::Chuvosos, &V::SimularRad},
        {4, "tsValoresDiariosVVento", "Velocidade do vento", "Velocidade do vento total diária",
         velocidade, inteiro, &TClima::VVento, false, F::Todos, &V::SimularVVento},
        {4, "tsValoresDiariosVVentoSe", "Velocidade do vento dias secos",
         "Velocidade do vento total diária", velocidade, inteiro, &TClima::VVento, false, F::Secos,
         &V::SimularVVento},
        {4, "tsValoresDiariosVVentoCh", "Velocidade do vento dias chuvosos",
         "Velocidade do vento total diária", velocidade, inteiro, &TClima::VVento, false,
         F::Chuvosos, &V::SimularVVento},
        {5, "tsValoresDiariosUmid", "Umidade do ar", "Umidade do ar total diária", umidade, inteiro,
         &TClima::Umid, true, F::Todos, &V::SimularUmid},
        {5, "tsValoresDiariosUmidSe", "Umidade do ar dias secos",
         "Umidade total diária nos dias secos", umidade, passo, &TClima::Umid, true, F::Secos,
         &V::SimularUmid},
        {5, "tsValoresDiariosUmidCh", "Umidade do ar dias chuvosos",
         "Umidade total diária nos dias chuvosos", umidade, inteiro, &TClima::Umid, true,
         F::Chuvosos, &V::SimularUmid},
    };
    return g;
}

}  // namespace

const std::vector<AbaExterna>& AbasExternasDiarias() {
    static const std::vector<AbaExterna> abas = {
        {"tsPrec", "Precipitação", "pgGraficoValoresDiariosPrec"},
        {"tsTMax", "Temperatura máxima", "pgGraficoValoresDiariosTMax"},
        {"tsTMin", "Temperatura mínima", "pgGraficoValoresDiariosTMin"},
        {"tsRadiacao", "Radiação", "pgGraficosValoresDiariosRad"},
        {"tsVVento", "Velocidade do vento", "pgGraficoValoresDiariosVVento"},
        {"tsUmid", "Umidade do ar", "pgGraficoValoresDiariosUmid"},
    };
    return abas;
}

const std::vector<GraficoDiario>& GraficosDiarios() {
    static const std::vector<GraficoDiario> graficos = CriarGraficos();
    return graficos;
}

void ValoresDiarios(const GraficoDiario& grafico, const TClima& clima,
                    const VariaveisSimuladas& variaveis, std::vector<double>& valores) {
    const std::size_t n = clima.NumDias > 0 ? static_cast<std::size_t>(clima.NumDias) : 0;
    valores.assign(n, 0.0);
    if (!(variaveis.*grafico.Chave) || !clima.Possui(grafico.Variavel)) return;
    const std::vector<double>& v = clima.*grafico.Variavel;
    const std::vector<double>& prec = clima.Prec;
    const double fator = grafico.Umidade ? 100.0 : 1.0;
    for (std::size_t d = 1; d <= n; ++d) {
        bool mostra = true;
        switch (grafico.Filtro) {
            case FiltroDias::Todos:
                break;
            case FiltroDias::Secos:
                mostra = prec[d] == 0;
                break;
            case FiltroDias::Chuvosos:
                mostra = prec[d] > 0;
                break;
            case FiltroDias::PrecNaoNula:
                mostra = prec[d] != 0;
                break;
        }
        if (mostra) valores[d - 1] = grafico.Umidade ? v[d] * fator : v[d];
    }
}

}  // namespace ventaro
