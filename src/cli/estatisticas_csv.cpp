#include "cli/estatisticas_csv.h"

#include <variant>

#include "output/formato_numero.h"

namespace ventaro {

namespace {

using CampoMensal = std::variant<Mensal<int32_t> TDados::*, Mensal<double> TDados::*>;

struct Campo {
    const char* nome;
    CampoMensal campo;
};

// In the order of the statistics: occurrence, depth, storms, then the climate variables with
// dry-day and wet-day means and deviations.
const Campo kCampos[] = {
    {"DUmidos", &TDados::DUmidos},
    {"DSecos", &TDados::DSecos},
    {"PCC", &TDados::PCC},
    {"PCS", &TDados::PCS},
    {"XPrec", &TDados::XPrec},
    {"SPrec", &TDados::SPrec},
    {"SkewPrec", &TDados::SkewPrec},
    {"XDur", &TDados::XDur},
    {"SDur", &TDados::SDur},
    {"XTi", &TDados::XTi},
    {"STi", &TDados::STi},
    {"XIi", &TDados::XIi},
    {"SIi", &TDados::SIi},
    {"XTMaxSe", &TDados::XTMaxSe},
    {"XTMaxCh", &TDados::XTMaxCh},
    {"STMaxSe", &TDados::STMaxSe},
    {"STMaxCh", &TDados::STMaxCh},
    {"XTMinSe", &TDados::XTMinSe},
    {"XTMinCh", &TDados::XTMinCh},
    {"STMinSe", &TDados::STMinSe},
    {"STMinCh", &TDados::STMinCh},
    {"XRadSe", &TDados::XRadSe},
    {"XRadCh", &TDados::XRadCh},
    {"SRadSe", &TDados::SRadSe},
    {"SRadCh", &TDados::SRadCh},
    {"XVVentoSe", &TDados::XVVentoSe},
    {"XVVentoCh", &TDados::XVVentoCh},
    {"SVVentoSe", &TDados::SVVentoSe},
    {"SVVentoCh", &TDados::SVVentoCh},
    {"XUmidSe", &TDados::XUmidSe},
    {"XUmidCh", &TDados::XUmidCh},
    {"SUmidSe", &TDados::SUmidSe},
    {"SUmidCh", &TDados::SUmidCh},
};

void AcrescentarValor(std::string& linha, const TDados& dados, const CampoMensal& campo, int mes) {
    std::visit(
        [&](auto ponteiro) {
            AcrescentarFormatoGeral(linha, static_cast<double>((dados.*ponteiro)[mes]), '.');
        },
        campo);
}

}  // namespace

std::string TextoEstatisticas(const TDados& observado, const TDados& gerado) {
    std::string texto = "campo,mes,observado,gerado\n";
    for (const Campo& c : kCampos) {
        for (int mes = 1; mes <= 12; ++mes) {
            texto += c.nome;
            texto += ',';
            texto += std::to_string(mes);
            texto += ',';
            AcrescentarValor(texto, observado, c.campo, mes);
            texto += ',';
            AcrescentarValor(texto, gerado, c.campo, mes);
            texto += '\n';
        }
    }
    return texto;
}

}  // namespace ventaro
