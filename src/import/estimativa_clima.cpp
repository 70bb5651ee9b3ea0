#include "import/estimativa_clima.h"

#include <array>
#include <cmath>
#include <type_traits>

#include "core/erro.h"

namespace ventaro {

namespace {

constexpr int kNumVariaveis = 5;  // TMax, TMin, Rad, VVento, Umid
const std::array<const char*, 3> kNomesResiduos = {"temperatura máxima", "temperatura mínima",
                                                   "radiação solar"};

enum Classe { kSeco = 0, kChuvoso = 1 };

double Valor(const TDadosDia& dia, int variavel) {
    switch (variavel) {
        case 0:
            return dia.TMax;
        case 1:
            return dia.TMin;
        case 2:
            return dia.Rad;
        case 3:
            return dia.VVento;
        default:
            return dia.Umid;
    }
}

// Mean and deviation fields of one class, in the variable order above.
template <typename D>
auto Campos(D& d, int classe) {
    using M = std::conditional_t<std::is_const_v<D>, const Mensal<double>, Mensal<double>>;
    struct CamposClasse {
        std::array<M*, kNumVariaveis> medias;
        std::array<M*, kNumVariaveis> desvios;
    };
    if (classe == kSeco) {
        return CamposClasse{{&d.XTMaxSe, &d.XTMinSe, &d.XRadSe, &d.XVVentoSe, &d.XUmidSe},
                            {&d.STMaxSe, &d.STMinSe, &d.SRadSe, &d.SVVentoSe, &d.SUmidSe}};
    }
    return CamposClasse{{&d.XTMaxCh, &d.XTMinCh, &d.XRadCh, &d.XVVentoCh, &d.XUmidCh},
                        {&d.STMaxCh, &d.STMinCh, &d.SRadCh, &d.SVVentoCh, &d.SUmidCh}};
}

const char* NomeClasse(int classe) {
    return classe == kSeco ? "dias secos" : "dias chuvosos";
}

// Calls f(day) for every day of month `mes` of every year whose month is valid.
template <typename F>
void ParaDiasValidos(const RegistroClima& registro, int mes, F&& f) {
    for (const TDadosAno& ano : registro.Anos) {
        if (!ano.Valido[mes]) continue;
        const auto& dias = ano.Dias[mes];
        for (std::size_t d = 1; d < dias.size(); ++d) f(dias[d]);
    }
}

[[noreturn]] void Falhar(const std::string& motivo, int mes) {
    throw ErroVentaro(motivo + " em " + NomeMes(mes) + ".");
}

}  // namespace

std::string NomeMes(int mes) {
    static const std::array<const char*, 12> kNomes = {
        "janeiro", "fevereiro", "março",    "abril",   "maio",     "junho",
        "julho",   "agosto",    "setembro", "outubro", "novembro", "dezembro"};
    return kNomes[static_cast<std::size_t>(mes - 1)];
}

void CalcularMediasDesvios(const RegistroClima& registro, TDados& dados) {
    for (int mes = 1; mes <= 12; ++mes) {
        std::array<std::array<double, kNumVariaveis>, 2> soma{};
        std::array<std::array<double, kNumVariaveis>, 2> soma_quadrados{};
        std::array<int, 2> n{};
        ParaDiasValidos(registro, mes, [&](const TDadosDia& dia) {
            // A negative depth belongs to neither class.
            const int classe = dia.Prec == 0 ? kSeco : dia.Prec > 0 ? kChuvoso : -1;
            if (classe < 0) return;
            const auto c = static_cast<std::size_t>(classe);
            for (int v = 0; v < kNumVariaveis; ++v) {
                const double x = Valor(dia, v);
                soma[c][static_cast<std::size_t>(v)] += x;
                soma_quadrados[c][static_cast<std::size_t>(v)] += x * x;
            }
            ++n[c];
        });
        dados.DSecosClima[mes] = n[kSeco];
        dados.DUmidosClima[mes] = n[kChuvoso];
        for (int classe : {kSeco, kChuvoso}) {
            const auto c = static_cast<std::size_t>(classe);
            const auto campos = Campos(dados, classe);
            const double cont = static_cast<double>(n[c]);
            for (std::size_t v = 0; v < kNumVariaveis; ++v) {
                double media = 0;
                double desvio = 0;
                if (n[c] > 0) media = soma[c][v] / cont;
                if (n[c] > 1) {
                    // A rounding residue below zero is a constant variable: no spread.
                    const double radicando =
                        (soma_quadrados[c][v] - soma[c][v] * soma[c][v] / cont) / (cont - 1.0);
                    desvio = radicando > 0 ? std::sqrt(radicando) : 0.0;
                }
                (*campos.medias[v])[mes] = media;
                (*campos.desvios[v])[mes] = desvio;
            }
        }
    }
}

void CalcularResiduos(RegistroClima& registro, const TDados& dados) {
    for (int mes = 1; mes <= 12; ++mes) {
        for (TDadosAno& ano : registro.Anos) {
            if (!ano.Valido[mes]) continue;
            auto& dias = ano.Dias[mes];
            for (std::size_t d = 1; d < dias.size(); ++d) {
                TDadosDia& dia = dias[d];
                const int classe = dia.Prec == 0 ? kSeco : dia.Prec > 0 ? kChuvoso : -1;
                if (classe < 0) continue;
                const auto campos = Campos(dados, classe);
                for (std::size_t r = 0; r < 3; ++r) {
                    const double desvio = (*campos.desvios[r])[mes];
                    if (!(desvio > 0)) {
                        Falhar("Desvio padrão nulo de " + std::string(kNomesResiduos[r]) + " nos " +
                                   NomeClasse(classe) + " (dias insuficientes ou valor constante)",
                               mes);
                    }
                    dia.Res[r] =
                        (Valor(dia, static_cast<int>(r)) - (*campos.medias[r])[mes]) / desvio;
                }
            }
        }
    }
}

double CorrelacaoResiduos(const RegistroClima& registro, int mes, int a, int lag, int b) {
    double c = 0, sx = 0, sy = 0, sxy = 0, sx2 = 0, sy2 = 0;
    const auto ia = static_cast<std::size_t>(a);
    const auto ib = static_cast<std::size_t>(b);
    const auto l = static_cast<std::size_t>(lag);
    for (const TDadosAno& ano : registro.Anos) {
        if (!ano.Valido[mes]) continue;
        const auto& dias = ano.Dias[mes];
        for (std::size_t j = l + 1; j < dias.size(); ++j) {
            const double x = dias[j].Res[ia];
            const double y = dias[j - l].Res[ib];
            if (x == 0 || y == 0) continue;
            c += 1;
            sx += x;
            sy += y;
            sxy += x * y;
            sx2 += x * x;
            sy2 += y * y;
        }
    }
    const std::string par = std::string(kNomesResiduos[ia]) + " e " + kNomesResiduos[ib] +
                            (lag == 0 ? " (defasagem 0)" : " (defasagem 1)");
    if (c == 0) Falhar("Correlação sem pares de resíduos entre " + par, mes);
    const double produto = (sx2 - sx * sx / c) * (sy2 - sy * sy / c);
    if (!(produto > 0)) Falhar("Correlação sem variância entre " + par, mes);
    return (sxy - sx * sy / c) / std::sqrt(produto);
}

void CalcularMatrizes(const RegistroClima& registro, TDados& dados) {
    for (int mes = 1; mes <= 12; ++mes) {
        TMatriz m0(3, 3);
        for (std::size_t i = 0; i < 3; ++i) m0(i, i) = 1.0;
        m0(0, 1) = CorrelacaoResiduos(registro, mes, 0, 0, 1);
        m0(0, 2) = CorrelacaoResiduos(registro, mes, 0, 0, 2);
        m0(1, 2) = CorrelacaoResiduos(registro, mes, 1, 0, 2);
        m0(1, 0) = m0(0, 1);
        m0(2, 0) = m0(0, 2);
        m0(2, 1) = m0(1, 2);

        TMatriz m1(3, 3);
        for (int p = 0; p < 3; ++p) {
            for (int q = 0; q < 3; ++q) {
                m1(static_cast<std::size_t>(p), static_cast<std::size_t>(q)) =
                    CorrelacaoResiduos(registro, mes, p, 1, q);
            }
        }

        const std::optional<TMatriz> inversa = m0.Inversa();
        if (!inversa) {
            Falhar("Matriz de correlações de defasagem 0 singular (temperaturas e radiação)", mes);
        }
        const TMatriz a = *m1.Multiplicar(*inversa);
        const TMatriz c = *m0.Subtrair(*a.Multiplicar(m1.Transposta()));

        // Cholesky needs C positive definite: every leading principal minor above 0. The
        // minors are tested in order so that elimination never divides by a zero pivot.
        TMatriz b = c;
        if (c.SubMatriz(1, 1).Determinante() > 0 && c.SubMatriz(2, 2).Determinante() > 0 &&
            c.SubMatriz(3, 3).Determinante() > 0) {
            b = c.Cholesky();
        }
        for (std::size_t i = 0; i < 3; ++i) {
            for (std::size_t j = 0; j < 3; ++j) {
                if (!std::isfinite(a(i, j)) || !std::isfinite(b(i, j))) {
                    Falhar("Matrizes A e B indefinidas (temperaturas e radiação)", mes);
                }
            }
        }
        dados.MatrizA[mes] = a;
        dados.MatrizB[mes] = b;
    }
}

void CalcularAssimetriaVento(const RegistroClima& registro, TDados& dados) {
    for (int mes = 1; mes <= 12; ++mes) {
        double soma_seco = 0;
        double soma_chuvoso = 0;
        const double x_se = dados.XVVentoSe[mes], s_se = dados.SVVentoSe[mes];
        const double x_ch = dados.XVVentoCh[mes], s_ch = dados.SVVentoCh[mes];
        ParaDiasValidos(registro, mes, [&](const TDadosDia& dia) {
            if (!(dia.VVento > 0 && dia.VVento < 99)) return;
            if (dia.Prec == 0 && s_se != 0) {
                const double z = (dia.VVento - x_se) / s_se;
                soma_seco += z * z * z;
            } else if (dia.Prec > 0 && s_ch != 0) {
                const double z = (dia.VVento - x_ch) / s_ch;
                soma_chuvoso += z * z * z;
            }
        });
        // The factor uses the class's day counts, not the number of terms in the sum.
        auto fator = [](double soma, int32_t n) {
            if (n <= 2) return soma;
            const double nd = static_cast<double>(n);
            return nd / ((nd - 1.0) * (nd - 2.0)) * soma;
        };
        dados.SkewVVentoSe[mes] = fator(soma_seco, dados.DSecosClima[mes]);
        dados.SkewVVentoCh[mes] = fator(soma_chuvoso, dados.DUmidosClima[mes]);
    }
}

void CalcularResiduosIniciais(const RegistroClima& registro, TDados& dados) {
    for (const TDadosAno& ano : registro.Anos) {
        if (!ano.Valido[1]) continue;
        std::array<double, 3> soma{};
        const auto& dias = ano.Dias[1];
        for (std::size_t d = 1; d < dias.size(); ++d) {
            for (std::size_t r = 0; r < 3; ++r) soma[r] += dias[d].Res[r];
        }
        const double n = static_cast<double>(dias.size() - 1);
        dados.XResJanTMax = soma[kResTMax] / n;
        dados.XResJanTMin = soma[kResTMin] / n;
        dados.XResJanRad = soma[kResRad] / n;
        return;
    }
    throw ErroVentaro("Nenhum janeiro válido para os resíduos iniciais.");
}

ParametrosClima EstimarClima(RegistroClima& registro) {
    ParametrosClima resultado;
    TDados& dados = resultado.Dados;
    CalcularMediasDesvios(registro, dados);
    CalcularResiduos(registro, dados);
    CalcularMatrizes(registro, dados);
    CalcularAssimetriaVento(registro, dados);
    CalcularResiduosIniciais(registro, dados);
    resultado.NumAnos = registro.NumAnos();
    return resultado;
}

}  // namespace ventaro
