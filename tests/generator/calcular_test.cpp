#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "core/erro.h"
#include "generator/perfil_tempestade.h"
#include "generator/tcalcular_serie_sintetica.h"
#include "support/dados_exemplo.h"

namespace ventaro {
namespace {

ConfiguracaoSerie Tudo(uint32_t anos, uint32_t a_partir = 1989) {
    ConfiguracaoSerie c;
    c.NumAnos = anos;
    c.APartir = a_partir;
    c.Correcao = true;
    c.Variaveis = {true, true, true, true, true, true};
    return c;
}

ConfiguracaoSerie SemCorrecao(uint32_t anos) {
    ConfiguracaoSerie c;
    c.NumAnos = anos;
    c.Correcao = false;
    return c;
}

std::vector<const std::vector<double>*> Arrays(const TClima& c) {
    return {&c.Prec,   &c.Dur,  &c.Ti,   &c.Ii,     &c.ParamA, &c.ParamB, &c.ParamC,
            &c.ParamD, &c.KEf,  &c.KEwm, &c.KE25f,  &c.KE25wm, &c.EI30f,  &c.EI30wm,
            &c.TMax,   &c.TMin, &c.Rad,  &c.VVento, &c.Umid};
}

// Byte equality of every array of two stores.
::testing::AssertionResult MesmosBytes(const TClima& a, const TClima& b) {
    if (a.NumDias != b.NumDias) return ::testing::AssertionFailure() << "NumDias differs";
    const auto va = Arrays(a);
    const auto vb = Arrays(b);
    for (std::size_t i = 0; i < va.size(); ++i) {
        if (va[i]->size() != vb[i]->size()) {
            return ::testing::AssertionFailure() << "array " << i << " is held by one store only";
        }
        // An array neither store holds has no data to compare (and memcmp takes no null).
        if (!va[i]->empty() &&
            std::memcmp(va[i]->data(), vb[i]->data(), va[i]->size() * sizeof(double)) != 0) {
            for (std::size_t d = 0; d < va[i]->size(); ++d) {
                if (std::memcmp(&(*va[i])[d], &(*vb[i])[d], sizeof(double)) != 0) {
                    return ::testing::AssertionFailure()
                           << "array " << i << " differs at day " << d << ": " << (*va[i])[d]
                           << " vs " << (*vb[i])[d];
                }
            }
        }
    }
    return ::testing::AssertionSuccess();
}

// The plain scan, and a run kept on one thread, give the series of the default run.
TEST(Calcular, TableInversionGivesThePlainScanSeriesBitForBit) {
    for (uint32_t semente : {1u, 2u, 3u}) {
        const TDados dados = teste::DadosVariados(semente);
        for (ModoCalculo modo : {ModoCalculo::Normal, ModoCalculo::Erosividade}) {
            const TClima a = TCalcularSerieSintetica().Calcular(dados, Tudo(4), modo).Clima;
            const TClima b = TCalcularSerieSintetica(MetodoInversao::Direta)
                                 .Calcular(dados, Tudo(4), modo)
                                 .Clima;
            ASSERT_TRUE(MesmosBytes(a, b)) << "semente " << semente;
            const TClima c =
                TCalcularSerieSintetica(NucleosCalculo::Um).Calcular(dados, Tudo(4), modo).Clima;
            ASSERT_TRUE(MesmosBytes(a, c)) << "semente " << semente << ", um núcleo";
        }
    }
}

// Wind and humidity run beside the temperatures from where the stream will be after them: every
// choice of variables, with and without corrections and with the year-to-year variability
// (which draws after them), gives on two threads the series and warnings of one thread.
TEST(Calcular, ClimatePassesSideBySideGiveTheOneThreadSeries) {
    TDados dados = teste::DadosVariados(7);
    dados.TemTotaisPrec = true;
    for (int m = 1; m <= 12; ++m) {
        dados.XTotal[m] = 120.0;
        dados.STotal[m] = 45.0;
        dados.CovTotalAnual[m] = 900.0;
    }
    struct Caso {
        VariaveisSimuladas variaveis;
        bool correcao;
        bool variabilidade;
    };
    const Caso casos[] = {
        {{true, true, true, true, true, true}, true, false},
        {{true, true, true, true, true, true}, false, false},
        {{true, false, true, false, false, true}, true, false},
        {{false, true, false, false, true, false}, true, false},
        {{true, true, true, true, false, true}, false, false},
        {{true, false, false, true, true, true}, true, true},
    };
    for (const Caso& caso : casos) {
        ConfiguracaoSerie c = Tudo(7, 1999);
        c.Variaveis = caso.variaveis;
        c.Correcao = caso.correcao;
        c.VariabilidadeAnual = caso.variabilidade;
        const ResultadoCalculo dois = TCalcularSerieSintetica().Calcular(dados, c);
        const ResultadoCalculo um = TCalcularSerieSintetica(NucleosCalculo::Um).Calcular(dados, c);
        const auto i = &caso - casos;
        ASSERT_TRUE(MesmosBytes(dois.Clima, um.Clima)) << "caso " << i;
        EXPECT_EQ(dois.Avisos, um.Avisos) << "caso " << i;
    }
}

// A run keeps the arrays it fills: storms when asked for, profiles and energies in erosivity
// runs only, each climate array with its variable. What both runs hold is the same bit for
// bit, and the profile of an ordinary run's storm, computed when needed, is the one an
// erosivity run keeps.
TEST(Calcular, KeepsOnlyTheArraysItFills) {
    const TDados dados = teste::DadosExemplo();
    const TCalcularSerieSintetica gerador;
    const TClima normal = gerador.Calcular(dados, Tudo(3)).Clima;
    const TClima erosiva = gerador.Calcular(dados, Tudo(3), ModoCalculo::Erosividade).Clima;
    for (const TClima::Array a : {&TClima::ParamA, &TClima::KEf, &TClima::EI30wm}) {
        EXPECT_FALSE(normal.Possui(a));
        EXPECT_TRUE(erosiva.Possui(a));
    }
    for (const TClima::Array a :
         {&TClima::Prec, &TClima::Dur, &TClima::Ti, &TClima::Ii, &TClima::TMax, &TClima::TMin,
          &TClima::Rad, &TClima::VVento, &TClima::Umid}) {
        ASSERT_TRUE(normal.Possui(a));
        ASSERT_EQ(std::memcmp((normal.*a).data(), (erosiva.*a).data(),
                              (normal.*a).size() * sizeof(double)),
                  0);
    }
    int tempestades = 0;
    for (int64_t d = 1; d <= normal.NumDias; ++d) {
        const auto i = static_cast<std::size_t>(d);
        if (normal.Prec[i] == 0) continue;
        ++tempestades;
        const PerfilTempestade p =
            CalcularPerfil(normal.Prec[i], normal.Dur[i], normal.Ti[i], normal.Ii[i]);
        ASSERT_EQ(p.ParamA, erosiva.ParamA[i]) << d;
        ASSERT_EQ(p.ParamB, erosiva.ParamB[i]) << d;
        ASSERT_EQ(p.ParamC, erosiva.ParamC[i]) << d;
        ASSERT_EQ(p.ParamD, erosiva.ParamD[i]) << d;
    }
    EXPECT_GT(tempestades, 100);

    ConfiguracaoSerie so_chuva = Tudo(3);
    so_chuva.Variaveis = {};
    so_chuva.Variaveis.SimularUmid = true;
    const TClima parcial = gerador.Calcular(dados, so_chuva, ModoCalculo::Erosividade).Clima;
    for (const TClima::Array a : {&TClima::Dur, &TClima::Ii, &TClima::ParamA, &TClima::KEf,
                                  &TClima::TMax, &TClima::Rad, &TClima::VVento}) {
        EXPECT_FALSE(parcial.Possui(a));
    }
    EXPECT_TRUE(parcial.Possui(&TClima::Umid));
    EXPECT_TRUE(parcial.Possui(&TClima::Ti));
}

TEST(Calcular, TwoRunsGiveTheSameSeries) {
    const TCalcularSerieSintetica gerador;
    const TDados dados = teste::DadosExemplo();
    const TClima a = gerador.Calcular(dados, Tudo(20)).Clima;
    const TClima b = gerador.Calcular(dados, Tudo(20)).Clima;
    EXPECT_TRUE(MesmosBytes(a, b));
}

TEST(Calcular, StoreCoversTheCalendarDays) {
    const TCalcularSerieSintetica gerador;
    TDados dados = teste::DadosExemplo();
    // February always wet, March always dry: 29 February is wet and 1 March dry.
    dados.PCC[2] = dados.PCS[2] = 1.0;
    dados.PCC[3] = dados.PCS[3] = 0.0;
    const TClima c = gerador.Calcular(dados, Tudo(1, 2000)).Clima;
    ASSERT_EQ(c.NumDias, 366);
    EXPECT_EQ(c.DataInicial, (Data{2000, 1, 1}));
    EXPECT_EQ(c.MesDoDia(60), 2);
    EXPECT_GT(c.Prec[60], 0.0);
    EXPECT_EQ(c.Prec[61], 0.0);
    for (int64_t d = 32; d <= 60; ++d) EXPECT_GE(c.Prec[d], 0.2) << d;
    for (int64_t d = 61; d <= 91; ++d) EXPECT_EQ(c.Prec[d], 0.0) << d;

    EXPECT_EQ(gerador.Calcular(dados, Tudo(10, 1989)).Clima.NumDias, 3652);
}

TEST(Calcular, NoYearsGiveNoDays) {
    const TClima c = TCalcularSerieSintetica()
                         .Calcular(teste::DadosExemplo(), Tudo(0), ModoCalculo::Erosividade)
                         .Clima;
    EXPECT_EQ(c.NumDias, 0);
    EXPECT_EQ(c.Prec.size(), 1u);
    EXPECT_EQ(c.Prec[0], 0.0);
}

#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
// (The sanitizers' allocators abort on such a request instead of failing it.)
TEST(Calcular, SeriesLongerThanMemoryFailsWithAMessage) {
    ConfiguracaoSerie config;
    config.NumAnos = 4000000000u;
    try {
        TCalcularSerieSintetica().Calcular(teste::DadosExemplo(), config);
        FAIL() << "a series of 4e9 years was allocated";
    } catch (const ErroVentaro& e) {
        EXPECT_STREQ(e.what(), "Memória insuficiente para gerar uma série de 4000000000 anos.");
    }
}
#endif

TEST(Calcular, DryDaysHoldNoStormAndSimulatedRangesHold) {
    const TClima c = TCalcularSerieSintetica()
                         .Calcular(teste::DadosExemplo(), Tudo(30), ModoCalculo::Erosividade)
                         .Clima;
    int molhados = 0;
    for (int64_t d = 0; d <= c.NumDias; ++d) {
        if (c.Prec[d] == 0) {
            for (const auto* v : Arrays(c)) {
                if (v == &c.TMax) break;
                ASSERT_EQ((*v)[d], 0.0) << d;
            }
            continue;
        }
        ++molhados;
        ASSERT_GE(c.Prec[d], 0.2);
        ASSERT_GE(c.Dur[d], 0.2);
        ASSERT_LE(c.Dur[d], 24.0);
        ASSERT_GE(c.Ti[d], 0.001);
        ASSERT_LE(c.Ti[d], 0.99);
        ASSERT_GE(c.Ii[d], 0.2);
        ASSERT_GE(c.VVento[d], 0.1);
        ASSERT_GE(c.Rad[d], 0.0);
    }
    EXPECT_GT(molhados, 3000);
}

TEST(Calcular, ProbabilitiesOfOneAndZeroGiveAllWetAndAllDry) {
    TDados dados = teste::DadosExemplo();
    dados.PCC[1] = dados.PCS[1] = 1.0;
    dados.PCC[7] = dados.PCS[7] = 0.0;
    // A wet month whose mean depth is below the floor.
    dados.XPrec[1] = 0.05;
    dados.SkewPrec[1] = 0.0;
    const TClima c = TCalcularSerieSintetica().Calcular(dados, SemCorrecao(3)).Clima;
    for (int64_t d = 1; d <= c.NumDias; ++d) {
        if (c.MesDoDia(d) == 1) {
            ASSERT_EQ(c.Prec[d], 0.2) << d;
        } else if (c.MesDoDia(d) == 7) {
            ASSERT_EQ(c.Prec[d], 0.0) << d;
        }
    }
}

TEST(Calcular, ZeroSkewnessGivesTheMeanDepthAndKeepsTheStream) {
    const TCalcularSerieSintetica gerador;
    TDados dados = teste::DadosExemplo();
    const TClima com = gerador.Calcular(dados, SemCorrecao(5)).Clima;
    dados.SkewPrec[4] = 0.0;
    const TClima sem = gerador.Calcular(dados, SemCorrecao(5)).Clima;
    int dias_abril = 0;
    for (int64_t d = 1; d <= com.NumDias; ++d) {
        // The wet/dry sequence and the times to peak follow the same draws.
        ASSERT_EQ(com.Prec[d] > 0, sem.Prec[d] > 0) << d;
        if (sem.MesDoDia(d) == 4 && sem.Prec[d] > 0) {
            ++dias_abril;
            ASSERT_EQ(sem.Prec[d], dados.XPrec[4]);
        } else {
            ASSERT_EQ(com.Ti[d], sem.Ti[d]) << d;
        }
    }
    EXPECT_GT(dias_abril, 10);
}

// Sample deviation of `v` over the days of month m that pass `usar`.
template <typename Filtro>
double DesvioMes(const TClima& c, const std::vector<double>& v, int m, Filtro usar) {
    double soma = 0.0, soma2 = 0.0;
    int64_t n = 0;
    for (int64_t d = 1; d <= c.NumDias; ++d) {
        if (c.MesDoDia(d) != m || !usar(d)) continue;
        const double x = v[static_cast<std::size_t>(d)];
        soma += x;
        soma2 += x * x;
        ++n;
    }
    const double media = soma / static_cast<double>(n);
    return std::sqrt((soma2 - static_cast<double>(n) * media * media) / static_cast<double>(n - 1));
}

// A skewness that is only a rounding residue of 0 makes the cubic of the skew transformation
// cancel to the mean; depths and winds must keep their normal spread instead.
TEST(Calcular, SkewnessOfARoundingResidueKeepsTheSpread) {
    TDados dados = teste::DadosExemplo();
    dados.SkewPrec[4] = 4.6e-17;
    dados.SkewVVentoSe[4] = -4.6e-17;
    dados.SkewVVentoCh[4] = 2e-12;
    ConfiguracaoSerie c = SemCorrecao(20);
    c.Variaveis.SimularVVento = true;
    const TClima s = TCalcularSerieSintetica().Calcular(dados, c).Clima;
    const auto umido = [&](int64_t d) { return s.Prec[d] > 0; };
    const auto seco = [&](int64_t d) { return !(s.Prec[d] > 0); };
    EXPECT_NEAR(DesvioMes(s, s.Prec, 4, umido), dados.SPrec[4], 0.15 * dados.SPrec[4]);
    EXPECT_NEAR(DesvioMes(s, s.VVento, 4, seco), dados.SVVentoSe[4], 0.15 * dados.SVVentoSe[4]);
    EXPECT_NEAR(DesvioMes(s, s.VVento, 4, umido), dados.SVVentoCh[4], 0.2 * dados.SVVentoCh[4]);
}

TEST(Calcular, PeakIntensityFallsBackToElevenTenthsOfTheMean) {
    ConfiguracaoSerie config = SemCorrecao(2);
    config.Variaveis.SimularPrec = true;
    TDados dados = teste::DadosExemplo();
    // Peak-intensity laws far below any storm's mean intensity: every attempt is rejected.
    for (int m = 1; m <= 12; ++m) {
        for (auto& b : dados.BetaIi[m]) b = 0.001;
    }
    const TClima c = TCalcularSerieSintetica().Calcular(dados, config).Clima;
    for (int64_t d = 1; d <= c.NumDias; ++d) {
        if (c.Prec[d] > 0) {
            ASSERT_EQ(c.Ii[d], 1.1 * (c.Prec[d] / c.Dur[d])) << d;
        }
    }
}

std::string MensagemDoErro(const TDados& dados) {
    try {
        TCalcularSerieSintetica().Calcular(dados, Tudo(5));
    } catch (const ErroVentaro& e) {
        return e.what();
    }
    return "";
}

TEST(Calcular, InvalidStormLawStopsTheRunWithOneMessage) {
    TDados dados = teste::DadosExemplo();
    for (auto& a : dados.AlfaDur[3]) a = 0.5;
    std::string msg = MensagemDoErro(dados);
    EXPECT_NE(msg.find("duração"), std::string::npos) << msg;
    EXPECT_NE(msg.find("mês 3"), std::string::npos) << msg;
    EXPECT_NE(msg.find("classe de lâmina"), std::string::npos) << msg;
    EXPECT_NE(msg.find("AlfaDur = 0.5"), std::string::npos) << msg;

    dados = teste::DadosExemplo();
    for (auto& b : dados.BetaIi[11]) b = 0.0;
    msg = MensagemDoErro(dados);
    EXPECT_NE(msg.find("intensidade de pico"), std::string::npos) << msg;
    EXPECT_NE(msg.find("mês 11"), std::string::npos) << msg;
    EXPECT_NE(msg.find("BetaIi = 0"), std::string::npos) << msg;

    // A constant out of range even in logarithms.
    dados = teste::DadosExemplo();
    for (auto& a : dados.AlfaIi[1]) a = 1e306;
    msg = MensagemDoErro(dados);
    EXPECT_NE(msg.find("mês 1,"), std::string::npos) << msg;
    EXPECT_NE(msg.find("nem em escala logarítmica"), std::string::npos) << msg;

    // A law no storm needs is not checked.
    dados = teste::DadosExemplo();
    dados.AlfaDur[7][11] = 0.0;
    dados.SPrec[7] = 0.0;
    dados.SkewPrec[7] = 0.0;
    EXPECT_EQ(MensagemDoErro(dados), "");
}

// Shapes near 230 take beta^alpha * Gamma(alpha) out of the range of a double (here 0.02^230
// underflows and Gamma(230) overflows), yet the laws are sound: the run draws from them, with the
// law's mean and deviation, instead of stopping.
TEST(Calcular, StormLawsWithLargeShapesAreDrawnFrom) {
    TDados dados = teste::DadosExemplo();
    for (auto& a : dados.AlfaDur[1]) a = 230.0;
    for (auto& b : dados.BetaDur[1]) b = 0.02;  // mean 4.6 h, deviation 0.30 h
    for (auto& a : dados.AlfaIi[1]) a = 230.0;
    for (auto& b : dados.BetaIi[1]) b = 0.1;  // mean 23 mm/h, deviation 1.5 mm/h
    ConfiguracaoSerie c = SemCorrecao(10);
    c.Variaveis.SimularPrec = true;
    const TClima s = TCalcularSerieSintetica().Calcular(dados, c).Clima;
    const auto janeiro_umido = [&](int64_t d) { return s.MesDoDia(d) == 1 && s.Prec[d] > 0; };
    double dur = 0.0, ii = 0.0;
    int64_t n = 0;
    for (int64_t d = 1; d <= s.NumDias; ++d) {
        if (!janeiro_umido(d)) continue;
        dur += s.Dur[d];
        ii += s.Ii[d];
        ++n;
    }
    ASSERT_GT(n, 100);
    EXPECT_NEAR(dur / static_cast<double>(n), 4.6, 0.05);
    EXPECT_NEAR(ii / static_cast<double>(n), 23.0, 0.25);
    EXPECT_NEAR(DesvioMes(s, s.Dur, 1, janeiro_umido), 0.30, 0.03);
    EXPECT_NEAR(DesvioMes(s, s.Ii, 1, janeiro_umido), 1.52, 0.15);
}

class Registro : public Progresso {
  public:
    explicit Registro(SinalCancelamento* cancelar_em = nullptr, int64_t dia = 0)
        : cancelamento_(cancelar_em), dia_(dia) {}
    void DefinirPasso(std::string_view texto) override { passos.emplace_back(texto); }
    void DefinirFaixa(int64_t, int64_t) override {}
    void NotificarProgresso(int64_t dia) override {
        ++notificacoes;
        if (cancelamento_ != nullptr && dia == dia_) cancelamento_->Cancelar();
    }
    std::vector<std::string> passos;
    int64_t notificacoes = 0;

  private:
    SinalCancelamento* cancelamento_;
    int64_t dia_;
};

TEST(Calcular, ReportsItsStepsInOrder) {
    Registro registro;
    const ResultadoCalculo r = TCalcularSerieSintetica().Calcular(
        teste::DadosExemplo(), Tudo(2), ModoCalculo::Erosividade, {nullptr, &registro});
    const std::vector<std::string> esperados = {
        "Simulando a lâmina total e o tempo de pico da precipitação...",
        "Simulando os dados de duração da precipitação...",
        "Simulando os dados de intensidade da precipitação...",
        "Calculando as erosividades da chuva...", "Simulando os dados climatológicos..."};
    EXPECT_EQ(registro.passos, esperados);
    // About once per day in each pass that reports.
    EXPECT_LE(registro.notificacoes, 4 * r.Clima.NumDias + 4);
    EXPECT_GE(registro.notificacoes, r.Clima.NumDias);
    EXPECT_FALSE(r.Cancelado);
}

TEST(Calcular, CancelDuringThePrecipitationPassLeavesLaterDaysEmpty) {
    SinalCancelamento cancelamento;
    // Notified with 400 after day 399: day 400 sees the cancel.
    Registro registro(&cancelamento, 400);
    const TCalcularSerieSintetica gerador;
    const ResultadoCalculo r = gerador.Calcular(teste::DadosExemplo(), Tudo(3), ModoCalculo::Normal,
                                                {&cancelamento, &registro});
    EXPECT_TRUE(r.Cancelado);
    const TClima& c = r.Clima;
    int molhados = 0;
    for (int64_t d = 1; d < 400; ++d) molhados += c.Prec[d] > 0 ? 1 : 0;
    EXPECT_GT(molhados, 50);
    for (int64_t d = 1; d <= c.NumDias; ++d) {
        for (const auto* v : Arrays(c)) {
            // Arrays a normal run does not keep (profiles, energies) are empty.
            if (v->empty()) continue;
            if (d >= 400 || (v != &c.Prec && v != &c.Ti)) {
                ASSERT_EQ((*v)[d], 0.0) << d;
            }
        }
    }
    // A cancel requested before the run starts is not lost; the next run with a fresh signal
    // starts afresh.
    EXPECT_TRUE(
        gerador
            .Calcular(teste::DadosExemplo(), Tudo(3), ModoCalculo::Normal, {&cancelamento, nullptr})
            .Cancelado);
    EXPECT_FALSE(gerador.Calcular(teste::DadosExemplo(), Tudo(3)).Cancelado);
}

// Independent runs share one generator from several threads and each gets the series (and the
// warnings) a run alone would give.
TEST(Calcular, ConcurrentRunsGiveTheirOwnSeriesAndWarnings) {
    TDados sem_umidade = teste::DadosExemplo();
    // Humidity laws undefined in May: the run warns that it replaced them.
    sem_umidade.SUmidSe[5] = sem_umidade.SUmidCh[5] = 0.0;
    const TDados dados[] = {teste::DadosExemplo(), sem_umidade};
    const TCalcularSerieSintetica gerador;
    ResultadoCalculo sozinhos[2] = {gerador.Calcular(dados[0], Tudo(6)),
                                    gerador.Calcular(dados[1], Tudo(6))};
    ASSERT_TRUE(sozinhos[0].Avisos.empty());
    ASSERT_FALSE(sozinhos[1].Avisos.empty());
    ResultadoCalculo juntos[4];
    {
        std::vector<std::jthread> threads;
        for (int i = 0; i < 4; ++i) {
            threads.emplace_back([&, i] { juntos[i] = gerador.Calcular(dados[i % 2], Tudo(6)); });
        }
    }
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(MesmosBytes(juntos[i].Clima, sozinhos[i % 2].Clima)) << i;
        EXPECT_EQ(juntos[i].Avisos, sozinhos[i % 2].Avisos) << i;
    }
}

}  // namespace
}  // namespace ventaro
