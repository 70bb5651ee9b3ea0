#pragma once

#include <algorithm>
#include <array>
#include <condition_variable>
#include <cstddef>
#include <cstring>
#include <exception>
#include <memory>
#include <mutex>
#include <string_view>
#include <system_error>
#include <thread>

namespace ventaro {

// A growing text buffer that, unlike std::string, does not fill what it reserves before it is
// written: a block's lines are written straight into it.
class BufferTexto {
  public:
    char* Fim() { return dados_.get() + tamanho_; }
    std::string_view Texto() const { return {dados_.get(), tamanho_}; }
    void Limpar() { tamanho_ = 0; }
    // Room for `n` more characters at Fim().
    void Reservar(std::size_t n) {
        if (capacidade_ - tamanho_ >= n) return;
        const std::size_t nova = std::max(tamanho_ + n, 2 * capacidade_);
        auto novos = std::make_unique_for_overwrite<char[]>(nova);
        if (tamanho_ > 0) std::memcpy(novos.get(), dados_.get(), tamanho_);
        dados_ = std::move(novos);
        capacidade_ = nova;
    }
    void Avancar(char* fim) { tamanho_ = static_cast<std::size_t>(fim - dados_.get()); }

  private:
    std::unique_ptr<char[]> dados_;
    std::size_t tamanho_ = 0;
    std::size_t capacidade_ = 0;
};

// Blocks of text held at once by FormatarEmOrdem: formatted and waiting, or being written.
inline constexpr std::size_t kVagasBlocos = 4;

// A long text produced in blocks, in order, with bounded memory: formats blocks 0 ... n - 1 with
// `formatar(bloco, BufferTexto&)` and hands each block's text to `consumir(std::string_view)` in
// block order. With `ajudante` (and a second core) another thread formats blocks too, whichever
// comes next, while this thread formats the others and consumes them all, in order, so that
// writing a file overlaps with formatting it; the texts consumed are the same. At most
// kVagasBlocos blocks are held at a time. An exception from either function stops both threads
// and is rethrown here.
template <typename Formatar, typename Consumir>
void FormatarEmOrdem(std::size_t n, bool ajudante, const Formatar& formatar,
                     const Consumir& consumir) {
    std::array<BufferTexto, kVagasBlocos> vagas;
    if (!ajudante || std::thread::hardware_concurrency() < 2) {
        for (std::size_t b = 0; b < n; ++b) {
            vagas[0].Limpar();
            formatar(b, vagas[0]);
            consumir(vagas[0].Texto());
        }
        return;
    }
    constexpr std::size_t kNenhum = static_cast<std::size_t>(-1);
    std::mutex mutex;
    std::condition_variable mudou;
    std::size_t proximo = 0;                       // next block to format
    std::size_t consumidos = 0;                    // blocks handed to `consumir`
    std::array<std::size_t, kVagasBlocos> pronto;  // the block each slot holds, formatted
    pronto.fill(kNenhum);
    bool parar = false;

    // Takes the next block whose slot is free, or kNenhum when none is left (or the work
    // stops). The helper waits for a slot; this thread, which frees them, never does.
    const auto Tomar = [&](std::unique_lock<std::mutex>& trava, bool esperar) {
        if (esperar) {
            mudou.wait(trava, [&] {
                return parar || proximo >= n || proximo < consumidos + kVagasBlocos;
            });
        }
        if (parar || proximo >= n || proximo >= consumidos + kVagasBlocos) return kNenhum;
        return proximo++;
    };
    const auto Formatar1 = [&](std::size_t b) {
        BufferTexto& texto = vagas[b % kVagasBlocos];
        texto.Limpar();
        formatar(b, texto);
    };

    std::exception_ptr erro_outro;
    const auto Parar = [&] {
        {
            const std::lock_guard<std::mutex> trava(mutex);
            parar = true;
        }
        mudou.notify_all();
    };
    std::thread outro;
    try {
        outro = std::thread([&] {
            try {
                std::unique_lock<std::mutex> trava(mutex);
                for (;;) {
                    const std::size_t b = Tomar(trava, true);
                    if (b == kNenhum) return;
                    trava.unlock();
                    Formatar1(b);
                    trava.lock();
                    pronto[b % kVagasBlocos] = b;
                    mudou.notify_all();
                }
            } catch (...) {
                erro_outro = std::current_exception();
                Parar();
            }
        });
    } catch (const std::system_error&) {
        // No second thread: the first does all the work.
        return FormatarEmOrdem(n, false, formatar, consumir);
    }
    try {
        std::unique_lock<std::mutex> trava(mutex);
        while (consumidos < n && !parar) {
            const std::size_t vaga = consumidos % kVagasBlocos;
            if (pronto[vaga] == consumidos) {
                trava.unlock();
                consumir(vagas[vaga].Texto());
                trava.lock();
                pronto[vaga] = kNenhum;
                ++consumidos;
                mudou.notify_all();
                continue;
            }
            const std::size_t b = Tomar(trava, false);
            if (b != kNenhum) {
                trava.unlock();
                Formatar1(b);
                trava.lock();
                pronto[b % kVagasBlocos] = b;
                continue;
            }
            mudou.wait(trava, [&] { return parar || pronto[vaga] == consumidos; });
        }
    } catch (...) {
        Parar();
        outro.join();
        throw;
    }
    outro.join();
    if (erro_outro) std::rethrow_exception(erro_outro);
}

}  // namespace ventaro
