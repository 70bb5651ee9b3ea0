#include "output/texto_ascii.h"

#include "output/texto_windows1252.h"

namespace ventaro {

namespace {

// ASCII of the Windows-1252 bytes 0xC0-0xFF: the letters without their marks; '?' for the
// multiplication and division signs.
constexpr char kLetras[] =
    "AAAAAAACEEEEIIIIDNOOOOO?OUUUUYTs"
    "aaaaaaaceeeeiiiidnooooo?ouuuuyty";

char ParaAsciiByte(unsigned char b) {
    if (b >= 0x20 && b < 0x7F) return static_cast<char>(b);
    if (b >= 0xC0) return kLetras[b - 0xC0];
    switch (b) {
        case 0xA0:
            return ' ';
        case 0xAA:
            return 'a';
        case 0xBA:
            return 'o';
        case 0x8A:  // Š
            return 'S';
        case 0x8E:  // Ž
            return 'Z';
        case 0x9A:  // š
            return 's';
        case 0x9E:  // ž
            return 'z';
        case 0x9F:  // Ÿ
            return 'Y';
        default:
            return '?';
    }
}

}  // namespace

std::string ParaAscii(std::string_view utf8) {
    std::string texto = ParaWindows1252(utf8);
    for (char& c : texto) c = ParaAsciiByte(static_cast<unsigned char>(c));
    return texto;
}

}  // namespace ventaro
