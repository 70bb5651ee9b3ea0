#pragma once

#include <QDialog>
#include <QString>
#include <vector>

class QLabel;
class QPushButton;

namespace ventaro {

// A library the program is built on: name, version in use and licence (SPDX).
struct Biblioteca {
    QString Nome;
    QString Versao;
    QString Licenca;
};

// The libraries of the desktop program, with the versions it runs with (Qt and SQLite report
// theirs at run time; the others as found when the program was configured).
std::vector<Biblioteca> Bibliotecas();

// The About box of "Sobre": name, version with the git commit, the licence and the libraries.
class DialogoSobre : public QDialog {
    Q_OBJECT
  public:
    explicit DialogoSobre(QWidget* pai = nullptr);

    QLabel* lblVersao() const { return lbl_versao_; }
    QLabel* lblLicenca() const { return lbl_licenca_; }
    QLabel* lblBibliotecas() const { return lbl_bibliotecas_; }
    QPushButton* btnFechar() const { return btn_fechar_; }

  private:
    QLabel* lbl_versao_;
    QLabel* lbl_licenca_;
    QLabel* lbl_bibliotecas_;
    QPushButton* btn_fechar_;
};

}  // namespace ventaro
