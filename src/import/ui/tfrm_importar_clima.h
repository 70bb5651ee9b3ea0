#pragma once

#include <QWidget>
#include <filesystem>
#include <optional>

#include "import/importacao_inmet.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace ventaro {

class Dialogos;
class DialogosImportacao;

// The INMET import: reads a daily file (INMET text, BDMEP export) or one station of an INMET
// Access database, estimates the station's parameters, and shows the identity panel on which
// the user completes code, region, name, municipality and coordinates before the station is
// written. The same panel serves both menu items; `origem` tells which one it is.
class TfrmImportarClima : public QWidget {
    Q_OBJECT
  public:
    enum class Origem { Arquivo, BancoDados };

    TfrmImportarClima(Origem origem, Dialogos& dialogos, DialogosImportacao& dialogos_importacao,
                      std::filesystem::path arquivo_banco, QWidget* pai = nullptr);

    // The menu command: asks for the file, reads and estimates; shows the panel on success and
    // hides it otherwise.
    void Abrir();
    // Reads `arquivo` as Abrir does after the file dialog.
    void Ler(const QString& arquivo);

    QLabel* lblNomeArquivo() const { return lbl_nome_arquivo_; }
    QLineEdit* edtCodigo() const { return edt_codigo_; }
    QLineEdit* edtRegiao() const { return edt_regiao_; }
    QLineEdit* edtNome() const { return edt_nome_; }
    QLineEdit* edtMunicipio() const { return edt_municipio_; }
    QLineEdit* edtLatitude() const { return edt_latitude_; }
    QLineEdit* edtLongitude() const { return edt_longitude_; }
    QLineEdit* edtAltitude() const { return edt_altitude_; }
    QPushButton* btnSelecionarEstacaoOk() const { return btn_ok_; }
    QPushButton* btnSelecionarEstacaoCancelar() const { return btn_cancelar_; }

  signals:
    // A station was written.
    void estacaoGravada();

  private:
    class Decisoes;

    void btnSelecionarEstacaoOkClick();
    void btnSelecionarEstacaoCancelarClick();

    Origem origem_;
    Dialogos& dialogos_;
    DialogosImportacao& dialogos_importacao_;
    std::filesystem::path arquivo_banco_;
    std::optional<LeituraInmet> leitura_;

    QLabel* lbl_nome_arquivo_;
    QLineEdit* edt_codigo_;
    QLineEdit* edt_regiao_;
    QLineEdit* edt_nome_;
    QLineEdit* edt_municipio_;
    QLineEdit* edt_latitude_;
    QLineEdit* edt_longitude_;
    QLineEdit* edt_altitude_;
    QPushButton* btn_ok_;
    QPushButton* btn_cancelar_;
};

}  // namespace ventaro
