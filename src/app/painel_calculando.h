#pragma once

#include <QFrame>
#include <cstdint>

class QLabel;
class QProgressBar;
class QPushButton;

namespace ventaro {

// The small panel shown over the window while a series is calculated: step text, total years,
// years done, a progress bar over the days of the run, and "Cancelar".
class PainelCalculando : public QFrame {
    Q_OBJECT
  public:
    explicit PainelCalculando(QWidget* pai = nullptr);

    void DefinirPasso(const QString& texto);
    void DefinirNumTotalDeAnos(int64_t anos);
    // Range and position in days. A progress bar counts in int, so very long runs are shown
    // in coarser steps.
    void DefinirFaixa(int64_t minimo, int64_t maximo);
    void DefinirPosicao(int64_t dia);

    QLabel* lblPasso() const { return lbl_passo_; }
    QLabel* lblNumTotalDeAnos() const { return lbl_num_total_; }
    QLabel* lblAnosCalculados() const { return lbl_anos_calculados_; }
    QProgressBar* prbCalculando() const { return prb_calculando_; }
    QPushButton* btnCancelar() const { return btn_cancelar_; }

  signals:
    void cancelarClicado();

  private:
    int Escalar(int64_t dia) const;

    QLabel* lbl_passo_;
    QLabel* lbl_num_total_;
    QLabel* lbl_anos_calculados_;
    QProgressBar* prb_calculando_;
    QPushButton* btn_cancelar_;
    int64_t divisor_ = 1;
};

}  // namespace ventaro
