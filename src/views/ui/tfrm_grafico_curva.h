#pragma once

#include <QWidget>
#include <cstdint>

#include "views/resultados.h"

class QPushButton;
class QTableView;

namespace ventaro {

class ModeloTabela;

// The storm table: date, depth, duration, time to peak and peak intensity of every day.
// Selecting a day asks for its intensity profile when storms were simulated.
class TfrmGraficoCurva : public QWidget {
    Q_OBJECT
  public:
    explicit TfrmGraficoCurva(FonteResultados fonte, QWidget* pai = nullptr);

    void Exibir();

    QTableView* sgGraficoCurva() const { return sg_grafico_curva_; }
    QPushButton* btnGraficoCurvaFechar() const { return btn_fechar_; }

  signals:
    // The user picked the row of day `dia` (1..NumDias).
    void perfilPedido(int64_t dia);
    void fechado();

  private:
    void sgGraficoCurvaSelectCell(int linha);

    FonteResultados fonte_;
    ModeloTabela* modelo_;
    QTableView* sg_grafico_curva_;
    QPushButton* btn_fechar_;
};

}  // namespace ventaro
