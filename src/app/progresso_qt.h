#pragma once

#include <QObject>
#include <QString>
#include <atomic>
#include <chrono>

#include "generator/progresso.h"

namespace ventaro {

class TCalcularSerieSintetica;

// The generator's progress receiver on the window's side. The generator calls it from the
// worker thread; it turns the calls into signals that Qt queues to the window's thread. A run
// reports every day, far more often than anyone can see, so the day signal is sent at most
// about 30 times a second; step texts and ranges are rare and always sent.
//
// It also carries the cancel request into the run: a run clears the generator's flag when it
// starts, so a "Cancelar" pressed before the worker got that far would otherwise be lost. The
// request is kept here and handed to the generator again at the next report.
class ProgressoQt : public QObject, public Progresso {
    Q_OBJECT
  public:
    explicit ProgressoQt(TCalcularSerieSintetica& gerador, QObject* pai = nullptr);

    // GUI thread: before each run / when the user cancels.
    void Reiniciar();
    void PedirCancelamento();
    bool CancelamentoPedido() const { return cancelamento_pedido_.load(); }

    // Worker thread.
    void DefinirPasso(std::string_view texto) override;
    void DefinirFaixa(int64_t minimo, int64_t maximo) override;
    void NotificarProgresso(int64_t dia) override;

  signals:
    void passoAlterado(const QString& texto);
    void faixaAlterada(qint64 minimo, qint64 maximo);
    void progresso(qint64 dia);

  private:
    void RepassarCancelamento();

    TCalcularSerieSintetica& gerador_;
    std::atomic<bool> cancelamento_pedido_{false};
    std::chrono::steady_clock::time_point ultimo_envio_{};
};

}  // namespace ventaro
