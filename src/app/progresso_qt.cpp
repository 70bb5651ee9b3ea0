#include "app/progresso_qt.h"

#include "generator/tcalcular_serie_sintetica.h"

namespace ventaro {

namespace {
// About 30 repaints a second: smooth to the eye, negligible for the run.
constexpr auto kIntervaloMinimo = std::chrono::milliseconds(33);
}  // namespace

ProgressoQt::ProgressoQt(TCalcularSerieSintetica& gerador, QObject* pai)
    : QObject(pai), gerador_(gerador) {}

void ProgressoQt::Reiniciar() {
    cancelamento_pedido_.store(false);
    ultimo_envio_ = {};
}

void ProgressoQt::PedirCancelamento() {
    cancelamento_pedido_.store(true);
    gerador_.Cancelar();
}

void ProgressoQt::RepassarCancelamento() {
    if (cancelamento_pedido_.load(std::memory_order_relaxed) && !gerador_.Cancelado()) {
        gerador_.Cancelar();
    }
}

void ProgressoQt::DefinirPasso(std::string_view texto) {
    RepassarCancelamento();
    emit passoAlterado(QString::fromUtf8(texto.data(), static_cast<qsizetype>(texto.size())));
}

void ProgressoQt::DefinirFaixa(int64_t minimo, int64_t maximo) {
    RepassarCancelamento();
    emit faixaAlterada(minimo, maximo);
}

void ProgressoQt::NotificarProgresso(int64_t dia) {
    RepassarCancelamento();
    const auto agora = std::chrono::steady_clock::now();
    if (agora - ultimo_envio_ < kIntervaloMinimo) return;
    ultimo_envio_ = agora;
    emit progresso(dia);
}

}  // namespace ventaro
