#include "app/tmain_frame.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QThread>
#include <QUrl>
#include <new>
#include <stdexcept>

#include "app/dialogo_sobre.h"
#include "app/painel_calculando.h"
#include "app/progresso_qt.h"
#include "app/resumo_execucao.h"
#include "app/splash.h"
#include "core/calendario.h"
#include "core/erro.h"
#include "core/estatisticas_serie.h"
#include "output/arquivo_serie.h"
#include "stations/ui/tfrm_configuracoes.h"
#include "stations/ui/tfrm_selecionar_estacao.h"
#include "ui/cursor_ocupado.h"
#include "ui/dialogos.h"
#include "ui/separador_decimal.h"
#include "ui/teclas_painel.h"

// The window's icon is a resource of this library; a static library's resources are registered
// by hand. (Outside the namespace: the macro declares a global function.)
static void RegistrarRecursos() {
    Q_INIT_RESOURCE(ventaro);
}

namespace ventaro {

namespace {

// The research group's page opened by "Sobre o TAVU".
constexpr char kEnderecoTavu[] = "https://www.tavu.example.org/";

constexpr int kLarguraCliente = 640;
constexpr int kAlturaCliente = 491;

// Status of the idle window.
QString Ocioso() {
    return QStringLiteral("VENTARO 2.0");
}

}  // namespace

QString ParteLongaDaDica(const QString& dica) {
    const qsizetype barra = dica.indexOf(u'|');
    return barra < 0 ? dica : dica.mid(barra + 1);
}

QString TextoErroCalculo(const std::exception& erro, uint32_t num_anos) {
    if (dynamic_cast<const ErroVentaro*>(&erro) != nullptr) return QString::fromUtf8(erro.what());
    if (dynamic_cast<const std::bad_alloc*>(&erro) != nullptr ||
        dynamic_cast<const std::length_error*>(&erro) != nullptr) {
        return QStringLiteral("Memória insuficiente para gerar uma série de %1 anos.")
            .arg(num_anos);
    }
    return QStringLiteral("Erro ao gerar a série sintética: %1")
        .arg(QString::fromUtf8(erro.what()));
}

TMainFrame::TMainFrame(std::filesystem::path pasta, Dialogos& dialogos, QWidget* pai)
    : QMainWindow(pai), pasta_(std::move(pasta)), dialogos_(dialogos) {
    setObjectName(QStringLiteral("MainFrame"));
    setWindowTitle(QString::fromUtf8(kTituloAplicacao));
    RegistrarRecursos();
    setWindowIcon(QIcon(QStringLiteral(":/ventaro/ventaro.svg")));

    // Relative paths (the database, files the user names without a folder) are read from the
    // application's folder.
    if (!QDir::setCurrent(QString::fromStdString(pasta_.string()))) {
        throw ErroVentaro("Não foi possível usar a pasta \"" + pasta_.string() +
                          "\" como pasta de trabalho.");
    }

    progresso_ = new ProgressoQt(this);

    // Status bar: the current activity, then the long part of the hint under the pointer.
    status_atividade_ = new QLabel(Ocioso(), this);
    status_atividade_->setObjectName(QStringLiteral("stbBarraStatusPainel0"));
    status_atividade_->setMinimumWidth(100);
    status_dica_ = new QLabel(this);
    status_dica_->setObjectName(QStringLiteral("stbBarraStatusPainel1"));
    status_dica_->setMinimumWidth(1);
    statusBar()->setObjectName(QStringLiteral("stbBarraStatus"));
    statusBar()->setSizeGripEnabled(true);
    statusBar()->addWidget(status_atividade_);
    statusBar()->addWidget(status_dica_, 1);

    // Client area: every panel and the splash share one cell; the one shown covers the splash.
    auto* central = new QWidget(this);
    area_ = new QGridLayout(central);
    area_->setContentsMargins(0, 0, 0, 0);
    pnl_splash_ = new PainelSplash(central);
    pnl_splash_->setAutoFillBackground(true);
    QPalette fundo = pnl_splash_->palette();
    fundo.setColor(QPalette::Window, palette().color(QPalette::Disabled, QPalette::WindowText));
    pnl_splash_->setPalette(fundo);
    area_->addWidget(pnl_splash_, 0, 0);
    connect(pnl_splash_, &PainelSplash::clicado, this, [this] { DefinirStatus(Ocioso()); });
    setCentralWidget(central);

    CriarMenus();

    frm_configuracoes_ = new TfrmConfiguracoes(dados_, dialogos_, central);
    RegistrarPainel(frm_configuracoes_);
    connect(frm_configuracoes_, &TfrmConfiguracoes::fechado, frm_configuracoes_, &QWidget::hide);
    connect(frm_configuracoes_, &TfrmConfiguracoes::concluido, this,
            [this] { DefinirStatus(Ocioso()); });
    connect(frm_configuracoes_, &TfrmConfiguracoes::configuracoesAlteradas, this,
            [this](const ConfiguracaoSerie& config) {
                config_ = config;
                AtualizarResumo();
            });
    TeclasPainel::Instalar(frm_configuracoes_, frm_configuracoes_->btnConfiguracoesOk(),
                           frm_configuracoes_->btnConfiguracoesCancelar())
        ->FocoInicial(frm_configuracoes_->edtNumAnos());

    frm_selecionar_estacao_ =
        new TfrmSelecionarEstacao(dados_, dialogos_, pasta_ / "bd.sqlite", central);
    RegistrarPainel(frm_selecionar_estacao_);
    connect(frm_selecionar_estacao_, &TfrmSelecionarEstacao::estacaoSelecionada, this,
            [this](const VariaveisSimuladas& variaveis) {
                config_.Variaveis = variaveis;
                estatisticas_atualizadas_ = false;
                HabilitarResultados(false);
                Item(QStringLiteral("mmiCalcular"))->setEnabled(true);
                AtualizarResumo();
            });
    connect(frm_selecionar_estacao_, &TfrmSelecionarEstacao::selecaoFalhou, this,
            [this] { Item(QStringLiteral("mmiCalcular"))->setEnabled(false); });
    connect(frm_selecionar_estacao_, &TfrmSelecionarEstacao::fechado, this, [this] {
        frm_selecionar_estacao_->hide();
        DefinirStatus(Ocioso());
    });
    // Enter in the grid confirms the highlighted station; in the search field it searches.
    TeclasPainel::Instalar(frm_selecionar_estacao_,
                           frm_selecionar_estacao_->btnSelecionarEstacaoOk(),
                           frm_selecionar_estacao_->btnSelecionarEstacaoCancelar())
        ->EnterEm(frm_selecionar_estacao_->edtProcurarEstacao(),
                  [this] { frm_selecionar_estacao_->btnProcurarEstacao()->click(); });

    pan_calculando_ = new PainelCalculando(central);
    area_->addWidget(pan_calculando_, 0, 0, Qt::AlignCenter);
    pan_calculando_->hide();
    connect(pan_calculando_, &PainelCalculando::cancelarClicado, this, [this] {
        if (cancelamento_) cancelamento_->Cancelar();
    });
    TeclasPainel::Instalar(pan_calculando_, nullptr, pan_calculando_->btnCancelar());
    connect(progresso_, &ProgressoQt::passoAlterado, pan_calculando_,
            &PainelCalculando::DefinirPasso);
    connect(progresso_, &ProgressoQt::faixaAlterada, pan_calculando_,
            &PainelCalculando::DefinirFaixa);
    connect(progresso_, &ProgressoQt::progresso, pan_calculando_,
            &PainelCalculando::DefinirPosicao);

    // The window may grow so that charts and tables get room, never shrink below its design.
    const int altura_menu = menuBar()->sizeHint().height();
    setMinimumSize(kLarguraCliente, kAlturaCliente + altura_menu);
    resize(kLarguraCliente, kAlturaCliente + altura_menu);
    if (const QScreen* tela = QGuiApplication::primaryScreen()) {
        QRect quadro = frameGeometry();
        quadro.moveCenter(tela->availableGeometry().center());
        move(quadro.topLeft());
    }
    MostrarDicaDeRepouso();
}

TMainFrame::~TMainFrame() {
    AguardarTrabalhador();
}

QAction* TMainFrame::NovoItem(const char* nome, const char* texto, const char* dica) {
    auto* item = new QAction(QString::fromUtf8(texto), this);
    item->setObjectName(QString::fromLatin1(nome));
    item->setStatusTip(QString::fromUtf8(dica));
    itens_[item->objectName()] = item;
    return item;
}

QMenu* TMainFrame::NovoMenu(const char* nome, const char* texto, const char* dica) {
    auto* menu = new QMenu(QString::fromUtf8(texto), this);
    menu->setObjectName(QString::fromLatin1(nome));
    QAction* item = menu->menuAction();
    item->setObjectName(QString::fromLatin1(nome));
    item->setStatusTip(QString::fromUtf8(dica));
    itens_[item->objectName()] = item;
    return menu;
}

void TMainFrame::CriarMenus() {
    const auto Desabilitado = [](QAction* item) {
        item->setEnabled(false);
        return item;
    };
    QMenuBar* barra = menuBar();
    barra->setObjectName(QStringLiteral("mmMainMenu"));

    // Opening a menu that starts an activity runs that activity's handler first, so the panels
    // are hidden before the submenu shows.
    QMenu* entrada =
        NovoMenu("mmiEntradadeDados", "&Entrada de dados",
                 "Selecionar estações existentes no banco de dados ou inserir novas estações.");
    connect(entrada, &QMenu::aboutToShow, this, &TMainFrame::mmiEntradadeDadosClick);
    QAction* prec = NovoItem("mmiEstacaoPluviometrica", "Selecionar estação pluviométrica...",
                             "Selecionar uma estação com dados pluviométricos para permitir a "
                             "simulação de dados de precipitação.");
    connect(prec, &QAction::triggered, this, &TMainFrame::mmiEstacaoPluviometricaClick);
    QAction* clima = NovoItem("mmiEstacaoClimatologica", "Selecionar estação climatológica...",
                              "Selecionar estação que permita a simulação da temperatura, "
                              "radiação solar, veloc. do vento e umidade do ar.");
    connect(clima, &QAction::triggered, this, &TMainFrame::mmiEstacaoClimatologicaClick);
    entrada->addAction(prec);
    entrada->addAction(clima);
    entrada->addSeparator()->setObjectName(QStringLiteral("N1"));
    QMenu* inmet =
        NovoMenu("mmiImportarDadosInmet", "Importar dados do INMET",
                 "Inserir uma nova estação climatológica no banco de dados do Ventaro 2.0.");
    // The importers arrive with their panels; until then their items stay disabled.
    inmet->addAction(Desabilitado(NovoItem("mmiImportarDeOutroBD", "De outro banco de dados...",
                                           "Inserir dados de um banco de dados.")));
    inmet->addAction(
        Desabilitado(NovoItem("mmiImportarDeArquivoTexto", "De arquivo de texto...",
                              "Importar dados contidos em um arquivo no formato texto.")));
    entrada->addMenu(inmet);
    entrada->addAction(Desabilitado(
        NovoItem("mmiImportarDadosANA", "Importar dados da ANA",
                 "Inserir uma nova estação pluvimétrica no banco de dados do Ventaro 2.0.")));
    // Beyond the stations: the storm laws of a region, from INMET hourly records.
    entrada->addAction(Desabilitado(NovoItem(
        "mmiEstimarRegiao", "Estimar leis regionais de tempestade...",
        "Estimar as leis de duração, intensidade de pico e tempo de pico das tempestades de uma "
        "região a partir de registros horários do INMET.")));
    barra->addMenu(entrada);

    QAction* configuracoes = NovoItem("mmiConfiguraes", "&Configurações",
                                      "Selecionar opções de simulação da série sintética.");
    connect(configuracoes, &QAction::triggered, this, &TMainFrame::mmiConfiguraesClick);
    barra->addAction(configuracoes);

    QAction* calcular =
        NovoItem("mmiCalcular", "C&alcular", "Fazer a simulação da série sintética.");
    calcular->setEnabled(false);
    connect(calcular, &QAction::triggered, this, &TMainFrame::mmiCalcularClick);
    barra->addAction(calcular);

    QMenu* visualizar =
        NovoMenu("mmiVisualizarResultados", "&Visualizar resultados",
                 "Exibir gráficos e tabelas que permitam a visualização da série gerada");
    visualizar->menuAction()->setEnabled(false);
    connect(visualizar, &QMenu::aboutToShow, this, &TMainFrame::mmiVisualizarResultadosClick);
    QMenu* graficos = NovoMenu("mmiGraficos", "Gráficos", "Exibir gráficos.");
    // The result views arrive with their panels; until then their items stay disabled.
    graficos->addAction(Desabilitado(
        NovoItem("mmiValoresDiarios", "Valores diários",
                 "Exibir a série gerada para cada variável climática em forma de gráficos.")));
    graficos->addAction(
        Desabilitado(NovoItem("mmiValoresMensais", "Valores mensais",
                              "Exibir estatisticas mensais sobre a série gerada como média e "
                              "desvio padrão mensais.")));
    graficos->addAction(Desabilitado(
        NovoItem("mmiRegressaoLinear", "Regressão linear",
                 "Exibir o gráfico de regressão linear para cada variável climática simulada.")));
    visualizar->addMenu(graficos);
    visualizar->addAction(
        Desabilitado(NovoItem("mmiPerfil", "Perfil de precipitação",
                              "Exibir os dados de precipitação e o perfil de precipitação para "
                              "cada dia da série.")));
    visualizar->addAction(Desabilitado(NovoItem("mmiSerieSintetica", "Série sintética",
                                                "Exibir toda a série gerada em forma de tabela.")));
    barra->addMenu(visualizar);

    QAction* salvar = NovoItem("mmiSalvarResultados", "&Salvar Resultados",
                               "Salvar a série gerada em formato texto para permitir o uso da "
                               "série em outros aplicativos.");
    salvar->setEnabled(false);
    connect(salvar, &QAction::triggered, this, &TMainFrame::mmiSalvarResultadosClick);
    barra->addAction(salvar);

    QMenu* ajuda = NovoMenu("mmiAjuda", "&Ajuda", "Informações de ajuda.");
    connect(ajuda, &QMenu::aboutToShow, this, &TMainFrame::mmiAjudaClick);
    QAction* sobre = NovoItem("mmiSobreTAVU", "Sobre o TAVU", "Ir para o site do TAVU.");
    connect(sobre, &QAction::triggered, this, &TMainFrame::mmiSobreTAVUClick);
    ajuda->addAction(sobre);
    QAction* sobre_ventaro = NovoItem(
        "mmiSobre", "&Sobre", "Mostrar a versão, a licença e as bibliotecas do Ventaro 2.0.");
    connect(sobre_ventaro, &QAction::triggered, this, &TMainFrame::mmiSobreClick);
    ajuda->addAction(sobre_ventaro);
    barra->addMenu(ajuda);

    QAction* erosividade = NovoItem("mmiErosividade1", "Erosividade", "Erosividade por estados");
    erosividade->setVisible(false);
    barra->addAction(erosividade);
}

QAction* TMainFrame::Item(const QString& nome) const {
    const auto it = itens_.find(nome);
    return it == itens_.end() ? nullptr : it->second;
}

void TMainFrame::RegistrarPainel(QWidget* painel, QAction* item, std::function<void()> ao_mostrar) {
    painel->setParent(centralWidget());
    painel->setAutoFillBackground(true);
    area_->addWidget(painel, 0, 0);
    painel->hide();
    paineis_.push_back(painel);
    // The progress panel stays above every embedded panel.
    if (pan_calculando_ != nullptr) pan_calculando_->raise();
    if (item != nullptr) {
        item->setEnabled(true);
        connect(item, &QAction::triggered, this, [this, painel, ao_mostrar] {
            try {
                MostrarPainel(painel);
                if (ao_mostrar) ao_mostrar();
            } catch (const std::exception& erro) {
                RelatarErro(dialogos_, this, erro);
            }
        });
    }
}

void TMainFrame::EsconderPaineis(QWidget* exceto) {
    for (QWidget* painel : paineis_) {
        if (painel != exceto) painel->hide();
    }
}

void TMainFrame::MostrarPainel(QWidget* painel) {
    EsconderPaineis(painel);
    painel->show();
    painel->raise();
    // The keyboard follows the panel (Enter and Esc reach it from its controls): its first
    // control takes the focus unless the panel gave it to one of its own.
    QWidget* foco = focusWidget();
    if (foco == nullptr || !painel->isAncestorOf(foco)) {
        QWidget* w = painel->nextInFocusChain();
        while (w != painel && !(painel->isAncestorOf(w) && w->isVisibleTo(painel) &&
                                w->isEnabled() && (w->focusPolicy() & Qt::TabFocus))) {
            w = w->nextInFocusChain();
        }
        (w != painel ? w : painel)->setFocus(Qt::OtherFocusReason);
    }
    if (pan_calculando_->isVisible()) pan_calculando_->raise();
}

void TMainFrame::DefinirStatus(const QString& texto) {
    status_atividade_->setText(texto);
}

void TMainFrame::Avisar(const QString& texto) {
    aviso_ = texto;
    MostrarDicaDeRepouso();
}

void TMainFrame::AtualizarResumo() {
    aviso_.clear();
    MostrarDicaDeRepouso();
}

void TMainFrame::MostrarDicaDeRepouso() {
    if (dica_ativa_) return;
    status_dica_->setText(
        !aviso_.isEmpty() ? aviso_ : QString::fromStdString(ResumoExecucao(dados_, config_)));
}

QString TMainFrame::Status() const {
    return status_atividade_->text();
}
QString TMainFrame::Dica() const {
    return status_dica_->text();
}

bool TMainFrame::event(QEvent* evento) {
    // The hint handler: the status bar's second panel shows the long part of the hint of the
    // menu item or control under the pointer; with none, the notice or the run's summary.
    if (evento->type() == QEvent::StatusTip) {
        const QString dica = static_cast<QStatusTipEvent*>(evento)->tip();
        dica_ativa_ = !dica.isEmpty();
        if (dica_ativa_) {
            status_dica_->setText(ParteLongaDaDica(dica));
        } else {
            MostrarDicaDeRepouso();
        }
        return true;
    }
    return QMainWindow::event(evento);
}

void TMainFrame::closeEvent(QCloseEvent* evento) {
    AguardarTrabalhador();
    QMainWindow::closeEvent(evento);
}

void TMainFrame::AguardarTrabalhador() {
    if (trabalhador_ == nullptr) return;
    cancelamento_->Cancelar();
    trabalhador_->wait();
}

void TMainFrame::mmiEntradadeDadosClick() {
    EsconderPaineis();
    DefinirStatus(QStringLiteral("Entrada de dados"));
}

void TMainFrame::MostrarSelecao(TipoEstacao tipo) {
    MostrarPainel(frm_selecionar_estacao_);
    try {
        frm_selecionar_estacao_->MostrarEstacoes(tipo);
    } catch (const std::exception& erro) {
        RelatarErro(dialogos_, this, erro);
    }
}

void TMainFrame::mmiEstacaoPluviometricaClick() {
    MostrarSelecao(TipoEstacao::Pluviometrica);
}

void TMainFrame::mmiEstacaoClimatologicaClick() {
    MostrarSelecao(TipoEstacao::Climatologica);
}

void TMainFrame::mmiConfiguraesClick() {
    EsconderPaineis(frm_configuracoes_);
    frm_configuracoes_->CarregarConfiguracoes(config_);
    MostrarPainel(frm_configuracoes_);
    DefinirStatus(QStringLiteral("Configurações"));
}

void TMainFrame::HabilitarResultados(bool habilitar) {
    Item(QStringLiteral("mmiVisualizarResultados"))->setEnabled(habilitar);
    Item(QStringLiteral("mmiSalvarResultados"))->setEnabled(habilitar);
}

void TMainFrame::mmiCalcularClick() {
    if (trabalhador_ != nullptr) return;
    EsconderPaineis();
    DefinirStatus(QStringLiteral("Calcular"));

    const ConfiguracaoSerie config = config_;
    // The run ends in the series file, whose dates hold four-digit years: a series that would
    // end after 9999 is refused before it is run.
    try {
        VerificarPeriodoArquivoSerie(config.APartir, config.NumAnos);
    } catch (const ErroVentaro& erro) {
        dialogos_.Mensagem(this, Dialogos::Icone::Erro, QStringLiteral("Erro"),
                           QString::fromUtf8(erro.what()));
        DefinirStatus(Ocioso());
        return;
    }
    pan_calculando_->DefinirFaixa(0, DiasNoPeriodo(config.APartir, config.NumAnos));
    pan_calculando_->DefinirPosicao(0);
    pan_calculando_->DefinirNumTotalDeAnos(config.NumAnos);
    pan_calculando_->DefinirPasso(
        QStringLiteral("Simulando a lâmina total e o tempo de pico da precipitação..."));
    pan_calculando_->show();
    pan_calculando_->raise();
    pan_calculando_->btnCancelar()->setFocus();
    // While the worker reads the stations and the settings nothing may change them: the menus
    // wait, the "Cancelar" button stays live.
    menuBar()->setEnabled(false);

    progresso_->Reiniciar();
    resultado_.reset();
    erro_calculo_ = nullptr;
    cancelamento_ = std::make_shared<SinalCancelamento>();
    AtualizarResumo();
    // The worker works on copies of the stations and the settings, so the window may change
    // its own while it runs.
    trabalhador_ = QThread::create([this, dados = dados_, config, cancelamento = cancelamento_] {
        try {
            resultado_ = gerador_.Calcular(dados, config, ModoCalculo::Normal,
                                           {cancelamento.get(), progresso_});
        } catch (...) {
            erro_calculo_ = std::current_exception();
        }
    });
    trabalhador_->setObjectName(QStringLiteral("Calculo"));
    config_em_calculo_ = config;
    connect(trabalhador_, &QThread::finished, this, &TMainFrame::FimDoCalculo);
    trabalhador_->start();
}

void TMainFrame::EncerrarCalculo() {
    pan_calculando_->hide();
    menuBar()->setEnabled(true);
    DefinirStatus(Ocioso());
}

void TMainFrame::FimDoCalculo() {
    trabalhador_->wait();
    trabalhador_->deleteLater();
    trabalhador_ = nullptr;

    if (erro_calculo_) {
        // A run that failed leaves the previous series, the menus and the statistics as they
        // were; the panel goes away before the message so the window is whole behind it.
        EncerrarCalculo();
        try {
            std::rethrow_exception(std::exchange(erro_calculo_, nullptr));
        } catch (const std::exception& erro) {
            dialogos_.Mensagem(this, Dialogos::Icone::Parar, QString::fromUtf8(kTituloAplicacao),
                               TextoErroCalculo(erro, config_em_calculo_.NumAnos));
        }
        emit calculoTerminado();
        return;
    }

    // A cancel pressed after the run's last check point still cancels: nothing is saved.
    const bool cancelado = resultado_->Cancelado || cancelamento_->Cancelado();
    clima_ = std::move(resultado_->Clima);
    const std::vector<std::string> avisos_calculo = std::move(resultado_->Avisos);
    resultado_.reset();
    config_clima_ = config_em_calculo_;
    pan_calculando_->DefinirPasso(QStringLiteral("Preparando para salvar a série gerada..."));
    // A save that fails is reported and still leaves the new series usable: the result menus
    // follow the run, so the user can save it again elsewhere and never views stale statistics.
    if (!cancelado) SalvarSerie();
    HabilitarResultados(!cancelado);
    estatisticas_atualizadas_ = false;
    EncerrarCalculo();

    if (!cancelado && !avisos_calculo.empty()) {
        QStringList avisos;
        for (const std::string& aviso : avisos_calculo) {
            avisos << QString::fromStdString(aviso);
        }
        dialogos_.Mensagem(this, Dialogos::Icone::Aviso, QString::fromUtf8(kTituloAplicacao),
                           avisos.join(u'\n'));
    }
    emit calculoTerminado();
}

bool TMainFrame::SalvarSerie() {
    const auto nome = dialogos_.NomeArquivoSalvar(
        this, QStringLiteral("Salvar série sintética"),
        QStringLiteral("Arquivos TXT (*.txt);;Todos os Arquivos (*.*)"), QStringLiteral("txt"),
        TipoArquivo::Serie, QString::fromStdString(NomeSugeridoSerie(dados_, config_clima_)));
    if (!nome) return true;
    try {
        CursorOcupado cursor;
        GravarSerie(std::filesystem::path(QFile::encodeName(*nome).toStdString()), dados_, clima_,
                    config_clima_.NumAnos, SeparadorDecimalDoSistema());
        Avisar(QStringLiteral("Série salva em %1")
                   .arg(QDir::toNativeSeparators(QFileInfo(*nome).absoluteFilePath())));
        return true;
    } catch (const std::exception& erro) {
        RelatarErro(dialogos_, this, erro);
        return false;
    }
}

void TMainFrame::AtualizarEstatisticas() {
    if (estatisticas_atualizadas_) return;
    try {
        CursorOcupado cursor;
        CalcularEstatisticasSerie(estatisticas_, clima_, config_clima_.NumAnos,
                                  config_clima_.APartir);
        estatisticas_atualizadas_ = true;
    } catch (const std::exception& erro) {
        RelatarErro(dialogos_, this, erro);
    }
}

void TMainFrame::mmiVisualizarResultadosClick() {
    EsconderPaineis();
    AtualizarEstatisticas();
    DefinirStatus(QStringLiteral("Visualizar resultados"));
}

void TMainFrame::mmiSalvarResultadosClick() {
    DefinirStatus(QStringLiteral("Salvar Resultados"));
    SalvarSerie();
    DefinirStatus(Ocioso());
}

void TMainFrame::mmiAjudaClick() {
    EsconderPaineis();
    DefinirStatus(QStringLiteral("Ajuda"));
}

void TMainFrame::mmiSobreTAVUClick() {
    dialogos_.AbrirEndereco(QUrl(QString::fromLatin1(kEnderecoTavu)));
    DefinirStatus(Ocioso());
}

void TMainFrame::mmiSobreClick() {
    // Window-modal but not blocking: the box closes itself and is freed when closed.
    auto* sobre = new DialogoSobre(this);
    sobre->setAttribute(Qt::WA_DeleteOnClose);
    sobre->open();
    DefinirStatus(Ocioso());
}

}  // namespace ventaro
