#pragma once

#include <QObject>
#include <QString>
#include <chrono>

#include "generator/progresso.h"

namespace ventaro {

// The generator's progress receiver on the window's side. The generator calls it from the
// worker thread; it turns the calls into signals that Qt queues to the window's thread. A run
// reports every day, far more often than anyone can see, so the day signal is sent at most
// about 30 times a second; step texts and ranges are rare and always sent.
class ProgressoQt : public QObject, public Progresso {
    Q_OBJECT
  public:
    using QObject::QObject;

    // GUI thread, before each run.
    void Reiniciar();

    // Worker thread.
    void DefinirPasso(std::string_view texto) override;
    void DefinirFaixa(int64_t minimo, int64_t maximo) override;
    void NotificarProgresso(int64_t dia) override;

  signals:
    void passoAlterado(const QString& texto);
    void faixaAlterada(qint64 minimo, qint64 maximo);
    void progresso(qint64 dia);

  private:
    std::chrono::steady_clock::time_point ultimo_envio_{};
};

}  // namespace ventaro
