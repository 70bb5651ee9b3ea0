#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/tclima.h"
#include "core/tdados.h"
#include "generator/inversao.h"
#include "generator/progresso.h"

namespace ventaro {

// Settings of a run. The constructor values are those of a new generator; RestaurarPadroes
// gives the defaults the settings panel restores.
struct ConfiguracaoSerie {
    uint32_t NumAnos = 1;
    uint32_t APartir = 1;
    bool Correcao = true;
    bool SimularPrec = false;
    bool SimularTMax = false;
    bool SimularTMin = false;
    bool SimularRad = false;
    bool SimularVVento = false;
    bool SimularUmid = false;

    void RestaurarPadroes() {
        *this = ConfiguracaoSerie{};
        NumAnos = 10;
        SimularPrec = true;
    }
    bool operator==(const ConfiguracaoSerie&) const = default;
};

enum class ModoCalculo { Normal = 0, Erosividade = 1 };

// Turns the monthly parameters of the selected stations into a daily synthetic series.
class TCalcularSerieSintetica {
  public:
    ConfiguracaoSerie& Configuracao() { return config_; }
    const ConfiguracaoSerie& Configuracao() const { return config_; }
    void RestaurarPadroes() { config_.RestaurarPadroes(); }

    // Receiver of progress, or nullptr. Not owned.
    void DefinirProgresso(Progresso* progresso) { progresso_ = progresso; }
    void DefinirMetodoInversao(MetodoInversao metodo) { metodo_ = metodo; }

    // May be called from any thread; the run notices it at its next check point (at least
    // once per day).
    void Cancelar() { cancelado_.store(true, std::memory_order_relaxed); }
    bool Cancelado() const { return cancelado_.load(std::memory_order_relaxed); }

    // One run. The stream is reseeded with 5, so equal parameters and settings give equal
    // series. Throws ErroVentaro, before the series is complete, when a storm law needed by
    // the run is undefined. After a cancel the returned store holds what the passes wrote.
    TClima Calcular(const TDados& dados, ModoCalculo modo = ModoCalculo::Normal);

    // Warnings of the last run (humidity laws replaced, months left uncorrected), each once.
    const std::vector<std::string>& Avisos() const { return avisos_; }

  private:
    void DefinirPasso(std::string_view texto);

    ConfiguracaoSerie config_;
    MetodoInversao metodo_ = MetodoInversao::Tabela;
    Progresso* progresso_ = nullptr;
    std::atomic<bool> cancelado_{false};
    std::vector<std::string> avisos_;
};

}  // namespace ventaro
