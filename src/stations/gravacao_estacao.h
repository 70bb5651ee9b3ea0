#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/tdados.h"
#include "stations/banco_dados.h"

namespace ventaro {

// Identification of a station being written into the station database.
struct IdentidadeEstacao {
    int64_t Codigo = 0;
    std::string Nome;
    std::string Municipio;
    int Regiao = 0;
    double Latitude = 0;
    double Longitude = 0;
    // Unknown altitudes (ANA's inventory leaves some blank) are stored as no value.
    std::optional<double> Altitude;
};

// What a station's identity may hold. Codes are positive and at most eight digits (ANA's
// rainfall codes are eight, INMET's five); coordinates are degrees; the altitude in metres
// spans the Dead Sea shore to the highest peaks.
inline constexpr int64_t kCodigoMinimo = 1;
inline constexpr int64_t kCodigoMaximo = 99999999;
inline constexpr double kLatitudeMaxima = 90.0;
inline constexpr double kLongitudeMaxima = 180.0;
inline constexpr double kAltitudeMinima = -500.0;
inline constexpr double kAltitudeMaxima = 9000.0;

// The first value of the identity that no station can have, as a sentence naming the field and
// the allowed range ("Latitude fora do intervalo de -90 a 90 graus: 100."); nullopt when every
// value is possible.
std::optional<std::string> ProblemaIdentidade(const IdentidadeEstacao& estacao);

enum class ResultadoGravacao { Nova, Substituida };

// Whether the station code is already in EstacaoClima / EstacaoPrec.
bool ExisteEstacaoClima(BancoDados& banco, int64_t codigo);
bool ExisteEstacaoPrec(BancoDados& banco, int64_t codigo);

// Writes a climatological station: its EstacaoClima row (with NumAnos and the initial
// residuals XResJan* of `clima`) and twelve DadosClima rows from the climatological block of
// `clima`. An existing station of the same code is replaced (its months deleted before the
// station). An identity ProblemaIdentidade refuses is never written. Everything runs in one
// transaction: on any failure the database is left exactly as it was and an ErroVentaro names
// the station.
ResultadoGravacao GravarEstacaoClima(BancoDados& banco, const IdentidadeEstacao& estacao,
                                     const TDados& clima, int num_anos);

// Writes a rainfall station: its EstacaoPrec row and twelve DadosPrec rows from the rainfall
// block of `prec` (DUmidos, DSecos, XPrec, SPrec, SkewPrec, PCC, PCS), and, when it has them,
// twelve TotaisPrec rows (XTotal, STotal, CovTotalAnual), creating that table in a database made
// before it existed; an existing station of the same code is replaced whole, in one transaction
// like GravarEstacaoClima.
ResultadoGravacao GravarEstacaoPrec(BancoDados& banco, const IdentidadeEstacao& estacao,
                                    const TDados& prec, int num_anos);

}  // namespace ventaro
