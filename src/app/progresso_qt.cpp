#include "app/progresso_qt.h"

namespace ventaro {

namespace {
// About 30 repaints a second: smooth to the eye, negligible for the run.
constexpr auto kIntervaloMinimo = std::chrono::milliseconds(33);
}  // namespace

void ProgressoQt::Reiniciar() {
    ultimo_envio_ = {};
}

void ProgressoQt::DefinirPasso(std::string_view texto) {
    emit passoAlterado(QString::fromUtf8(texto.data(), static_cast<qsizetype>(texto.size())));
}

void ProgressoQt::DefinirFaixa(int64_t minimo, int64_t maximo) {
    emit faixaAlterada(minimo, maximo);
}

void ProgressoQt::NotificarProgresso(int64_t dia) {
    const auto agora = std::chrono::steady_clock::now();
    if (agora - ultimo_envio_ < kIntervaloMinimo) return;
    ultimo_envio_ = agora;
    emit progresso(dia);
}

}  // namespace ventaro
