#include "output/texto_windows1252.h"

#include <gtest/gtest.h>

namespace ventaro {
namespace {

TEST(ParaWindows1252, KeepsAsciiAndMapsLatinLetters) {
    EXPECT_EQ(ParaWindows1252("Prec(mm) 12.5\r\n"), "Prec(mm) 12.5\r\n");
    EXPECT_EQ(ParaWindows1252("Estação Pluviométrica"), "Esta\xE7\xE3o Pluviom\xE9trica");
    EXPECT_EQ(ParaWindows1252("°C Ñ ü"),
              "\xB0"
              "C \xD1 \xFC");
}

TEST(ParaWindows1252, MapsTheTypographicCharactersOfTheEightiesRange) {
    EXPECT_EQ(ParaWindows1252("€ – — ‘’ “” … Œ Ÿ ™"),
              "\x80 \x96 \x97 \x91\x92 \x93\x94 \x85 \x8C \x9F \x99");
}

TEST(ParaWindows1252, ReplacesWhatItCannotHoldWithQuestionMarks) {
    EXPECT_EQ(ParaWindows1252("a日b"), "a?b");
    EXPECT_EQ(ParaWindows1252("😀"), "?");
    EXPECT_EQ(ParaWindows1252("\xC2\x81"), "?");  // a C1 control
    EXPECT_EQ(ParaWindows1252("Ł"), "?");
}

TEST(ParaWindows1252, ReplacesMalformedUtf8WithoutSwallowingTheTextAfterIt) {
    EXPECT_EQ(ParaWindows1252("a\xC3"), "a?");  // cut at the end
    EXPECT_EQ(ParaWindows1252("\xC3"
                              "A"),
              "?A");                                    // missing continuation
    EXPECT_EQ(ParaWindows1252("\xC0\xAF"), "??");       // overlong
    EXPECT_EQ(ParaWindows1252("\xED\xA0\x80"), "???");  // surrogate
    EXPECT_EQ(ParaWindows1252("\xE2\x82"
                              "x"),
              "?x");                                         // truncated three-byte form
    EXPECT_EQ(ParaWindows1252("\xF4\x90\x80\x80"), "????");  // past U+10FFFF
    EXPECT_EQ(ParaWindows1252("\xFF"), "?");
}

}  // namespace
}  // namespace ventaro
