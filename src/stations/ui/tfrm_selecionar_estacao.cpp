#include "stations/ui/tfrm_selecionar_estacao.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <array>

#include "core/erro.h"
#include "stations/ui/modelo_estacoes.h"
#include "ui/cursor_ocupado.h"
#include "ui/dialogos.h"

namespace ventaro {

namespace {

// Design widths of the grid's columns.
constexpr std::array<int, ModeloEstacoes::kNumColunas> kLargurasColunas = {53, 136, 112, 38,
                                                                           80, 80,  38,  28};
constexpr int kAlturaLinha = 19;
constexpr int kLarguraMinimaNome = 80;

}  // namespace

TfrmSelecionarEstacao::TfrmSelecionarEstacao(TDados& dados, Dialogos& dialogos,
                                             std::filesystem::path arquivo_banco, QWidget* pai)
    : QWidget(pai), dados_(dados), dialogos_(dialogos), arquivo_banco_(std::move(arquivo_banco)) {
    setObjectName(QStringLiteral("frmSelecionarEstacao1"));
    setAutoFillBackground(true);

    auto* rotulo = new QLabel(QStringLiteral("Procurar estação:"), this);
    edt_procurar_ = new QLineEdit(this);
    edt_procurar_->setObjectName(QStringLiteral("edtProcurarEstacao"));
    rotulo->setBuddy(edt_procurar_);
    btn_procurar_ = new QPushButton(QStringLiteral("Procurar"), this);
    btn_procurar_->setObjectName(QStringLiteral("btnProcurarEstacao"));
    btn_todas_ = new QPushButton(QStringLiteral("Mostrar Todas"), this);
    btn_todas_->setObjectName(QStringLiteral("btnTodas"));

    modelo_ = new ModeloEstacoes(this);
    sg_estacoes_ = new QTableView(this);
    sg_estacoes_->setObjectName(QStringLiteral("sgEstacoesDados"));
    sg_estacoes_->setModel(modelo_);
    sg_estacoes_->setSelectionBehavior(QAbstractItemView::SelectRows);
    sg_estacoes_->setSelectionMode(QAbstractItemView::SingleSelection);
    sg_estacoes_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sg_estacoes_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    sg_estacoes_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    sg_estacoes_->setAlternatingRowColors(true);
    sg_estacoes_->setWordWrap(false);
    sg_estacoes_->verticalHeader()->hide();
    sg_estacoes_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    sg_estacoes_->verticalHeader()->setDefaultSectionSize(
        std::max(kAlturaLinha, fontMetrics().height() + 4));
    auto* cabecalho = sg_estacoes_->horizontalHeader();
    cabecalho->setHighlightSections(false);
    // Narrow headings, so that the eight columns fit the window at its design size.
    cabecalho->setStyleSheet(QStringLiteral("QHeaderView::section { padding: 1px 2px; }"));
    cabecalho->setSectionResizeMode(QHeaderView::Interactive);
    cabecalho->setStretchLastSection(false);
    sg_estacoes_->setEnabled(false);
    AjustarColunas();

    btn_ok_ = new QPushButton(QStringLiteral("&Ok"), this);
    btn_ok_->setObjectName(QStringLiteral("btnSelecionarEstacaoOk"));
    btn_ok_->setDefault(true);
    btn_cancelar_ = new QPushButton(QStringLiteral("&Cancelar"), this);
    btn_cancelar_->setObjectName(QStringLiteral("btnSelecionarEstacaoCancelar"));

    auto* procura = new QHBoxLayout;
    procura->addWidget(rotulo);
    procura->addWidget(edt_procurar_, 1);
    procura->addWidget(btn_procurar_);
    procura->addWidget(btn_todas_);

    auto* botoes = new QHBoxLayout;
    botoes->addStretch(1);
    botoes->addWidget(btn_ok_);
    botoes->addWidget(btn_cancelar_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addLayout(procura);
    layout->addWidget(sg_estacoes_, 1);
    layout->addLayout(botoes);

    connect(btn_procurar_, &QPushButton::clicked, this,
            &TfrmSelecionarEstacao::btnProcurarEstacaoClick);
    connect(edt_procurar_, &QLineEdit::returnPressed, this,
            &TfrmSelecionarEstacao::btnProcurarEstacaoClick);
    connect(btn_todas_, &QPushButton::clicked, this, &TfrmSelecionarEstacao::btnTodasClick);
    connect(btn_ok_, &QPushButton::clicked, this,
            &TfrmSelecionarEstacao::btnSelecionarEstacaoOkClick);
    connect(btn_cancelar_, &QPushButton::clicked, this,
            &TfrmSelecionarEstacao::btnSelecionarEstacaoCancelarClick);
    connect(sg_estacoes_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& atual) {
                if (atual.isValid()) sgEstacoesDadosSelectCell(atual.row());
            });
    connect(sg_estacoes_, &QTableView::doubleClicked, this,
            &TfrmSelecionarEstacao::btnSelecionarEstacaoOkClick);
}

TfrmSelecionarEstacao::~TfrmSelecionarEstacao() = default;

BancoDados& TfrmSelecionarEstacao::Banco() {
    if (!banco_) banco_.emplace(arquivo_banco_, BancoDados::Modo::Leitura);
    return *banco_;
}

void TfrmSelecionarEstacao::MostrarEstacoes(TipoEstacao tipo) {
    tipo_ = tipo;
    sg_estacoes_->setEnabled(false);
    // Each showing reconnects, so that stations imported meanwhile are listed.
    banco_.reset();
    PreencherGrade(ListarEstacoes(Banco(), tipo_));
    // The station in use is highlighted, so that Enter keeps it and the user sees which it is.
    const int32_t em_uso =
        tipo_ == TipoEstacao::Pluviometrica ? dados_.CodEstacao : dados_.CodEstacaoClima;
    const auto& linhas = modelo_->Linhas();
    for (std::size_t i = 0; em_uso != 0 && i < linhas.size(); ++i) {
        if (linhas[i].Codigo == std::to_string(em_uso)) {
            const QModelIndex indice = modelo_->index(static_cast<int>(i), 0);
            sg_estacoes_->setCurrentIndex(indice);
            sg_estacoes_->scrollTo(indice, QAbstractItemView::PositionAtCenter);
            break;
        }
    }
    if (sg_estacoes_->isEnabled()) sg_estacoes_->setFocus(Qt::OtherFocusReason);
}

void TfrmSelecionarEstacao::PreencherGrade(std::vector<LinhaEstacao> linhas) {
    const bool vazia = linhas.empty();
    if (vazia) {
        // One blank row: confirming it tries to load the station " " and fails visibly.
        const std::string branco = " ";
        linhas.push_back(
            LinhaEstacao{branco, branco, branco, branco, branco, branco, branco, branco});
    }
    modelo_->DefinirLinhas(std::move(linhas));
    AjustarColunas();
    sg_estacoes_->setEnabled(!vazia);
    sg_estacoes_->scrollToTop();
    sg_estacoes_->setCurrentIndex(modelo_->index(0, 0));
    sgEstacoesDadosSelectCell(0);
}

void TfrmSelecionarEstacao::AjustarColunas() {
    // Names take what their contents need; the other columns are never narrower than their
    // design width. Room left over goes to the name, and a window too narrow for every column
    // scrolls sideways.
    sg_estacoes_->resizeColumnsToContents();
    auto* cabecalho = sg_estacoes_->horizontalHeader();
    int total = 0;
    for (int coluna = 0; coluna < ModeloEstacoes::kNumColunas; ++coluna) {
        const bool nome = coluna == 1 || coluna == 2;
        const int minimo =
            nome ? kLarguraMinimaNome : kLargurasColunas[static_cast<std::size_t>(coluna)];
        if (cabecalho->sectionSize(coluna) < minimo) cabecalho->resizeSection(coluna, minimo);
        total += cabecalho->sectionSize(coluna);
    }
    // A pixel short of the viewport, so that rounding never calls up the scroll bar.
    const int sobra = sg_estacoes_->viewport()->width() - total - 1;
    if (sobra > 0) cabecalho->resizeSection(1, cabecalho->sectionSize(1) + sobra);
}

void TfrmSelecionarEstacao::resizeEvent(QResizeEvent* evento) {
    QWidget::resizeEvent(evento);
    AjustarColunas();
}

void TfrmSelecionarEstacao::sgEstacoesDadosSelectCell(int linha) {
    const auto& linhas = modelo_->Linhas();
    if (linha >= 0 && static_cast<std::size_t>(linha) < linhas.size()) {
        codigo_selecionado_ = linhas[static_cast<std::size_t>(linha)].Codigo;
    }
}

void TfrmSelecionarEstacao::btnProcurarEstacaoClick() {
    try {
        PreencherGrade(ProcurarEstacoes(Banco(), tipo_, edt_procurar_->text().toStdString()));
    } catch (const std::exception& erro) {
        RelatarErro(dialogos_, window(), erro);
    }
}

void TfrmSelecionarEstacao::btnTodasClick() {
    try {
        PreencherGrade(ListarEstacoes(Banco(), tipo_));
    } catch (const std::exception& erro) {
        RelatarErro(dialogos_, window(), erro);
    }
}

bool TfrmSelecionarEstacao::CarregarEstacao() {
    const QString titulo = QStringLiteral("Erro");
    try {
        CursorOcupado cursor;
        if (tipo_ == TipoEstacao::Pluviometrica) {
            CarregarEstacaoPrec(Banco(), codigo_selecionado_, dados_);
        } else {
            CarregarEstacaoClima(Banco(), codigo_selecionado_, dados_);
        }
        return true;
    } catch (const std::exception& erro) {
        const QString detalhe = QString::fromUtf8(erro.what());
        if (tipo_ == TipoEstacao::Climatologica) {
            dialogos_.Mensagem(window(), Dialogos::Icone::Erro, titulo,
                               QStringLiteral("Erro ao abrir dados climatológicos."), detalhe);
        }
        dialogos_.Mensagem(window(), Dialogos::Icone::Erro, titulo,
                           QStringLiteral("Erro ao abrir dados da estação."), detalhe);
        return false;
    }
}

void TfrmSelecionarEstacao::btnSelecionarEstacaoOkClick() {
    if (!CarregarEstacao()) {
        emit selecaoFalhou();
        return;
    }
    emit estacaoSelecionada(AjustarVariaveisSimuladas(dados_));
    emit fechado();
}

void TfrmSelecionarEstacao::btnSelecionarEstacaoCancelarClick() {
    emit fechado();
}

}  // namespace ventaro
