#pragma once

#include <QWidget>
#include <cstdint>

#include "views/resultados.h"

class QLabel;
class QPushButton;

namespace ventaro {

class Dialogos;
class Grafico;

// The intensity profile of one day of the storm table, with the four parameters of its intensity
// equation and its date. It opens over the storm table and closes back to it.
class TfrmPerfil : public QWidget {
    Q_OBJECT
  public:
    TfrmPerfil(FonteResultados fonte, Dialogos& dialogos, QWidget* pai = nullptr);

    void MostrarPerfil(int64_t dia);

    Grafico* chtPerfil() const { return cht_perfil_; }
    QLabel* lblValorParamA() const { return valores_[0]; }
    QLabel* lblValorParamB() const { return valores_[1]; }
    QLabel* lblValorParamC() const { return valores_[2]; }
    QLabel* lblValorParamD() const { return valores_[3]; }
    QLabel* lblValorData() const { return valores_[4]; }
    QPushButton* btnPerfilFechar() const { return btn_fechar_; }

  signals:
    void fechado();

  private:
    FonteResultados fonte_;
    Grafico* cht_perfil_;
    QLabel* valores_[5];
    QPushButton* btn_fechar_;
};

}  // namespace ventaro
