// The files other models read, written from a generated series and read back by parsers of
// this test that follow the formats' own descriptions (whitespace-separated fields, fixed line
// numbers), not the writers' code.

#include "output/formato_saida.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/calendario.h"
#include "core/erro.h"
#include "generator/perfil_tempestade.h"
#include "generator/tcalcular_serie_sintetica.h"
#include "output/arquivo_serie.h"
#include "output/texto_ascii.h"
#include "output/texto_em_blocos.h"
#include "support/dados_exemplo.h"

namespace ventaro {
namespace {

namespace fs = std::filesystem;

class Pasta {
  public:
    Pasta() {
        static int n = 0;
        caminho_ = fs::temp_directory_path() /
                   ("ventaro_formatos_" + std::to_string(::getpid()) + "_" + std::to_string(n++));
        fs::remove_all(caminho_);
        fs::create_directories(caminho_);
    }
    ~Pasta() {
        std::error_code ec;
        fs::remove_all(caminho_, ec);
    }
    fs::path operator/(const std::string& nome) const { return caminho_ / nome; }
    std::size_t Entradas() const {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(caminho_), fs::directory_iterator()));
    }

  private:
    fs::path caminho_;
};

std::string Ler(const fs::path& arquivo) {
    std::ifstream in(arquivo, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<std::string> Linhas(const std::string& texto) {
    std::vector<std::string> linhas;
    std::istringstream in(texto);
    for (std::string l; std::getline(in, l);) linhas.push_back(l);
    return linhas;
}

std::vector<double> Numeros(const std::string& linha) {
    std::istringstream in(linha);
    std::vector<double> v;
    for (double x; in >> x;) v.push_back(x);
    return v;
}

bool SoAscii(const std::string& texto) {
    for (const char c : texto) {
        if (static_cast<unsigned char>(c) >= 0x80 || c == '\r') return false;
    }
    return true;
}

// A generated series of three years across a leap year.
struct Serie {
    TDados dados = teste::DadosExemplo();
    ConfiguracaoSerie config;
    TClima clima;

    explicit Serie(VariaveisSimuladas variaveis = {true, true, true, true, true, true}) {
        dados.CodEstacao = 2045012;
        dados.SetNome("São João del-Rei");
        dados.Altitude = 898;
        dados.CodEstacaoClima = 83587;
        dados.SetNomeClima("Belo Horizonte");
        dados.LatitudeClima = -19.93;
        dados.LongitudeClima = -43.95;
        dados.AltitudeClima = 915.47;
        config.NumAnos = 3;
        config.APartir = 1999;
        config.Variaveis = variaveis;
        clima = TCalcularSerieSintetica().Calcular(dados, config).Clima;
    }
};

// Dew point by the Magnus form, as the WEPP file asks.
double Orvalho(double t, double ur) {
    const double g = std::log(std::max(ur, 0.01)) + 17.62 * t / (243.12 + t);
    return 243.12 * g / (17.62 - g);
}

TEST(GravarSaida, WeppFileReadsBackDayByDay) {
    struct Caso {
        VariaveisSimuladas variaveis;
        int flag_vento;
    };
    for (const Caso& caso : {Caso{{true, true, true, true, true, true}, 0},
                             Caso{{true, true, true, true, false, false}, 1}}) {
        const Serie s(caso.variaveis);
        const Pasta pasta;
        GravarSaida(FormatoSaida::Wepp, pasta / "clima.cli", s.dados, s.clima, s.config, ',');
        const std::string texto = Ler(pasta / "clima.cli");
        EXPECT_TRUE(SoAscii(texto));
        const auto linhas = Linhas(texto);
        ASSERT_EQ(linhas.size(), 15u + static_cast<std::size_t>(s.clima.NumDias));
        EXPECT_EQ(Numeros(linhas[0]), std::vector<double>{0.0});
        EXPECT_EQ(Numeros(linhas[1]), (std::vector<double>{1, 0, double(caso.flag_vento)}));
        EXPECT_NE(linhas[2].find("Sao Joao del-Rei"), std::string::npos) << linhas[2];
        const auto estacao = Numeros(linhas[4]);
        ASSERT_EQ(estacao.size(), 6u);
        EXPECT_NEAR(estacao[0], s.dados.Latitude, 5e-5);
        EXPECT_NEAR(estacao[1], s.dados.Longitude, 5e-5);
        EXPECT_EQ(estacao[2], 898);
        EXPECT_GT(estacao[3], 0);
        EXPECT_EQ(estacao[4], 1999);
        EXPECT_EQ(estacao[5], 3);
        for (std::size_t i = 6; i < 13; i += 2) EXPECT_EQ(Numeros(linhas[i]).size(), 12u);

        for (int64_t d = 1; d <= s.clima.NumDias; ++d) {
            const auto i = static_cast<std::size_t>(d);
            const auto v = Numeros(linhas[14 + i]);
            ASSERT_EQ(v.size(), 13u) << linhas[14 + i];
            const Data data = DataDoDia(1999, d);
            ASSERT_EQ(v[0], data.dia);
            ASSERT_EQ(v[1], data.mes);
            ASSERT_EQ(v[2], double(data.ano));
            const double P = s.clima.Prec[i];
            ASSERT_NEAR(v[3], P, 0.05) << linhas[14 + i];
            if (P > 0) {
                const double D = s.clima.Dur[i];
                ASSERT_NEAR(v[4], D, 0.005);
                ASSERT_NEAR(v[5], s.clima.Ti[i], 0.0005);
                ASSERT_NEAR(v[6], std::max(1.0, s.clima.Ii[i] / (P / D)), 0.005);
            } else {
                ASSERT_EQ(v[4] + v[5] + v[6], 0.0);
            }
            const double tmax = s.clima.TMax[i], tmin = s.clima.TMin[i];
            ASSERT_NEAR(v[7], tmax, 0.05);
            ASSERT_NEAR(v[8], tmin, 0.05);
            ASSERT_NEAR(v[9], s.clima.Rad[i] * 23.8846, 0.05);
            ASSERT_NEAR(v[10], caso.flag_vento == 0 ? s.clima.VVento[i] : 0.0, 0.05);
            ASSERT_EQ(v[11], 0);
            ASSERT_NEAR(
                v[12],
                caso.variaveis.SimularUmid ? Orvalho((tmax + tmin) / 2, s.clima.Umid[i]) : tmin,
                0.05);
        }
    }
}

// Adaptive Simpson quadrature of f over [a, b] to within `erro`.
template <typename F>
double Simpson(const F& f, double a, double b, double erro, int profundidade = 50) {
    const double m = (a + b) / 2, fa = f(a), fm = f(m), fb = f(b);
    const double inteira = (b - a) / 6 * (fa + 4 * fm + fb);
    const double lm = (a + m) / 2, rm = (m + b) / 2;
    const double metades =
        (m - a) / 6 * (fa + 4 * f(lm) + fm) + (b - m) / 6 * (fm + 4 * f(rm) + fb);
    if (profundidade <= 0 || std::fabs(metades - inteira) <= 15 * erro) return metades;
    return Simpson(f, a, m, erro / 2, profundidade - 1) +
           Simpson(f, m, b, erro / 2, profundidade - 1);
}

// Normalised cumulative depth of a storm's profile at normalised time t (the area under the
// intensity curve up to t over its whole area), by quadrature of the curve: the peak
// ip D / P at tp, rising before it with ParamB and falling after it with ParamD.
double FracaoAcumulada(double t, const TClima& c, std::size_t d) {
    const double tp = c.Ti[d], B = c.ParamB[d], Dd = c.ParamD[d];
    const double pico = c.Ii[d] * c.Dur[d] / c.Prec[d];
    const auto subida = [&](double x) { return pico * std::exp(B * (x - tp)); };
    const auto descida = [&](double x) { return pico * std::exp(-Dd * (x - tp)); };
    const double total = Simpson(subida, 0, tp, 1e-10) + Simpson(descida, tp, 1, 1e-10);
    const double ate_t = t <= tp ? Simpson(subida, 0, t, 1e-10)
                                 : Simpson(subida, 0, tp, 1e-10) + Simpson(descida, tp, t, 1e-10);
    return ate_t / total;
}

TEST(GravarSaida, WeppBreakpointsFollowEachStormsProfileAndEndAtItsDepth) {
    // A normal run keeps no storm profiles: the writer computes each, the same as a store that
    // holds them.
    const Serie serie;
    ASSERT_FALSE(serie.clima.Possui(&TClima::ParamB));
    Serie s = serie;
    s.clima.Acrescentar({.Tempestades = false,
                         .Perfis = true,
                         .Energias = false,
                         .Temperaturas = false,
                         .Vento = false,
                         .Umidade = false});
    CalcularPerfis(s.clima);
    const Pasta pasta;
    GravarSaida(FormatoSaida::WeppBreakpoint, pasta / "bp.cli", s.dados, s.clima, s.config, '.');
    GravarSaida(FormatoSaida::WeppBreakpoint, pasta / "calculado.cli", serie.dados, serie.clima,
                serie.config, '.');
    EXPECT_EQ(Ler(pasta / "calculado.cli"), Ler(pasta / "bp.cli"));
    const auto linhas = Linhas(Ler(pasta / "bp.cli"));
    EXPECT_EQ(Numeros(linhas[1]), (std::vector<double>{1, 1, 0}));
    std::size_t l = 15;
    int tempestades = 0;
    for (int64_t d = 1; d <= s.clima.NumDias; ++d) {
        const auto i = static_cast<std::size_t>(d);
        ASSERT_LT(l, linhas.size());
        const auto dia = Numeros(linhas[l++]);
        ASSERT_EQ(dia.size(), 10u);
        ASSERT_EQ(dia[2], double(DataDoDia(1999, d).ano));
        const double P = s.clima.Prec[i];
        if (!(P > 0)) {
            ASSERT_EQ(dia[3], 0);
            continue;
        }
        ++tempestades;
        const auto n = static_cast<std::size_t>(dia[3]);
        ASSERT_GE(n, 2u);
        ASSERT_LE(n, 50u);
        const double D = s.clima.Dur[i];
        // Where the store's own limbs are representable, they meet at the peak intensity. A
        // storm whose depth correction left its peak below its mean intensity (a flat profile)
        // falls at about its mean intensity.
        if (s.clima.ParamA[i] > 1e-300 && s.clima.ParamC[i] < 1e12) {
            ASSERT_NEAR(s.clima.ParamA[i] * std::exp(s.clima.ParamB[i] * s.clima.Ti[i]) * P / D,
                        s.clima.Ii[i], 1e-9 * s.clima.Ii[i]);
        }
        const double pico = std::max(s.clima.Ii[i], 1.01 * P / D);
        double hora_anterior = -1, lamina_anterior = -1;
        for (std::size_t k = 0; k < n; ++k) {
            const auto ponto = Numeros(linhas[l++]);
            ASSERT_EQ(ponto.size(), 2u);
            const double hora = ponto[0], lamina = ponto[1];
            ASSERT_GT(hora, hora_anterior) << "dia " << d;
            ASSERT_GT(lamina, lamina_anterior) << "dia " << d;
            ASSERT_GE(hora, 0.0);
            ASSERT_LE(hora, 24.0);
            hora_anterior = hora;
            lamina_anterior = lamina;
            // On the storm's cumulative curve, within the written decimals.
            const double t = (hora - (12.0 - D / 2)) / D;
            ASSERT_NEAR(lamina, P * FracaoAcumulada(std::clamp(t, 0.0, 1.0), s.clima, i),
                        0.0051 + pico * 0.0005)
                << "dia " << d << ", ponto " << k << " P " << P << " D " << D << " tp "
                << s.clima.Ti[i] << " A " << s.clima.ParamA[i] << " B " << s.clima.ParamB[i]
                << " Dd " << s.clima.ParamD[i];
        }
        EXPECT_EQ(Numeros(linhas[l - n])[1], 0.0);
        EXPECT_NEAR(Numeros(linhas[l - n])[0], 12.0 - D / 2, 0.0005 + 1e-9);
        EXPECT_NEAR(hora_anterior, 12.0 + D / 2, 0.0005 + 1e-9);
        EXPECT_EQ(lamina_anterior, std::round(P * 100) / 100) << "dia " << d;
    }
    EXPECT_EQ(l, linhas.size());
    EXPECT_GT(tempestades, 100);
}

TEST(GravarSaida, SwatFolderReadsBackDayByDay) {
    // Humidity not simulated: its file holds -99.
    const Serie s({true, true, true, true, true, false});
    const Pasta pasta;
    const fs::path swat = pasta / "swat";
    GravarSaida(FormatoSaida::Swat, swat, s.dados, s.clima, s.config, ',');
    struct Arquivo {
        const char* nome;
        const char* lista;
        const std::vector<double>* valores[2];
        double decimais;
        bool clima;
    };
    const Arquivo arquivos[] = {
        {"p02045012.pcp", "pcp.cli", {&s.clima.Prec, nullptr}, 0.005, false},
        {"c83587.tmp", "tmp.cli", {&s.clima.TMax, &s.clima.TMin}, 0.005, true},
        {"c83587.slr", "slr.cli", {&s.clima.Rad, nullptr}, 0.0005, true},
        {"c83587.hmd", "hmd.cli", {nullptr, nullptr}, 0.0005, true},
        {"c83587.wnd", "wnd.cli", {&s.clima.VVento, nullptr}, 0.005, true},
    };
    EXPECT_EQ(std::distance(fs::directory_iterator(swat), fs::directory_iterator()), 10);
    for (const Arquivo& a : arquivos) {
        SCOPED_TRACE(a.nome);
        const auto lista = Linhas(Ler(swat / a.lista));
        ASSERT_EQ(lista.size(), 3u);
        EXPECT_EQ(lista[1], "filename");
        EXPECT_EQ(lista[2], a.nome);

        const std::string texto = Ler(swat / a.nome);
        EXPECT_TRUE(SoAscii(texto));
        const auto linhas = Linhas(texto);
        ASSERT_EQ(linhas.size(), 3u + static_cast<std::size_t>(s.clima.NumDias));
        EXPECT_NE(linhas[0].find("semente 5"), std::string::npos);
        EXPECT_EQ(Numeros(linhas[1]).size(), 0u);
        const auto cabecalho = Numeros(linhas[2]);
        ASSERT_EQ(cabecalho.size(), 5u);
        EXPECT_EQ(cabecalho[0], 3);
        EXPECT_EQ(cabecalho[1], 0);
        EXPECT_NEAR(cabecalho[2], a.clima ? -19.93 : s.dados.Latitude, 5e-4);
        EXPECT_NEAR(cabecalho[3], a.clima ? -43.95 : s.dados.Longitude, 5e-4);
        EXPECT_NEAR(cabecalho[4], a.clima ? 915.47 : 898, 5e-4);
        const std::size_t colunas = a.valores[1] != nullptr ? 2 : 1;
        int dia_do_ano = 0;
        for (int64_t d = 1; d <= s.clima.NumDias; ++d) {
            const auto i = static_cast<std::size_t>(d);
            const auto v = Numeros(linhas[2 + i]);
            ASSERT_EQ(v.size(), 2 + colunas) << linhas[2 + i];
            const Data data = DataDoDia(1999, d);
            dia_do_ano = data.mes == 1 && data.dia == 1 ? 1 : dia_do_ano + 1;
            ASSERT_EQ(v[0], double(data.ano));
            ASSERT_EQ(v[1], dia_do_ano);
            for (std::size_t c = 0; c < colunas; ++c) {
                const std::vector<double>* x = a.valores[c];
                ASSERT_NEAR(v[2 + c], x != nullptr ? (*x)[i] : -99.0, a.decimais) << d;
            }
        }
        EXPECT_EQ(dia_do_ano, 365);
    }
}

TEST(GravarSaida, CsvHasOneColumnPerSimulatedVariable) {
    const Serie s({true, true, false, false, false, true});
    const Pasta pasta;
    GravarSaida(FormatoSaida::Csv, pasta / "serie.csv", s.dados, s.clima, s.config, ',');
    const auto linhas = Linhas(Ler(pasta / "serie.csv"));
    std::size_t l = 0;
    while (linhas[l].starts_with("#")) ++l;
    EXPECT_EQ(linhas[l], "data,prec_mm,dur_h,ti_fracao,ii_mm_h,tmax_C,umid_fracao");
    ASSERT_EQ(linhas.size(), l + 1 + static_cast<std::size_t>(s.clima.NumDias));
    EXPECT_EQ(linhas[l + 1].substr(0, 11), "1999-01-01,");
    EXPECT_EQ(linhas[l + 1 + 365 + 59].substr(0, 11), "2000-02-29,");
    const std::vector<const std::vector<double>*> colunas = {
        &s.clima.Prec, &s.clima.Dur, &s.clima.Ti, &s.clima.Ii, &s.clima.TMax, &s.clima.Umid};
    for (int64_t d = 1; d <= s.clima.NumDias; ++d) {
        const auto i = static_cast<std::size_t>(d);
        std::string linha = linhas[l + i];
        std::replace(linha.begin(), linha.end(), ',', ' ');
        const auto v = Numeros(linha.substr(10));
        ASSERT_EQ(v.size(), colunas.size()) << linhas[l + i];
        for (std::size_t c = 0; c < colunas.size(); ++c) {
            ASSERT_NEAR(v[c], (*colunas[c])[i], 0.0051) << linhas[l + i];
        }
    }
}

// Every file of every format names the run's seed and scenario, so that a member of an
// ensemble or a scenario's series is never mistaken for another.
TEST(GravarSaida, SeedAndScenarioNamedInEveryHeader) {
    Serie s;
    s.config.Semente = 9;
    s.config.Cenario = CenarioClimatico{};
    s.config.Cenario->Nome = "ssp585_2050.csv";
    const Pasta pasta;
    for (const FormatoSaida f : {FormatoSaida::Csv, FormatoSaida::Wepp,
                                 FormatoSaida::WeppBreakpoint, FormatoSaida::Swat}) {
        const fs::path destino = pasta / Info(f).Nome;
        GravarSaida(f, destino, s.dados, s.clima, s.config, '.');
        for (const fs::path& arquivo : ArquivosDaSaida(f, destino, 2045012, 83587)) {
            const auto linhas = Linhas(Ler(arquivo));
            const std::string cabecalho = linhas[0] + linhas[1] + linhas[2];
            EXPECT_NE(cabecalho.find("semente 9"), std::string::npos) << arquivo;
            EXPECT_NE(cabecalho.find("ssp585_2050.csv"), std::string::npos) << arquivo;
        }
    }
    // The series file keeps its eleven header lines and names the scenario after the length;
    // without a scenario it is the file it always was.
    GravarSaida(FormatoSaida::Serie, pasta / "serie.txt", s.dados, s.clima, s.config, '.');
    auto linhas = Linhas(Ler(pasta / "serie.txt"));
    ASSERT_GT(linhas.size(), 11u);
    EXPECT_EQ(linhas[8],
              "Tamanho da S\xE9rie Sint\xE9tica:  3 anos     Cen\xE1rio: ssp585_2050.csv\r");
    EXPECT_EQ(linhas[9], "\r");
    s.config.Cenario.reset();
    GravarSaida(FormatoSaida::Serie, pasta / "atual.txt", s.dados, s.clima, s.config, '.');
    EXPECT_EQ(Ler(pasta / "atual.txt"), TextoSerie(s.dados, s.clima, s.config.NumAnos, '.'));
    linhas = Linhas(Ler(pasta / "atual.txt"));
    EXPECT_EQ(linhas[8], "Tamanho da S\xE9rie Sint\xE9tica:  3 anos\r");
}

TEST(GravarSaida, RefusesWhatItCannotWriteAndLeavesNothingUnconfirmed) {
    const Serie sem_radiacao({true, true, true, false, false, false});
    const Pasta pasta;
    try {
        GravarSaida(FormatoSaida::Wepp, pasta / "a.cli", sem_radiacao.dados, sem_radiacao.clima,
                    sem_radiacao.config, '.');
        ADD_FAILURE() << "sem exceção";
    } catch (const ErroVentaro& e) {
        EXPECT_NE(std::string(e.what()).find("não simulou: radiação;"), std::string::npos)
            << e.what();
    }
    std::ofstream(pasta / "arquivo") << "x";
    EXPECT_THROW(GravarSaida(FormatoSaida::Swat, pasta / "arquivo", sem_radiacao.dados,
                             sem_radiacao.clima, sem_radiacao.config, '.'),
                 ErroVentaro);
    EXPECT_EQ(pasta.Entradas(), 1u);

    // Written but not confirmed: neither the files nor the folder made for them stay.
    const Serie s;
    {
        const SaidaPendente pendente =
            PrepararSaida(FormatoSaida::Swat, pasta / "swat", s.dados, s.clima, s.config, '.');
        EXPECT_TRUE(fs::is_directory(pasta / "swat"));
        EXPECT_FALSE(fs::exists(pasta / "swat" / "pcp.cli"));
    }
    EXPECT_EQ(pasta.Entradas(), 1u);
    SaidaPendente pendente =
        PrepararSaida(FormatoSaida::Csv, pasta / "s.csv", s.dados, s.clima, s.config, '.');
    SaidaPendente movida = std::move(pendente);
    movida.Confirmar();
    EXPECT_TRUE(fs::exists(pasta / "s.csv"));
    EXPECT_EQ(pasta.Entradas(), 2u);
}

TEST(CaminhoRealizacao, SuffixBeforeTheExtensionWithTheDigitsTheEnsembleNeeds) {
    struct Caso {
        const char* destino;
        uint32_t indice, total;
        const char* esperado;
    };
    for (const Caso& c :
         {Caso{"serie.txt", 1, 1, "serie.txt"}, Caso{"serie.txt", 1, 3, "serie_r01.txt"},
          Caso{"saida/clima.cli", 12, 120, "saida/clima_r012.cli"}, Caso{"swat", 2, 2, "swat_r02"},
          Caso{"swat/", 2, 2, "swat_r02"}, Caso{"a.b/serie", 10, 10, "a.b/serie_r10"}}) {
        EXPECT_EQ(CaminhoRealizacao(c.destino, c.indice, c.total), fs::path(c.esperado))
            << c.destino;
    }
}

TEST(TextoEmBlocos, FixedDecimalsWhateverTheBlockSize) {
    for (const std::size_t bloco : {std::size_t{1}, std::size_t{7}, std::size_t{1} << 16}) {
        std::string saida;
        TextoEmBlocos s([&saida](std::string_view t) { saida += t; }, bloco);
        s.Fixo(0.125, 2);
        s.Caractere('|');
        s.Fixo(-0.004, 2);
        s.Caractere('|');
        s.Fixo(-3.25, 1, 6);
        s.Caractere('|');
        s.Fixo(1234.5678, 0);
        s.Caractere('|');
        s.Fixo(1e20, 1);
        s.Caractere('|');
        s.Fixo(std::nan(""), 2, 4);
        s.Caractere('|');
        s.Decimal(-5, 2);
        s.Caractere('|');
        s.Inteiro(-42, 5);
        s.Texto("|fim");
        s.Descarregar();
        EXPECT_EQ(saida, "0.13|0.00|  -3.3|1235|100000000000000000000.0| nan|-0.05|  -42|fim");
    }
}

TEST(ParaAscii, LettersLoseTheirAccentsAndTheRestBecomesQuestionMarks) {
    EXPECT_EQ(ParaAscii("São João d’Aliança – CONCEIÇÃO nº 3ª\tÿ€"),
              "Sao Joao d?Alianca ? CONCEICAO no 3a?y?");
}

}  // namespace
}  // namespace ventaro
