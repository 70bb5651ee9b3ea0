#include "import/estimativa_regiao.h"

#include <algorithm>
#include <array>
#include <map>
#include <tuple>

#include "core/erro.h"
#include "import/escala_pico.h"

namespace ventaro {

namespace {

struct Ajuste {
    double AlfaDur, BetaDur, AlfaIi, BetaIi, BetaTi;
    bool PicoAlcancado;
};

struct Amostra {
    double media = 0;
    double variancia = 0;  // sample variance (n - 1)
};

template <typename Campo>
Amostra Momentos(const std::vector<const TempestadeObservada*>& grupo, Campo campo) {
    Amostra a;
    for (const auto* t : grupo) a.media += campo(*t);
    const auto n = static_cast<double>(grupo.size());
    a.media /= n;
    double ss = 0;
    for (const auto* t : grupo) {
        const double d = campo(*t) - a.media;
        ss += d * d;
    }
    a.variancia = ss / (n - 1.0);
    return a;
}

// Method of moments: shape mean^2 / variance, then the scale that keeps the mean.
std::pair<double, double> Gama(const Amostra& a) {
    double alfa = a.variancia > 0 ? a.media * a.media / a.variancia : kAlfaMaximo;
    alfa = std::clamp(alfa, 1.0, kAlfaMaximo);
    return {alfa, a.media / alfa};
}

Ajuste Ajustar(const std::vector<const TempestadeObservada*>& grupo) {
    const auto [alfa_dur, beta_dur] =
        Gama(Momentos(grupo, [](const TempestadeObservada& t) { return t.Duracao; }));
    // The peak law keeps the moment shape; its scale is the one whose peaks, as the generator
    // draws them for these depths and durations from the duration law, average the record's.
    const Amostra picos =
        Momentos(grupo, [](const TempestadeObservada& t) { return t.IntensidadePico; });
    const double alfa_ii = Gama(picos).first;
    std::vector<double> laminas;
    laminas.reserve(grupo.size());
    for (const auto* t : grupo) laminas.push_back(t->Lamina);
    const EscalaPico escala = EscalaPicoGerado(
        alfa_ii, IntensidadesMediasGeradas(laminas, alfa_dur, beta_dur), picos.media);
    const double beta_ti =
        Momentos(grupo, [](const TempestadeObservada& t) { return t.TempoPico; }).media;
    return {alfa_dur, beta_dur, alfa_ii, escala.Beta, beta_ti, escala.Alcancada};
}

// The three months of the season of `mes`: DJF, MAM, JJA or SON.
std::array<int, 3> MesesDaEstacao(int mes) {
    const int primeiro = mes < 3 ? 12 : mes - mes % 3;
    return {primeiro, primeiro % 12 + 1, (primeiro + 1) % 12 + 1};
}

std::size_t Caracteres(std::string_view texto) {
    std::size_t n = 0;
    for (const char c : texto) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}

std::string Largura(std::string texto, std::size_t largura) {
    const std::size_t n = Caracteres(texto);
    if (n < largura) texto.append(largura - n, ' ');
    return texto;
}

char Letra(RegraCelula regra) {
    switch (regra) {
        case RegraCelula::Propria:
            return 'P';
        case RegraCelula::ClassesVizinhas:
            return 'V';
        case RegraCelula::Estacao:
            return 'E';
        case RegraCelula::TodosOsMeses:
            return 'A';
        case RegraCelula::ClassesAmpliadas:
            return 'T';
    }
    return '?';
}

}  // namespace

EstimativaRegiao EstimarLeisRegiao(const std::vector<TempestadeObservada>& tempestades,
                                   int minimo) {
    if (minimo < kMinimoTempestadesMenor) {
        throw ErroVentaro("O mínimo de tempestades por célula deve ser pelo menos " +
                          std::to_string(kMinimoTempestadesMenor) + ", não " +
                          std::to_string(minimo) + ".");
    }
    if (tempestades.size() < static_cast<std::size_t>(minimo)) {
        throw ErroVentaro("Há " + std::to_string(tempestades.size()) +
                          " tempestade(s) nos registros, menos que o mínimo de " +
                          std::to_string(minimo) + " por célula.");
    }
    EstimativaRegiao e;
    e.Minimo = minimo;
    e.NumTempestades = static_cast<int>(tempestades.size());

    // The storms of a set of months (a mask indexed by month) and a range of classes, in record
    // order.
    using Meses = std::array<bool, 13>;
    const auto Pertence = [](const TempestadeObservada& t, const Meses& meses, int classe_inicial,
                             int classe_final) {
        const int k = ClasseLamina(t.Lamina);
        return meses[static_cast<std::size_t>(t.Dia.mes)] && k >= classe_inicial &&
               k <= classe_final;
    };
    const auto Contar = [&](const Meses& meses, int classe_inicial, int classe_final) {
        return std::count_if(tempestades.begin(), tempestades.end(), [&](const auto& t) {
            return Pertence(t, meses, classe_inicial, classe_final);
        });
    };
    const auto n_minimo = static_cast<std::ptrdiff_t>(minimo);
    std::map<std::tuple<Meses, int, int>, Ajuste> ajustes;
    Meses todos{};
    std::fill(todos.begin() + 1, todos.end(), true);
    for (int mes = 1; mes <= 12; ++mes) {
        Meses do_mes{};
        do_mes[static_cast<std::size_t>(mes)] = true;
        Meses da_estacao{};
        for (const int m : MesesDaEstacao(mes)) da_estacao[static_cast<std::size_t>(m)] = true;
        for (int k = 0; k < kNumClasses; ++k) {
            CelulaEstimativa& c = e.Celulas[mes][static_cast<std::size_t>(k)];
            const int abaixo = std::max(k - 1, 0);
            const int acima = std::min(k + 1, kNumClasses - 1);
            // The first rule that reaches the minimum: the cell itself, its neighbouring classes,
            // its class in the season's months, its class in all months, then ever wider classes
            // in all months (the whole record holds at least the minimum).
            const Meses* meses = &do_mes;
            c.Regra = RegraCelula::Propria;
            c.ClasseInicial = c.ClasseFinal = k;
            c.Proprias = static_cast<int>(Contar(do_mes, k, k));
            if (Contar(*meses, c.ClasseInicial, c.ClasseFinal) < n_minimo) {
                c.Regra = RegraCelula::ClassesVizinhas;
                c.ClasseInicial = abaixo;
                c.ClasseFinal = acima;
            }
            if (Contar(*meses, c.ClasseInicial, c.ClasseFinal) < n_minimo) {
                c.Regra = RegraCelula::Estacao;
                meses = &da_estacao;
                c.ClasseInicial = c.ClasseFinal = k;
            }
            if (Contar(*meses, c.ClasseInicial, c.ClasseFinal) < n_minimo) {
                c.Regra = RegraCelula::TodosOsMeses;
                meses = &todos;
            }
            for (int r = 1; Contar(*meses, c.ClasseInicial, c.ClasseFinal) < n_minimo; ++r) {
                c.Regra = RegraCelula::ClassesAmpliadas;
                c.ClasseInicial = std::max(k - r, 0);
                c.ClasseFinal = std::min(k + r, kNumClasses - 1);
            }
            std::vector<const TempestadeObservada*> g;
            for (const TempestadeObservada& t : tempestades) {
                if (Pertence(t, *meses, c.ClasseInicial, c.ClasseFinal)) g.push_back(&t);
            }
            c.Usadas = static_cast<int>(g.size());
            // Borrowing cells often pool the same storms; their laws are fitted once.
            const auto chave = std::tuple(*meses, c.ClasseInicial, c.ClasseFinal);
            auto ajuste = ajustes.find(chave);
            if (ajuste == ajustes.end()) {
                try {
                    ajuste = ajustes.emplace(chave, Ajustar(g)).first;
                } catch (const ErroVentaro& erro) {
                    throw ErroVentaro("Leis de tempestade de " + NomeMesCurto(mes) + ", classe " +
                                      NomeClasseCurto(k) + " mm: " + erro.what());
                }
            }
            const Ajuste& a = ajuste->second;
            c.PicoAlcancado = a.PicoAlcancado;
            const auto uk = static_cast<std::size_t>(k);
            e.Leis.AlfaDur[mes][uk] = a.AlfaDur;
            e.Leis.BetaDur[mes][uk] = a.BetaDur;
            e.Leis.AlfaIi[mes][uk] = a.AlfaIi;
            e.Leis.BetaIi[mes][uk] = a.BetaIi;
            e.Leis.BetaTi[mes][uk] = a.BetaTi;
        }
    }
    return e;
}

std::string NomeMesCurto(int mes) {
    static constexpr const char* kNomes[] = {"jan", "fev", "mar", "abr", "mai", "jun",
                                             "jul", "ago", "set", "out", "nov", "dez"};
    return kNomes[mes - 1];
}

std::string NomeClasseCurto(int classe) {
    if (classe < 4) return std::to_string(classe * 5) + "-" + std::to_string(classe * 5 + 5);
    if (classe < 11) {
        return std::to_string((classe - 2) * 10) + "-" + std::to_string((classe - 1) * 10);
    }
    return "90+";
}

std::string TabelaEstimativa(const EstimativaRegiao& e) {
    constexpr std::size_t kColuna = 8;
    std::string texto =
        "Tempestades por mês e classe de lâmina (mm): as da própria célula, ou as próprias/as "
        "usadas e a regra\n";
    std::string linha = Largura("Mês", 5);
    for (int k = 0; k < kNumClasses; ++k) linha += Largura(NomeClasseCurto(k), kColuna);
    while (linha.back() == ' ') linha.pop_back();
    texto += linha + "\n";
    std::array<bool, kNumClasses> ampliada{};
    for (int mes = 1; mes <= 12; ++mes) {
        linha = Largura(NomeMesCurto(mes), 5);
        for (int k = 0; k < kNumClasses; ++k) {
            const CelulaEstimativa& c = e.Celulas[mes][static_cast<std::size_t>(k)];
            std::string celula = std::to_string(c.Proprias);
            if (c.Regra != RegraCelula::Propria) {
                celula += '/';
                celula += std::to_string(c.Usadas);
                celula += Letra(c.Regra);
            }
            if (c.Regra == RegraCelula::ClassesAmpliadas)
                ampliada[static_cast<std::size_t>(k)] = true;
            linha += Largura(celula, kColuna);
        }
        while (linha.back() == ' ') linha.pop_back();
        texto += linha + "\n";
    }
    const std::string minimo = std::to_string(e.Minimo);
    texto += "Células com menos de " + minimo + " tempestades tomam emprestadas, nesta ordem:\n";
    texto += "  V  as classes vizinhas do mesmo mês\n";
    texto += "  E  a mesma classe nos meses da estação (DJF, MAM, JJA, SON)\n";
    texto += "  A  a mesma classe em todos os meses\n";
    texto += "  T  todos os meses e as classes ao redor, até somar " + minimo + " tempestades";
    bool primeira = true;
    for (int k = 0; k < kNumClasses; ++k) {
        if (!ampliada[static_cast<std::size_t>(k)]) continue;
        // The pool of ClassesAmpliadas depends only on the class.
        for (int mes = 1; mes <= 12; ++mes) {
            const CelulaEstimativa& c = e.Celulas[mes][static_cast<std::size_t>(k)];
            if (c.Regra != RegraCelula::ClassesAmpliadas) continue;
            texto += primeira ? ":\n" : "";
            primeira = false;
            texto += "     " + NomeClasseCurto(k) + " mm: classes " +
                     NomeClasseCurto(c.ClasseInicial) + " a " + NomeClasseCurto(c.ClasseFinal) +
                     " mm\n";
            break;
        }
    }
    if (primeira) texto += "\n";
    // The cells whose recorded mean peak the generator cannot reach, a few to a line.
    std::vector<std::string> fora;
    for (int mes = 1; mes <= 12; ++mes) {
        for (int k = 0; k < kNumClasses; ++k) {
            if (e.Celulas[mes][static_cast<std::size_t>(k)].PicoAlcancado) continue;
            fora.push_back(NomeMesCurto(mes) + " " + NomeClasseCurto(k));
        }
    }
    if (!fora.empty()) {
        texto += "Em " + std::to_string(fora.size()) +
                 " célula(s) o gerador não alcança a intensidade de pico média registrada: só "
                 "aceita picos\nacima da lâmina/duração sorteada e, sem sorteio aceito, usa essa "
                 "razão mais "
                 "10 %; a lei dá a\nmédia mais próxima. Células (classes em mm):\n";
        constexpr std::size_t kLargura = 96;
        linha = " ";
        for (std::size_t i = 0; i < fora.size(); ++i) {
            const std::string item = " " + fora[i] + (i + 1 < fora.size() ? "," : "");
            if (linha.size() > 1 && linha.size() + item.size() > kLargura) {
                texto += linha + "\n";
                linha = " ";
            }
            linha += item;
        }
        texto += linha + "\n";
    }
    return texto;
}

}  // namespace ventaro
