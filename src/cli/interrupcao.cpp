#include "cli/interrupcao.h"

#include <pthread.h>
#include <unistd.h>

#include <ctime>

#include "cli/erro_uso.h"

namespace ventaro {

InterrupcaoPorSinal::InterrupcaoPorSinal(std::string aviso) : aviso_(std::move(aviso)) {
    sigemptyset(&sinais_);
    sigaddset(&sinais_, SIGINT);
    sigaddset(&sinais_, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &sinais_, &anterior_);
    espera_ = std::thread([this] {
        const timespec intervalo{0, 200'000'000};
        while (!fim_.load()) {
            const int sinal = sigtimedwait(&sinais_, nullptr, &intervalo);
            // The destructor's wake-up call: the work is over, nothing to cancel.
            if (sinal <= 0 || fim_.load()) continue;
            if (sinal_.Cancelado()) ::_exit(128 + sinal);
            recebido_.store(sinal);
            sinal_.Cancelar();
            if (!aviso_.empty()) {
                // Straight to the descriptor: the work's own messages go through the streams.
                [[maybe_unused]] const auto n =
                    ::write(STDERR_FILENO, aviso_.data(), aviso_.size());
            }
        }
    });
}

InterrupcaoPorSinal::~InterrupcaoPorSinal() {
    fim_.store(true);
    // Wakes the waiting thread at once rather than at the end of its interval, which every
    // command would otherwise spend idle (a signal sent to that thread alone and blocked there,
    // so it only ends the wait; one left pending when the thread ends is discarded with it).
    pthread_kill(espera_.native_handle(), SIGTERM);
    espera_.join();
    // A signal that comes after the work ended stops the process as usual.
    pthread_sigmask(SIG_SETMASK, &anterior_, nullptr);
}

void InterrupcaoPorSinal::Verificar() const {
    if (Recebido() != 0) throw ErroInterrompido(Recebido());
}

}  // namespace ventaro
