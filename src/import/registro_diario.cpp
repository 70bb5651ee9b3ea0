#include "import/registro_diario.h"

#include <map>
#include <tuple>

#include "core/erro.h"
#include "import/limites_observacao.h"

namespace ventaro {

bool DiaCompleto(const DiaObservado& dia) {
    if (dia.Impossivel) return false;
    if (!dia.TMax || !dia.TMin || !dia.Insolacao || !dia.Umid || !dia.VVento || !dia.Prec) {
        return false;
    }
    return *dia.TMax <= 60 && *dia.TMin <= 60 && *dia.Insolacao >= 0 && *dia.Insolacao < 20 &&
           *dia.Umid >= 0 && *dia.Umid <= 1 && *dia.VVento >= 0 && *dia.VVento <= 60 &&
           *dia.Prec >= 0 && *dia.Prec <= 999;
}

void DiasPorData::Juntar(const DiaObservado& dia) {
    auto [it, novo] = dias_.try_emplace({dia.Dia.ano, dia.Dia.mes, dia.Dia.dia}, dia);
    if (novo) return;
    DiaObservado& d = it->second;
    for (auto campo : {&DiaObservado::TMax, &DiaObservado::TMin, &DiaObservado::Insolacao,
                       &DiaObservado::Umid, &DiaObservado::VVento, &DiaObservado::Prec}) {
        if (dia.*campo) d.*campo = dia.*campo;
    }
    d.Impossivel = d.Impossivel || dia.Impossivel;
}

std::vector<DiaObservado> DiasPorData::Dias() const {
    std::vector<DiaObservado> dias;
    dias.reserve(dias_.size());
    for (const auto& [chave, dia] : dias_) dias.push_back(dia);
    return dias;
}

RegistroClima MontarRegistro(const std::vector<DiaObservado>& dias, double latitude) {
    DiasPorData juntos;
    for (const DiaObservado& dia : dias) {
        if (!AnoAceito(dia.Dia.ano))
            throw ErroVentaro("Data com " + MotivoAnoFora(dia.Dia.ano) + ".");
        juntos.Juntar(dia);
    }
    const std::vector<DiaObservado> por_data = juntos.Dias();
    RegistroClima registro;
    if (por_data.empty()) return registro;
    const int64_t primeiro = por_data.front().Dia.ano;
    const int64_t ultimo = por_data.back().Dia.ano;
    for (int64_t ano = primeiro; ano <= ultimo; ++ano) {
        registro.Anos.emplace_back(ano);
        for (int mes = 1; mes <= 12; ++mes) registro.Anos.back().Valido[mes] = true;
    }
    // Every day without a complete observation invalidates its month, including days absent
    // from the source.
    std::vector<Mensal<int>> completos(registro.Anos.size());
    for (const DiaObservado& dia : por_data) {
        const auto [ano, mes, d] = dia.Dia;
        if (!DiaCompleto(dia)) continue;
        TDadosAno& registro_ano = registro.Anos[static_cast<std::size_t>(ano - primeiro)];
        TDadosDia& destino = registro_ano.Dias[mes][static_cast<std::size_t>(d)];
        destino.TMax = *dia.TMax;
        destino.TMin = *dia.TMin;
        destino.Insolacao = *dia.Insolacao;
        destino.Rad = RadiacaoInsolacao(*dia.Insolacao, DiaDoAno(ano, mes, d), latitude);
        destino.Umid = *dia.Umid;
        destino.VVento = *dia.VVento;
        destino.Prec = *dia.Prec;
        ++completos[static_cast<std::size_t>(ano - primeiro)][mes];
    }
    for (std::size_t i = 0; i < registro.Anos.size(); ++i) {
        TDadosAno& ano = registro.Anos[i];
        for (int mes = 1; mes <= 12; ++mes) {
            ano.Valido[mes] = completos[i][mes] == DiasNoMes(ano.Ano, mes);
        }
    }
    return registro;
}

}  // namespace ventaro
