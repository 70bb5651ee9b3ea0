// One station's sums, its text lines and files, and the workbook exporter.

#include "erosivity/gravar_erosividade.h"

#include <gtest/gtest.h>

#include "core/erro.h"
#include "erosivity/erosividade_estacao.h"
#include "erosivity/pastas_erosividade.h"
#include "erosivity/texporta_excel.h"
#include "output/formato_padrao.h"

namespace ventaro {
namespace {

using teste::LinhasCrLf;

// A two-year store from 2001 whose day d has KE25f = d, KE25wm = 2d, EI30f = d / 4 and
// EI30wm = -d: sums that tell months and years apart.
TClima SerieDoisAnos() {
    TClima c = TClima::ParaPeriodo(2001, 2);
    for (int64_t d = 1; d <= c.NumDias; ++d) {
        const auto i = static_cast<std::size_t>(d);
        const auto v = static_cast<double>(d);
        c.KE25f[i] = v;
        c.KE25wm[i] = 2 * v;
        c.EI30f[i] = v / 4;
        c.EI30wm[i] = -v;
    }
    return c;
}

double SomaDias(int64_t de, int64_t ate) {
    double s = 0;
    for (int64_t d = de; d <= ate; ++d) s += static_cast<double>(d);
    return s;
}

TEST(SomarErosividade, MonthsAndYearsOfATwoYearSeriesAndTheirMeans) {
    TDados dados;
    dados.CodEstacao = 2345024;
    dados.Latitude = -20.5;
    const TClima clima = SerieDoisAnos();
    const ErosividadeEstacao e = SomarErosividade(dados, clima, 2);

    EXPECT_EQ(e.CodEstacao, 2345024);
    EXPECT_EQ(e.Latitude, -20.5);
    ASSERT_EQ(e.Meses.size(), 24u);
    ASSERT_EQ(e.Anos.size(), 2u);
    EXPECT_EQ(e.Meses[0].Mes, 1);
    EXPECT_EQ(e.Meses[0].Ano, 2001);
    EXPECT_EQ(e.Meses[13].Mes, 2);
    EXPECT_EQ(e.Meses[13].Ano, 2002);
    EXPECT_EQ(e.Anos[1].Ano, 2002);

    // January 2001 is days 1-31, January 2002 days 366-396; February 2002 has 28 days.
    const double jan1 = SomaDias(1, 31), jan2 = SomaDias(366, 396);
    EXPECT_EQ(e.Meses[0].Somas[0], jan1);
    EXPECT_EQ(e.Meses[12].Somas[0], jan2);
    EXPECT_EQ(e.Meses[13].Somas[1], 2 * SomaDias(397, 424));
    EXPECT_EQ(e.Meses[12].Somas[3], -jan2);
    EXPECT_EQ(e.Medias[0][0], (jan1 + jan2) / 2);
    EXPECT_EQ(e.Anos[0].Somas[0], SomaDias(1, 365));
    EXPECT_EQ(e.Medias[kPeriodoAnual - 1][0], (SomaDias(1, 365) + SomaDias(366, 730)) / 2);
}

TEST(FormatarErosividade, NumbersAndColumnsOfTheThreeLineKinds) {
    ErosividadeEstacao e;
    e.CodEstacao = 2345024;
    e.Latitude = -20.5;
    e.Longitude = -47.2692;
    e.Altitude = 850;
    e.Meses = {{2001, 1, {1234.5, 0.004, 12.345, 99999.994}}};
    e.Anos = {{2001, 0, {5, 6, 7, 8}}};
    e.Medias[0] = {1, 2, 3, 4};
    const LinhasErosividade l = FormatarErosividade(e);

    ASSERT_EQ(l.Periodos[0].size(), 1u);
    EXPECT_EQ(l.Periodos[0][0],
              "02345024     01/2001     -20,50      -47,27       850,0      01234,50   00000,00   "
              "00012,35   99999,99");
    EXPECT_EQ(l.Periodos[kPeriodoAnual - 1][0],
              "02345024     2001        -20,50      -47,27       850,0      00005,00   00006,00   "
              "00007,00   00008,00");
    EXPECT_EQ(l.Medias[0],
              "02345024     -20,50      -47,27       850,0      00001,00   00002,00   00003,00   "
              "00004,00");
    EXPECT_TRUE(l.Periodos[1].empty());

    // Southern latitude, western longitude, altitude below 1000 m: every field starts under its
    // heading.
    const auto Colunas = [](const std::string& linha) {
        std::vector<std::size_t> inicios;
        for (std::size_t i = 0; i < linha.size(); ++i) {
            if (linha[i] != ' ' && (i == 0 || linha[i - 1] == ' ')) inicios.push_back(i + 1);
        }
        return inicios;
    };
    const std::vector<std::size_t> mes_ano = {1, 14, 26, 38, 51, 62, 73, 84, 95};
    const std::vector<std::size_t> media = {1, 14, 26, 39, 50, 61, 72, 83};
    EXPECT_EQ(Colunas(l.Periodos[0][0]), mes_ano);
    EXPECT_EQ(Colunas(CabecalhoErosividade(1, false)[2]), mes_ano);
    EXPECT_EQ(Colunas(l.Periodos[kPeriodoAnual - 1][0]), mes_ano);
    EXPECT_EQ(Colunas(l.Medias[0]), media);
    EXPECT_EQ(Colunas(CabecalhoErosividade(5, true)[2]), media);

    // An altitude of 1200 m is "1200,0" and pushes the values one column right.
    e.Altitude = 1200;
    EXPECT_NE(FormatarErosividade(e).Medias[0].find("-47,27       1200,0      00001,00"),
              std::string::npos);
}

TEST(GravarErosividade, CreatesFoldersWritesHeadersOnceAndAppends) {
    const teste::PastaTemporaria pasta;
    const auto teste2 = pasta / "teste2";
    TDados dados;
    dados.CodEstacao = 447002;
    const ErosividadeEstacao e = SomarErosividade(dados, SerieDoisAnos(), 2);
    CriarPastasErosividade(teste2);
    GravarErosividade(teste2, e);
    GravarErosividade(teste2, e);

    struct Caso {
        std::filesystem::path arquivo;
        std::string primeira;
        std::size_t linhas;
    };
    const Caso casos[] = {
        {teste2 / "Janeiro.txt", "Mes de Janeiro", 3 + 4},
        {teste2 / "Março.txt", "Mes de Mar\xE7o", 3 + 4},
        {teste2 / "Anual.txt", "Anual", 3 + 4},
        {teste2 / "media" / "mediaJaneiro.txt", "Janeiro", 3 + 2},
        {teste2 / "media" / "mediaAnual.txt", "Anual", 3 + 2},
    };
    for (const Caso& c : casos) {
        const auto linhas = LinhasCrLf(c.arquivo);
        ASSERT_EQ(linhas.size(), c.linhas) << c.arquivo;
        EXPECT_EQ(linhas[0], c.primeira) << c.arquivo;
        EXPECT_EQ(linhas[1], "") << c.arquivo;
        EXPECT_TRUE(linhas[2].starts_with("Estacao      ")) << c.arquivo;
        EXPECT_TRUE(linhas[3].starts_with("00447002     ")) << c.arquivo;
        EXPECT_EQ(linhas[3], linhas[3 + (c.linhas - 3) / 2]) << c.arquivo;
    }
    EXPECT_EQ(LinhasCrLf(teste2 / "Janeiro.txt")[4].substr(13, 7), "01/2002");
    int arquivos = 0;
    for (const auto& f : std::filesystem::recursive_directory_iterator(teste2)) {
        arquivos += f.is_regular_file();
    }
    EXPECT_EQ(arquivos, 26);

    // A folder that cannot be written is named.
    try {
        GravarErosividade(pasta / "nao-existe", e);
        FAIL();
    } catch (const ErroVentaro& erro) {
        EXPECT_NE(std::string(erro.what()).find("nao-existe/Janeiro.txt"), std::string::npos);
    }
}

TEST(TExportaExcel, SheetsGoInFrontAndCellsKeepTheirType) {
    const teste::PastaTemporaria pasta;
    TExportaExcel x;
    EXPECT_THROW(x.Salvar(), ErroVentaro);
    x.CriarPlanilha("B");
    x.CriarPlanilha("Março");
    EXPECT_THROW(x.CriarPlanilha("b"), ErroVentaro);
    EXPECT_THROW(x.CriarPlanilha("a/b"), ErroVentaro);
    EXPECT_THROW(x.EscreverCelula("C", 1.0, 1, 1), ErroVentaro);
    x.EscreverCelula("Março", std::string("00447002"), 1, 1);
    x.EscreverCelula("Março", -4.8297, 2, 3);
    x.EscreverCelula("B", int64_t{-12}, 3, 2);
    x.SalvarComo(pasta / "a.xlsx");
    x.EscreverCelula("B", std::string("depois"), 1, 1);
    x.Salvar();

    const auto folhas = teste::LerXlsx(pasta / "a.xlsx");
    ASSERT_EQ(folhas.size(), 2u);
    EXPECT_EQ(folhas[0].nome, "Março");
    EXPECT_EQ(folhas[1].nome, "B");
    const auto& codigo = folhas[0].celulas.at({1, 1});
    EXPECT_TRUE(codigo.texto);
    EXPECT_EQ(codigo.valor, "00447002");
    const auto& real = folhas[0].celulas.at({2, 3});
    EXPECT_FALSE(real.texto);
    EXPECT_EQ(real.Numero(), -4.8297);
    const auto& inteiro = folhas[1].celulas.at({3, 2});
    EXPECT_EQ(inteiro.valor, "-12");
    EXPECT_EQ(inteiro.formato, 1);  // "0"
    EXPECT_EQ(folhas[1].celulas.at({1, 1}).valor, "depois");
    // No file but the workbook is left beside it.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(pasta.Caminho()),
                            std::filesystem::directory_iterator()),
              1);

    // A save that fails names the file and leaves the exporter as it was; Encerrar starts over.
    EXPECT_THROW(x.SalvarComo(pasta / "nao-existe" / "b.xlsx"), ErroVentaro);
    x.Encerrar();
    EXPECT_THROW(x.EscreverCelula("B", 1.0, 1, 1), ErroVentaro);
    x.CriarPlanilha("B");
}

}  // namespace
}  // namespace ventaro
