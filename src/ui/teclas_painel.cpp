#include "ui/teclas_painel.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QPushButton>
#include <QWidget>

namespace ventaro {

namespace {

bool EhEnter(const QKeyEvent& tecla) {
    const auto modificadores = tecla.modifiers() & ~Qt::KeypadModifier;
    return (tecla.key() == Qt::Key_Return || tecla.key() == Qt::Key_Enter) &&
           modificadores == Qt::NoModifier;
}

bool EhEsc(const QKeyEvent& tecla) {
    return tecla.key() == Qt::Key_Escape && tecla.modifiers() == Qt::NoModifier;
}

void Clicar(QAbstractButton* botao) {
    if (botao != nullptr && botao->isEnabled() && botao->isVisible()) botao->click();
}

}  // namespace

TeclasPainel::TeclasPainel(QWidget* painel, std::function<void()> confirmar,
                           std::function<void()> cancelar)
    : QObject(painel),
      painel_(painel),
      confirmar_(std::move(confirmar)),
      cancelar_(std::move(cancelar)) {
    painel_->installEventFilter(this);
    // Outside a dialog a push button ignores Enter; in a panel that confirms, a focused button
    // clicks, as it would in a dialog, so that Enter on "Cancelar" never confirms. (A panel with
    // nothing to confirm, like the progress of a run, keeps Enter harmless.)
    if (confirmar_) {
        for (QPushButton* botao : painel_->findChildren<QPushButton*>()) {
            botao->setAutoDefault(true);
        }
    }
}

TeclasPainel* TeclasPainel::Instalar(QWidget* painel, QAbstractButton* confirmar,
                                     QAbstractButton* cancelar) {
    std::function<void()> confirma;
    std::function<void()> cancela;
    if (confirmar != nullptr) confirma = [confirmar] { Clicar(confirmar); };
    if (cancelar != nullptr) cancela = [cancelar] { Clicar(cancelar); };
    return new TeclasPainel(painel, std::move(confirma), std::move(cancela));
}

void TeclasPainel::EnterEm(QWidget* controle, std::function<void()> acao) {
    controle->installEventFilter(this);
    enter_proprio_[controle] = std::move(acao);
}

bool TeclasPainel::eventFilter(QObject* objeto, QEvent* evento) {
    if (evento->type() == QEvent::KeyPress) {
        const auto& tecla = *static_cast<QKeyEvent*>(evento);
        if (objeto != painel_) {
            // A control with an Enter of its own: the key stops there.
            const auto acao = enter_proprio_.find(objeto);
            if (acao != enter_proprio_.end() && EhEnter(tecla)) {
                acao->second();
                return true;
            }
        } else if (EhEnter(tecla)) {
            if (confirmar_) confirmar_();
            return true;
        } else if (EhEsc(tecla)) {
            if (cancelar_) cancelar_();
            return true;
        }
    } else if (evento->type() == QEvent::Show && objeto == painel_ && foco_inicial_ != nullptr &&
               foco_inicial_->isEnabled()) {
        foco_inicial_->setFocus(Qt::OtherFocusReason);
    }
    return QObject::eventFilter(objeto, evento);
}

}  // namespace ventaro
