#pragma once

#include <filesystem>

#include "import/dados_clima.h"

namespace ventaro {

// Reads the INMET daily text file: one line per day, 25 fields separated by spaces (two-digit
// year, month, day, TMax, TMin, -, sunshine, then three observations of -, -, humidity %, -,
// wind m/s, precipitation mm). Days absent from the file are filled with the missing codes
// and make their month invalid; a month is valid when its last day's line is present and every
// line of the month holds plausible values. Radiation comes from sunshine at `latitude`.
// A line that cannot be read fails with a message naming the file and the line.
RegistroClima LerInmetTexto(const std::filesystem::path& arquivo, double latitude);

}  // namespace ventaro
