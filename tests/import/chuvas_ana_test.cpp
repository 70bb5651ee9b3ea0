#include "import/chuvas_ana.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>

#include "core/calendario.h"
#include "core/totais_prec.h"
#include "teste_util.h"

namespace ventaro {
namespace {

// Complete monthly rows of station 2243001 for the years ano_ini..ano_fim, with rain on about
// a third of the days.
std::vector<MesChuva> Meses(int64_t ano_ini, int64_t ano_fim, uint32_t semente = 7) {
    std::vector<MesChuva> meses;
    for (int64_t ano = ano_ini; ano <= ano_fim; ++ano) {
        for (int mes = 1; mes <= 12; ++mes) {
            MesChuva m;
            m.Estacao = 2243001;
            m.Ano = ano;
            m.Mes = mes;
            for (int d = 0; d < DiasNoMes(ano, mes); ++d) {
                semente = semente * 1664525u + 1013904223u;
                const double u = static_cast<double>(semente) / 4294967296.0;
                m.Dias[static_cast<std::size_t>(d)] = u < 0.35 ? std::floor(u * 1000) / 10 : 0.0;
            }
            meses.push_back(m);
        }
    }
    return meses;
}

MesChuva& Mes(std::vector<MesChuva>& meses, int64_t ano, int mes) {
    for (MesChuva& m : meses) {
        if (m.Ano == ano && m.Mes == mes) return m;
    }
    throw std::logic_error("mês ausente");
}

void Remover(std::vector<MesChuva>& meses, int64_t ano, int mes) {
    std::erase_if(meses, [&](const MesChuva& m) { return m.Ano == ano && m.Mes == mes; });
}

std::set<int64_t> AnosAceitos(const std::vector<MesChuva>& meses) {
    const auto aceitos = MesesAceitos(OrdenarMeses(meses));
    std::map<int64_t, int> contagem;
    for (const MesChuva& m : aceitos) ++contagem[m.Ano];
    std::set<int64_t> anos;
    for (auto [ano, n] : contagem) {
        EXPECT_EQ(n, 12) << "ano " << ano << " incompleto";
        anos.insert(ano);
    }
    return anos;
}

TEST(MesesAceitos, AnEmptyDayDropsItsYearOnly) {
    auto meses = Meses(1980, 1991);
    Mes(meses, 1985, 5).Dias[13].reset();
    const auto anos = AnosAceitos(meses);
    EXPECT_EQ(anos.size(), 11u);
    EXPECT_FALSE(anos.count(1985));
    EXPECT_EQ(EstimarPrec(meses).NumAnos, 11);

    // Empty cells in two further years leave nine years, below the minimum.
    Mes(meses, 1981, 12).Dias[30].reset();
    Mes(meses, 1990, 1).Dias[0].reset();
    EXPECT_EQ(EstimarPrec(meses).NumAnos, 9);
    EXPECT_LT(EstimarPrec(meses).NumAnos, kMinimoAnosPrec);
}

TEST(MesesAceitos, AMissingMonthRowIsAGapNotAJoin) {
    auto meses = Meses(1980, 1991);
    Remover(meses, 1983, 3);
    const auto anos = AnosAceitos(meses);
    EXPECT_EQ(anos, (std::set<int64_t>{1980, 1981, 1982, 1984, 1985, 1986, 1987, 1988, 1989, 1990,
                                       1991}));
}

TEST(MesesAceitos, HalfYearsOfDifferentYearsAreNotJoined) {
    // January-June of 1985 and July-December of 1986 must not make up one year.
    auto meses = Meses(1980, 1991);
    for (int mes = 7; mes <= 12; ++mes) Remover(meses, 1985, mes);
    for (int mes = 1; mes <= 6; ++mes) Remover(meses, 1986, mes);
    const auto anos = AnosAceitos(meses);
    EXPECT_FALSE(anos.count(1985));
    EXPECT_FALSE(anos.count(1986));
    EXPECT_EQ(anos.size(), 10u);
    // The walk reads exactly the days of the accepted years.
    const SerieDiariaPrec serie = MontarSerieDiaria(MesesAceitos(OrdenarMeses(meses)));
    std::size_t dias = 0;
    for (int64_t ano : anos) dias += static_cast<std::size_t>(DiasNoAno(ano));
    EXPECT_EQ(serie.Diarios.size(), dias);
}

TEST(MesesAceitos, DataEndingInNovemberDropsTheLastYear) {
    auto meses = Meses(1980, 1991);
    Remover(meses, 1991, 12);
    const auto anos = AnosAceitos(meses);
    EXPECT_EQ(anos.size(), 11u);
    EXPECT_EQ(*anos.rbegin(), 1990);
}

TEST(MesesAceitos, StartsAtTheFirstJanuaryAndNeedsMoreThanTwelveRows) {
    auto meses = Meses(1980, 1991);
    for (int mes = 1; mes <= 4; ++mes) Remover(meses, 1980, mes);
    EXPECT_EQ(*AnosAceitos(meses).begin(), 1981);
    EXPECT_TRUE(MesesAceitos(OrdenarMeses(Meses(1980, 1980))).empty());
}

TEST(OrdenarMeses, ConsistedRowsReplaceRawOnes) {
    auto brutos = Meses(1980, 1991, 1);
    auto consistidos = Meses(1985, 1986, 99);
    for (MesChuva& m : consistidos) m.Nivel = 2;
    // Order of the rows in the file does not matter.
    std::vector<MesChuva> todos(consistidos.rbegin(), consistidos.rend());
    todos.insert(todos.end(), brutos.rbegin(), brutos.rend());
    const auto ordenados = OrdenarMeses(todos);
    ASSERT_EQ(ordenados.size(), 144u);
    EXPECT_EQ(Mes(const_cast<std::vector<MesChuva>&>(ordenados), 1985, 3).Dias,
              Mes(consistidos, 1985, 3).Dias);
    EXPECT_EQ(Mes(const_cast<std::vector<MesChuva>&>(ordenados), 1984, 3).Dias,
              Mes(brutos, 1984, 3).Dias);
}

TEST(MontarSerieDiaria, AYearWithoutRainIsSkippedWhole) {
    auto meses = Meses(1980, 1991);
    for (MesChuva& m : meses) {
        if (m.Ano == 1984) {
            for (auto& d : m.Dias) {
                if (d) d = 0.0;
            }
        }
    }
    auto sem_1984 = meses;
    std::erase_if(sem_1984, [](const MesChuva& m) { return m.Ano == 1984; });
    const ParametrosPrec com = EstimarPrec(meses);
    const ParametrosPrec sem = EstimarPrec(sem_1984);
    EXPECT_EQ(com.NumAnos, 11);
    for (int mes = 1; mes <= 12; ++mes) {
        EXPECT_EQ(com.Dados.DUmidos[mes], sem.Dados.DUmidos[mes]);
        EXPECT_EQ(com.Dados.DSecos[mes], sem.Dados.DSecos[mes]);
        EXPECT_EQ(com.Dados.PCS[mes], sem.Dados.PCS[mes]);
        EXPECT_EQ(com.Dados.XPrec[mes], sem.Dados.XPrec[mes]);
    }
}

TEST(CodigoConfereCoordenadas, PadsShortCodesAndComparesDegrees) {
    EXPECT_EQ(CodigoAna8(2243001), "02243001");
    EXPECT_EQ(CodigoAna8(447002), "00447002");
    EXPECT_EQ(CodigoAna8(12345678), "12345678");
    EXPECT_TRUE(CodigoConfereCoordenadas(2243001, -22.95, -43.2));
    EXPECT_FALSE(CodigoConfereCoordenadas(2243001, -21.95, -43.2));
    EXPECT_FALSE(CodigoConfereCoordenadas(2243001, -22.95, -44.01));
    // Single-digit degrees near the equator are written with a leading zero in the code.
    EXPECT_TRUE(CodigoConfereCoordenadas(447002, -4.8297, -47.2692));
}

// Monthly precipitation statistics computed directly from the rows of the old HidroWeb text
// export of 2447049 Iguape: the complete calendar years, walked day by day.
TEST(EstimarPrec, RealStationMatchesAnIndependentWalk) {
    const auto linhas = LerChuvasHidroweb(teste::Dados("CHUVAS_02447049.TXT"));
    std::map<std::pair<int64_t, int>, const MesChuva*> por_mes;
    for (const MesChuva& m : linhas) por_mes[{m.Ano, m.Mes}] = &m;  // level 1 only in this file
    std::vector<int64_t> anos;
    for (int64_t ano = 1961; ano <= 1997; ++ano) {
        bool completo = true;
        for (int mes = 1; mes <= 12 && completo; ++mes) {
            const auto it = por_mes.find({ano, mes});
            if (it == por_mes.end()) {
                completo = false;
                break;
            }
            for (int d = 0; d < DiasNoMes(ano, mes); ++d) {
                if (!it->second->Dias[static_cast<std::size_t>(d)]) completo = false;
            }
        }
        if (completo) anos.push_back(ano);
    }
    ASSERT_EQ(anos.size(), 15u);

    std::array<double, 13> w{}, n{}, ww{}, wd{}, soma{}, soma2{};
    std::map<std::pair<int64_t, int>, double> total;  // by year and month
    bool anterior_chuvoso = false;
    for (int64_t ano : anos) {
        for (int mes = 1; mes <= 12; ++mes) {
            for (int d = 0; d < DiasNoMes(ano, mes); ++d) {
                const double p = *por_mes[{ano, mes}]->Dias[static_cast<std::size_t>(d)];
                const auto m = static_cast<std::size_t>(mes);
                total[{ano, mes}] += p;
                n[m] += 1;
                if (p > 0) {
                    w[m] += 1;
                    (anterior_chuvoso ? ww : wd)[m] += 1;
                    soma[m] += p;
                    soma2[m] += p * p;
                }
                anterior_chuvoso = p > 0;
            }
        }
    }
    const ParametrosPrec p = EstimarPrec(linhas);
    EXPECT_EQ(p.NumAnos, 15);
    for (int mes = 1; mes <= 12; ++mes) {
        const auto m = static_cast<std::size_t>(mes);
        EXPECT_EQ(p.Dados.DUmidos[mes], w[m]) << mes;
        EXPECT_EQ(p.Dados.DSecos[mes], n[m] - w[m]) << mes;
        EXPECT_NEAR(p.Dados.PCC[mes], ww[m] / w[m], 1e-12) << mes;
        EXPECT_NEAR(p.Dados.PCS[mes], wd[m] / (n[m] - w[m]), 1e-12) << mes;
        const double media = soma[m] / w[m];
        EXPECT_NEAR(p.Dados.XPrec[mes], media, 1e-9) << mes;
        const double desvio = std::sqrt((soma2[m] - w[m] * media * media) / (w[m] - 1));
        EXPECT_NEAR(p.Dados.SPrec[mes], desvio, 1e-9) << mes;
        EXPECT_GT(p.Dados.SkewPrec[mes], 0) << mes;  // daily rain is right-skewed
    }
    // The monthly and annual totals of the same years.
    ASSERT_TRUE(p.Dados.TemTotaisPrec);
    std::vector<double> anuais(anos.size(), 0.0);
    for (int mes = 1; mes <= 12; ++mes) {
        double s = 0.0, s2 = 0.0;
        for (std::size_t i = 0; i < anos.size(); ++i) {
            const double t = total[{anos[i], mes}];
            s += t;
            s2 += t * t;
            anuais[i] += t;
        }
        const double k = static_cast<double>(anos.size());
        EXPECT_NEAR(p.Dados.XTotal[mes], s / k, 1e-9) << mes;
        EXPECT_NEAR(p.Dados.STotal[mes], std::sqrt((s2 - s * s / k) / (k - 1)), 1e-8) << mes;
    }
    double s = 0.0, s2 = 0.0;
    for (double a : anuais) {
        s += a;
        s2 += a * a;
    }
    const double k = static_cast<double>(anuais.size());
    EXPECT_NEAR(XTotalAnual(p.Dados), s / k, 1e-8);
    EXPECT_NEAR(STotalAnual(p.Dados), std::sqrt((s2 - s * s / k) / (k - 1)), 1e-7);
}

}  // namespace
}  // namespace ventaro
