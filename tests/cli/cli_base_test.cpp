#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "cli/estatisticas_csv.h"
#include "cli/progresso_terminal.h"
#include "cli/separador_decimal.h"
#include "core/calendario.h"

namespace ventaro {
namespace {

TEST(SeparadorDecimalDoLocale, CommaForPortugueseAndSimilarPointOtherwise) {
    EXPECT_EQ(SeparadorDecimalDoLocale("pt_BR.UTF-8"), ',');
    EXPECT_EQ(SeparadorDecimalDoLocale("pt_BR"), ',');
    EXPECT_EQ(SeparadorDecimalDoLocale("pt_PT.utf8"), ',');
    EXPECT_EQ(SeparadorDecimalDoLocale("de_DE@euro"), ',');
    EXPECT_EQ(SeparadorDecimalDoLocale("en_US.UTF-8"), '.');
    EXPECT_EQ(SeparadorDecimalDoLocale("C"), '.');
    EXPECT_EQ(SeparadorDecimalDoLocale("C.UTF-8"), '.');
    EXPECT_EQ(SeparadorDecimalDoLocale("POSIX"), '.');
    EXPECT_EQ(SeparadorDecimalDoLocale(""), '.');
    EXPECT_EQ(SeparadorDecimalDoLocale("xx_YY"), '.');
}

std::vector<std::string> Linhas(const std::string& texto) {
    std::vector<std::string> linhas;
    std::istringstream in(texto);
    for (std::string l; std::getline(in, l);) linhas.push_back(l);
    return linhas;
}

TEST(TextoEstatisticas, HeaderThenTwelveMonthsOfEveryField) {
    TDados observado, gerado;
    observado.DUmidos[3] = 412;
    gerado.DUmidos[3] = 140;
    observado.XPrec[12] = 13.5;
    gerado.XPrec[12] = 13.514905769504612;
    gerado.SIi[1] = 1e-7;
    gerado.XUmidCh[7] = -0.25;
    const auto linhas = Linhas(TextoEstatisticas(observado, gerado));
    ASSERT_EQ(linhas.size(), 1u + 33u * 12u);
    EXPECT_EQ(linhas[0], "campo,mes,observado,gerado");
    EXPECT_EQ(linhas[1], "DUmidos,1,0,0");
    EXPECT_EQ(linhas[3], "DUmidos,3,412,140");
    EXPECT_EQ(linhas[12], "DUmidos,12,0,0");
    EXPECT_EQ(linhas[13], "DSecos,1,0,0");
    EXPECT_EQ(linhas[4 * 12 + 12], "XPrec,12,13.5,13.5149057695046");
    EXPECT_EQ(linhas[12 * 12 + 1], "SIi,1,0,1E-7");
    EXPECT_EQ(linhas[30 * 12 + 7], "XUmidCh,7,0,-0.25");
    EXPECT_EQ(linhas.back(), "SUmidCh,12,0,0");
}

int Caracteres(const std::string& texto) {
    int n = 0;
    for (const char c : texto) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}

std::string Conteudo(std::FILE* f) {
    std::fflush(f);
    std::rewind(f);
    std::string s;
    for (int c; (c = std::fgetc(f)) != EOF;) s += static_cast<char>(c);
    return s;
}

TEST(ProgressoTerminal, LineShowsStepBarPercentageAndYearsDone) {
    std::FILE* f = std::tmpfile();
    ASSERT_NE(f, nullptr);
    {
        ProgressoTerminal p(f, 10, 120);
        p.DefinirPasso("Simulando a lâmina total e o tempo de pico da precipitação...");
        p.DefinirFaixa(0, 3652);
        EXPECT_EQ(p.Linha(),
                  "Simulando a lâmina total e o tempo de pico da precipitação... "
                  "[                        ]   0%   0 de 10 anos");
        p.NotificarProgresso(1826);
        EXPECT_EQ(p.Linha(),
                  "Simulando a lâmina total e o tempo de pico da precipitação... "
                  "[############            ]  50%   " +
                      std::to_string(AnosCalculados(1826)) + " de 10 anos");
        p.NotificarProgresso(3652);
        EXPECT_NE(p.Linha().find("[########################] 100%  10 de 10 anos"),
                  std::string::npos);
    }
    const std::string escrito = Conteudo(f);
    std::fclose(f);
    // The bar is gone once the run ends.
    EXPECT_TRUE(escrito.ends_with("\r\033[K"));
}

TEST(ProgressoTerminal, FitsANarrowTerminalAndRedrawsOnlyWhenThePercentageMoves) {
    std::FILE* f = std::tmpfile();
    ASSERT_NE(f, nullptr);
    {
        ProgressoTerminal p(f, 100, 60);
        p.DefinirPasso("Simulando a lâmina total e o tempo de pico da precipitação...");
        p.DefinirFaixa(0, 36525);
        for (int64_t dia = 1; dia <= 36525; ++dia) {
            p.NotificarProgresso(dia);
            ASSERT_LE(Caracteres(p.Linha()), 59);
        }
        EXPECT_TRUE(p.Linha().starts_with("Simulando ")) << p.Linha();
    }
    const std::string escrito = Conteudo(f);
    std::fclose(f);
    std::size_t desenhos = 0;
    for (std::size_t p = escrito.find('\r'); p != std::string::npos; p = escrito.find('\r', p + 1))
        ++desenhos;
    EXPECT_LE(desenhos, 105u);
    EXPECT_GE(desenhos, 100u);
}

}  // namespace
}  // namespace ventaro
