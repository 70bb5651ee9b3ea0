#include "views/regressao_linear.h"

#include "views/formato.h"

namespace ventaro {

namespace {

using V = VariaveisSimuladas;

DefinicaoPar Direto(CampoMensal campo, bool V::*chave) {
    return {TipoPar::Direto, campo, {}, chave};
}

struct VariavelClima {
    CamposClima Campos;
    const char* Stem;
    // Titles of the six tabs, in tab order.
    std::array<const char*, 6> Titulos;
    const char* Unidade;
    bool V::*Chave;
};

void AcrescentarClima(std::vector<AbaRegressao>& abas, int externa, const VariavelClima& v) {
    const std::string stem = v.Stem;
    const std::array<std::string, 6> nomes = {"X" + stem, "X" + stem + "Se", "X" + stem + "Ch",
                                              "S" + stem, "S" + stem + "Se", "S" + stem + "Ch"};
    const std::array<const char*, 6> legendas = {
        "Média",  "Média dias secos",  "Média dias chuvosos",
        "Desvio", "Desvio dias secos", "Desvio dias chuvosos"};
    const std::array<DefinicaoPar, 6> pares = {
        DefinicaoPar{TipoPar::MediaTodosDias, nullptr, v.Campos, v.Chave},
        Direto(v.Campos.XSe, v.Chave),
        Direto(v.Campos.XCh, v.Chave),
        DefinicaoPar{TipoPar::DesvioTodosDias, nullptr, v.Campos, v.Chave},
        Direto(v.Campos.SSe, v.Chave),
        Direto(v.Campos.SCh, v.Chave)};
    for (std::size_t i = 0; i < 6; ++i) {
        abas.push_back(
            {externa, "ts" + nomes[i], legendas[i], v.Titulos[i], v.Unidade, nomes[i], pares[i]});
    }
}

std::vector<AbaRegressao> CriarAbas() {
    const auto prec = &V::SimularPrec;
    std::vector<AbaRegressao> abas = {
        {0, "tsRegressaoMedia", "Média", "Média das precipitações diárias", " mm", "Media",
         Direto(&TDados::XPrec, prec)},
        {0, "tsRegressaoDesvio", "Desvio padrão", "Desvio padrão das precipitações diárias", " mm",
         "Desvio", Direto(&TDados::SPrec, prec)},
        {0, "tsRegressaoCoeficiente", "Coeficiente de assimetria",
         "Coeficiente de assimetria das precipitações diárias", "", "Coeficiente",
         Direto(&TDados::SkewPrec, prec), 0, 0.5},
        {0, "tsRegressaoPCC", "P(C/C)",
         "Probabilidade de ocorrência de um dia chuvoso tendo sido o dia anterior chuvoso", "",
         "PCC", Direto(&TDados::PCC, prec), 0.01, 0.01},
        {0, "tsRegressaoPCS", "P(C/S)",
         "Probabilidade de ocorrência de um dia chuvoso tendo sido o dia anterior seco", "", "PCS",
         Direto(&TDados::PCS, prec), 0.01, 0.01},
        {0, "tsRegressaoDiasChuvosos", "Dias chuvosos", "Número de dias chuvosos", " dias",
         "DiasChuvosos", DefinicaoPar{TipoPar::DiasChuvosos, nullptr, {}, prec}},
    };
    const VariavelClima clima[] = {
        {{&TDados::XTMaxSe, &TDados::XTMaxCh, &TDados::STMaxSe, &TDados::STMaxCh},
         "TMax",
         {"Média da temperatura máxima diária",
          "Média da temperatura máxima diária para dias secos",
          "Média da temperatura máxima diária para dias chuvosos",
          "Desvio da temperatura máxima diária",
          "Desvio da temperatura máxima diária para dias secos",
          "Desvio da temperatura máxima diária para dias chuvosos"},
         " °C",
         &V::SimularTMax},
        {{&TDados::XTMinSe, &TDados::XTMinCh, &TDados::STMinSe, &TDados::STMinCh},
         "TMin",
         {"Média da temperatura mínima diária",
          "Média da temperatura mínima diária para dias secos",
          "Média da temperatura mínima diária para dias chuvosos",
          "Desvio da temperatura mínima diária",
          "Desvio da temperatura mínima diária para dias secos",
          "Desvio da temperatura mínima diária para dias chuvosos"},
         " °C",
         &V::SimularTMin},
        {{&TDados::XRadSe, &TDados::XRadCh, &TDados::SRadSe, &TDados::SRadCh},
         "Rad",
         {"Média da radiação total diária", "Média da radiação total diária para dias secos",
          "Média da radiação total diária para dias chuvosos", "Desvio da radiação total diária",
          "Desvio da radiação total diária para dias secos",
          "Desvio da radiação total diária para dias chuvosos"},
         " MJ/m2/dia",
         &V::SimularRad},
        {{&TDados::XVVentoSe, &TDados::XVVentoCh, &TDados::SVVentoSe, &TDados::SVVentoCh},
         "VVento",
         {"Média da velocidade do vento diária", "Média da velocidade do vento diária",
          "Média da velocidade do vento diária", "Desvio da velocidade do vento diária",
          "Média da velocidade do vento diária", "Média da velocidade do vento diária"},
         " m/s",
         &V::SimularVVento},
        {{&TDados::XUmidSe, &TDados::XUmidCh, &TDados::SUmidSe, &TDados::SUmidCh},
         "Umid",
         {"Média da umidade total diária", "Média da umidade total diária para dias secos",
          "Média da umidade total diária para dias chuvosos", "Desvio da umidade total diária",
          "Desvio da umidade total diária para dias secos",
          "Desvio da umidade total diária para dias chuvosos"},
         " %",
         &V::SimularUmid},
    };
    int externa = 1;
    for (const VariavelClima& v : clima) AcrescentarClima(abas, externa++, v);
    return abas;
}

}  // namespace

std::string AbaRegressao::NomeEquacao() const {
    return (Externa == 0 ? "lblRegressaoEquacao" : "lblEquacao") + Sufixo;
}
std::string AbaRegressao::NomeR() const {
    return (Externa == 0 ? "lblRegressaoR" : "lblR") + Sufixo;
}
std::string AbaRegressao::NomeEpe() const {
    return (Externa == 0 ? "lblRegressaoEpe" : "lblEpe") + Sufixo;
}

const std::vector<AbaExterna>& AbasExternasRegressao() {
    static const std::vector<AbaExterna> abas = {
        {"tsPrecipitacao", "Precipitação", "pgRegressao"},
        {"tsTMax", "Temperatura máxima", "PageControl1"},
        {"tsTMin", "Temperatura mínima", "PageControl2"},
        {"tsRadiacao", "Radiação", "PageControl3"},
        {"tsVVento", "Velocidade do vento", "PageControl4"},
        {"tsUmidade", "Umidade", "PageControl5"},
    };
    return abas;
}

const std::vector<AbaRegressao>& AbasRegressao() {
    static const std::vector<AbaRegressao> abas = CriarAbas();
    return abas;
}

AbaRegressaoCalculada CalcularAbaRegressao(const AbaRegressao& aba, const Resultados& resultados,
                                           char separador) {
    AbaRegressaoCalculada c;
    c.Pares = CalcularPares(aba.Par, resultados);
    c.Regressao.CalcularRegressao(c.Pares.X, c.Pares.Y);
    const TRegressao& r = c.Regressao;
    c.Equacao = "Y = " + FormatarFixo(r.Inclinacao(), 3, separador) + " X";
    c.R2 = "r² = " + FormatarFixo(r.R2(), 3, separador);
    c.ErroPadrao =
        "Erro padrão da estimativa = " + FormatarFixo(r.ErroPadrao(), 2, separador) + aba.Unidade;
    c.LinhaX = {r.MinX(), r.MaxX()};
    c.LinhaY = {r.Inclinacao() * r.MinX(), r.Inclinacao() * r.MaxX()};
    PreencherTabela(c.Grade, c.Pares.X, c.Pares.Y, separador);
    return c;
}

}  // namespace ventaro
