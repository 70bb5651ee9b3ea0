#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/mensal.h"
#include "core/tmatriz.h"

namespace ventaro {

// Depth class 0-11 of a day's depth in mm: below 20 mm, floor(P/5); 20 to below 90 mm,
// floor(P/10) + 2; 90 mm or more, class 11. Lower bounds are inclusive.
inline int ClasseLamina(double p) {
    return p < 20 ? static_cast<int>(p / 5.0) : p < 90 ? static_cast<int>(p / 10.0) + 2 : 11;
}

inline constexpr int kNumClasses = 12;

// One regional storm-law table: month (1-12) by depth class (0-11).
using TabelaRegional = Mensal<std::array<double, kNumClasses>>;

// Monthly parameters of one rainfall station (with its region's storm laws) and of one
// climatological station. Field names are the station database's column names. A new
// container holds zeros, empty names and 3x3 zero matrices.
struct TDados {
    TDados();

    // Names keep at most 31 characters (counted as characters, not bytes).
    const std::string& Nome() const { return nome_; }
    void SetNome(std::string_view nome);
    const std::string& NomeClima() const { return nome_clima_; }
    void SetNomeClima(std::string_view nome);

    // Rainfall-station block.
    int32_t CodEstacao = 0;
    int32_t Regiao = 0;
    double Altitude = 0;
    double Latitude = 0;
    double Longitude = 0;
    Mensal<int32_t> DUmidos;
    Mensal<int32_t> DSecos;
    Mensal<double> XPrec, SPrec, SkewPrec, PCC, PCS;

    // Year-to-year variability of the record's rainfall (table TotaisPrec): for each month the
    // mean and sample deviation of its totals over the years, and the sample covariance of its
    // totals with the annual totals; the twelve covariances add up to the variance of the annual
    // totals. A station imported before these were kept has none (TemTotaisPrec false).
    bool TemTotaisPrec = false;
    Mensal<double> XTotal, STotal, CovTotalAnual;

    // Regional storm laws, [month][depth class].
    TabelaRegional AlfaDur, BetaDur, AlfaIi, BetaIi, BetaTi;

    // Climatological-station block.
    int32_t CodEstacaoClima = 0;
    double LatitudeClima = 0;
    double LongitudeClima = 0;
    // Altitude in m: not used by the model, only named in the files of other models that ask
    // for the station's elevation.
    double AltitudeClima = 0;
    Mensal<int32_t> DUmidosClima;
    Mensal<int32_t> DSecosClima;
    Mensal<double> XTMaxSe, XTMaxCh, STMaxSe, STMaxCh;
    Mensal<double> XTMinSe, XTMinCh, STMinSe, STMinCh;
    Mensal<double> XRadSe, XRadCh, SRadSe, SRadCh;
    Mensal<double> XVVentoSe, XVVentoCh, SVVentoSe, SVVentoCh, SkewVVentoSe, SkewVVentoCh;
    Mensal<double> XUmidSe, XUmidCh, SUmidSe, SUmidCh;
    Mensal<TMatriz> MatrizA;
    Mensal<TMatriz> MatrizB;
    double XResJanTMax = 0;
    double XResJanTMin = 0;
    double XResJanRad = 0;

    // Statistics slots, filled only in the generated-statistics instance.
    Mensal<double> XTi, STi, XIi, SIi, XDur, SDur;

    // Field by field, names included (a NaN field makes two containers differ).
    bool operator==(const TDados&) const = default;

  private:
    std::string nome_;
    std::string nome_clima_;
};

// Cuts a UTF-8 text to its first `max_caracteres` characters.
std::string CortarNome(std::string_view texto, std::size_t max_caracteres = 31);

}  // namespace ventaro
