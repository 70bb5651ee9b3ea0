#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/mensal.h"

namespace ventaro {

// Residual indices of TDadosDia::Res, in the order of the variables of matrices A and B.
inline constexpr int kResTMax = 0;
inline constexpr int kResTMin = 1;
inline constexpr int kResRad = 2;

// One day of imported climate observations. Humidity is a fraction 0-1, wind m/s, radiation
// MJ/m2/day, precipitation mm.
struct TDadosDia {
    double TMax = 0;
    double TMin = 0;
    double Rad = 0;
    double Umid = 0;
    double VVento = 0;
    double Prec = 0;
    // Standardised residuals of TMax, TMin and Rad (kResTMax, kResTMin, kResRad).
    std::array<double, 3> Res{};
    // Sunshine hours behind Rad, kept so that radiation can be recomputed once the station's
    // latitude is known. Days whose Rad is a missing code have no sunshine.
    std::optional<double> Insolacao;
};

// One calendar year of a station's record.
struct TDadosAno {
    explicit TDadosAno(int64_t ano);

    int64_t Ano;
    // The month is complete and plausible and takes part in the statistics.
    Mensal<bool> Valido;
    // Days of each month indexed by the day of the month; slot 0 is not used.
    Mensal<std::vector<TDadosDia>> Dias;
};

// What a file says about its station; every field may be absent.
struct IdentidadeArquivo {
    std::optional<std::string> Codigo;
    std::optional<std::string> Nome;
    std::optional<std::string> Municipio;
    std::optional<double> Latitude;
    std::optional<double> Longitude;
    std::optional<double> Altitude;
};

// A climatological station's daily record: years in calendar order, and the identity found in
// the source when it has one.
struct RegistroClima {
    std::vector<TDadosAno> Anos;
    IdentidadeArquivo Identidade;
    // What the user should know about the source although it was read: at most one line per
    // file, about values outside physical limits that were read as missing.
    std::vector<std::string> Avisos;

    // Number of years whose month is valid, per calendar month.
    Mensal<int> AnosValidos() const;
    // The smallest of the twelve counts.
    int NumAnos() const;
    // Year record of a calendar year, or nullptr.
    TDadosAno* Ano(int64_t ano);
};

// Latitude used when a station's own is not yet known (22.9 S).
inline constexpr double kLatitudePadrao = -22.9;

// Global solar radiation (MJ/m2/day) from sunshine hours n on day of the year J at latitude
// `latitude` in degrees (south negative): the Angstrom relation with the Glover-McCulloch
// coefficients, extraterrestrial radiation after Duffie and Beckman, declination by Cooper.
double RadiacaoInsolacao(double n, int dia_do_ano, double latitude);

// Day of the year, 1 for 1 January.
int DiaDoAno(int64_t ano, int mes, int dia);

// Recomputes Rad of every day that has sunshine hours, for the station's latitude.
void AtualizarRadiacao(RegistroClima& registro, double latitude);

}  // namespace ventaro
