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
            if (sinal <= 0) continue;
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
    espera_.join();
    // A signal that comes after the work ended stops the process as usual.
    pthread_sigmask(SIG_SETMASK, &anterior_, nullptr);
}

void InterrupcaoPorSinal::Verificar() const {
    if (Recebido() != 0) throw ErroInterrompido(Recebido());
}

}  // namespace ventaro
