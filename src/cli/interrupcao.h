#pragma once

#include "core/sinal_cancelamento.h"

namespace ventaro {

// While it lives, Ctrl+C (SIGINT) and SIGTERM cancel the running work through Sinal() instead
// of killing the process, so that the work stops at its next check point and every temporary
// file is removed as the stack unwinds; a second signal kills at once. Only one may live at a
// time.
class InterrupcaoPorSinal {
  public:
    InterrupcaoPorSinal();
    ~InterrupcaoPorSinal();
    InterrupcaoPorSinal(const InterrupcaoPorSinal&) = delete;
    InterrupcaoPorSinal& operator=(const InterrupcaoPorSinal&) = delete;

    const SinalCancelamento& Sinal() const { return sinal_; }
    // The signal received, or 0.
    int Recebido() const;
    // Throws ErroInterrompido when a signal was received.
    void Verificar() const;

  private:
    SinalCancelamento sinal_;
};

}  // namespace ventaro
