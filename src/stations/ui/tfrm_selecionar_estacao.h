#pragma once

#include <QWidget>
#include <filesystem>
#include <optional>
#include <string>

#include "core/tdados.h"
#include "stations/banco_dados.h"
#include "stations/estacoes.h"

class QLineEdit;
class QPushButton;
class QTableView;

namespace ventaro {

class Dialogos;
class ModeloEstacoes;

// The panel on which the user picks the rainfall or the climatological station of a run. On
// confirmation the station's parameters are loaded into the selected-stations container and the
// simulate switches that fit what was loaded are handed to the window.
class TfrmSelecionarEstacao : public QWidget {
    Q_OBJECT
  public:
    TfrmSelecionarEstacao(TDados& dados, Dialogos& dialogos, std::filesystem::path arquivo_banco,
                          QWidget* pai = nullptr);
    ~TfrmSelecionarEstacao() override;

    // Reconnects to the database and lists every station of the kind ordered by code, the
    // station in use highlighted (the first otherwise) and the grid focused. Database failures
    // are thrown (ErroVentaro) for the caller's error report; the panel keeps what it showed
    // before.
    void MostrarEstacoes(TipoEstacao tipo);

    TipoEstacao Tipo() const { return tipo_; }
    const std::string& CodigoSelecionado() const { return codigo_selecionado_; }

    QLineEdit* edtProcurarEstacao() const { return edt_procurar_; }
    QPushButton* btnProcurarEstacao() const { return btn_procurar_; }
    QPushButton* btnTodas() const { return btn_todas_; }
    QPushButton* btnSelecionarEstacaoOk() const { return btn_ok_; }
    QPushButton* btnSelecionarEstacaoCancelar() const { return btn_cancelar_; }
    QTableView* sgEstacoesDados() const { return sg_estacoes_; }

  protected:
    void resizeEvent(QResizeEvent* evento) override;

  signals:
    // A station was loaded: the previous run is out of date, and the run's switches become
    // those the loaded parameters allow.
    void estacaoSelecionada(const ventaro::VariaveisSimuladas& variaveis);
    // The chosen station could not be loaded.
    void selecaoFalhou();
    // The panel's work ended (Ok succeeded or Cancel): it should be hidden.
    void fechado();

  private:
    void btnProcurarEstacaoClick();
    void btnTodasClick();
    void btnSelecionarEstacaoOkClick();
    void btnSelecionarEstacaoCancelarClick();
    void sgEstacoesDadosSelectCell(int linha);

    BancoDados& Banco();
    void PreencherGrade(std::vector<LinhaEstacao> linhas);
    void AjustarColunas();
    bool CarregarEstacao();

    TDados& dados_;
    Dialogos& dialogos_;
    std::filesystem::path arquivo_banco_;
    std::optional<BancoDados> banco_;
    TipoEstacao tipo_ = TipoEstacao::Pluviometrica;
    std::string codigo_selecionado_;

    ModeloEstacoes* modelo_;
    QLineEdit* edt_procurar_;
    QPushButton* btn_procurar_;
    QPushButton* btn_todas_;
    QPushButton* btn_ok_;
    QPushButton* btn_cancelar_;
    QTableView* sg_estacoes_;
};

}  // namespace ventaro
