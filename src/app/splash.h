#pragma once

#include <QPixmap>
#include <QWidget>

namespace ventaro {

// The program's own opening picture (559 x 339): a stylised daily series under a sky with sun
// and rain, and the program's name. Drawn at start, so no image file ships with the program.
QPixmap DesenharSplash();

// The panel beneath every other panel, holding the picture; it shows whenever no panel does.
class PainelSplash : public QWidget {
    Q_OBJECT
  public:
    explicit PainelSplash(QWidget* pai = nullptr);

  signals:
    void clicado();

  protected:
    void mousePressEvent(QMouseEvent* evento) override;
};

}  // namespace ventaro
