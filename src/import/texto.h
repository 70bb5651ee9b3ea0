#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ventaro {

// Lines of a text file, without their line ends (LF or CR LF). Text that is not valid UTF-8 is
// read as Latin-1 (the agencies' older exports) and converted. A file that cannot be opened
// fails with a message naming it.
std::vector<std::string> LerLinhasTexto(const std::filesystem::path& arquivo);

// Converts Latin-1 text to UTF-8 unless it is valid UTF-8 already.
std::string ParaUtf8(std::string_view texto);

std::string_view Aparar(std::string_view texto);
bool ComecaCom(std::string_view texto, std::string_view prefixo);
std::string Maiusculas(std::string_view texto);

// Fields of a separated line; a trailing separator does not add an empty field.
std::vector<std::string_view> DividirCampos(std::string_view linha, char separador);

// A decimal number written with either "." or "," as decimal separator, possibly between
// double quotes and without a leading zero (",5"). Empty text and "null" are missing values;
// anything else that is not a number is nullopt too, with `invalido` set.
std::optional<double> LerDecimal(std::string_view texto, bool* invalido = nullptr);

// A whole number (optional sign), or nullopt.
std::optional<long long> LerInteiro(std::string_view texto);

}  // namespace ventaro
