#pragma once

#include <QObject>
#include <functional>
#include <map>

class QAbstractButton;
class QWidget;

namespace ventaro {

// Enter and Esc in an embedded panel. A key that the focused control leaves unused reaches the
// panel: Enter (or the keypad's Enter) runs `confirmar` and Esc runs `cancelar`; either may be
// empty, and the key then does nothing. When there is something to confirm, a focused push
// button takes Enter for itself and is clicked; a control given its own Enter with EnterEm
// (a search field) runs that instead. Each time the panel is shown, the control given to
// FocoInicial takes the focus, so that the panel is worked from the keyboard at once.
// Installed on the panel and owned by it.
class TeclasPainel : public QObject {
  public:
    TeclasPainel(QWidget* painel, std::function<void()> confirmar, std::function<void()> cancelar);

    // Enter clicks `confirmar` and Esc clicks `cancelar`, when they are enabled; either may be
    // nullptr.
    static TeclasPainel* Instalar(QWidget* painel, QAbstractButton* confirmar,
                                  QAbstractButton* cancelar);

    void EnterEm(QWidget* controle, std::function<void()> acao);
    void FocoInicial(QWidget* controle) { foco_inicial_ = controle; }

  protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

  private:
    QWidget* painel_;
    std::function<void()> confirmar_;
    std::function<void()> cancelar_;
    std::map<QObject*, std::function<void()>> enter_proprio_;
    QWidget* foco_inicial_ = nullptr;
};

}  // namespace ventaro
