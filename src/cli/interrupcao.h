#pragma once

#include <signal.h>

#include <atomic>
#include <string>
#include <thread>

#include "core/sinal_cancelamento.h"

namespace ventaro {

// While it lives, Ctrl+C (SIGINT) and SIGTERM (a scheduler's time limit) cancel the running work
// through Sinal() instead of killing the process, so that the work stops at its next check point
// and every temporary file is removed as the stack unwinds. The signals are blocked in the
// thread that creates it and in the threads started afterwards, and one thread of its own waits
// for them, so no signal handler runs at all. A second signal ends the process at once with
// 128 + the signal. Create it before starting any other thread.
class InterrupcaoPorSinal {
  public:
    // `aviso` is written to stderr when the first signal arrives (nothing when empty).
    explicit InterrupcaoPorSinal(std::string aviso = {});
    ~InterrupcaoPorSinal();
    InterrupcaoPorSinal(const InterrupcaoPorSinal&) = delete;
    InterrupcaoPorSinal& operator=(const InterrupcaoPorSinal&) = delete;

    const SinalCancelamento& Sinal() const { return sinal_; }
    // The signal received, or 0.
    int Recebido() const { return recebido_.load(); }
    // Throws ErroInterrompido when a signal was received.
    void Verificar() const;

  private:
    std::string aviso_;
    sigset_t sinais_{};
    sigset_t anterior_{};
    SinalCancelamento sinal_;
    std::atomic<int> recebido_{0};
    std::atomic<bool> fim_{false};
    std::thread espera_;
};

}  // namespace ventaro
