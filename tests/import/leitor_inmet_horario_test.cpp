#include "import/leitor_inmet_horario.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/erro.h"
#include "import/formato_arquivo.h"
#include "import/tempestades_horarias.h"
#include "teste_util.h"

namespace ventaro {
namespace {

using teste::Dados;

// The three layouts of INMET's hourly exports, read from excerpts of real files down to the
// storms they hold.
TEST(LerInmetHorario, ReadsEveryExportDownToItsStorms) {
    struct Caso {
        const char* arquivo;
        FormatoArquivo formato;
        const char* codigo;
        const char* nome;
        double latitude;
        std::size_t horas, sem_valor;
        int completos, incompletos;
        std::vector<TempestadeObservada> tempestades;
    };
    const Caso casos[] = {
        // Up to 2018: "2018-03-04;09:00", -9999 missing.
        {"INMET_A806_2018-03-04_excerto.CSV",
         FormatoArquivo::InmetHorarioAnual,
         "A806",
         "FLORIANOPOLIS",
         -27.6025,
         48,
         1,
         1,
         1,
         {{{2018, 3, 4}, 15.0, 15, 5.0, 13.5 / 15}}},
        // From 2019: "2019/01/01;0800 UTC", an empty field missing.
        {"INMET_A806_2019_excerto.CSV",
         FormatoArquivo::InmetHorarioAnual,
         "A806",
         "FLORIANOPOLIS",
         -27.60253,
         72,
         1,
         2,
         1,
         {{{2019, 1, 1}, 0.4, 6, 0.2, 0.5 / 6}}},
        // BDMEP: "Key: value" block, "2024-04-01;2200", point or comma decimals.
        {"dados_A840_H_2024-04-01_excerto.csv",
         FormatoArquivo::BdmepHorario,
         "A840",
         "BENTO GONCALVES",
         -29.164581,
         48,
         0,
         2,
         0,
         {{{2024, 4, 1}, 2.6, 2, 1.6, 0.75}, {{2024, 4, 2}, 0.4, 11, 0.2, 0.5 / 11}}},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.arquivo);
        EXPECT_EQ(DetectarFormato(Dados(c.arquivo)), c.formato);
        const RegistroHorario r = LerInmetHorario(Dados(c.arquivo));
        EXPECT_EQ(r.Identidade.Codigo, c.codigo);
        EXPECT_EQ(r.Identidade.Nome, c.nome);
        EXPECT_DOUBLE_EQ(r.Identidade.Latitude.value_or(0), c.latitude);
        ASSERT_EQ(r.Horas.size(), c.horas);
        EXPECT_EQ(r.Horas[0].Hora, 0);
        EXPECT_EQ(r.Horas[23].Hora, 23);
        std::size_t sem_valor = 0;
        for (const HoraObservada& h : r.Horas) sem_valor += !h.Prec;
        EXPECT_EQ(sem_valor, c.sem_valor);

        // A factor of 2 doubles the peak intensity and nothing else.
        const TempestadesHorarias t = ExtrairTempestades(r, 2.0);
        EXPECT_EQ(t.DiasCompletos, c.completos);
        EXPECT_EQ(t.DiasIncompletos, c.incompletos);
        ASSERT_EQ(t.Tempestades.size(), c.tempestades.size());
        for (std::size_t i = 0; i < c.tempestades.size(); ++i) {
            const TempestadeObservada& e = c.tempestades[i];
            const TempestadeObservada& o = t.Tempestades[i];
            EXPECT_EQ(o.Dia, e.Dia);
            EXPECT_NEAR(o.Lamina, e.Lamina, 1e-9);
            EXPECT_EQ(o.Duracao, e.Duracao);
            EXPECT_DOUBLE_EQ(o.IntensidadePico, 2.0 * e.IntensidadePico);
            EXPECT_DOUBLE_EQ(o.TempoPico, e.TempoPico);
        }
    }
}

// Storm days built by hand: the span of rainy hours, the first of equal peaks, the 0.2 mm
// threshold reached by a sum, and a day with a "null" hour left out.
TEST(ExtrairTempestades, SpanPeakAndThresholdOfHandMadeDays) {
    teste::PastaTemporaria pasta;
    std::string texto =
        "Nome: TESTE\nCodigo Estacao: A999\n\nData Medicao;Hora Medicao;"
        "PRECIPITACAO TOTAL, HORARIO(mm);\n";
    auto dia = [&texto](const std::string& data, const std::vector<const char*>& horas) {
        for (int h = 0; h < 24; ++h) {
            char linha[64];
            std::snprintf(linha, sizeof linha, "%s;%02d00;%s;\n", data.c_str(), h,
                          horas[static_cast<std::size_t>(h)]);
            texto += linha;
        }
    };
    std::vector<const char*> h(24, "0");
    h[3] = "0.2", h[5] = "1,5", h[7] = "1.5", h[8] = ",4";  // equal peaks: the first counts
    dia("2020-02-29", h);
    h.assign(24, "0");
    h[23] = ",1", h[0] = ",1";  // 0.1 + 0.1 is a storm spanning the whole day
    dia("2020-03-01", h);
    h.assign(24, "0");
    h[12] = ",1";  // below 0.2 mm: not a storm
    dia("2020-03-02", h);
    h[13] = "null", h[14] = "30";  // a missing hour leaves the day out
    dia("2020-03-03", h);
    const TempestadesHorarias t =
        ExtrairTempestades(LerInmetHorario(pasta.Escrever("dados_A999_H_2020.csv", texto)), 1.0);
    EXPECT_EQ(t.DiasCompletos, 3);
    EXPECT_EQ(t.DiasIncompletos, 1);
    ASSERT_EQ(t.Tempestades.size(), 2u);
    EXPECT_EQ(t.Tempestades[0].Dia, (Data{2020, 2, 29}));
    EXPECT_DOUBLE_EQ(t.Tempestades[0].Lamina, 3.6);
    EXPECT_EQ(t.Tempestades[0].Duracao, 6);
    EXPECT_EQ(t.Tempestades[0].IntensidadePico, 1.5);
    EXPECT_DOUBLE_EQ(t.Tempestades[0].TempoPico, 2.5 / 6);
    EXPECT_EQ(t.Tempestades[1].Duracao, 24);
    EXPECT_DOUBLE_EQ(t.Tempestades[1].TempoPico, 0.5 / 24);
}

// What is not an hourly record, or a line that cannot be one, is refused naming the file and,
// for a line, its number.
TEST(LerInmetHorario, RefusesWhatIsNotAnHourlyRecord) {
    teste::PastaTemporaria pasta;
    const std::string cabecalho =
        "REGIAO:;S\nCODIGO (WMO):;A806\nDATA (YYYY-MM-DD);HORA (UTC);PRECIPITACAO TOTAL, "
        "HORARIO (mm);TEMPERATURA;\n2018-01-01;00:00;0;20;\n";
    struct Caso {
        std::string nome, conteudo, trecho;
    };
    const Caso casos[] = {
        {"diario.csv", teste::LerTexto(Dados("dados_83696_D_1973-01-01_1973-02-28.csv")),
         "exportação diária do BDMEP, não uma série horária"},
        {"texto.csv", "estacao;chuva\nA806;3\n", "formato desconhecido"},
        {"data.csv", cabecalho + "2018-02-30;01:00;0;20;\n", "linha 5: data inválida"},
        {"hora.csv", cabecalho + "2018-01-01;01:30;0;20;\n", "linha 5: hora inválida"},
        {"valor.csv", cabecalho + "2018-01-01;01:00;x;20;\n",
         "linha 5: precipitação inválida \"x\""},
        {"negativo.csv", cabecalho + "2018-01-01;01:00;-0,2;20;\n",
         "linha 5: precipitação negativa"},
        {"repetida.csv", cabecalho + "2018-01-01;00:00;0;20;\n",
         "linha 5: hora repetida (01/01/2018 00 h, já na linha 4)"},
        {"sem_chuva.csv", "Data;Hora UTC;TEMPERATURA;UMIDADE;\n2019/01/01;0000 UTC;20;80;\n",
         "linha 1: sem a coluna de precipitação horária"},
        {"so_data_hora.csv", "Data Medicao;Hora Medicao;\n2024-04-01;0000;\n",
         "não tem o cabeçalho de data, hora e precipitação"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nome);
        const auto arquivo = pasta.Escrever(c.nome, c.conteudo);
        try {
            LerInmetHorario(arquivo);
            ADD_FAILURE() << "aceito";
        } catch (const ErroVentaro& e) {
            const std::string msg = e.what();
            EXPECT_NE(msg.find(arquivo.string()), std::string::npos) << msg;
            EXPECT_NE(msg.find(c.trecho), std::string::npos) << msg;
        }
    }
}

}  // namespace
}  // namespace ventaro
