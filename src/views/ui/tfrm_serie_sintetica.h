#pragma once

#include <QWidget>

#include "views/resultados.h"

class QPushButton;
class QTableView;

namespace ventaro {

class ModeloTabela;

// The series table: every variable of every day.
class TfrmSerieSintetica : public QWidget {
    Q_OBJECT
  public:
    explicit TfrmSerieSintetica(FonteResultados fonte, QWidget* pai = nullptr);

    void Exibir();

    QTableView* sgGraficoCurva() const { return sg_grafico_curva_; }
    QPushButton* btnGraficoCurvaFechar() const { return btn_fechar_; }

  signals:
    void fechado();

  private:
    FonteResultados fonte_;
    ModeloTabela* modelo_;
    QTableView* sg_grafico_curva_;
    QPushButton* btn_fechar_;
};

}  // namespace ventaro
