#include "generator/paralelo.h"

#include <atomic>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>

namespace ventaro {

void ExecutarEmParalelo(std::size_t n, bool com_ajudante,
                        const std::function<void(std::size_t)>& tarefa) {
    std::atomic<std::size_t> proxima{0};
    std::atomic<bool> falhou{false};
    std::exception_ptr erro;
    std::mutex mutex_erro;
    const auto trabalhar = [&] {
        for (;;) {
            const std::size_t i = proxima.fetch_add(1, std::memory_order_relaxed);
            if (i >= n || falhou.load(std::memory_order_relaxed)) return;
            try {
                tarefa(i);
            } catch (...) {
                const std::lock_guard<std::mutex> trava(mutex_erro);
                if (!erro) erro = std::current_exception();
                falhou.store(true, std::memory_order_relaxed);
            }
        }
    };
    std::thread ajudante;
    if (com_ajudante && n > 1 && std::thread::hardware_concurrency() > 1) {
        try {
            ajudante = std::thread(trabalhar);
        } catch (const std::system_error&) {
            // No helper thread: the calling thread does all the work.
        }
    }
    trabalhar();
    if (ajudante.joinable()) ajudante.join();
    if (erro) std::rethrow_exception(erro);
}

void ExecutarLadoALado(const std::function<void()>& primeira,
                       const std::function<void()>& segunda) {
    std::exception_ptr erro_segunda;
    const auto Segunda = [&] {
        try {
            segunda();
        } catch (...) {
            erro_segunda = std::current_exception();
        }
    };
    std::thread ajudante;
    try {
        ajudante = std::thread(Segunda);
    } catch (const std::system_error&) {
        // No helper thread: one piece after the other.
    }
    std::exception_ptr erro_primeira;
    try {
        primeira();
    } catch (...) {
        erro_primeira = std::current_exception();
    }
    if (ajudante.joinable()) {
        ajudante.join();
    } else {
        Segunda();
    }
    if (erro_primeira) std::rethrow_exception(erro_primeira);
    if (erro_segunda) std::rethrow_exception(erro_segunda);
}

}  // namespace ventaro
