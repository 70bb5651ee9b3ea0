#pragma once

#include <QWidget>

#include "views/resultados.h"

class QPushButton;

namespace ventaro {

class AbasGraficos;
class Dialogos;
class VisaoGradeMensal;

// The monthly statistics view: 42 bar charts of the observed and generated monthly statistics,
// with the pairs of the chart shown in the grid below.
class TfrmGraficoValoresMensais : public QWidget {
    Q_OBJECT
  public:
    TfrmGraficoValoresMensais(FonteResultados fonte, Dialogos& dialogos, QWidget* pai = nullptr);

    // Shows the precipitation "Média" with its pairs in the grid.
    void Exibir();

    AbasGraficos* pgGraficoValoresMensais() const { return abas_; }
    VisaoGradeMensal* sgGraficoValoresMensais() const { return grade_; }
    QPushButton* btnGraficoValoresMensaisFechar() const { return btn_fechar_; }

  signals:
    void fechado();

  private:
    FonteResultados fonte_;
    AbasGraficos* abas_;
    VisaoGradeMensal* grade_;
    QPushButton* btn_fechar_;
};

}  // namespace ventaro
