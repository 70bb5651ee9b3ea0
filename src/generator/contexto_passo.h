#pragma once

#include <charconv>
#include <cstdint>
#include <string>
#include <vector>

#include "core/sinal_cancelamento.h"
#include "core/tclima.h"
#include "core/tdados.h"
#include "generator/fluxo_aleatorio.h"
#include "generator/inversao.h"
#include "generator/progresso.h"

namespace ventaro {

// A value as it appears in a message: the shortest text that reads back as the same double.
inline std::string TextoNumero(double v) {
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

// Warnings of a run, each text once, in the order they first occurred.
class ColetorAvisos {
  public:
    explicit ColetorAvisos(std::vector<std::string>& destino) : destino_(&destino) {}
    void Adicionar(std::string texto) {
        for (const auto& existente : *destino_) {
            if (existente == texto) return;
        }
        destino_->push_back(std::move(texto));
    }

  private:
    std::vector<std::string>* destino_;
};

// What every pass of one run works on: the store being filled, the station parameters, the
// run's one random stream, the cancel flag, the progress receiver and whether the passes that
// split their days may take a helper thread.
struct ContextoPasso {
    TClima& clima;
    const TDados& dados;
    FluxoAleatorio& fluxo;
    const SinalCancelamento& cancelamento;
    Progresso* progresso = nullptr;
    MetodoInversao metodo = MetodoInversao::Tabela;
    bool em_paralelo = true;

    bool Cancelado() const { return cancelamento.Cancelado(); }
    void Faixa(int64_t minimo, int64_t maximo) const {
        if (progresso != nullptr) progresso->DefinirFaixa(minimo, maximo);
    }
    void Notificar(int64_t dia) const {
        if (progresso != nullptr) progresso->NotificarProgresso(dia);
    }
    std::size_t NumDias() const { return static_cast<std::size_t>(clima.NumDias); }
};

}  // namespace ventaro
