#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "erosivity/erosividade_estacao.h"
#include "erosivity/exportador_planilha.h"

namespace ventaro {

// The text files of a batch, under its folder "teste2": one per month ("Janeiro.txt" ...),
// "Anual.txt", and the long-term means "media/mediaJaneiro.txt" ... "media/mediaAnual.txt".
std::filesystem::path ArquivoErosividade(const std::filesystem::path& teste2, int periodo,
                                         bool media);

// The lines a file gets when it is created: "Mes de Janeiro" (the annual file "Anual", a mean
// file the bare period name), an empty line and the column headings.
std::array<std::string, 3> CabecalhoErosividade(int periodo, bool media);

// The lines (without line ends) one station adds to each text file. Month and year lines:
// code "00000000", month and year "mm/yyyy" (the year file: "yyyy"), latitude and longitude
// "00.00", altitude "000.0" and the four sums "00000.00"; mean lines the same without the date.
// Numbers have a decimal comma.
struct LinhasErosividade {
    std::array<std::vector<std::string>, kNumPeriodos> Periodos;  // [periodo - 1]
    std::array<std::string, kNumPeriodos> Medias;                 // [periodo - 1]
};
LinhasErosividade FormatarErosividade(const ErosividadeEstacao& e);

// Appends `linhas` to a text file in Windows-1252 with CR LF line ends. A file that does not
// exist yet, or is empty, gets `cabecalho` first. Fails with an ErroVentaro naming the file.
void AcrescentarLinhas(const std::filesystem::path& arquivo,
                       const std::array<std::string, 3>& cabecalho,
                       const std::vector<std::string>& linhas);

// Creates the folders "teste2" and "teste2/media" when they are missing.
void CriarPastasErosividade(const std::filesystem::path& teste2);

// Appends one station's lines to the 26 text files under `teste2`.
void GravarErosividade(const std::filesystem::path& teste2, const ErosividadeEstacao& e);

// The workbook of a batch: one sheet per period, "Janeiro" ... "Dezembro", "Anual", each with
// the headings "Estacao", "Latitude", "Longitude", "Altitude", "KE25f", "KE25wm", "EI30f",
// "EI30wm" in row 1.
void PrepararPlanilha(ExportadorPlanilha& planilha);
// Row `linha` of every sheet: the code "00000000" as text, the coordinates and altitude as
// numbers and the period's four means truncated toward zero to integers.
void EscreverLinhaPlanilha(ExportadorPlanilha& planilha, int linha, const ErosividadeEstacao& e);

}  // namespace ventaro
