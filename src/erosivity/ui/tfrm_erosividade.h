#pragma once

#include <QString>
#include <QWidget>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/configuracao_serie.h"
#include "core/sinal_cancelamento.h"
#include "erosivity/calcular_erosividade.h"

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableWidget;
class QThread;

namespace ventaro {

class Dialogos;

// The erosivity panel: the user picks a state (all its rainfall stations) or a station list
// file, the number of years and the output folder, and runs the batch. The batch runs on a
// worker thread, its stations on every core, with a progress bar and "Cancelar" on the panel;
// the first year and the corrections come from the window's settings.
class TfrmErosividade : public QWidget {
    Q_OBJECT
  public:
    // `configuracao` gives the window's current settings; `pasta_saida` is the folder the
    // output field starts with.
    TfrmErosividade(Dialogos& dialogos, std::filesystem::path arquivo_banco,
                    std::function<ConfiguracaoSerie()> configuracao, const QString& pasta_saida,
                    QWidget* pai = nullptr);
    // A running batch is cancelled and waited for: the stations done stay written.
    ~TfrmErosividade() override;

    // Connects to the database and lists the states. Database failures are thrown
    // (ErroVentaro) for the caller's error report.
    void Exibir();
    // Reads a station list file as "Buscar" does once a file is chosen; false (reported) when
    // it cannot be read or lists no code, and the panel keeps its choice.
    bool CarregarArquivoEstacoes(const QString& arquivo);
    bool Calculando() const { return trabalhador_ != nullptr; }

    int32_t CodEstadoSelecionado() const { return cod_estado_selecionado_; }
    int NumEstacoes() const { return num_estacoes_; }
    const std::vector<std::string>& ListaEstacoes() const { return lista_estacoes_; }

    QTableWidget* sgEstado() const { return sg_estado_; }
    QLabel* lbEstadoEscolhido() const { return lb_estado_escolhido_; }
    QLabel* lbNEstacaoEscolhida() const { return lb_n_estacao_escolhida_; }
    QLineEdit* edtNumAnos() const { return edt_num_anos_; }
    QLineEdit* tboxArqEst() const { return tbox_arq_est_; }
    QPushButton* btnBuscar() const { return btn_buscar_; }
    QLineEdit* edtPastaSaida() const { return edt_pasta_saida_; }
    QPushButton* btnErosividadeCalcular() const { return btn_calcular_; }
    QLabel* lblProgresso() const { return lbl_progresso_; }
    QProgressBar* prbErosividade() const { return prb_erosividade_; }
    QPushButton* btnCancelar() const { return btn_cancelar_; }

  signals:
    // Text for the window's status bar.
    void statusAlterado(const QString& texto);
    // A batch ended (completed, cancelled or failed) and the panel is idle again.
    void calculoTerminado();

  private:
    void sgEstadoSelectCell(int linha);
    void btnBuscarClick();
    void btnErosividadeCalcularClick();
    void Avancar(int feitas, int total);
    void FimDoLote();
    void HabilitarEntrada(bool habilitar);
    void Erro(const QString& texto);

    Dialogos& dialogos_;
    std::filesystem::path arquivo_banco_;
    std::function<ConfiguracaoSerie()> configuracao_;

    int32_t cod_estado_selecionado_ = 0;
    int num_estacoes_ = 0;
    std::vector<std::string> lista_estacoes_;

    std::unique_ptr<QThread> trabalhador_;
    std::shared_ptr<SinalCancelamento> cancelamento_;
    std::optional<ResultadoLote> resultado_;
    std::exception_ptr erro_;

    QTableWidget* sg_estado_;
    QLabel* lb_estado_escolhido_;
    QLabel* lb_n_estacao_escolhida_;
    QLineEdit* edt_num_anos_;
    QLineEdit* tbox_arq_est_;
    QPushButton* btn_buscar_;
    QLineEdit* edt_pasta_saida_;
    QPushButton* btn_calcular_;
    QLabel* lbl_progresso_;
    QProgressBar* prb_erosividade_;
    QPushButton* btn_cancelar_;
};

}  // namespace ventaro
