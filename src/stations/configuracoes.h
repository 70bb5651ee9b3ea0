#pragma once

#include <string>

#include "core/tdados.h"
#include "generator/tcalcular_serie_sintetica.h"

namespace ventaro {

// What the settings panel (or the command line) holds before confirmation: the two year fields
// as typed and the seven check boxes.
struct TextoConfiguracoes {
    std::string NumAnos;
    std::string APartir;
    bool Correcao = true;
    bool SimularPrec = false, SimularTMax = false, SimularTMin = false, SimularRad = false,
         SimularVVento = false, SimularUmid = false;
};

enum class ResultadoValidacao {
    Valida,
    CampoInvalido,      // empty, non-digits or beyond 32 bits: offer to restore the defaults
    FaltaEstacaoPrec,   // precipitation checked without a rainfall station
    FaltaEstacaoClima,  // a climate variable checked without a climatological station
};

struct Validacao {
    ResultadoValidacao Resultado = ResultadoValidacao::Valida;
    std::string Mensagem;  // the dialog's text; empty when valid
    ConfiguracaoSerie Configuracao;  // the settings to write when valid
};

// The panel's fields for the current settings and stations.
TextoConfiguracoes CarregarConfiguracoes(const ConfiguracaoSerie& config);

// Checks in the panel's order: year fields first, then the rainfall station, then the
// climatological station. Nothing is written here; the caller applies Configuracao when valid.
Validacao ValidarConfiguracoes(const TextoConfiguracoes& texto, const TDados& dados);

}  // namespace ventaro
