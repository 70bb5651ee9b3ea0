#pragma once

#include <QWidget>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "import/fonte_ana.h"
#include "import/origem_ana.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace ventaro {

class Dialogos;
class DialogosImportacao;

// The ANA rainfall import. The source is an ANA Hidro Access database (stations listed by
// state, imported one, by state or all) or a HidroWeb export (CSV or CHUVAS.TXT), whose station
// identity comes from an ANA inventory or from the fields of the panel. Each station needs ten
// complete calendar years; the user is asked for its region, and before replacing a station
// already in the database (Yes / No / No to all / Yes to all).
class TfrmImportarPrecBD : public QWidget {
    Q_OBJECT
  public:
    TfrmImportarPrecBD(Dialogos& dialogos, DialogosImportacao& dialogos_importacao,
                       std::filesystem::path arquivo_banco, QWidget* pai = nullptr);
    ~TfrmImportarPrecBD() override;

    // The menu command: asks for the source file and lists its stations; hides the panel when
    // the user cancels or the source cannot be read.
    void Abrir();
    // Opens `arquivo` as Abrir does after the file dialog; false when it could not be read.
    bool AbrirArquivo(const QString& arquivo);
    // Reads an ANA inventory for the identity of HidroWeb stations.
    void CarregarInventario(const QString& arquivo);

    QComboBox* cbEstadoEscolhe() const { return cb_estado_; }
    QRadioButton* rgOpcoesImportacao(int opcao) const {
        return opcoes_[static_cast<std::size_t>(opcao)];
    }
    QTableWidget* sgEstacoesDados() const { return sg_estacoes_; }
    QPlainTextEdit* memMensagens() const { return mem_mensagens_; }
    QLineEdit* edtNome() const { return edt_nome_; }
    QLineEdit* edtMunicipio() const { return edt_municipio_; }
    QLineEdit* edtLatitude() const { return edt_latitude_; }
    QLineEdit* edtLongitude() const { return edt_longitude_; }
    QLineEdit* edtAltitude() const { return edt_altitude_; }
    QPushButton* btnInventario() const { return btn_inventario_; }
    QPushButton* btnImportar() const { return btn_importar_; }
    QPushButton* btnCancelar() const { return btn_cancelar_; }
    QGroupBox* gbIdentidade() const { return gb_identidade_; }
    // The last line of the last run's messages: what it wrote, skipped and failed.
    const QString& Resumo() const { return resumo_; }

  signals:
    // At least one station was written.
    void estacoesGravadas();

  private:
    class Decisoes;

    void cbEstadoEscolheChange();
    void btnImportarClick();
    void btnCancelarClick();
    void ListarEstado(const QString& nome);
    void ListarHidroweb();
    void PreencherGrade(const std::vector<EstacaoAna>& estacoes);
    int OpcaoEscolhida() const;
    // Options 1 and 2 are disabled for a source of one station, option 2 for a HidroWeb file.
    void AjustarOpcoes();
    // Fills the identity fields of the HidroWeb station of grid row `linha` from the inventory
    // (read-only), or leaves them to the user when the inventory does not list it.
    void MostrarIdentidade(int linha);
    // The progress of the stations of a list (option 1, and each state of option 2).
    void MostrarProgresso(std::size_t estacoes);
    void EsconderProgresso();
    // The dialog of a table that cannot be read (not shown in a whole-database run), and with
    // ErroTabela its message line.
    void MostrarErroTabela(TabelaAna tabela);
    void ErroTabela(TabelaAna tabela);
    void Mensagem(const QString& linha);
    void HabilitarControles(bool habilitar);

    Dialogos& dialogos_;
    DialogosImportacao& dialogos_importacao_;
    std::filesystem::path arquivo_banco_;
    std::unique_ptr<FonteAna> fonte_;
    std::map<int64_t, EstacaoAna> inventario_;
    std::vector<EstacaoAna> estacoes_grade_;
    bool cancelar_ = false;
    bool lote_ = false;
    bool progresso_ = false;
    bool identidade_do_inventario_ = false;
    QString resumo_;

    QComboBox* cb_estado_;
    std::vector<QRadioButton*> opcoes_;
    QTableWidget* sg_estacoes_;
    QGroupBox* gb_identidade_;
    QLineEdit* edt_nome_;
    QLineEdit* edt_municipio_;
    QLineEdit* edt_latitude_;
    QLineEdit* edt_longitude_;
    QLineEdit* edt_altitude_;
    QPushButton* btn_inventario_;
    QPlainTextEdit* mem_mensagens_;
    QLabel* lbl_calculando_;
    QProgressBar* pb_estado_;
    QProgressBar* pb_total_;
    QPushButton* btn_importar_;
    QPushButton* btn_cancelar_;
};

}  // namespace ventaro
