#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/configuracao_serie.h"
#include "core/tdados.h"

namespace ventaro {

// What the settings panel (or the command line) holds before confirmation: the two year fields
// as typed and the check boxes.
struct TextoConfiguracoes {
    std::string NumAnos;
    std::string APartir;
    bool Correcao = true;
    VariaveisSimuladas Variaveis;
    bool VariabilidadeAnual = false;
};

enum class ResultadoValidacao {
    Valida,
    CampoInvalido,      // empty, non-digits or beyond 32 bits: offer to restore the defaults
    FaltaEstacaoPrec,   // precipitation checked without a rainfall station
    FaltaEstacaoClima,  // a climate variable checked without a climatological station
    SemTotaisPrec,      // year-to-year variability without a rainfall station that has the totals
};

struct Validacao {
    ResultadoValidacao Resultado = ResultadoValidacao::Valida;
    std::string Mensagem;            // the dialog's text; empty when valid
    std::string Detalhe;             // the fields at fault and why, one line each
    ConfiguracaoSerie Configuracao;  // the settings to write when valid
};

// The panel's fields for the current settings and stations.
TextoConfiguracoes CarregarConfiguracoes(const ConfiguracaoSerie& config);

// The station labels of the settings panel: names, codes zero-padded (8 digits for the rainfall
// station, 5 for the climatological one; empty when 0) and coordinates through
// FormatarCoordenada (empty when 0).
struct RotulosEstacoes {
    std::string NomePrec, CodigoPrec, LatitudePrec, LongitudePrec;
    std::string NomeClima, CodigoClima, LatitudeClima, LongitudeClima;
    bool operator==(const RotulosEstacoes&) const = default;
};
RotulosEstacoes CarregarRotulosEstacoes(const TDados& dados);

// Whether the loaded rainfall station can give the year-to-year variability, in the panel's
// words: empty without a rainfall station.
std::string TextoVariabilidadeAnual(const TDados& dados);

// A year field as typed: only the digits 0-9, not empty, at most 4294967295.
std::optional<uint32_t> LerCampoInteiro(std::string_view texto);
// Why LerCampoInteiro refuses `texto` ("o campo está vazio", ...); empty when it accepts it.
std::string MotivoCampoInvalido(std::string_view texto);

// Checks in the panel's order: year fields first, then the rainfall station, then the
// climatological station, then the record's totals the year-to-year variability needs. Nothing
// is written here; the caller applies Configuracao when valid.
Validacao ValidarConfiguracoes(const TextoConfiguracoes& texto, const TDados& dados);

}  // namespace ventaro
