#include "core/totais_prec.h"

#include <algorithm>
#include <cmath>

#include "core/calendario.h"

namespace ventaro {

std::vector<TotaisMensais> TotaisMensaisSerie(const TClima& clima, int64_t num_anos,
                                              int64_t a_partir) {
    std::vector<TotaisMensais> anos;
    const int64_t ultimo = std::min(clima.NumDias, static_cast<int64_t>(clima.Prec.size()) - 1);
    int64_t d = 1;
    for (int64_t ano = a_partir; ano < a_partir + num_anos && d <= ultimo; ++ano) {
        TotaisMensais& t = anos.emplace_back();
        for (int mes = 1; mes <= 12; ++mes) {
            double& total = t[static_cast<std::size_t>(mes - 1)];
            for (int dia = 0; dia < DiasNoMes(ano, mes) && d <= ultimo; ++dia, ++d) {
                const double p = clima.Prec[static_cast<std::size_t>(d)];
                if (p > 0) total = total + p;
            }
        }
    }
    return anos;
}

std::vector<TotaisMensais> TotaisMensaisRegistro(std::span<const double> totais_anuais,
                                                 int64_t ano_inicial, int64_t ano_final,
                                                 std::span<const double> diarios) {
    std::vector<TotaisMensais> anos;
    std::size_t i = 0;
    for (int64_t ano = ano_inicial; ano <= ano_final; ++ano) {
        const auto k = static_cast<std::size_t>(ano - ano_inicial);
        if (!(k < totais_anuais.size() && totais_anuais[k] > 0)) continue;
        TotaisMensais& t = anos.emplace_back();
        for (int mes = 1; mes <= 12; ++mes) {
            double& total = t[static_cast<std::size_t>(mes - 1)];
            for (int dia = 0; dia < DiasNoMes(ano, mes) && i < diarios.size(); ++dia, ++i) {
                if (diarios[i] > 0) total = total + diarios[i];
            }
        }
    }
    return anos;
}

void DefinirTotais(TDados& dados, std::span<const TotaisMensais> anos) {
    const auto n = static_cast<double>(anos.size());
    std::vector<double> anuais;
    double soma_anual = 0.0;
    for (const TotaisMensais& t : anos) {
        double a = 0.0;
        for (const double v : t) a = a + v;
        anuais.push_back(a);
        soma_anual = soma_anual + a;
    }
    const double media_anual = anos.empty() ? 0.0 : soma_anual / n;
    for (int mes = 1; mes <= 12; ++mes) {
        const auto m = static_cast<std::size_t>(mes - 1);
        double soma = 0.0;
        for (const TotaisMensais& t : anos) soma = soma + t[m];
        const double media = anos.empty() ? 0.0 : soma / n;
        double ss = 0.0;
        double sc = 0.0;
        for (std::size_t y = 0; y < anos.size(); ++y) {
            const double desvio = anos[y][m] - media;
            ss = ss + desvio * desvio;
            sc = sc + desvio * (anuais[y] - media_anual);
        }
        dados.XTotal[mes] = media;
        dados.STotal[mes] = anos.size() > 1 ? std::sqrt(ss / (n - 1.0)) : 0.0;
        dados.CovTotalAnual[mes] = anos.size() > 1 ? sc / (n - 1.0) : 0.0;
    }
    dados.TemTotaisPrec = anos.size() > 1;
}

void CalcularTotaisPrec(TDados& dados, std::span<const double> totais_anuais, int64_t ano_inicial,
                        int64_t ano_final, std::span<const double> diarios) {
    DefinirTotais(dados, TotaisMensaisRegistro(totais_anuais, ano_inicial, ano_final, diarios));
}

void CalcularTotaisSerie(TDados& dados, const TClima& clima, int64_t num_anos, int64_t a_partir) {
    DefinirTotais(dados, TotaisMensaisSerie(clima, num_anos, a_partir));
}

double XTotalAnual(const TDados& dados) {
    double x = 0.0;
    for (int mes = 1; mes <= 12; ++mes) x = x + dados.XTotal[mes];
    return x;
}

double STotalAnual(const TDados& dados) {
    double v = 0.0;
    for (int mes = 1; mes <= 12; ++mes) v = v + dados.CovTotalAnual[mes];
    // The covariances of equal totals may add up to a hair below zero.
    return v > 0 ? std::sqrt(v) : 0.0;
}

}  // namespace ventaro
