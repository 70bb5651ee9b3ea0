#include "core/cenario_climatico.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/erro.h"

namespace ventaro {
namespace {

const std::string kCabecalho =
    "mes,fator_chuva_media,fator_dias_chuvosos,delta_tmax,delta_tmin,fator_radiacao\n";

// Twelve rows, month m with rain factor 1 + m/100; row `sem` left out.
std::string Meses(int sem = 0) {
    std::string s;
    for (int m = 1; m <= 12; ++m) {
        if (m != sem)
            s += std::to_string(m) + ",1." + (m < 10 ? "0" : "") + std::to_string(m) +
                 ",0.9,1.5,-0.5,1.02\n";
    }
    return s;
}

std::string Mensagem(const std::string& texto) {
    try {
        LerCenario(texto, "c.csv", "dir/c.csv");
    } catch (const ErroVentaro& e) {
        return e.what();
    }
    return "aceito";
}

TEST(LerCenario, ReadsTheMonthsInAnyOrderFromCommaOrSpreadsheetFiles) {
    const CenarioClimatico a = LerCenario(kCabecalho + Meses(), "a.csv", "x/a.csv");
    EXPECT_EQ(a.Nome, "a.csv");
    EXPECT_EQ(a.Origem, "x/a.csv");
    EXPECT_EQ(a.Meses[3].FatorChuvaMedia, 1.03);
    EXPECT_EQ(a.Meses[12].FatorChuvaMedia, 1.12);
    EXPECT_EQ(a.Meses[7].FatorDiasChuvosos, 0.9);
    EXPECT_EQ(a.Meses[7].DeltaTMax, 1.5);
    EXPECT_EQ(a.Meses[7].DeltaTMin, -0.5);
    EXPECT_EQ(a.Meses[7].FatorRadiacao, 1.02);
    EXPECT_EQ(a.Meses[1].Linha, 2);

    // A spreadsheet's export: BOM, CR LF, semicolons and decimal commas, columns reordered,
    // months out of order, comments and blank lines.
    std::string planilha = "\xEF\xBB\xBF# cenário de teste\r\n\r\n";
    planilha +=
        "Mes; delta_tmin ;fator_radiacao;fator_chuva_media;fator_dias_chuvosos;delta_tmax\r\n";
    for (int m = 12; m >= 1; --m) {
        planilha += std::to_string(m) + ";-0,5;1,02;1," + (m < 10 ? "0" : "") + std::to_string(m) +
                    ";0,9;+1,5\r\n";
    }
    const CenarioClimatico b = LerCenario(planilha, "a.csv", "x/a.csv");
    for (int m = 1; m <= 12; ++m) {
        MesCenario esperado = a.Meses[m];
        esperado.Linha = 0;
        MesCenario lido = b.Meses[m];
        lido.Linha = 0;
        EXPECT_EQ(lido, esperado) << m;
    }
    EXPECT_EQ(b.Meses[12].Linha, 4);
}

TEST(LerCenario, RefusesBadFilesNamingLineAndField) {
    struct Caso {
        std::string texto;
        std::vector<std::string> trechos;
    };
    const auto Linha4 = [](const std::string& linha) {
        std::string s = kCabecalho + Meses();
        const auto inicio = s.find("3,");
        return s.replace(inicio, s.find('\n', inicio) - inicio, linha);
    };
    const Caso casos[] = {
        {kCabecalho + Meses(7), {"dir/c.csv, linha 12, campo mes", "falta o mês 7"}},
        {Linha4("3,abc,0.9,1.5,-0.5,1.02"), {"linha 4", "campo fator_chuva_media", "\"abc\""}},
        {Linha4("3,1.1,0,1.5,-0.5,1.02"), {"linha 4", "campo fator_dias_chuvosos", "maior que 0"}},
        {Linha4("3,1.1,0.9,1.5,-0.5,-1"), {"linha 4", "campo fator_radiacao", "maior que 0"}},
        {Linha4("3,1.1,0.9,inf,-0.5,1"), {"linha 4", "campo delta_tmax", "não é um número"}},
        {Linha4("3,1.1,0.9,1.5,,1"), {"linha 4", "campo delta_tmin", "vazio"}},
        {Linha4("13,1.1,0.9,1.5,-0.5,1"), {"linha 4", "campo mes", "de 1 a 12"}},
        {Linha4("2.5,1.1,0.9,1.5,-0.5,1"), {"linha 4", "campo mes", "de 1 a 12"}},
        {Linha4("2,1.1,0.9,1.5,-0.5,1"), {"linha 4", "campo mes", "já foi dado na linha 3"}},
        {Linha4("3,1.1,0.9,1.5,-0.5"), {"linha 4", "5 campo(s)", "o cabeçalho tem 6"}},
        {"mes,fator_chuva_media,dias,delta_tmax,delta_tmin,fator_radiacao\n" + Meses(),
         {"linha 1", "campo dias", "coluna desconhecida"}},
        {"mes,fator_chuva_media,delta_tmax,delta_tmin,fator_radiacao\n" + Meses(),
         {"linha 1", "campo fator_dias_chuvosos", "ausente"}},
        {"# só comentário\n\n", {"dir/c.csv", "sem cabeçalho"}},
    };
    for (const Caso& c : casos) {
        const std::string m = Mensagem(c.texto);
        for (const auto& trecho : c.trechos) {
            EXPECT_NE(m.find(trecho), std::string::npos) << m << "\n--- falta: " << trecho;
        }
    }
}

TDados Estacao() {
    TDados d;
    for (int m = 1; m <= 12; ++m) {
        d.XPrec[m] = 10 + m;
        d.SPrec[m] = 12 + m;
        d.SkewPrec[m] = 2;
        d.PCC[m] = 0.6;
        d.PCS[m] = 0.2;
        d.DUmidos[m] = 330;
        d.DSecos[m] = 600;
        d.XTMaxSe[m] = 28;
        d.XTMaxCh[m] = 25;
        d.XTMinSe[m] = 15;
        d.XTMinCh[m] = 17;
        d.XRadSe[m] = 20;
        d.XRadCh[m] = 14;
        d.STMaxSe[m] = 2;
    }
    d.PCC[8] = 0.3;
    d.PCS[8] = 0.45;  // a month that alternates: persistence -0.15
    return d;
}

TEST(AplicarCenario, MovesTheWetFractionKeepingThePersistenceAndScalesOrShiftsTheMeans) {
    CenarioClimatico c = LerCenario(kCabecalho + Meses(), "c.csv", "c.csv");
    c.Meses[2].FatorDiasChuvosos = 1.5;
    const TDados antes = Estacao();
    TDados depois = antes;
    AplicarCenario(c, depois);
    for (int m = 1; m <= 12; ++m) {
        const MesCenario& f = c.Meses[m];
        const auto Fracao = [m](const TDados& d) { return d.PCS[m] / (1 - d.PCC[m] + d.PCS[m]); };
        EXPECT_NEAR(Fracao(depois), f.FatorDiasChuvosos * Fracao(antes), 1e-12) << m;
        EXPECT_NEAR(depois.PCC[m] - depois.PCS[m], antes.PCC[m] - antes.PCS[m], 1e-12) << m;
        EXPECT_EQ(depois.XPrec[m], antes.XPrec[m] * f.FatorChuvaMedia);
        EXPECT_EQ(depois.SPrec[m], antes.SPrec[m] * f.FatorChuvaMedia);
        EXPECT_EQ(depois.SkewPrec[m], antes.SkewPrec[m]);
        EXPECT_EQ(depois.XTMaxSe[m], antes.XTMaxSe[m] + 1.5);
        EXPECT_EQ(depois.XTMaxCh[m], antes.XTMaxCh[m] + 1.5);
        EXPECT_EQ(depois.XTMinSe[m], antes.XTMinSe[m] - 0.5);
        EXPECT_EQ(depois.XTMinCh[m], antes.XTMinCh[m] - 0.5);
        EXPECT_EQ(depois.STMaxSe[m], antes.STMaxSe[m]);
        EXPECT_EQ(depois.XRadSe[m], antes.XRadSe[m] * 1.02);
        EXPECT_EQ(depois.XRadCh[m], antes.XRadCh[m] * 1.02);
        EXPECT_EQ(depois.DUmidos[m] + depois.DSecos[m], 930);
    }
    EXPECT_EQ(depois.DUmidos[1], 297);  // 330 x 0.9
    EXPECT_EQ(depois.DUmidos[2], 495);  // 330 x 1.5
}

TEST(AplicarCenario, RefusesAWetFractionOutOfRangeNamingMonthLineAndField) {
    const std::string texto = kCabecalho + Meses();
    struct Caso {
        int mes;
        double fator;
        const char* trecho;
    };
    // Month 3: fraction 1/3, which 3.5 takes above 1. Month 8 (fraction 0.39, persistence
    // -0.15): 2.3 keeps the fraction at 0.9 but asks PCS = 1.035 to keep the persistence.
    for (const Caso& c : {Caso{3, 3.5, "acima de 1"}, Caso{8, 2.3, "PCS = 1.035"}}) {
        CenarioClimatico cenario = LerCenario(texto, "c.csv", "dir/c.csv");
        cenario.Meses[c.mes].FatorDiasChuvosos = c.fator;
        TDados dados = Estacao();
        try {
            AplicarCenario(cenario, dados);
            ADD_FAILURE() << "aceito";
        } catch (const ErroVentaro& e) {
            const std::string m = e.what();
            for (const std::string& trecho :
                 {std::string("dir/c.csv"), "linha " + std::to_string(c.mes + 1),
                  std::string("campo fator_dias_chuvosos"), "no mês " + std::to_string(c.mes),
                  std::string(c.trecho)}) {
                EXPECT_NE(m.find(trecho), std::string::npos) << m << "\n--- falta: " << trecho;
            }
        }
        EXPECT_EQ(dados, Estacao());
    }
}

}  // namespace
}  // namespace ventaro
