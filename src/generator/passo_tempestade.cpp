#include "generator/passo_tempestade.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "core/erro.h"
#include "core/regras_tempestade.h"
#include "generator/amostragem.h"
#include "generator/paralelo.h"

namespace ventaro {

namespace {

struct NomesLei {
    const char* lei;
    const char* alfa;
    const char* beta;
};

NomesLei Nomes(LeiTempestade lei) {
    if (lei == LeiTempestade::Duracao) return {"duração", "AlfaDur", "BetaDur"};
    return {"intensidade de pico", "AlfaIi", "BetaIi"};
}

std::string FaixaClasse(int classe) {
    if (classe < 4) {
        return std::to_string(classe * 5) + " a " + std::to_string(classe * 5 + 5) + " mm";
    }
    if (classe < 11) {
        return std::to_string((classe - 2) * 10) + " a " + std::to_string((classe - 1) * 10) +
               " mm";
    }
    return "90 mm ou mais";
}

}  // namespace

DensidadeGama PrepararDensidadeGama(LeiTempestade lei, int mes, int classe, double alfa,
                                    double beta) {
    const NomesLei nomes = Nomes(lei);
    const std::string onde = std::string("Lei de ") + nomes.lei + " da chuva inválida no mês " +
                             std::to_string(mes) + ", classe de lâmina " + std::to_string(classe) +
                             " (" + FaixaClasse(classe) + "): ";
    if (!(alfa >= 1.0)) {
        throw ErroVentaro(onde + nomes.alfa + " = " + TextoNumero(alfa) +
                          ", mas o parâmetro de forma deve ser pelo menos 1.");
    }
    if (!(beta > 0.0)) {
        throw ErroVentaro(onde + nomes.beta + " = " + TextoNumero(beta) +
                          ", mas o parâmetro de escala deve ser positivo.");
    }
    DensidadeGama f;
    f.am1 = alfa - 1.0;
    f.beta = beta;
    f.K = std::pow(beta, alfa) * Gama(alfa);
    if (std::isfinite(f.K) && f.K > 0.0) return f;
    // A large shape (or an extreme scale) takes the product beyond the range of a double while
    // the law itself is sound: its density goes to logarithms.
    f.logK = alfa * std::log(beta) + LogGama(alfa);
    if (!std::isfinite(f.logK)) {
        throw ErroVentaro(onde + "com " + nomes.alfa + " = " + TextoNumero(alfa) + " e " +
                          nomes.beta + " = " + TextoNumero(beta) + " a constante de normalização " +
                          nomes.beta + "^" + nomes.alfa + "·Γ(" + nomes.alfa +
                          ") não tem valor finito nem em escala logarítmica.");
    }
    f.em_log = true;
    return f;
}

LeisGama::LeisGama(const TDados& dados, LeiTempestade lei, MetodoInversao metodo)
    : alfa_(lei == LeiTempestade::Duracao ? dados.AlfaDur : dados.AlfaIi),
      beta_(lei == LeiTempestade::Duracao ? dados.BetaDur : dados.BetaIi),
      lei_(lei),
      metodo_(metodo),
      limite_(lei == LeiTempestade::Duracao ? LimiteInversao::Duracao
                                            : LimiteInversao::Intensidade) {}

LeisGama::Tabela& LeisGama::TabelaDe(const DensidadeGama& densidade, double alfa, double beta) {
    // The density is a function of (alfa, beta) alone, and so is its table.
    for (std::size_t i = 0; i < parametros_.size(); ++i) {
        if (parametros_[i][0] == alfa && parametros_[i][1] == beta) return *tabelas_[i];
    }
    if (!grade_) {
        grade_.emplace(lei_ == LeiTempestade::Duracao ? kPassoDuracao : kPassoIntensidade, limite_);
    }
    tabelas_.push_back(std::make_unique<Tabela>(densidade, *grade_));
    parametros_.push_back({alfa, beta});
    return *tabelas_.back();
}

LeisGama::Lei& LeisGama::Obter(int mes, int classe) {
    Lei& lei = leis_[static_cast<std::size_t>(mes - 1)][static_cast<std::size_t>(classe)];
    if (!lei.preparada) {
        const auto k = static_cast<std::size_t>(classe);
        const double alfa = alfa_[mes][k];
        const double beta = beta_[mes][k];
        lei.densidade = PrepararDensidadeGama(lei_, mes, classe, alfa, beta);
        if (metodo_ == MetodoInversao::Tabela) lei.tabela = &TabelaDe(lei.densidade, alfa, beta);
        lei.preparada = true;
    }
    return lei;
}

LeisGama::Lei* LeisGama::ObterSeValida(int mes, int classe) {
    try {
        return &Obter(mes, classe);
    } catch (const ErroVentaro&) {
        return nullptr;
    }
}

void LeisGama::Preparar(int mes, int classe) {
    Obter(mes, classe);
}

double LeisGama::Inverter(int mes, int classe, double u) {
    Lei& lei = Obter(mes, classe);
    if (lei.tabela != nullptr) return lei.tabela->Inverter(u);
    return InverterDireto(lei.densidade,
                          limite_ == LimiteInversao::Duracao ? kPassoDuracao : kPassoIntensidade,
                          limite_, u);
}

void LeisGama::AcrescentarExtensoes(std::span<const Necessidade> necessidades,
                                    std::vector<Extensao>& destino) {
    if (metodo_ != MetodoInversao::Tabela) return;
    // The largest draw of each law, then of each table.
    std::array<std::array<double, kNumClasses>, 12> maior{};
    for (const Necessidade& n : necessidades) {
        if (ObterSeValida(n.mes, n.classe) == nullptr) continue;
        double& u = maior[static_cast<std::size_t>(n.mes - 1)][static_cast<std::size_t>(n.classe)];
        if (n.sorteio > u) u = n.sorteio;
    }
    const std::size_t inicio = destino.size();
    for (std::size_t m = 0; m < 12; ++m) {
        for (std::size_t k = 0; k < kNumClasses; ++k) {
            if (!(maior[m][k] > 0.0)) continue;
            Tabela* tabela = leis_[m][k].tabela;
            Extensao* existente = nullptr;
            for (std::size_t i = inicio; i < destino.size(); ++i) {
                if (destino[i].tabela == tabela) existente = &destino[i];
            }
            if (existente == nullptr) {
                destino.push_back({tabela, maior[m][k]});
            } else if (maior[m][k] > existente->sorteio) {
                existente->sorteio = maior[m][k];
            }
        }
    }
}

void LeisGama::EstenderTabelas(std::span<const Necessidade> necessidades,
                               const SinalCancelamento& cancelamento, bool em_paralelo) {
    std::vector<Extensao> extensoes;
    AcrescentarExtensoes(necessidades, extensoes);
    ExecutarEmParalelo(extensoes.size(), em_paralelo, [&](std::size_t i) {
        if (!cancelamento.Cancelado()) extensoes[i].tabela->EstenderAte(extensoes[i].sorteio);
    });
}

std::size_t LeisGama::PassosTabelas() const {
    std::size_t passos = 0;
    for (const auto& tabela : tabelas_) passos += tabela->Passos();
    return passos;
}

SimulacaoTempestades::SimulacaoTempestades(ContextoPasso& ctx)
    : ctx_(ctx),
      duracao_(ctx.dados, LeiTempestade::Duracao, ctx.metodo),
      intensidade_(ctx.dados, LeiTempestade::Intensidade, ctx.metodo) {}

namespace {

double LimitarDuracao(double t) {
    return t > kDuracaoMaxima ? kDuracaoMaxima : t < kDuracaoMinima ? kDuracaoMinima : t;
}

}  // namespace

bool SimulacaoTempestades::SimularDuracao() {
    TClima& clima = ctx_.clima;
    const std::size_t n = ctx_.NumDias();
    ctx_.Faixa(1, static_cast<int64_t>(n));
    if (ctx_.metodo == MetodoInversao::Direta) {
        for (std::size_t d = 1; d <= n; ++d) {
            ctx_.Notificar(static_cast<int64_t>(d));
            if (ctx_.Cancelado()) return false;
            const double lamina = clima.Prec[d];
            if (!(lamina > 0)) continue;
            const double t =
                duracao_.Inverter(clima.Mes[d], ClasseLamina(lamina), ctx_.fluxo.Uniform());
            clima.Dur[d] = LimitarDuracao(t);
        }
        return true;
    }

    // Nothing else draws during this pass: the draws of all storms can be taken first, one per
    // wet day in day order. Each law is checked when its first storm comes, so the law reported
    // is the one the day-by-day order would meet first.
    std::vector<LeisGama::Necessidade> duracoes;
    std::array<std::array<int64_t, kNumClasses>, 12> tempestades{};
    // Index in `duracoes` of the first wet day of each block of kDiasPorBloco days.
    std::vector<std::size_t> primeira_chuvosa;
    primeira_chuvosa.reserve(n / kDiasPorBloco + 1);
    for (std::size_t d = 1; d <= n; ++d) {
        if ((d - 1) % kDiasPorBloco == 0) primeira_chuvosa.push_back(duracoes.size());
        if (ctx_.Cancelado()) return false;
        const double lamina = clima.Prec[d];
        if (!(lamina > 0)) continue;
        const int m = clima.Mes[d];
        const int classe = ClasseLamina(lamina);
        duracao_.Preparar(m, classe);
        duracoes.push_back({m, classe, ctx_.fluxo.Uniform()});
        ++tempestades[static_cast<std::size_t>(m - 1)][static_cast<std::size_t>(classe)];
    }
    std::vector<LeisGama::Extensao> extensoes;
    duracao_.AcrescentarExtensoes(duracoes, extensoes);
    // The peak-intensity draws are not known yet (a storm draws again while its draw lies
    // below its mean intensity). Walking each table to where the largest of its storms' draws
    // most likely lies leaves little for the pass itself; walking too far or not far enough
    // changes no value.
    std::vector<LeisGama::Necessidade> intensidades;
    for (int m = 1; m <= 12; ++m) {
        for (int classe = 0; classe < kNumClasses; ++classe) {
            const int64_t quantas =
                tempestades[static_cast<std::size_t>(m - 1)][static_cast<std::size_t>(classe)];
            if (quantas == 0) continue;
            intensidades.push_back(
                {m, classe, 1.0 - 1.0 / (10.0 * static_cast<double>(quantas + 1))});
        }
    }
    intensidade_.AcrescentarExtensoes(intensidades, extensoes);
    // Both law sets are walked together, so that the two threads share one list of walks.
    ExecutarEmParalelo(extensoes.size(), ctx_.em_paralelo, [&](std::size_t i) {
        if (!ctx_.Cancelado()) extensoes[i].tabela->EstenderAte(extensoes[i].sorteio);
    });

    // A walk left undone by a cancel would be done by Inverter, which only reads a table
    // walked far enough for its draw: the days are then split between the threads.
    if (ctx_.Cancelado()) return false;
    const std::size_t blocos = (n + kDiasPorBloco - 1) / kDiasPorBloco;
    ExecutarEmParalelo(blocos, ctx_.em_paralelo, [&](std::size_t b) {
        if (ctx_.Cancelado()) return;
        const std::size_t inicio = b * kDiasPorBloco + 1;
        const std::size_t fim = std::min(n, inicio + kDiasPorBloco - 1);
        std::size_t i = primeira_chuvosa[b];
        for (std::size_t d = inicio; d <= fim; ++d) {
            if (!(clima.Prec[d] > 0)) continue;
            const LeisGama::Necessidade& nd = duracoes[i++];
            clima.Dur[d] = LimitarDuracao(duracao_.Inverter(nd.mes, nd.classe, nd.sorteio));
        }
    });
    ctx_.Notificar(static_cast<int64_t>(n));
    return !ctx_.Cancelado();
}

bool SimulacaoTempestades::SimularIntensidadePico() {
    TClima& clima = ctx_.clima;
    const std::size_t n = ctx_.NumDias();
    ctx_.Faixa(1, static_cast<int64_t>(n));
    for (std::size_t d = 1; d <= n; ++d) {
        ctx_.Notificar(static_cast<int64_t>(d));
        if (ctx_.Cancelado()) return false;
        const double lamina = clima.Prec[d];
        if (!(lamina > 0)) continue;
        const int m = clima.Mes[d];
        const int classe = ClasseLamina(lamina);
        intensidade_.Preparar(m, classe);
        const double media = lamina / clima.Dur[d];
        double ii = kFatorPicoSemSorteio * media;
        for (int tentativa = 0; tentativa < kTentativasPico; ++tentativa) {
            const double t = intensidade_.Inverter(m, classe, ctx_.fluxo.Uniform());
            if (media < t && t < kPicoMaximo) {
                ii = t < kPicoMinimo ? kPicoMinimo : t;
                break;
            }
        }
        clima.Ii[d] = ii;
    }
    return true;
}

}  // namespace ventaro
