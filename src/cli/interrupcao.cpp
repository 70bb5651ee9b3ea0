#include "cli/interrupcao.h"

#include <atomic>
#include <csignal>

#include "cli/erro_uso.h"

namespace ventaro {

namespace {

// The handler reaches the live instance through these, the only state a signal handler may
// touch: lock-free atomics.
std::atomic<SinalCancelamento*> g_sinal{nullptr};
std::atomic<int> g_recebido{0};

extern "C" void AoReceberSinal(int sinal) {
    g_recebido.store(sinal);
    if (SinalCancelamento* s = g_sinal.load()) s->Cancelar();
}

void Instalar(int sinal, void (*acao)(int), bool uma_vez) {
    struct sigaction a {};
    a.sa_handler = acao;
    sigemptyset(&a.sa_mask);
    // The second signal takes the default action: a user who insists is not made to wait.
    a.sa_flags = uma_vez ? SA_RESETHAND : 0;
    sigaction(sinal, &a, nullptr);
}

}  // namespace

static_assert(std::atomic<SinalCancelamento*>::is_always_lock_free);
static_assert(std::atomic<int>::is_always_lock_free);

InterrupcaoPorSinal::InterrupcaoPorSinal() {
    g_recebido.store(0);
    g_sinal.store(&sinal_);
    Instalar(SIGINT, AoReceberSinal, true);
    Instalar(SIGTERM, AoReceberSinal, true);
}

InterrupcaoPorSinal::~InterrupcaoPorSinal() {
    Instalar(SIGINT, SIG_DFL, false);
    Instalar(SIGTERM, SIG_DFL, false);
    g_sinal.store(nullptr);
}

int InterrupcaoPorSinal::Recebido() const {
    return g_recebido.load();
}

void InterrupcaoPorSinal::Verificar() const {
    if (Recebido() != 0) throw ErroInterrompido(Recebido());
}

}  // namespace ventaro
