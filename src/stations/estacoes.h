#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/configuracao_serie.h"
#include "core/tdados.h"
#include "stations/banco_dados.h"

namespace ventaro {

enum class TipoEstacao { Pluviometrica = 0, Climatologica = 1 };

// One row of the station grid, as shown: code, name, municipality, region, formatted latitude
// and longitude, altitude, years.
struct LinhaEstacao {
    std::string Codigo, Nome, Municipio, Regiao, Latitude, Longitude, Altitude, Anos;
    bool operator==(const LinhaEstacao&) const = default;
};

// All stations of a kind ordered by code.
std::vector<LinhaEstacao> ListarEstacoes(BancoDados& banco, TipoEstacao tipo);
// Stations whose code, name or municipality contains `texto` anywhere; the text is bound as a
// parameter, so quotes, % and ; are matched literally.
std::vector<LinhaEstacao> ProcurarEstacoes(BancoDados& banco, TipoEstacao tipo,
                                           std::string_view texto);

// Load the station `codigo` into its block of `dados` (the other block stays). A missing or
// duplicated month, or a station not found, fails with an ErroVentaro naming the station and
// the month; months already read stay in `dados`. A rainfall station brings the record's
// monthly totals when it has them (TemTotaisPrec).
void CarregarEstacaoPrec(BancoDados& banco, std::string_view codigo, TDados& dados);
void CarregarEstacaoClima(BancoDados& banco, std::string_view codigo, TDados& dados);

// Which variables the loaded parameters allow to simulate.
VariaveisSimuladas AjustarVariaveisSimuladas(const TDados& dados);

// Decimal degrees as degrees, minutes and truncated seconds with a hemisphere letter:
// "-20.7546" as latitude is "20° 45 ´ 16 ´´  S". `tipo` is "Latitude" or "Longitude". The text
// is read with at most four decimals (more are rounded), with "." or "," as separator; an
// empty text gives " ", and a text that is not a number fails with an ErroVentaro.
std::string FormatarCoordenada(std::string_view texto, std::string_view tipo);

// A coordinate as decimal text with at most four decimals, rounded: -20.75464 is "-20.7546",
// 5.5 is "5.5". The form FormatarCoordenada reads.
std::string TextoCoordenada(double graus);

}  // namespace ventaro
