#pragma once

#include <QWidget>

#include "views/resultados.h"

class QPushButton;

namespace ventaro {

class AbasGraficos;
class Dialogos;
class VisaoGradeMensal;

// The regression views: for 36 monthly statistics, the twelve observed-generated pairs, the line
// through the origin fitted to them with its equation, r² and standard error, and the pairs in
// the grid below.
class TfrmGraficoRegressao : public QWidget {
    Q_OBJECT
  public:
    TfrmGraficoRegressao(FonteResultados fonte, Dialogos& dialogos, QWidget* pai = nullptr);

    // Shows the precipitation "Média" with its pairs in the grid.
    void Exibir();

    AbasGraficos* pgGraficoRegressao() const { return abas_; }
    VisaoGradeMensal* sgGraficoRegressao() const { return grade_; }
    QPushButton* btnRegressaoFechar() const { return btn_fechar_; }

  signals:
    void fechado();

  private:
    FonteResultados fonte_;
    AbasGraficos* abas_;
    VisaoGradeMensal* grade_;
    QPushButton* btn_fechar_;
};

}  // namespace ventaro
