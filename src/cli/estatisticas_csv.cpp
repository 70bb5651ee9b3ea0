#include "cli/estatisticas_csv.h"

#include <string>
#include <utility>
#include <variant>

#include "core/totais_prec.h"

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

void AcrescentarLinha(std::string& texto, const char* campo, const std::string& mes,
                      double observado, double gerado) {
    texto += campo;
    texto += ',';
    texto += mes;
    texto += ',';
    AcrescentarFormatoGeral(texto, observado, '.');
    texto += ',';
    AcrescentarFormatoGeral(texto, gerado, '.');
    texto += '\n';
}

double Cv(double desvio, double media) {
    return media != 0 ? desvio / media : 0.0;
}

void AcrescentarInteranuais(std::string& texto, const TDados& observado, const TDados& gerado) {
    for (const auto& [nome, campo] :
         {std::pair{"XTotal", &TDados::XTotal}, std::pair{"STotal", &TDados::STotal}}) {
        for (int mes = 1; mes <= 12; ++mes) {
            AcrescentarLinha(texto, nome, std::to_string(mes), (observado.*campo)[mes],
                             (gerado.*campo)[mes]);
        }
    }
    AcrescentarLinha(texto, "XTotalAnual", "", XTotalAnual(observado), XTotalAnual(gerado));
    AcrescentarLinha(texto, "STotalAnual", "", STotalAnual(observado), STotalAnual(gerado));
    AcrescentarLinha(texto, "CVTotalAnual", "", Cv(STotalAnual(observado), XTotalAnual(observado)),
                     Cv(STotalAnual(gerado), XTotalAnual(gerado)));
}

}  // namespace

std::string TextoEstatisticas(const TDados& observado, const TDados& gerado, bool interanual,
                              std::string_view cenario) {
    std::string texto;
    if (!cenario.empty()) {
        texto = "# cenário ";
        for (const char c : cenario) {
            const auto b = static_cast<unsigned char>(c);
            texto += b < 0x20 || b == 0x7F ? '?' : c;
        }
        texto += "; observado: o registro da estação, sem o cenário\n";
    }
    texto += "campo,mes,observado,gerado\n";
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
    if (interanual) AcrescentarInteranuais(texto, observado, gerado);
    return texto;
}

}  // namespace ventaro
