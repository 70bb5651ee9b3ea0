#include "generator/variabilidade_anual.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "core/calendario.h"
#include "core/erro.h"
#include "core/estatisticas_serie.h"
#include "core/sinal_cancelamento.h"
#include "core/totais_prec.h"
#include "generator/perfil_tempestade.h"
#include "generator/progresso.h"
#include "generator/tcalcular_serie_sintetica.h"
#include "support/dados_exemplo.h"

namespace ventaro {
namespace {

struct Momentos {
    double media = 0.0;
    double cv = 0.0;
};

Momentos De(const std::vector<double>& v) {
    double s = 0.0;
    for (double x : v) s += x;
    const double media = s / static_cast<double>(v.size());
    double ss = 0.0;
    for (double x : v) ss += (x - media) * (x - media);
    return {media, std::sqrt(ss / static_cast<double>(v.size() - 1)) / media};
}

std::vector<double> Anuais(const std::vector<TotaisMensais>& anos) {
    std::vector<double> a;
    for (const TotaisMensais& t : anos) {
        double s = 0.0;
        for (double v : t) s += v;
        a.push_back(s);
    }
    return a;
}

std::vector<double> DoMes(const std::vector<TotaisMensais>& anos, int mes) {
    std::vector<double> v;
    for (const TotaisMensais& t : anos) v.push_back(t[static_cast<std::size_t>(mes - 1)]);
    return v;
}

ConfiguracaoSerie Config(uint32_t anos, bool variabilidade) {
    ConfiguracaoSerie c;
    c.NumAnos = anos;
    c.APartir = 1901;
    c.Variaveis = {true, true, true, true, true, true};
    c.VariabilidadeAnual = variabilidade;
    return c;
}

// A synthetic 40-year record with a known year-to-year variability: a series of the example
// station whose every year is multiplied by 0.55 or 1.45 (alternately, so wet and dry years
// follow each other). Its parameters and totals are estimated from it as an import does; a long
// run with the option must then give the record's coefficients of variation, monthly and annual,
// keep every monthly mean, and leave the wet/dry sequence and every other variable as they are.
TEST(VariabilidadeAnual, LongRunTakesTheRecordsVariabilityAndKeepsTheRest) {
    const TCalcularSerieSintetica gerador;
    ConfiguracaoSerie base = Config(40, false);
    base.Variaveis = {};
    TClima registro = gerador.Calcular(teste::DadosExemplo(), base).Clima;
    int64_t d = 1;
    std::vector<double> totais_anuais;
    for (int64_t ano = 1901; ano < 1941; ++ano) {
        const double fator = ano % 2 == 0 ? 0.55 : 1.45;
        double total = 0.0;
        for (int k = 0; k < DiasNoAno(ano); ++k, ++d) {
            registro.Prec[static_cast<std::size_t>(d)] *= fator;
            total += registro.Prec[static_cast<std::size_t>(d)];
        }
        totais_anuais.push_back(total);
    }
    const std::vector<double> diarios(registro.Prec.begin() + 1, registro.Prec.end());
    TDados dados = teste::DadosExemplo();
    CalcularEstatisticasPrec(dados, totais_anuais, 1901, 1940, diarios);
    CalcularTotaisPrec(dados, totais_anuais, 1901, 1940, diarios);
    const std::vector<TotaisMensais> anos_registro = TotaisMensaisSerie(registro, 40, 1901);

    const ResultadoCalculo sem = gerador.Calcular(dados, Config(1200, false));
    const ResultadoCalculo com = gerador.Calcular(dados, Config(1200, true));
    const std::vector<TotaisMensais> anos_sem = TotaisMensaisSerie(sem.Clima, 1200, 1901);
    const std::vector<TotaisMensais> anos_com = TotaisMensaisSerie(com.Clima, 1200, 1901);

    const double cv_registro = De(Anuais(anos_registro)).cv;
    EXPECT_LT(De(Anuais(anos_sem)).cv, 0.75 * cv_registro);
    EXPECT_NEAR(De(Anuais(anos_com)).cv, cv_registro, 0.1 * cv_registro);
    for (int mes = 1; mes <= 12; ++mes) {
        const Momentos registro_mes = De(DoMes(anos_registro, mes));
        const Momentos mes_sem = De(DoMes(anos_sem, mes));
        const Momentos mes_com = De(DoMes(anos_com, mes));
        if (mes_sem.cv < registro_mes.cv) {
            EXPECT_NEAR(mes_com.cv, registro_mes.cv, 0.1 * registro_mes.cv) << mes;
        }
        // The month's mean over the series is kept (the 0.2 mm floor adds a hair).
        EXPECT_NEAR(mes_com.media, mes_sem.media, 0.005 * mes_sem.media) << mes;
    }

    // Only depths, peak intensities and the profiles built on them change.
    const TClima& a = sem.Clima;
    const TClima& b = com.Clima;
    for (int64_t dia = 1; dia <= a.NumDias; ++dia) {
        const auto i = static_cast<std::size_t>(dia);
        ASSERT_EQ(a.Prec[i] > 0, b.Prec[i] > 0) << dia;
        ASSERT_EQ(a.Dur[i], b.Dur[i]) << dia;
        ASSERT_EQ(a.Ti[i], b.Ti[i]) << dia;
        for (const auto campo :
             {&TClima::TMax, &TClima::TMin, &TClima::Rad, &TClima::VVento, &TClima::Umid}) {
            ASSERT_EQ((a.*campo)[i], (b.*campo)[i]) << dia;
        }
        if (b.Prec[i] > 0) {
            // The storm keeps its normalised peak, ip D / P.
            ASSERT_NEAR(b.Ii[i] * b.Dur[i] / b.Prec[i], a.Ii[i] * a.Dur[i] / a.Prec[i], 1e-9)
                << dia;
            ASSERT_GE(b.Prec[i], 0.2);
            // Its profile, from the storm's final values, is still defined.
            ASSERT_GT(CalcularPerfil(b.Prec[i], b.Dur[i], b.Ti[i], b.Ii[i]).ParamB, 0.0);
        }
    }
    // A run is still a function of its inputs.
    const ResultadoCalculo de_novo = gerador.Calcular(dados, Config(1200, true));
    EXPECT_EQ(std::memcmp(de_novo.Clima.Prec.data(), b.Prec.data(), b.Prec.size() * sizeof(double)),
              0);
}

// Cancels the run as soon as the variability step is announced.
class CancelarNaVariabilidade : public Progresso {
  public:
    explicit CancelarNaVariabilidade(SinalCancelamento& sinal) : sinal_(sinal) {}
    void DefinirPasso(std::string_view texto) override {
        if (texto.find("variabilidade") != std::string_view::npos) sinal_.Cancelar();
    }
    void DefinirFaixa(int64_t, int64_t) override {}
    void NotificarProgresso(int64_t) override {}

  private:
    SinalCancelamento& sinal_;
};

TEST(VariabilidadeAnual, CancelDuringThePassStopsTheRunBeforeTheProfiles) {
    TDados dados = teste::DadosExemplo();
    dados.TemTotaisPrec = true;
    for (int mes = 1; mes <= 12; ++mes) {
        dados.XTotal[mes] = 100.0;
        dados.STotal[mes] = 60.0;
        dados.CovTotalAnual[mes] = 4000.0;
    }
    SinalCancelamento sinal;
    CancelarNaVariabilidade receptor(sinal);
    // An erosivity run, the one that keeps the profiles.
    const ResultadoCalculo r = TCalcularSerieSintetica().Calcular(
        dados, Config(5, true), ModoCalculo::Erosividade, {&sinal, &receptor});
    EXPECT_TRUE(r.Cancelado);
    ASSERT_FALSE(r.Clima.ParamB.empty());
    for (const double b : r.Clima.ParamB) ASSERT_EQ(b, 0.0);
}

// Totals whose months hardly vary while the year's total varies a lot cannot be reached by
// factors on the months: the run says how far it got.
TEST(VariabilidadeAnual, AnnualVariabilityOutOfReachIsReported) {
    TDados dados = teste::DadosExemplo();
    dados.TemTotaisPrec = true;
    for (int mes = 1; mes <= 12; ++mes) {
        dados.XTotal[mes] = 100.0;
        dados.STotal[mes] = 1.0;
        dados.CovTotalAnual[mes] = 40000.0;
    }
    const ResultadoCalculo r = TCalcularSerieSintetica().Calcular(dados, Config(20, true));
    int avisos = 0;
    for (const std::string& a : r.Avisos) {
        if (a.starts_with("Variabilidade interanual: o desvio padrão dos totais anuais")) ++avisos;
    }
    EXPECT_EQ(avisos, 1);
}

TEST(VariabilidadeAnual, StationWithoutTheRecordsTotalsIsRefusedBeforeTheRun) {
    TDados dados = teste::DadosExemplo();
    dados.CodEstacao = 2045012;
    ASSERT_FALSE(dados.TemTotaisPrec);
    try {
        TCalcularSerieSintetica().Calcular(dados, Config(2, true));
        ADD_FAILURE() << "ran";
    } catch (const ErroVentaro& e) {
        const std::string msg = e.what();
        EXPECT_NE(msg.find("2045012"), std::string::npos) << msg;
        EXPECT_NE(msg.find("importe-a de novo"), std::string::npos) << msg;
    }
    // Without the option nothing is asked of it.
    EXPECT_NO_THROW(TCalcularSerieSintetica().Calcular(dados, Config(2, false)));
}

}  // namespace
}  // namespace ventaro
