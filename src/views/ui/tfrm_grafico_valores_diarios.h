#pragma once

#include <QWidget>
#include <vector>

#include "views/resultados.h"

class QPushButton;

namespace ventaro {

class AbasGraficos;
class Dialogos;

// The daily charts: six variables, and for each climate variable its dry days and its wet days
// apart, 19 charts in all.
class TfrmGraficoValoresDiarios : public QWidget {
    Q_OBJECT
  public:
    TfrmGraficoValoresDiarios(FonteResultados fonte, Dialogos& dialogos, QWidget* pai = nullptr);

    // Shows "Precipitação" on its first chart, filled from the current results.
    void Exibir();

    AbasGraficos* pgGraficoValoresDiarios() const { return abas_; }
    QPushButton* btnGraficoValoresDiariosFechar() const { return btn_fechar_; }

  signals:
    void fechado();

  private:
    FonteResultados fonte_;
    std::vector<double> valores_;
    AbasGraficos* abas_;
    QPushButton* btn_fechar_;
};

}  // namespace ventaro
