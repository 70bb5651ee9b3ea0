#pragma once

#include <string>
#include <vector>

#include "core/configuracao_serie.h"
#include "core/sinal_cancelamento.h"
#include "core/tclima.h"
#include "core/tdados.h"
#include "generator/inversao.h"
#include "generator/progresso.h"

namespace ventaro {

enum class ModoCalculo { Normal = 0, Erosividade = 1 };

// Threads one run may use. The passes that split their days between threads (storm-law tables,
// profiles, erosivity) take one helper thread when the machine has a second core; a batch that
// already gives every core a station of its own keeps each run on its own thread.
enum class NucleosCalculo { Dois, Um };

// The arrays a run of these settings fills, and so holds: Prec and Ti always; durations and
// peak intensities when storms are simulated; their profiles and energies only in erosivity
// runs (a view that shows one storm's profile computes it with CalcularPerfil); each climate
// array when its variable is simulated (the three of the temperature process together).
ArraysSerie ArraysDoCalculo(const ConfiguracaoSerie& config, ModoCalculo modo);

// What a run gives back: the series, its warnings (humidity laws replaced, months left
// uncorrected, minimum temperatures lowered to the maximum; each text once, in the order first
// met) and whether it was cancelled, in which
// case the series holds only what the passes wrote before they stopped.
struct ResultadoCalculo {
    TClima Clima;
    std::vector<std::string> Avisos;
    bool Cancelado = false;
};

// What a run reports to and is stopped by. Both are optional and owned by the caller.
struct AcompanhamentoCalculo {
    const SinalCancelamento* Cancelamento = nullptr;
    Progresso* Receptor = nullptr;
};

// Turns the monthly parameters of the selected stations into a daily synthetic series. A run is
// a function of the station data and the settings alone (the stream is reseeded with the seed
// of the settings, 5 by default, every time), so one generator may serve independent runs on
// several threads at once.
class TCalcularSerieSintetica {
  public:
    TCalcularSerieSintetica() = default;
    // The plain scan of the distribution functions instead of the tables; same series, slower.
    explicit TCalcularSerieSintetica(MetodoInversao metodo,
                                     NucleosCalculo nucleos = NucleosCalculo::Dois)
        : metodo_(metodo), nucleos_(nucleos) {}
    // The same series from fewer threads.
    explicit TCalcularSerieSintetica(NucleosCalculo nucleos) : nucleos_(nucleos) {}

    // One run. Throws ErroVentaro, before the series is complete, when a storm law needed by
    // the run is undefined or the series does not fit in memory, and before anything when the
    // year-to-year variability is asked of a station without the record's totals.
    ResultadoCalculo Calcular(const TDados& dados, const ConfiguracaoSerie& config,
                              ModoCalculo modo = ModoCalculo::Normal,
                              AcompanhamentoCalculo acompanhamento = {}) const;

  private:
    MetodoInversao metodo_ = MetodoInversao::Tabela;
    NucleosCalculo nucleos_ = NucleosCalculo::Dois;
};

}  // namespace ventaro
