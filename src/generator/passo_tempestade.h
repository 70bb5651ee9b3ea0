#pragma once

#include <array>
#include <atomic>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/tdados.h"
#include "generator/contexto_passo.h"
#include "generator/inversao.h"

namespace ventaro {

// Which regional storm law: the duration law (AlfaDur, BetaDur) or the peak-intensity law
// (AlfaIi, BetaIi).
enum class LeiTempestade { Duracao, Intensidade };

// Gamma density of one storm law, or ErroVentaro naming the law, month and depth class when the
// parameters do not define a density that can be integrated from 0: a shape below 1 (the
// density is infinite at 0), a scale that is not positive, or a normalising constant that is
// not finite and positive.
DensidadeGama PrepararDensidadeGama(LeiTempestade lei, int mes, int classe, double alfa,
                                    double beta);

// The month x depth-class gamma laws of one regional table pair. A law is checked and its
// normalising constant formed the first time a storm needs it; with the table method its
// cumulative table is walked as far as the largest draw so far. Laws with the same parameters
// (regions often lend a cell's law to its neighbours) share one table.
class LeisGama {
  public:
    LeisGama(const TDados& dados, LeiTempestade lei, MetodoInversao metodo);

    // Checks the law of (mes, classe) and forms its constant; ErroVentaro when it is invalid.
    void Preparar(int mes, int classe);

    // Value of the law of (mes, classe) for the uniform u.
    double Inverter(int mes, int classe, double u);

    // A draw u that the law of (mes, classe) will (or may) see.
    struct Necessidade {
        int mes = 1;
        int classe = 0;
        double sorteio = 0.0;
    };
    // A table and the draw it must be walked to.
    struct Extensao {
        TabelaInversao<DensidadeGama>* tabela = nullptr;
        double sorteio = 0.0;
    };
    // Adds to `destino` the walks the given draws need: each table of a valid law, once, as far
    // as its largest draw. Invalid laws are left alone: the storm that needs one reports it.
    void AcrescentarExtensoes(std::span<const Necessidade> necessidades,
                              std::vector<Extensao>& destino);
    // Walks the tables of valid laws far enough for the given draws, on two threads when
    // `em_paralelo` is set and the machine has them.
    void EstenderTabelas(std::span<const Necessidade> necessidades,
                         const SinalCancelamento& cancelamento, bool em_paralelo = true);

    // Density evaluations spent on tables so far, and the tables made (for tests).
    std::size_t PassosTabelas() const;
    std::size_t NumTabelas() const { return tabelas_.size(); }

  private:
    using Tabela = TabelaInversao<DensidadeGama>;
    struct Lei {
        bool preparada = false;
        DensidadeGama densidade;
        Tabela* tabela = nullptr;
    };
    Lei& Obter(int mes, int classe);
    Lei* ObterSeValida(int mes, int classe);
    Tabela& TabelaDe(const DensidadeGama& densidade, double alfa, double beta);

    const TabelaRegional& alfa_;
    const TabelaRegional& beta_;
    LeiTempestade lei_;
    MetodoInversao metodo_;
    LimiteInversao limite_;
    std::optional<GradeInversao> grade_;  // made with the first table
    std::array<std::array<Lei, kNumClasses>, 12> leis_;
    // One table per distinct (alfa, beta), in the order first needed.
    std::vector<std::unique_ptr<Tabela>> tabelas_;
    std::vector<std::array<double, 2>> parametros_;
};

// Duration and peak intensity of the storms of a run. The two passes share the work of walking
// the law tables: once the duration draws are known, the duration tables are walked exactly as
// far as they need and the peak-intensity tables as far as their storms will most likely need,
// all in parallel.
class SimulacaoTempestades {
  public:
    explicit SimulacaoTempestades(ContextoPasso& ctx);

    // Duration of every wet day from the law of its month and depth class, kept within
    // [0.2, 24] h. One uniform per wet day. Returns false when the run was cancelled.
    bool SimularDuracao();

    // Peak intensity of every wet day: up to 11 draws from the law of its month and depth class
    // until one lies above the storm's mean intensity P/D and below 1000 mm/h; raised to
    // 0.2 mm/h; 1.1 P/D when none does. Returns false when the run was cancelled.
    bool SimularIntensidadePico();

    // Density evaluations spent on the tables of each law set (for tests and benchmarks).
    std::size_t PassosDuracao() const { return duracao_.PassosTabelas(); }
    std::size_t PassosIntensidade() const { return intensidade_.PassosTabelas(); }

  private:
    ContextoPasso& ctx_;
    LeisGama duracao_;
    LeisGama intensidade_;
};

}  // namespace ventaro
