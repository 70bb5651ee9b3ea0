#pragma once

#include <filesystem>

#include "import/dados_clima.h"

namespace ventaro {

// Reads the INMET daily text file: one line per day, 25 fields separated by spaces (two-digit
// year, month, day, TMax, TMin, -, sunshine, then three observations of -, -, humidity %, -,
// wind m/s, precipitation mm). Days absent from the file are filled with the missing codes
// and make their month invalid; a month is valid when its last day's line is present and every
// line of the month holds plausible values. Radiation comes from sunshine at `latitude`.
// A line that cannot be read, or whose year is outside kAnoMinimo..kAnoMaximo, fails with a
// message naming the file and the line; HTML tag lines after the last day are skipped. Values
// that are neither the file's missing codes nor physically possible (a negative or non-finite
// number, temperatures below -30 C, wind from 75 to 99 m/s, a day's precipitation from 500 to
// 999 mm, sunshine giving more than 45 MJ/m2) are read as missing and reported in
// RegistroClima::Avisos. The file is read line by line: memory holds one record per year.
RegistroClima LerInmetTexto(const std::filesystem::path& arquivo, double latitude);

}  // namespace ventaro
