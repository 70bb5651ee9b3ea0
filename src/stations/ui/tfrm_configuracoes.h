#pragma once

#include <QObject>
#include <QWidget>

#include "core/configuracao_serie.h"
#include "core/tdados.h"

class QCheckBox;
class QFormLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ventaro {

class Dialogos;

// Key filter of the year fields: digits and control keys (backspace, delete, shortcuts) pass,
// every other typed character is dropped before it reaches the field. Pasted text is not seen
// here; the panel validates the fields before it writes anything.
class FiltroInteiro : public QObject {
    Q_OBJECT
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;
};

// The panel on which the user reviews the two selected stations and sets the options of the
// next run. Each showing reloads it from the window's settings and the container; only a valid
// confirmation hands settings back, through configuracoesAlteradas.
class TfrmConfiguracoes : public QWidget {
    Q_OBJECT
  public:
    TfrmConfiguracoes(const TDados& dados, Dialogos& dialogos, QWidget* pai = nullptr);

    // Fills the station labels and the fields from the current settings.
    void CarregarConfiguracoes(const ConfiguracaoSerie& config);

    QLabel* lblNomeEstacaoPrec() const { return lbl_nome_prec_; }
    QLabel* lblCodigoEstacaoPrec() const { return lbl_codigo_prec_; }
    QLabel* lblLatPrec() const { return lbl_lat_prec_; }
    QLabel* lblLongPrec() const { return lbl_long_prec_; }
    QLabel* lblNomeEstacaoClima() const { return lbl_nome_clima_; }
    QLabel* lblCodigoEstacaoClima() const { return lbl_codigo_clima_; }
    QLabel* lblLatClima() const { return lbl_lat_clima_; }
    QLabel* lblLongClima() const { return lbl_long_clima_; }
    QLineEdit* edtNumAnos() const { return edt_num_anos_; }
    QLineEdit* edtAPartir() const { return edt_a_partir_; }
    QCheckBox* cbPrecipitacao() const { return cb_prec_; }
    QCheckBox* cbTMax() const { return cb_tmax_; }
    QCheckBox* cbTMin() const { return cb_tmin_; }
    QCheckBox* cbRad() const { return cb_rad_; }
    QCheckBox* cbVVento() const { return cb_vvento_; }
    QCheckBox* cbUmid() const { return cb_umid_; }
    QCheckBox* chkCorrecao() const { return chk_correcao_; }
    QGroupBox* gbAvancado() const { return gb_avancado_; }
    QCheckBox* cbVariabilidadeAnual() const { return cb_variabilidade_anual_; }
    QLabel* lblVariabilidadeAnual() const { return lbl_variabilidade_anual_; }
    QLineEdit* edtSemente() const { return edt_semente_; }
    QLineEdit* edtCenario() const { return edt_cenario_; }
    QPushButton* btnCenario() const { return btn_cenario_; }
    QPushButton* btnSemCenario() const { return btn_sem_cenario_; }
    QPushButton* btnConfiguracoesOk() const { return btn_ok_; }
    QPushButton* btnConfiguracoesCancelar() const { return btn_cancelar_; }

  signals:
    // The panel's work ended: it should be hidden.
    void fechado();
    // Confirmation ended, whatever its outcome: the status bar returns to idle.
    void concluido();
    // The user confirmed valid settings, or accepted the defaults after an invalid field.
    void configuracoesAlteradas(const ventaro::ConfiguracaoSerie& config);

  private:
    // "Avançado": options beyond the model's own, one row each in gbAvancado's form (a check
    // box across the row, or a label and its field).
    void CriarAvancado();
    void btnCenarioClick();
    void btnConfiguracoesOkClick();
    void btnConfiguracoesCancelarClick();

    const TDados& dados_;
    Dialogos& dialogos_;

    QLabel* lbl_nome_prec_;
    QLabel* lbl_codigo_prec_;
    QLabel* lbl_lat_prec_;
    QLabel* lbl_long_prec_;
    QLabel* lbl_nome_clima_;
    QLabel* lbl_codigo_clima_;
    QLabel* lbl_lat_clima_;
    QLabel* lbl_long_clima_;
    QLineEdit* edt_num_anos_;
    QLineEdit* edt_a_partir_;
    QCheckBox* cb_prec_;
    QCheckBox* cb_tmax_;
    QCheckBox* cb_tmin_;
    QCheckBox* cb_rad_;
    QCheckBox* cb_vvento_;
    QCheckBox* cb_umid_;
    QCheckBox* chk_correcao_;
    QGroupBox* gb_avancado_;
    QFormLayout* form_avancado_;
    QCheckBox* cb_variabilidade_anual_;
    QLabel* lbl_variabilidade_anual_;
    QLineEdit* edt_semente_;
    QLineEdit* edt_cenario_;
    QPushButton* btn_cenario_;
    QPushButton* btn_sem_cenario_;
    QPushButton* btn_ok_;
    QPushButton* btn_cancelar_;
};

}  // namespace ventaro
