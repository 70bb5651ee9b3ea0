#pragma once

#include <QMainWindow>
#include <QString>
#include <exception>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>

#include "core/configuracao_serie.h"
#include "core/sinal_cancelamento.h"
#include "core/tclima.h"
#include "core/tdados.h"
#include "core/tregressao.h"
#include "generator/tcalcular_serie_sintetica.h"
#include "stations/estacoes.h"
#include "ui/janela_paineis.h"

class QLabel;
class QMenu;
class QThread;
class QGridLayout;

namespace ventaro {

class Dialogos;
class PainelCalculando;
class PainelSplash;
class ProgressoQt;
class TfrmConfiguracoes;
class TfrmSelecionarEstacao;

// The long part of a hint "short|long", or the whole hint when it has no separator.
QString ParteLongaDaDica(const QString& dica);

// The message of an error that stopped a run. The generator's own errors speak Portuguese
// already; the library's (memory exhausted by a very long series) are put into words here.
QString TextoErroCalculo(const std::exception& erro, uint32_t num_anos);

// The application's only window: menus, status bar, splash, the embedded panels (one shown at
// a time) and the progress panel of a run. It owns the objects every panel shares and the
// settings of the next run; panel libraries reach it only as a JanelaPaineis.
class TMainFrame : public QMainWindow, public JanelaPaineis {
    Q_OBJECT
  public:
    // `pasta` is the application's folder: it becomes the working directory and holds
    // bd.sqlite. `dialogos` answers every dialog and must outlive the window.
    TMainFrame(std::filesystem::path pasta, Dialogos& dialogos, QWidget* pai = nullptr);
    ~TMainFrame() override;

    // Shared objects.
    TDados& Dados() { return dados_; }
    TDados& Estatisticas() { return estatisticas_; }
    const TClima& Clima() const { return clima_; }
    TRegressao& Regressao() { return regressao_; }
    Dialogos& Dlg() override { return dialogos_; }
    QWidget* AreaPaineis() override { return centralWidget(); }

    // Settings of the next run, as the settings panel and station selection leave them.
    const ConfiguracaoSerie& Configuracao() const { return config_; }
    void DefinirConfiguracao(const ConfiguracaoSerie& config) { config_ = config; }
    // Settings of the run that produced Clima(): statistics and the file header must describe
    // that series even if the settings were changed afterwards.
    const ConfiguracaoSerie& ConfiguracaoClima() const { return config_clima_; }
    bool EstatisticasAtualizadas() const { return estatisticas_atualizadas_; }
    // Computes the statistics of the current series into Estatisticas() unless they are
    // current already. Errors are reported to the user; the flag then stays false.
    void AtualizarEstatisticas();
    bool Calculando() const { return trabalhador_ != nullptr; }

    // Menu item by component name ("mmiCalcular", "mmiValoresDiarios", ...); nullptr if none.
    QAction* Item(const QString& nome) const override;

    // Adds an embedded panel, hidden, above the ones registered before. With `item`, that menu
    // item is enabled and shows the panel, after which `ao_mostrar` fills it.
    void RegistrarPainel(QWidget* painel, QAction* item = nullptr,
                         std::function<void()> ao_mostrar = {}) override;
    // Hides every embedded panel but `exceto`.
    void EsconderPaineis(QWidget* exceto = nullptr);
    // Hides the other panels and shows this one.
    void MostrarPainel(QWidget* painel) override;

    void DefinirStatus(const QString& texto) override;
    void Avisar(const QString& texto) override;
    QString Status() const;
    // The status bar's second panel: the hint under the pointer; with none, the last notice of
    // Avisar, or else the selected stations and the run (ResumoExecucao).
    QString Dica() const;

    TfrmSelecionarEstacao* frmSelecionarEstacao() const { return frm_selecionar_estacao_; }
    TfrmConfiguracoes* frmConfiguracoes() const { return frm_configuracoes_; }
    PainelCalculando* panCalculando() const { return pan_calculando_; }
    PainelSplash* pnlSplash() const { return pnl_splash_; }

    // Menu commands (also reachable through the items).
    void mmiEntradadeDadosClick();
    void mmiEstacaoPluviometricaClick();
    void mmiEstacaoClimatologicaClick();
    void mmiConfiguraesClick();
    void mmiCalcularClick();
    void mmiVisualizarResultadosClick();
    void mmiSalvarResultadosClick();
    void mmiAjudaClick();
    void mmiSobreTAVUClick();
    // "Sobre": the About box (name, version, licence, libraries), opened over the window.
    void mmiSobreClick();

  signals:
    // A calculation command ended (completed, cancelled or failed) and the window is idle.
    void calculoTerminado();

  protected:
    bool event(QEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;

  private:
    void CriarMenus();
    QAction* NovoItem(const char* nome, const char* texto, const char* dica);
    QMenu* NovoMenu(const char* nome, const char* texto, const char* dica);
    void MostrarSelecao(TipoEstacao tipo);
    void FimDoCalculo();
    void EncerrarCalculo();
    // Writes the current series, asking for the file name first. False when the file could not
    // be written (reported already); true when written or when the user cancelled.
    bool SalvarSerie();
    void HabilitarResultados(bool habilitar);
    void AguardarTrabalhador();
    // The stations or the settings changed: the notice goes and the summary follows them.
    void AtualizarResumo();
    void MostrarDicaDeRepouso();

    std::filesystem::path pasta_;
    Dialogos& dialogos_;

    // Shared objects, created in this order and freed in the reverse one.
    TDados dados_;
    TDados estatisticas_;
    const TCalcularSerieSintetica gerador_;
    TRegressao regressao_;
    TClima clima_;
    ConfiguracaoSerie config_;
    ConfiguracaoSerie config_clima_;
    ConfiguracaoSerie config_em_calculo_;
    bool estatisticas_atualizadas_ = false;

    ProgressoQt* progresso_ = nullptr;
    QThread* trabalhador_ = nullptr;
    // The running calculation's cancel request; shared with the worker, which may outlive a
    // window that is being closed only until AguardarTrabalhador returns.
    std::shared_ptr<SinalCancelamento> cancelamento_;
    std::optional<ResultadoCalculo> resultado_;
    std::exception_ptr erro_calculo_;

    std::map<QString, QAction*> itens_;
    QGridLayout* area_ = nullptr;
    std::vector<QWidget*> paineis_;
    PainelSplash* pnl_splash_ = nullptr;
    TfrmConfiguracoes* frm_configuracoes_ = nullptr;
    TfrmSelecionarEstacao* frm_selecionar_estacao_ = nullptr;
    PainelCalculando* pan_calculando_ = nullptr;
    QLabel* status_atividade_ = nullptr;
    QLabel* status_dica_ = nullptr;
    bool dica_ativa_ = false;
    QString aviso_;
};

}  // namespace ventaro
