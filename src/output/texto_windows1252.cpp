#include "output/texto_windows1252.h"

#include <cstdint>

namespace ventaro {

namespace {

// Code points of bytes 0x80-0x9F in Windows-1252; 0 marks the five unassigned bytes.
constexpr char32_t kFaixa80[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                   0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                   0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                   0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char ParaByte(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
    for (int i = 0; i < 32; ++i) {
        if (kFaixa80[i] == c && c != 0) return static_cast<char>(0x80 + i);
    }
    return '?';
}

bool Continuacao(unsigned char b) {
    return (b & 0xC0) == 0x80;
}

}  // namespace

std::string ParaWindows1252(std::string_view utf8) {
    std::string saida;
    saida.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        if (b < 0x80) {
            saida += static_cast<char>(b);
            ++i;
            continue;
        }
        // Length and the allowed range of the second byte, which rules out overlong forms,
        // surrogates and code points past U+10FFFF.
        int comprimento = 0;
        unsigned char min2 = 0x80;
        unsigned char max2 = 0xBF;
        char32_t c = 0;
        if (b >= 0xC2 && b <= 0xDF) {
            comprimento = 2;
            c = b & 0x1F;
        } else if (b >= 0xE0 && b <= 0xEF) {
            comprimento = 3;
            c = b & 0x0F;
            if (b == 0xE0) min2 = 0xA0;
            if (b == 0xED) max2 = 0x9F;
        } else if (b >= 0xF0 && b <= 0xF4) {
            comprimento = 4;
            c = b & 0x07;
            if (b == 0xF0) min2 = 0x90;
            if (b == 0xF4) max2 = 0x8F;
        } else {
            saida += '?';
            ++i;
            continue;
        }
        // A malformed sequence becomes one '?' for its longest valid beginning.
        std::size_t j = i + 1;
        bool valida = true;
        for (int k = 1; k < comprimento; ++k, ++j) {
            if (j >= utf8.size()) {
                valida = false;
                break;
            }
            const auto cb = static_cast<unsigned char>(utf8[j]);
            const bool aceito = k == 1 ? (cb >= min2 && cb <= max2) : Continuacao(cb);
            if (!aceito) {
                valida = false;
                break;
            }
            c = (c << 6) | (cb & 0x3F);
        }
        saida += valida ? ParaByte(c) : '?';
        i = j;
    }
    return saida;
}

}  // namespace ventaro
