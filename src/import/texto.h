#pragma once

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ventaro {

// Longest line a text export may have. Real lines are below 1 KiB; the bound keeps a file with
// no line ends from being held whole.
inline constexpr std::size_t kMaximoLinha = 1 << 20;

// Reads a text file one line at a time, so that memory does not grow with the file. Lines come
// without their line ends (LF or CR LF); a byte-order mark before the first line is dropped; a
// line that is not valid UTF-8 is read as Latin-1 (the agencies' older exports) and converted. A
// file that cannot be opened or read, or a line longer than kMaximoLinha, fails with a message
// naming the file (and the line).
class LeitorLinhas {
  public:
    explicit LeitorLinhas(const std::filesystem::path& arquivo);

    // Moves to the next line; false at the end of the file.
    bool Proxima();
    const std::string& Linha() const { return linha_; }
    // 1-based number of the current line.
    std::size_t Numero() const { return numero_; }

  private:
    bool EncherBuffer();
    [[noreturn]] void FalharLinhaLonga() const;

    std::filesystem::path arquivo_;
    std::ifstream entrada_;
    std::string buffer_;
    std::size_t pos_ = 0;
    bool fim_ = false;
    std::string linha_;
    std::size_t numero_ = 0;
};

// Converts Latin-1 text to UTF-8 unless it is valid UTF-8 already.
std::string ParaUtf8(std::string_view texto);

// Text from an input file as it may be shown in a message, a terminal or a station's name:
// control characters (C0, DEL and C1) are written as escapes ("\x1b", "\u009b"), so that what a
// file holds can never drive the terminal; a tab is "\t". The text must be valid UTF-8 (what
// LeitorLinhas and ParaUtf8 give); other bytes are escaped as "\xHH" too.
std::string TextoSeguro(std::string_view texto);

// At most `maximo` bytes of UTF-8 text, cut before a character rather than inside it.
std::string_view CortarUtf8(std::string_view texto, std::size_t maximo);

// A line made only of HTML tags ("</pre>", "<br>"), left by exports saved from a web page.
bool EhMarcacaoHtml(std::string_view linha);

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
