#include "views/valores_mensais.h"

namespace ventaro {

namespace {

constexpr FormatoEixo kInteiro{.Casas = 0};
constexpr FormatoEixo kAutomatico{};
constexpr FormatoEixo kMilhar{.Milhar = true};

DefinicaoPar Direto(CampoMensal campo, bool VariaveisSimuladas::*chave) {
    return {TipoPar::Direto, campo, {}, chave};
}
DefinicaoPar SoGerado(CampoMensal campo) {
    return {TipoPar::SoGerado, campo, {}, &VariaveisSimuladas::SimularPrec};
}

struct VariavelClima {
    CamposClima Campos;
    const char* Stem;
    const char* Substantivo;
    const char* SufixoSeco;
    const char* SufixoChuvoso;
    const char* EixoY;
    FormatoEixo Eixo;
    bool VariaveisSimuladas::*Chave;
};

void AcrescentarClima(std::vector<AbaMensal>& abas, int externa, const VariavelClima& v) {
    const std::string base = std::string(" da ") + v.Substantivo + " diária";
    const std::string stem = v.Stem;
    const auto aba = [&](std::string nome, const char* legenda, std::string titulo,
                         DefinicaoPar par) {
        abas.push_back(
            {externa, "tsValoresMensais" + nome, legenda, std::move(titulo), v.EixoY, v.Eixo, par});
    };
    aba("X" + stem, "Média", "Média" + base, {TipoPar::MediaTodosDias, nullptr, v.Campos, v.Chave});
    aba("X" + stem + "Se", "Média dias secos", "Média" + base + v.SufixoSeco,
        Direto(v.Campos.XSe, v.Chave));
    aba("X" + stem + "Ch", "Média dias chuvosos", "Média" + base + v.SufixoChuvoso,
        Direto(v.Campos.XCh, v.Chave));
    aba("S" + stem, "Desvio", "Desvio" + base,
        {TipoPar::DesvioTodosDias, nullptr, v.Campos, v.Chave});
    aba("S" + stem + "Se", "Desvio dias secos", "Desvio" + base + v.SufixoSeco,
        Direto(v.Campos.SSe, v.Chave));
    aba("S" + stem + "Ch", "Desvio dias chuvosos", "Desvio" + base + v.SufixoChuvoso,
        Direto(v.Campos.SCh, v.Chave));
}

std::vector<AbaMensal> CriarAbas() {
    using V = VariaveisSimuladas;
    const auto prec = &V::SimularPrec;
    std::vector<AbaMensal> abas = {
        {0, "tsValoresMensaisMedia", "Média", "Média das precipitações diárias",
         "Precipitação (mm)", kInteiro, Direto(&TDados::XPrec, prec)},
        {0, "tsValoresMensaisDesvio", "Desvio padrão", "Desvio padrão das precipitações diárias",
         "Precipitação (mm)", kInteiro, Direto(&TDados::SPrec, prec)},
        {0, "tsValoresMensaisCoeficiente", "Coeficiente de assimetria",
         "Coeficiente de assimetria das precipitações diárias", "Coeficiente de assimetria",
         kInteiro, Direto(&TDados::SkewPrec, prec)},
        {0, "tsValoresMensaisPCC", "P(C/C)",
         "Probabilidade de ocorrência de um dia chuvoso tendo sido o dia anterior chuvoso",
         "P(C/C)", kAutomatico, Direto(&TDados::PCC, prec)},
        {0, "tsValoresMensaisPCS", "P(C/S)",
         "Probabilidade de ocorrência de um dia chuvoso tendo sido o dia anterior seco", "P(C/S)",
         kAutomatico, Direto(&TDados::PCS, prec)},
        {0,
         "tsValoresMensaisDiasChuvosos",
         "Dias chuvosos",
         "Números de dias chuvosos",
         "Dias",
         kInteiro,
         {TipoPar::DiasChuvosos, nullptr, {}, prec}},
        {0, "tsValoresMensaisDuracao", "Duração", "Duração média das precipitações", "Duração (h)",
         kInteiro, SoGerado(&TDados::XDur)},
        {0, "tsValoresMensaisDesvioDuracao", "Desvio Duração",
         "Desvio padrão da duração das precipitações", "Duração (h)", kInteiro,
         SoGerado(&TDados::SDur)},
        {0, "tsValoresMensaisTempoIntensNorma", "    ti*",
         "Média do tempo padronizado de ocorrência da intensidade máxima instantânea",
         "ti* (adimensional)", kAutomatico, SoGerado(&TDados::XTi)},
        {0, "tsValoresMensaisDesvioTempo", "Desvio ti*",
         "Desvio padrão do tempo padronizado de ocorrência da intensidade máxima instantânea",
         "ti* (adimensional)", kAutomatico, SoGerado(&TDados::STi)},
        {0, "tsValoresMensaisIntensInstNorma", "    ii", "Média da intensidade máxima instantânea",
         "ii (mm/h)", kMilhar, SoGerado(&TDados::XIi)},
        {0, "tsValoresMensaisDesvioIntensidade", "Desvio ii",
         "Desvio padrão da intensidade máxima instantânea", "ii (mm/h)", kMilhar,
         SoGerado(&TDados::SIi)},
    };
    const VariavelClima clima[] = {
        {{&TDados::XTMaxSe, &TDados::XTMaxCh, &TDados::STMaxSe, &TDados::STMaxCh},
         "TMax",
         "temperatura máxima",
         " dos dias secos",
         " dos dias chuvosos",
         "Temperatura (ºC)",
         kInteiro,
         &V::SimularTMax},
        {{&TDados::XTMinSe, &TDados::XTMinCh, &TDados::STMinSe, &TDados::STMinCh},
         "TMin",
         "temperatura mínima",
         " dos dias secos",
         " dos dias chuvosos",
         "Temperatura (ºC)",
         kInteiro,
         &V::SimularTMin},
        {{&TDados::XRadSe, &TDados::XRadCh, &TDados::SRadSe, &TDados::SRadCh},
         "Rad",
         "radiação total",
         " dos dias secos",
         " dos dias chuvosos",
         "Radiação (MJ/m2/dia)",
         kInteiro,
         &V::SimularRad},
        {{&TDados::XVVentoSe, &TDados::XVVentoCh, &TDados::SVVentoSe, &TDados::SVVentoCh},
         "VVento",
         "velocidade do vento total",
         " nos dias secos",
         " nos dias chuvosos",
         "Velocidade (m/s)",
         FormatoEixo{.Casas = 1},
         &V::SimularVVento},
        {{&TDados::XUmidSe, &TDados::XUmidCh, &TDados::SUmidSe, &TDados::SUmidCh},
         "Umid",
         "umidade total",
         " dos dias secos",
         " dos dias chuvosos",
         "Umidade (%)",
         FormatoEixo{.Casas = 2},
         &V::SimularUmid},
    };
    int externa = 1;
    for (const VariavelClima& v : clima) AcrescentarClima(abas, externa++, v);
    return abas;
}

}  // namespace

const std::vector<AbaExterna>& AbasExternasMensais() {
    static const std::vector<AbaExterna> abas = {
        {"tsPrecipitacao", "Precipitação", "PageControl0"},
        {"tsTMax", "Temperatura máxima", "PageControl1"},
        {"tsTMin", "Temperatura mínima", "PageControl2"},
        {"tsRadiacao", "Radiação", "PageControl3"},
        {"TabSheet1", "Velocidade do vento", "PageControl4"},
        {"tsUmidade", "Umidade", "PageControl5"},
    };
    return abas;
}

const std::vector<AbaMensal>& AbasMensais() {
    static const std::vector<AbaMensal> abas = CriarAbas();
    return abas;
}

AbaMensalCalculada CalcularAbaMensal(const AbaMensal& aba, const Resultados& resultados,
                                     char separador) {
    AbaMensalCalculada calculada;
    calculada.Pares = CalcularPares(aba.Par, resultados);
    calculada.SoGerado = aba.Par.Tipo == TipoPar::SoGerado;
    if (calculada.SoGerado) {
        PreencherSoGerado(calculada.Grade, calculada.Pares.Y, separador);
    } else {
        PreencherComparacao(calculada.Grade, calculada.Pares.X, calculada.Pares.Y, separador);
    }
    return calculada;
}

}  // namespace ventaro
