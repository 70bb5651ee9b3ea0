#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/erro.h"
#include "import/chuvas_ana.h"
#include "import/formato_arquivo.h"
#include "import/leitor_bdmep.h"
#include "import/leitor_inmet_texto.h"
#include "import/registro_diario.h"
#include "teste_util.h"

namespace ventaro {
namespace {

using teste::Dados;

TEST(DetectarFormato, RecognisesEveryRealExportByItsContent) {
    EXPECT_EQ(DetectarFormato(Dados("dados_83587_D_2005-01-01_2012-12-31.csv")),
              FormatoArquivo::BdmepCsv);
    EXPECT_EQ(DetectarFormato(Dados("barra_1978_jan_fev.txt")), FormatoArquivo::BdmepAntigo);
    EXPECT_EQ(DetectarFormato(Dados("chuvas_C_02345106_excerto.csv")), FormatoArquivo::HidrowebCsv);
    EXPECT_EQ(DetectarFormato(Dados("447002_Chuvas_excerto.csv")), FormatoArquivo::HidrowebCsv);
    EXPECT_EQ(DetectarFormato(Dados("CHUVAS_02447049.TXT")), FormatoArquivo::HidrowebTxt);
    EXPECT_EQ(DetectarFormato(Dados("DateTestDatabase.mdb")), FormatoArquivo::AccessMdb);
}

TEST(DetectarFormato, UnknownContentNamesTheFileAndTheLine) {
    teste::PastaTemporaria pasta;
    const auto arquivo = pasta.Escrever("estacao.csv", "\n\ndata,chuva\n2001-01-01,3\n");
    try {
        DetectarFormato(arquivo);
        FAIL();
    } catch (const ErroVentaro& e) {
        const std::string msg = e.what();
        EXPECT_NE(msg.find(arquivo.string()), std::string::npos) << msg;
        EXPECT_NE(msg.find("linha 3"), std::string::npos) << msg;
        EXPECT_NE(msg.find("data,chuva"), std::string::npos) << msg;
    }
    EXPECT_THROW(DetectarFormato(pasta.Caminho() / "nao_existe.txt"), ErroVentaro);
}

TEST(LerBdmepCsv, ReadsMetadataAndCommaDecimals) {
    const LeituraDiaria l = LerBdmepCsv(Dados("dados_83587_D_2005-01-01_2012-12-31.csv"));
    EXPECT_EQ(l.Identidade.Nome, "BELO HORIZONTE");
    EXPECT_EQ(l.Identidade.Codigo, "83587");
    EXPECT_DOUBLE_EQ(*l.Identidade.Latitude, -19.93444444);
    EXPECT_DOUBLE_EQ(*l.Identidade.Longitude, -43.95222222);
    EXPECT_DOUBLE_EQ(*l.Identidade.Altitude, 915.47);
    ASSERT_EQ(l.Dias.size(), 2922u);
    EXPECT_EQ(l.Dias.front().Dia, (Data{2005, 1, 1}));
    EXPECT_EQ(l.Dias.back().Dia, (Data{2012, 12, 31}));
}

TEST(LerBdmepCsv, ReadsPointDecimalsWithoutLeadingZeroAndNull) {
    const LeituraDiaria l = LerBdmepCsv(Dados("dados_83696_D_1973-01-01_1973-02-28.csv"));
    EXPECT_EQ(l.Identidade.Codigo, "83696");
    ASSERT_EQ(l.Dias.size(), 59u);
    // 1973-01-01;.7;5.6;22.6;29.2;23.62;20.1;83;66;1.333333;
    const DiaObservado& d = l.Dias[0];
    EXPECT_DOUBLE_EQ(*d.Insolacao, 5.6);
    EXPECT_DOUBLE_EQ(*d.Prec, 22.6);
    EXPECT_DOUBLE_EQ(*d.TMax, 29.2);
    EXPECT_DOUBLE_EQ(*d.TMin, 20.1);
    EXPECT_DOUBLE_EQ(*d.Umid, 0.83);
    EXPECT_DOUBLE_EQ(*d.VVento, 1.333333);
    EXPECT_DOUBLE_EQ(*l.Dias[2].VVento, 0.666667);
}

TEST(LerBdmepCsv, NullIsMissingAndGarbageNamesTheLine) {
    teste::PastaTemporaria pasta;
    const std::string cabecalho =
        "Nome: TESTE\nCodigo Estacao: 12345\nLatitude: -10,5\n\n"
        "Data Medicao;INSOLACAO TOTAL, DIARIO(h);PRECIPITACAO TOTAL, DIARIO(mm);"
        "TEMPERATURA MAXIMA, DIARIA(°C);TEMPERATURA MINIMA, DIARIA(°C);"
        "UMIDADE RELATIVA DO AR, MEDIA DIARIA(%);VENTO, VELOCIDADE MEDIA DIARIA(m/s);\n";
    const LeituraDiaria l =
        LerBdmepCsv(pasta.Escrever("a.csv", cabecalho + "2001-03-04;null;1,5;30;null;80;2;\n"));
    ASSERT_EQ(l.Dias.size(), 1u);
    EXPECT_FALSE(l.Dias[0].Insolacao);
    EXPECT_FALSE(l.Dias[0].TMin);
    EXPECT_DOUBLE_EQ(*l.Dias[0].Prec, 1.5);
    EXPECT_DOUBLE_EQ(*l.Identidade.Latitude, -10.5);
    try {
        LerBdmepCsv(pasta.Escrever("b.csv", cabecalho + "2001-03-04;1;2;3;4;5;6;\n"
                                                        "2001-03-05;1;2;x3;4;5;6;\n"));
        FAIL();
    } catch (const ErroVentaro& e) {
        EXPECT_NE(std::string(e.what()).find("linha 7"), std::string::npos) << e.what();
    }
    EXPECT_THROW(LerBdmepCsv(pasta.Escrever("c.csv", cabecalho + "2001-02-30;1;2;3;4;5;6;\n")),
                 ErroVentaro);
}

TEST(LerBdmepAntigo, MergesTheTwoRowsOfEachDayByColumnName) {
    const LeituraDiaria l = LerBdmepAntigo(Dados("barra_1978_jan_fev.txt"));
    EXPECT_EQ(l.Identidade.Nome, "BARRA");
    EXPECT_EQ(l.Identidade.Codigo, "83179");
    EXPECT_DOUBLE_EQ(*l.Identidade.Latitude, -11.08);
    EXPECT_DOUBLE_EQ(*l.Identidade.Longitude, -43.16);
    EXPECT_DOUBLE_EQ(*l.Identidade.Altitude, 401.58);
    // 23/01/1978: TMax 32.2, insolação 11.6, UR 66.25, vento 2.7 at 0000; chuva 0 and TMin
    // 18.4 at 1200.
    const RegistroClima r = MontarRegistro(l.Dias, *l.Identidade.Latitude);
    ASSERT_EQ(r.Anos.size(), 1u);
    const TDadosDia& d = r.Anos[0].Dias[1][23];
    EXPECT_DOUBLE_EQ(d.TMax, 32.2);
    EXPECT_DOUBLE_EQ(d.TMin, 18.4);
    EXPECT_DOUBLE_EQ(d.Umid, 0.6625);
    EXPECT_DOUBLE_EQ(d.VVento, 2.7);
    EXPECT_EQ(d.Prec, 0);
    EXPECT_NEAR(d.Rad, RadiacaoInsolacao(11.6, 23, -11.08), 1e-12);
    EXPECT_TRUE(r.Anos[0].Valido[1]);
    EXPECT_TRUE(r.Anos[0].Valido[2]);
    EXPECT_FALSE(r.Anos[0].Valido[3]);  // no rows at all
}

TEST(LerBdmepAntigo, FindsColumnsByNameWhateverTheirOrder) {
    teste::PastaTemporaria pasta;
    const auto arquivo = pasta.Escrever(
        "x.txt",
        "BDMEP - INMET\nEsta\xE7\xE3o           : S\xC3O JO\xC3O - XX (OMM: 80001)\n"
        "Latitude  (graus) : 2.5\n"
        "Estacao;Data;Hora;Umidade Relativa Media;TempMinima;Precipitacao;TempMaxima;"
        "Velocidade do Vento Media;Insolacao;\n"
        "80001;01/01/1990;0000;70;;;30.5;3;8;\n"
        "80001;01/01/1990;1200;;19.5;2.5;;;;\n");
    const LeituraDiaria l = LerBdmepAntigo(arquivo);
    EXPECT_EQ(l.Identidade.Nome, "SÃO JOÃO");  // Latin-1 read as such
    EXPECT_DOUBLE_EQ(*l.Identidade.Latitude, 2.5);
    const RegistroClima r = MontarRegistro(l.Dias, 2.5);
    const TDadosDia& d = r.Anos[0].Dias[1][1];
    EXPECT_DOUBLE_EQ(d.TMax, 30.5);
    EXPECT_DOUBLE_EQ(d.TMin, 19.5);
    EXPECT_DOUBLE_EQ(d.Prec, 2.5);
    EXPECT_DOUBLE_EQ(d.Umid, 0.7);
}

TEST(MontarRegistro, AMissingOrImplausibleDayInvalidatesItsMonth) {
    std::vector<DiaObservado> dias;
    for (int mes : {1, 2, 3}) {
        for (int d = 1; d <= DiasNoMes(2001, mes); ++d) {
            DiaObservado o;
            o.Dia = Data{2001, mes, d};
            o.TMax = 30, o.TMin = 20, o.Insolacao = 8, o.Umid = 0.7, o.VVento = 2, o.Prec = 0;
            dias.push_back(o);
        }
    }
    dias[31 + 10].Umid.reset();        // 11 February
    dias[31 + 28 + 4].Insolacao = 20;  // 5 March
    dias.pop_back();                   // 31 March absent
    const RegistroClima r = MontarRegistro(dias, -20);
    EXPECT_TRUE(r.Anos[0].Valido[1]);
    EXPECT_FALSE(r.Anos[0].Valido[2]);
    EXPECT_FALSE(r.Anos[0].Valido[3]);
    EXPECT_FALSE(r.Anos[0].Valido[4]);
}

// One line of the INMET text file; `umid` and `vento` are the three observations' values.
std::string LinhaInmet(int aa, int mm, int dd, const std::string& tmax, const std::string& tmin,
                       const std::string& insol, int umid = 85, const std::string& vento = "2",
                       const std::string& chuva = "0") {
    std::string s = std::to_string(aa) + " " + std::to_string(mm) + " " + std::to_string(dd) + " " +
                    tmax + " " + tmin + " 0 " + insol;
    for (int obs = 0; obs < 3; ++obs) {
        s += " 0 0 " + std::to_string(umid) + " 0 " + vento + " " + chuva;
    }
    return s + "\n";
}

// Every day of the given months of 19aa with plausible values.
std::string MesesInmet(int aa, int mes_ini, int mes_fim) {
    std::string s;
    for (int mes = mes_ini; mes <= mes_fim; ++mes) {
        for (int d = 1; d <= DiasNoMes(1900 + aa, mes); ++d) {
            s += LinhaInmet(aa, mes, d, "28.5", "17,5", "7.5", 80, "2.4", d % 3 ? "0" : "3.5");
        }
    }
    return s;
}

TEST(LerInmetTexto, DayValuesAndMonthValidity) {
    teste::PastaTemporaria pasta;
    std::string texto = MesesInmet(85, 1, 3);
    // 2 January: decimal comma and point alike, humidity 85 three times, one wind code.
    const std::string dia2 = LinhaInmet(85, 1, 2, "12,5", "12.5", "8", 85, "2", "1.5");
    texto.replace(texto.find("85 1 2 "), texto.find("85 1 3 ") - texto.find("85 1 2 "), dia2);
    const RegistroClima r = LerInmetTexto(pasta.Escrever("a.txt", texto), -22.9);
    ASSERT_EQ(r.Anos.size(), 1u);
    const TDadosDia& d = r.Anos[0].Dias[1][2];
    EXPECT_DOUBLE_EQ(d.TMax, 12.5);
    EXPECT_DOUBLE_EQ(d.TMin, 12.5);
    EXPECT_DOUBLE_EQ(d.Umid, 0.85);
    EXPECT_DOUBLE_EQ(d.Prec, 4.5);
    EXPECT_DOUBLE_EQ(d.VVento, 2);
    EXPECT_NEAR(d.Rad, RadiacaoInsolacao(8, 2, -22.9), 1e-12);
    EXPECT_TRUE(r.Anos[0].Valido[1]);
    EXPECT_TRUE(r.Anos[0].Valido[3]);
    EXPECT_FALSE(r.Anos[0].Valido[4]);
}

TEST(LerInmetTexto, MissingCodesAndImplausibleValuesInvalidateTheMonth) {
    teste::PastaTemporaria pasta;
    std::string texto = MesesInmet(85, 1, 4);
    auto remover = [&](const std::string& inicio) {
        const auto p = texto.find(inicio);
        texto.erase(p, texto.find('\n', p) + 1 - p);
    };
    auto trocar = [&](const std::string& inicio, const std::string& nova) {
        const auto p = texto.find(inicio);
        texto.replace(p, texto.find('\n', p) + 1 - p, nova);
    };
    remover("85 1 15 ");                                            // a gap inside January
    trocar("85 2 10 ", LinhaInmet(85, 2, 10, "28", "17", "20"));    // sunshine 20 h
    trocar("85 3 3 ", LinhaInmet(85, 3, 3, "28", "17", "8", 999));  // humidity code
    const RegistroClima r = LerInmetTexto(pasta.Escrever("a.txt", texto), -22.9);
    EXPECT_FALSE(r.Anos[0].Valido[1]);
    EXPECT_EQ(r.Anos[0].Dias[1][15].TMax, 999.9);  // filled with the missing codes
    EXPECT_FALSE(r.Anos[0].Valido[2]);
    EXPECT_FALSE(r.Anos[0].Valido[3]);
    EXPECT_GT(r.Anos[0].Dias[3][3].Umid, 1);
    EXPECT_TRUE(r.Anos[0].Valido[4]);  // a bad month does not spill into the next
}

TEST(LerInmetTexto, RepeatedDatesAndMissingLastDay) {
    teste::PastaTemporaria pasta;
    std::string texto = MesesInmet(85, 1, 2);
    // 5 January twice: the second line wins and the next day follows normally.
    const auto p = texto.find("85 1 6 ");
    texto.insert(p, LinhaInmet(85, 1, 5, "33", "21", "8"));
    // No line for 28 February.
    const auto q = texto.find("85 2 28 ");
    texto.erase(q);
    texto += "\n  \n" + MesesInmet(85, 3, 3);  // blank lines are skipped
    const RegistroClima r = LerInmetTexto(pasta.Escrever("a.txt", texto), -22.9);
    EXPECT_DOUBLE_EQ(r.Anos[0].Dias[1][5].TMax, 33);
    EXPECT_DOUBLE_EQ(r.Anos[0].Dias[1][6].TMax, 28.5);
    EXPECT_TRUE(r.Anos[0].Valido[1]);
    EXPECT_FALSE(r.Anos[0].Valido[2]);
    EXPECT_TRUE(r.Anos[0].Valido[3]);
}

TEST(LerInmetTexto, InvalidDatesAreSkippedAndBadLinesNamed) {
    teste::PastaTemporaria pasta;
    std::string texto =
        MesesInmet(85, 4, 4) + LinhaInmet(85, 4, 31, "40", "30", "8") + MesesInmet(85, 5, 5);
    const RegistroClima r = LerInmetTexto(pasta.Escrever("a.txt", texto), -22.9);
    EXPECT_TRUE(r.Anos[0].Valido[4]);
    EXPECT_TRUE(r.Anos[0].Valido[5]);

    EXPECT_THROW(LerInmetTexto(pasta.Escrever("b.txt", "\n" + MesesInmet(85, 1, 1)), -22.9),
                 ErroVentaro);
    try {
        LerInmetTexto(pasta.Escrever("c.txt", MesesInmet(85, 1, 1) + "85 2 1 28 17 0 8 0 0\n"),
                      -22.9);
        FAIL();
    } catch (const ErroVentaro& e) {
        EXPECT_NE(std::string(e.what()).find("linha 32"), std::string::npos) << e.what();
    }
}

TEST(LerChuvasHidroweb, ReadsThe2018CsvWithBothConsistencyLevels) {
    const auto meses = LerChuvasHidroweb(Dados("chuvas_C_02345106_excerto.csv"));
    ASSERT_EQ(meses.size(), 48u);
    EXPECT_EQ(meses[0].Estacao, 2345106);
    EXPECT_EQ(meses[0].Ano, 1999);
    EXPECT_EQ(meses[0].Mes, 12);
    const auto ordenados = OrdenarMeses(meses);
    ASSERT_EQ(ordenados.size(), 24u);
    for (const MesChuva& m : ordenados) EXPECT_EQ(m.Nivel, 2);
    EXPECT_EQ(ordenados.front().Ano, 1998);
    EXPECT_EQ(ordenados.front().Mes, 1);
}

TEST(LerChuvasHidroweb, ReadsThe2025CsvWithQuotedValues) {
    const auto meses = LerChuvasHidroweb(Dados("447002_Chuvas_excerto.csv"));
    ASSERT_FALSE(meses.empty());
    EXPECT_EQ(meses[0].Estacao, 447002);
    for (const MesChuva& m : meses) {
        EXPECT_GE(m.Ano, 1990);
        EXPECT_LE(m.Ano, 1992);
    }
}

TEST(LerChuvasHidroweb, ReadsTheOldTextExport) {
    const auto meses = LerChuvasHidroweb(Dados("CHUVAS_02447049.TXT"));
    ASSERT_EQ(meses.size(), 314u);
    // 02447049;1;01/01/1961;...;31,8;21,9;0;0,8;...
    EXPECT_EQ(meses[0].Estacao, 2447049);
    EXPECT_EQ(meses[0].Ano, 1961);
    EXPECT_DOUBLE_EQ(*meses[0].Dias[0], 31.8);
    EXPECT_DOUBLE_EQ(*meses[0].Dias[2], 0);
    // February 1961 has a genuinely missing 23rd and nothing after the 28th.
    EXPECT_FALSE(meses[1].Dias[22]);
    EXPECT_TRUE(meses[1].Dias[21]);
    EXPECT_FALSE(meses[1].Dias[28]);
}

TEST(LerChuvasHidroweb, BadValueNamesTheLine) {
    teste::PastaTemporaria pasta;
    const auto arquivo = pasta.Escrever(
        "c.csv",
        "EstacaoCodigo;NivelConsistencia;Data;Chuva01;Chuva02;Chuva03;Chuva04;Chuva05;Chuva06;"
        "Chuva07;Chuva08;Chuva09;Chuva10;Chuva11;Chuva12;Chuva13;Chuva14;Chuva15;Chuva16;"
        "Chuva17;Chuva18;Chuva19;Chuva20;Chuva21;Chuva22;Chuva23;Chuva24;Chuva25;Chuva26;"
        "Chuva27;Chuva28;Chuva29;Chuva30;Chuva31\n"
        "123;1;01/02/1990;1,5;abc\n");
    try {
        LerChuvasHidroweb(arquivo);
        FAIL();
    } catch (const ErroVentaro& e) {
        EXPECT_NE(std::string(e.what()).find("linha 2"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("dia 2"), std::string::npos) << e.what();
    }
}

}  // namespace
}  // namespace ventaro
