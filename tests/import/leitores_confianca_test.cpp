// What the readers do with hostile or damaged input: years that would make them walk or hold
// millennia, physically impossible values, pages saved from the web, control characters, and
// files far larger than the record they hold.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "core/calendario.h"
#include "core/erro.h"
#include "import/chuvas_ana.h"
#include "import/formato_arquivo.h"
#include "import/importacao_inmet.h"
#include "import/leitor_bdmep.h"
#include "import/leitor_inmet_texto.h"
#include "import/origem_ana.h"
#include "import/registro_diario.h"
#include "import/texto.h"
#include "teste_util.h"

namespace ventaro {
namespace {

using teste::Dados;

// One line of the INMET text file with plausible values; 19aa-mm-dd.
std::string LinhaInmet(long long aa, int mm, int dd, const std::string& tmax = "28.5",
                       const std::string& tmin = "17.5", const std::string& umid = "80",
                       const std::string& vento = "2", const std::string& chuva = "0") {
    std::string s = std::to_string(aa) + " " + std::to_string(mm) + " " + std::to_string(dd) + " " +
                    tmax + " " + tmin + " 0 " + std::to_string(4 + dd % 5);
    for (int obs = 0; obs < 3; ++obs) s += " 0 0 " + umid + " 0 " + vento + " " + chuva;
    return s + "\n";
}

std::string MesesInmet(long long aa, int mes_ini, int mes_fim) {
    std::string s;
    for (int mes = mes_ini; mes <= mes_fim; ++mes) {
        for (int d = 1; d <= DiasNoMes(1900 + aa, mes); ++d) s += LinhaInmet(aa, mes, d);
    }
    return s;
}

const std::string kCabecalhoBdmep =
    "Nome: TESTE\nCodigo Estacao: 12345\nLatitude: -10,5\n\n"
    "Data Medicao;INSOLACAO TOTAL, DIARIO(h);PRECIPITACAO TOTAL, DIARIO(mm);"
    "TEMPERATURA MAXIMA, DIARIA(°C);TEMPERATURA MINIMA, DIARIA(°C);"
    "UMIDADE RELATIVA DO AR, MEDIA DIARIA(%);VENTO, VELOCIDADE MEDIA DIARIA(m/s);\n";
constexpr int kLinhasCabecalhoBdmep = 5;

std::string DiaBdmep(const Data& d, const std::string& insol = "7", const std::string& prec = "0",
                     const std::string& tmax = "30", const std::string& tmin = "20",
                     const std::string& umid = "80", const std::string& vento = "2") {
    char data[48];
    std::snprintf(data, sizeof data, "%04lld-%02d-%02d", static_cast<long long>(d.ano), d.mes,
                  d.dia);
    return std::string(data) + ";" + insol + ";" + prec + ";" + tmax + ";" + tmin + ";" + umid +
           ";" + vento + ";\n";
}

std::string MesesBdmep(int64_t ano, int mes_ini, int mes_fim) {
    std::string s;
    for (int mes = mes_ini; mes <= mes_fim; ++mes) {
        for (int d = 1; d <= DiasNoMes(ano, mes); ++d) s += DiaBdmep(Data{ano, mes, d});
    }
    return s;
}

const std::string kCabecalhoBdmepAntigo =
    "BDMEP - INMET\nEstação : TESTE - XX (OMM: 80001)\nLatitude  (graus) : -10.5\n"
    "Estacao;Data;Hora;Precipitacao;TempMaxima;TempMinima;Insolacao;"
    "Umidade Relativa Media;Velocidade do Vento Media;\n";
constexpr int kLinhasCabecalhoBdmepAntigo = 4;

std::string CabecalhoHidroweb() {
    std::string s = "EstacaoCodigo;NivelConsistencia;Data";
    for (int d = 1; d <= 31; ++d) s += (d < 10 ? ";Chuva0" : ";Chuva") + std::to_string(d);
    return s + "\n";
}

// A HidroWeb row; `dia1` replaces the depth of the 1st.
std::string MesHidroweb(int64_t ano, int mes, const std::string& dia1 = "1,5") {
    char data[48];  // room for any year, so that GCC sees no truncation
    std::snprintf(data, sizeof data, "01/%02d/%04lld", mes, static_cast<long long>(ano));
    std::string s = "2243001;1;" + std::string(data) + ";" + dia1;
    for (int d = 2; d <= DiasNoMes(ano, mes); ++d) s += d % 3 ? ";0" : ";" + std::to_string(d);
    return s + "\n";
}

std::string AnosHidroweb(int64_t ano_ini, int64_t ano_fim) {
    std::string s;
    for (int64_t a = ano_ini; a <= ano_fim; ++a) {
        for (int m = 1; m <= 12; ++m) s += MesHidroweb(a, m);
    }
    return s;
}

const std::string kCabecalhoInventario = "Codigo;Nome;Municipio;Latitude;Longitude;Altitude\n";

// What a test needs from any reader: its warnings, run through the reader's own entry point.
using Leitura = std::function<std::vector<std::string>(const std::filesystem::path&)>;

std::vector<std::string> LerTexto(const std::filesystem::path& a) {
    return LerInmetTexto(a, -22.9).Avisos;
}
std::vector<std::string> LerCsv(const std::filesystem::path& a) {
    return LerBdmepCsv(a).Avisos;
}
std::vector<std::string> LerAntigo(const std::filesystem::path& a) {
    return LerBdmepAntigo(a).Avisos;
}
std::vector<std::string> LerChuvas(const std::filesystem::path& a) {
    return LerArquivoChuvas(a).Avisos;
}
std::vector<std::string> LerInventario(const std::filesystem::path& a) {
    LerInventarioAna(a);
    return {};
}

std::string MensagemDe(const Leitura& ler, const std::filesystem::path& arquivo) {
    try {
        ler(arquivo);
    } catch (const ErroVentaro& e) {
        return e.what();
    }
    return "";
}

TEST(LeitoresAnos, AYearOutsideTheAcceptedOnesFailsNamingTheFileAndLine) {
    teste::PastaTemporaria pasta;
    struct Caso {
        const char* nome;
        Leitura ler;
        std::string conteudo;
        std::size_t linha;
    };
    const std::string jan = MesesInmet(85, 1, 1);
    const std::vector<Caso> casos = {
        // 1900 + 99999999 walked day by day for minutes and overflowed for larger years.
        {"texto_99999999.txt", LerTexto, jan + LinhaInmet(99999999, 1, 1), 32},
        {"texto_1e6.txt", LerTexto, jan + LinhaInmet(1000000, 1, 1), 32},
        {"texto_max.txt", LerTexto, jan + LinhaInmet(9223372036854775807LL, 1, 1), 32},
        {"texto_1799.txt", LerTexto, LinhaInmet(-101, 1, 1) + jan, 1},
        {"texto_2101.txt", LerTexto, jan + LinhaInmet(201, 1, 1), 32},
        {"bdmep_9999.csv", LerCsv,
         kCabecalhoBdmep + MesesBdmep(2001, 1, 1) + DiaBdmep(Data{9999, 12, 31}),
         kLinhasCabecalhoBdmep + 32},
        {"bdmep_0001.csv", LerCsv, kCabecalhoBdmep + DiaBdmep(Data{1, 1, 1}),
         kLinhasCabecalhoBdmep + 1},
        {"antigo_1799.txt", LerAntigo, kCabecalhoBdmepAntigo + "80001;01/01/1799;0000;0;;;;;;\n",
         kLinhasCabecalhoBdmepAntigo + 1},
        {"chuvas_2101.csv", LerChuvas,
         CabecalhoHidroweb() + MesHidroweb(2000, 1) + MesHidroweb(2101, 1), 3},
    };
    for (const Caso& c : casos) {
        const auto arquivo = pasta.Escrever(c.nome, c.conteudo);
        const std::string msg = MensagemDe(c.ler, arquivo);
        EXPECT_NE(msg.find(arquivo.string()), std::string::npos) << c.nome << ": " << msg;
        EXPECT_NE(msg.find("linha " + std::to_string(c.linha) + ":"), std::string::npos)
            << c.nome << ": " << msg;
        EXPECT_NE(msg.find("fora de 1800 a 2100"), std::string::npos) << c.nome << ": " << msg;
    }

    // The bounds themselves are accepted. Between them the INMET text reader walks the days
    // but holds a record only for the years the file has.
    const RegistroClima texto = LerInmetTexto(
        pasta.Escrever("texto_1901_2100.txt", MesesInmet(1, 1, 1) + MesesInmet(200, 12, 12)),
        -22.9);
    ASSERT_EQ(texto.Anos.size(), 2u);
    EXPECT_TRUE(texto.Anos[0].Valido[1]);
    EXPECT_TRUE(texto.Anos[1].Valido[12]);
    const LeituraDiaria bdmep = LerBdmepCsv(pasta.Escrever(
        "bdmep_1800_2100.csv",
        kCabecalhoBdmep + DiaBdmep(Data{1800, 1, 1}) + DiaBdmep(Data{2100, 12, 31})));
    EXPECT_EQ(MontarRegistro(bdmep.Dias, -10).Anos.size(), 301u);
}

TEST(LeitoresValoresImpossiveis, AreReadAsMissingAndReportedOncePerFileWithTheFirstLines) {
    teste::PastaTemporaria pasta;
    // BDMEP: January 2001 holds 7 impossible values, February none.
    std::string bdmep = kCabecalhoBdmep;
    for (int d = 1; d <= 31; ++d) {
        const Data dia{2001, 1, d};
        switch (d) {
            case 3:
                bdmep += DiaBdmep(dia, "7", "1e26");
                break;
            case 4:
                bdmep += DiaBdmep(dia, "7", "-5");
                break;
            case 5:
                bdmep += DiaBdmep(dia, "7", "nan");
                break;
            case 6:
                bdmep += DiaBdmep(dia, "7", "0", "30", "-45");
                break;
            case 7:
                bdmep += DiaBdmep(dia, "7", "0", "30", "20", "120");
                break;
            case 8:
                bdmep += DiaBdmep(dia, "7", "0", "30", "20", "80", "80");
                break;
            case 9:
                bdmep += DiaBdmep(dia, "25");  // more hours than a day has
                break;
            default:
                bdmep += DiaBdmep(dia);
        }
    }
    bdmep += MesesBdmep(2001, 2, 2);
    const auto arquivo_bdmep = pasta.Escrever("bdmep.csv", bdmep);
    const LeituraDiaria l = LerBdmepCsv(arquivo_bdmep);
    ASSERT_EQ(l.Avisos.size(), 1u);
    const std::string& aviso = l.Avisos[0];
    EXPECT_NE(aviso.find(arquivo_bdmep.string()), std::string::npos) << aviso;
    EXPECT_NE(aviso.find("7 valores fora dos limites físicos"), std::string::npos) << aviso;
    EXPECT_NE(aviso.find("linha 8: precipitação 1e+26 mm; linha 9: precipitação -5 mm; "
                         "linha 10: precipitação nan mm; linha 11: temperatura mínima -45 °C; "
                         "linha 12: umidade relativa 120 %; e mais 2)"),
              std::string::npos)
        << aviso;
    EXPECT_FALSE(l.Dias[2].Prec);  // read as missing
    const RegistroClima r = MontarRegistro(l.Dias, -10.5);
    EXPECT_FALSE(r.Anos[0].Valido[1]);
    EXPECT_TRUE(r.Anos[0].Valido[2]);

    // The same through every other reader: one warning naming the count, the file and the
    // first line; the value never reaches the day.
    struct Caso {
        const char* nome;
        Leitura ler;
        std::string conteudo;
        const char* esperado;
    };
    const std::string jan = MesesInmet(85, 1, 1);
    const std::vector<Caso> casos = {
        {"texto.txt", LerTexto,
         LinhaInmet(85, 1, 1, "28", "-45") + LinhaInmet(85, 1, 2, "28", "17", "-5") +
             LinhaInmet(85, 1, 3, "28", "17", "80", "80") +
             LinhaInmet(85, 1, 4, "28", "17", "80", "2", "nan") +
             LinhaInmet(85, 1, 5, "28", "17", "80", "2", "200") + jan.substr(jan.find("85 1 6 ")),
         "11 valores fora dos limites físicos foram lidos como ausentes e o mês de cada um não "
         "entra nas estatísticas (linha 1: temperatura mínima (campo 5) -45 °C; linha 2: "
         "umidade (campo 10) -5 %; linha 2: umidade (campo 16) -5 %; linha 2: umidade (campo "
         "22) -5 %; linha 3: vento (campo 12) 80 m/s; e mais 6)."},
        {"antigo.txt", LerAntigo,
         kCabecalhoBdmepAntigo + "80001;02/01/1990;1200;-0.5;;;;;;\n" +
             "80001;02/01/1990;0000;;31;;8;70;3;\n",
         "1 valor fora dos limites físicos foi lido como ausente e o seu mês não entra nas "
         "estatísticas (linha 5: precipitação -0.5 mm)."},
        {"chuvas.csv", LerChuvas, CabecalhoHidroweb() + MesHidroweb(1990, 1, "1e26"),
         "(linha 2, dia 1: precipitação 1e+26 mm)"},
    };
    for (const Caso& c : casos) {
        const auto arquivo = pasta.Escrever(c.nome, c.conteudo);
        const std::vector<std::string> avisos = c.ler(arquivo);
        ASSERT_EQ(avisos.size(), 1u) << c.nome;
        EXPECT_NE(avisos[0].find("Arquivo " + arquivo.string() + ": "), std::string::npos)
            << avisos[0];
        EXPECT_NE(avisos[0].find(c.esperado), std::string::npos) << avisos[0];
    }
    const RegistroClima texto = LerInmetTexto(pasta.Caminho() / "texto.txt", -22.9);
    EXPECT_FALSE(texto.Anos[0].Valido[1]);
    EXPECT_EQ(texto.Anos[0].Dias[1][1].TMin, 999.9);  // the file's missing code
    EXPECT_FALSE(LerArquivoChuvas(pasta.Caminho() / "chuvas.csv").Meses[0].Dias[0]);

    // The file's own missing codes are no warnings, and real exports have none.
    EXPECT_TRUE(LerTexto(pasta.Escrever("codigos.txt", LinhaInmet(85, 1, 1, "99.9", "999.9", "999",
                                                                  "999", "999.9") +
                                                           jan.substr(jan.find("85 1 2 "))))
                    .empty());
    for (const char* real :
         {"dados_83587_D_2005-01-01_2012-12-31.csv", "dados_83696_D_1973-01-01_1973-02-28.csv"}) {
        EXPECT_TRUE(LerCsv(Dados(real)).empty()) << real;
    }
    EXPECT_TRUE(LerAntigo(Dados("barra_1978_jan_fev.txt")).empty());
    for (const char* real :
         {"chuvas_C_02345106_excerto.csv", "447002_Chuvas_excerto.csv", "CHUVAS_02447049.TXT"}) {
        EXPECT_TRUE(LerChuvas(Dados(real)).empty()) << real;
    }
    EXPECT_TRUE(LerArquivoInmet(Dados("83004_excerto.txt")).Avisos().empty());
}

TEST(LeitoresValoresImpossiveis, AFewTyposStillImportAndNeverReachTheRainfallParameters) {
    teste::PastaTemporaria pasta;
    std::string texto = CabecalhoHidroweb() + AnosHidroweb(1980, 1991);
    auto trocar = [&](int64_t ano, const std::string& dia1) {
        const std::string linha = MesHidroweb(ano, 1);
        texto.replace(texto.find(linha), linha.size(), MesHidroweb(ano, 1, dia1));
    };
    // 1e26 mm once made the January mean 1.8e23; NaN silently dropped a whole year.
    trocar(1983, "1e26");
    trocar(1985, "-5");
    trocar(1987, "nan");
    const LeituraChuvas leitura = LerArquivoChuvas(pasta.Escrever("typos.csv", texto));
    ASSERT_EQ(leitura.Avisos.size(), 1u);
    EXPECT_NE(leitura.Avisos[0].find("3 valores"), std::string::npos) << leitura.Avisos[0];
    const ParametrosPrec p = EstimarPrec(leitura.Meses);
    EXPECT_EQ(p.NumAnos, 9);  // the three years with an impossible day are not accepted
    // The same as a file without those years.
    const ParametrosPrec sem = EstimarPrec(LerChuvasHidroweb(pasta.Escrever(
        "sem.csv", CabecalhoHidroweb() + AnosHidroweb(1980, 1982) + AnosHidroweb(1984, 1984) +
                       AnosHidroweb(1986, 1986) + AnosHidroweb(1988, 1991))));
    EXPECT_EQ(sem.NumAnos, 9);
    for (int mes = 1; mes <= 12; ++mes) {
        EXPECT_DOUBLE_EQ(p.Dados.XPrec[mes], sem.Dados.XPrec[mes]) << mes;
        EXPECT_DOUBLE_EQ(p.Dados.SPrec[mes], sem.Dados.SPrec[mes]) << mes;
    }
}

TEST(LeitoresMarcacaoFinal, TagLinesAfterTheDataAreSkippedAndAmidTheDataRefused) {
    teste::PastaTemporaria pasta;
    struct Leitor {
        const char* nome;
        Leitura ler;
        std::string dados;  // the file up to its last data line
        std::string outra;  // one more data line
        std::size_t linhas;
    };
    const std::vector<Leitor> leitores = {
        {"texto", LerTexto, MesesInmet(85, 1, 1), LinhaInmet(85, 2, 1), 31},
        {"bdmep", LerCsv, kCabecalhoBdmep + MesesBdmep(2001, 1, 1), DiaBdmep(Data{2001, 2, 1}),
         kLinhasCabecalhoBdmep + 31},
        {"antigo", LerAntigo, kCabecalhoBdmepAntigo + "80001;01/01/1990;0000;;31;;8;70;3;\n",
         "80001;01/01/1990;1200;0;;19;;;;\n", kLinhasCabecalhoBdmepAntigo + 1},
        {"chuvas", LerChuvas, CabecalhoHidroweb() + MesHidroweb(1990, 1), MesHidroweb(1990, 2), 2},
        {"inventario", LerInventario, kCabecalhoInventario + "2243001;A;B;-22.5;-43.5;10\n",
         "2243002;C;D;-22.5;-43.5;10\n", 2},
    };
    struct Final {
        const char* sufixo;
        bool aceito;
    };
    const std::vector<Final> finais = {
        {"</pre>\n", true}, {"</pre>\r\n\r\n</body></html>\r\n", true},
        {"\n  \n", true},   {"</pre>\n@", false},  // the marker line is followed by more data below
        {"lixo\n", false},
    };
    for (const Leitor& l : leitores) {
        for (const Final& f : finais) {
            std::string conteudo = l.dados + f.sufixo;
            if (conteudo.back() == '@') conteudo.replace(conteudo.size() - 1, 1, l.outra);
            const auto arquivo = pasta.Escrever(std::string(l.nome) + ".txt", conteudo);
            const std::string msg = MensagemDe(l.ler, arquivo);
            if (f.aceito) {
                EXPECT_EQ(msg, "") << l.nome << " + " << f.sufixo;
            } else {
                EXPECT_NE(msg.find("linha " + std::to_string(l.linhas + 1) + ":"),
                          std::string::npos)
                    << l.nome << " + " << f.sufixo << ": " << msg;
            }
        }
    }

    // The real three-observation export, saved from the web page, reads whole: its header runs
    // "VelocidadeVento" and "Insolacao" together, and its rows of a day are merged.
    const std::filesystem::path real =
        std::filesystem::path(VENTARO_SHARED_DATA_DIR) / "inmet_bdmep_antigo_3obs" / "83004.txt";
    const LeituraInmet leitura = LerArquivoInmet(real);
    EXPECT_EQ(leitura.Registro.Identidade.Codigo, "83004");
    EXPECT_EQ(leitura.Registro.NumAnos(), 5);
    EXPECT_TRUE(leitura.Avisos().empty());
    // 01/01/1995: 0000 row TMax 26.8, insolação 1.5, UR média 86.75, vento médio 2; 1200 row
    // chuva 21.2, TMin 19.5.
    const LeituraDiaria dias = LerBdmepAntigo(Dados("83004_excerto.txt"));
    const DiaObservado& d = dias.Dias[1];
    ASSERT_EQ(d.Dia, (Data{1995, 1, 1}));
    EXPECT_DOUBLE_EQ(*d.TMax, 26.8);
    EXPECT_DOUBLE_EQ(*d.TMin, 19.5);
    EXPECT_DOUBLE_EQ(*d.Insolacao, 1.5);
    EXPECT_DOUBLE_EQ(*d.Umid, 0.8675);
    EXPECT_DOUBLE_EQ(*d.VVento, 2);
    EXPECT_DOUBLE_EQ(*d.Prec, 21.2);
}

TEST(TextoSeguro, ControlCharactersAreShownEscaped) {
    const std::vector<std::pair<std::string, std::string>> casos = {
        {"Posse - GO", "Posse - GO"},
        {"São João", "São João"},
        {"a\x1b[2Jb", "a\\x1b[2Jb"},
        {"\x1b]0;titulo\x07", "\\x1b]0;titulo\\x07"},
        {"a\tb\r\n", "a\\tb\\x0d\\x0a"},
        {"\x7f", "\\x7f"},
        {"\xc2\x9b"
         "31m",
         "\\u009b31m"},              // C1 control in UTF-8
        {"\xff\xfe", "\\xff\\xfe"},  // not UTF-8
        {"\xe2\x82", "\\xe2\\x82"},  // cut character
        {std::string("a\0b", 3), "a\\x00b"},
    };
    for (const auto& [entrada, saida] : casos) EXPECT_EQ(TextoSeguro(entrada), saida);
}

TEST(TextoSeguro, EveryReaderMessageAndNameQuotingTheInputIsEscaped) {
    teste::PastaTemporaria pasta;
    const std::string escape = "\x1b]0;pwned\x07\x1b[2J";
    struct Caso {
        const char* nome;
        Leitura ler;
        std::string conteudo;
    };
    const std::vector<Caso> casos = {
        {"texto.txt", LerTexto, MesesInmet(85, 1, 1) + "85 2 1 " + escape + "\n"},
        {"bdmep.csv", LerCsv, kCabecalhoBdmep + "2001-01-01;" + escape + ";1;2;3;4;5;\n"},
        {"antigo.txt", LerAntigo, kCabecalhoBdmepAntigo + "80001;" + escape + ";0000;\n"},
        {"chuvas.csv", LerChuvas, CabecalhoHidroweb() + "2243001;1;" + escape + "\n"},
        {"inventario.csv", LerInventario, kCabecalhoInventario + "1;A;B;" + escape + ";1;1\n"},
        {"formato.csv",
         [](const auto& a) {
             DetectarFormato(a);
             return std::vector<std::string>{};
         },
         escape + "\n"},
        {"sem\x1b[2Jnome.csv", LerCsv, "nada\n"},
    };
    for (const Caso& c : casos) {
        const std::string msg = MensagemDe(c.ler, pasta.Escrever(c.nome, c.conteudo));
        ASSERT_FALSE(msg.empty()) << c.nome;
        for (char ch : msg) {
            EXPECT_FALSE(static_cast<unsigned char>(ch) < 0x20 || ch == 0x7f)
                << c.nome << ": " << TextoSeguro(msg);
        }
        EXPECT_NE(msg.find("\\x1b"), std::string::npos) << c.nome << ": " << msg;
    }
    // A long line is cut before a character, never inside it.
    const std::string longa = std::string(79, 'x') + "ção;" + std::string(100, 'y');
    const std::string msg = MensagemLinha("a.txt", 3, "motivo", longa);
    EXPECT_NE(msg.find(std::string(79, 'x') + "...\""), std::string::npos) << msg;

    // Names read from files reach the database and the terminal escaped.
    const LeituraDiaria l = LerBdmepCsv(pasta.Escrever(
        "nome.csv",
        "Nome: A" + escape + "B\n" + kCabecalhoBdmep.substr(kCabecalhoBdmep.find('\n') + 1)));
    EXPECT_EQ(l.Identidade.Nome, "A\\x1b]0;pwned\\x07\\x1b[2JB");
    const auto inventario = LerInventarioAna(
        pasta.Escrever("inv.csv", kCabecalhoInventario + "2243001;A\x1b[2J\x07;B;-22;-43;1\n"));
    EXPECT_EQ(inventario.at(2243001).Nome, "A\\x1b[2J\\x07");
}

TEST(LeitorLinhas, ReadsLineEndsMarksAndEncodingsOneLineAtATime) {
    teste::PastaTemporaria pasta;
    const std::string longa(100000, 'z');  // spans several reads of the file
    const std::vector<std::pair<std::string, std::vector<std::string>>> casos = {
        {"", {}},
        {"\n", {""}},
        {"a\nb", {"a", "b"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"\xEF\xBB\xBF"
         "a\n\xEF\xBB\xBF"
         "b\n",
         {"a",
          "\xEF\xBB\xBF"
          "b"}},
        {"S\xE3o\nS\xC3\xA3o\n", {"São", "São"}},  // Latin-1, then UTF-8
        {"x\n" + longa + "\r\ny", {"x", longa, "y"}},
    };
    for (const auto& [conteudo, esperadas] : casos) {
        LeitorLinhas leitor(pasta.Escrever("l.txt", conteudo));
        std::vector<std::string> linhas;
        while (leitor.Proxima()) {
            linhas.push_back(leitor.Linha());
            EXPECT_EQ(leitor.Numero(), linhas.size());
        }
        EXPECT_EQ(linhas, esperadas) << TextoSeguro(conteudo.substr(0, 20));
    }
    // A file without line ends is not held whole.
    LeitorLinhas enorme(pasta.Escrever("enorme.txt", "a\n" + std::string(kMaximoLinha + 10, 'q')));
    ASSERT_TRUE(enorme.Proxima());
    try {
        enorme.Proxima();
        FAIL();
    } catch (const ErroVentaro& e) {
        EXPECT_NE(std::string(e.what()).find("linha 2: linha com mais de 1024 KiB"),
                  std::string::npos)
            << e.what();
    }
    EXPECT_THROW(LeitorLinhas(pasta.Caminho() / "nao_existe.txt"), ErroVentaro);
}

TEST(LeitoresMemoria, ARepeatedFileHoldsNoMoreThanItsRecord) {
    // A 200 MB export once took 1.2 GB because the whole file was held. The readers now keep
    // one entry per date, month or year; a file repeating its data holds what one copy holds.
    teste::PastaTemporaria pasta;
    auto repetir = [](const std::string& s, int n) {
        std::string r;
        for (int i = 0; i < n; ++i) r += s;
        return r;
    };
    const RegistroClima texto = LerInmetTexto(
        pasta.Escrever("texto.txt", repetir(MesesInmet(85, 1, 12) + MesesInmet(86, 1, 12), 20)),
        -22.9);
    EXPECT_EQ(texto.Anos.size(), 2u);
    EXPECT_EQ(texto.NumAnos(), 2);

    const LeituraDiaria bdmep = LerBdmepCsv(
        pasta.Escrever("bdmep.csv", kCabecalhoBdmep + repetir(MesesBdmep(2001, 1, 12), 20)));
    EXPECT_EQ(bdmep.Dias.size(), 365u);

    const LeituraChuvas chuvas = LerArquivoChuvas(
        pasta.Escrever("chuvas.csv", CabecalhoHidroweb() + repetir(AnosHidroweb(1990, 1991), 20)));
    EXPECT_EQ(chuvas.Meses.size(), 24u);

    const auto inventario = LerInventarioAna(pasta.Escrever(
        "inv.csv", kCabecalhoInventario + repetir("2243001;A;B;-22.5;-43.5;10\n", 1000)));
    EXPECT_EQ(inventario.size(), 1u);
}

}  // namespace
}  // namespace ventaro
