#pragma once

#include <QTableView>

namespace ventaro {

class GradeMensal;
class ModeloGradeMensal;

// The grid below the monthly and regression charts: three rows of twelve months with the month
// and row names as headers. With `copia`, Ctrl+C puts the selected cells on the clipboard, tab
// separated, each row ended by CR LF.
class VisaoGradeMensal : public QTableView {
    Q_OBJECT
  public:
    VisaoGradeMensal(const QString& nome, bool copia, QWidget* pai = nullptr);

    void Mostrar(const GradeMensal& grade);
    const GradeMensal& Grade() const;
    // The text Ctrl+C puts on the clipboard for the current selection (empty without one).
    QString TextoSelecao() const;

  protected:
    void keyPressEvent(QKeyEvent* evento) override;

  private:
    ModeloGradeMensal* modelo_;
    bool copia_;
};

}  // namespace ventaro
