#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/tdados.h"
#include "import/limites_observacao.h"

namespace ventaro {

// One month of daily rainfall of one station, as in the ANA "Chuvas" rows: day d of the month
// in Dias[d - 1], in mm; an empty cell is a missing day.
struct MesChuva {
    int64_t Estacao = 0;
    int Nivel = 1;  // NivelConsistencia: 1 raw, 2 consisted
    int64_t Ano = 0;
    int Mes = 1;
    std::array<std::optional<double>, 31> Dias{};
};

// Monthly rows of rainfall and what the user should know about their source.
struct LeituraChuvas {
    std::vector<MesChuva> Meses;
    // At most one line per source: the daily depths outside 0 to 500 mm (or not finite) that
    // were read as missing, so that their month is not accepted.
    std::vector<std::string> Avisos;
};

// The monthly rows of a HidroWeb rainfall export, CSV (2018 and 2025 variants: "," decimals,
// values possibly quoted, rows in any order) or the old CHUVAS.TXT ("//" comment lines), in
// file order. The header is found by name and columns are taken by name. A row that cannot be
// read, or dated outside kAnoMinimo..kAnoMaximo, fails with a message naming the file and the
// line; HTML tag lines after the last row are skipped. The file is read line by line and a
// month given again at the same station and consistency level is skipped (the first one
// counts, as in OrdenarMeses), so that memory follows the stations' records, not the file.
LeituraChuvas LerArquivoChuvas(const std::filesystem::path& arquivo);

// LerArquivoChuvas without the warnings.
std::vector<MesChuva> LerChuvasHidroweb(const std::filesystem::path& arquivo);

// Reads a day's depth of the month (Ano and Mes set) as missing when it is not physically
// possible, counting it in `impossiveis` at `onde` ("linha 12").
void ValidarChuvaDiaria(MesChuva& mes, ValoresImpossiveis& impossiveis, const std::string& onde);

// The rows of one station in calendar order with one row per month: when a month appears at
// both consistency levels the consisted one (2) is kept.
std::vector<MesChuva> OrdenarMeses(std::vector<MesChuva> meses);

// The accepted months of a station's ordered rows: whole calendar years, January to December,
// of months without empty days. A month is accepted only when it is the calendar month after
// the previously accepted one; an empty day or a missing month row drops the unfinished year
// and acceptance restarts at the next January. A station with 12 rows or fewer has none.
std::vector<MesChuva> MesesAceitos(const std::vector<MesChuva>& ordenados);

// The daily series behind the rainfall statistics: one total per calendar year from the first
// to the last accepted year, and the days of the years whose total is above 0, one after the
// other (a year with no rain at all, or with no accepted month, is left out whole).
struct SerieDiariaPrec {
    int64_t AnoInicial = 0;
    int64_t AnoFinal = -1;
    std::vector<double> TotaisAnuais;
    std::vector<double> Diarios;
    // Years that take part in the statistics.
    int NumAnos = 0;
};
SerieDiariaPrec MontarSerieDiaria(const std::vector<MesChuva>& aceitos);

// The rainfall parameters of a station from its monthly rows (any order, any levels): the
// rainfall block's DUmidos, DSecos, XPrec, SPrec, SkewPrec, PCC, PCS, the monthly totals' XTotal,
// STotal and CovTotalAnual over the same years, and the number of years.
struct ParametrosPrec {
    TDados Dados;
    int NumAnos = 0;
};
ParametrosPrec EstimarPrec(std::vector<MesChuva> meses);

// Fewer complete years than this and a station is not imported.
inline constexpr int kMinimoAnosPrec = 10;

// ANA codes of 5 to 7 digits zero-padded to 8.
std::string CodigoAna8(int64_t codigo);

// Whether the degrees encoded in an ANA code (digits 2-3 latitude, 4-5 longitude of the
// 8-digit code) are those of the station's coordinates.
bool CodigoConfereCoordenadas(int64_t codigo, double latitude, double longitude);

}  // namespace ventaro
