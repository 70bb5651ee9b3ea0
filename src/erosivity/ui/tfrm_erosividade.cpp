#include "erosivity/ui/tfrm_erosividade.h"

#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QThread>
#include <QVBoxLayout>
#include <algorithm>
#include <thread>

#include "erosivity/estacoes_lote.h"
#include "erosivity/texporta_excel.h"
#include "stations/banco_dados.h"
#include "stations/configuracoes.h"
#include "ui/cursor_ocupado.h"
#include "ui/dialogos.h"

namespace ventaro {

namespace {

QString Q(const std::string& texto) {
    return QString::fromStdString(texto);
}

std::filesystem::path Caminho(const QString& texto) {
    return std::filesystem::path(QFile::encodeName(texto).toStdString());
}

// The batch's progress, posted from the worker thread to the panel's thread.
class ProgressoPainel : public ProgressoLote {
  public:
    explicit ProgressoPainel(std::function<void(int, int)> avancar)
        : avancar_(std::move(avancar)) {}
    void EstacaoCalculada(int feitas, int total, std::string_view) override {
        avancar_(feitas, total);
    }
    void EstacaoIgnorada(int feitas, int total, std::string_view, std::string_view) override {
        avancar_(feitas, total);
    }

  private:
    std::function<void(int, int)> avancar_;
};

}  // namespace

TfrmErosividade::TfrmErosividade(Dialogos& dialogos, std::filesystem::path arquivo_banco,
                                 std::function<ConfiguracaoSerie()> configuracao,
                                 const QString& pasta_saida, QWidget* pai)
    : QWidget(pai),
      dialogos_(dialogos),
      arquivo_banco_(std::move(arquivo_banco)),
      configuracao_(std::move(configuracao)) {
    setObjectName(QStringLiteral("frmErosividade1"));

    auto* titulo = new QLabel(QStringLiteral("Calculo da Erosividade"), this);
    QFont negrito = titulo->font();
    negrito.setBold(true);
    negrito.setPointSizeF(negrito.pointSizeF() * 1.4);
    titulo->setFont(negrito);

    sg_estado_ = new QTableWidget(0, 2, this);
    sg_estado_->setObjectName(QStringLiteral("sgEstado"));
    sg_estado_->setHorizontalHeaderLabels({QStringLiteral("COD"), QStringLiteral("Estado")});
    sg_estado_->setColumnWidth(0, 36);
    sg_estado_->setColumnWidth(1, 149);
    sg_estado_->horizontalHeader()->setStretchLastSection(true);
    sg_estado_->verticalHeader()->hide();
    sg_estado_->verticalHeader()->setDefaultSectionSize(sg_estado_->fontMetrics().height() + 4);
    sg_estado_->setSelectionBehavior(QAbstractItemView::SelectRows);
    sg_estado_->setSelectionMode(QAbstractItemView::SingleSelection);
    sg_estado_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sg_estado_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    sg_estado_->setFixedWidth(36 + 149 + 24);

    auto* gb_dados = new QGroupBox(QStringLiteral("Dados"), this);
    gb_dados->setObjectName(QStringLiteral("gbDados"));
    lb_estado_escolhido_ = new QLabel(gb_dados);
    lb_estado_escolhido_->setObjectName(QStringLiteral("lbEstadoEscolhido"));
    lb_n_estacao_escolhida_ = new QLabel(gb_dados);
    lb_n_estacao_escolhida_->setObjectName(QStringLiteral("lbNEstacaoEscolhida"));
    edt_num_anos_ = new QLineEdit(QStringLiteral("1"), gb_dados);
    edt_num_anos_->setObjectName(QStringLiteral("edtNumAnos"));
    edt_num_anos_->setMaximumWidth(80);
    auto* form = new QFormLayout(gb_dados);
    form->addRow(QStringLiteral("Estado:"), lb_estado_escolhido_);
    form->addRow(QStringLiteral("Nº Estações:"), lb_n_estacao_escolhida_);
    form->addRow(QStringLiteral("Número de anos:"), edt_num_anos_);

    tbox_arq_est_ = new QLineEdit(this);
    tbox_arq_est_->setObjectName(QStringLiteral("tboxArqEst"));
    tbox_arq_est_->setReadOnly(true);
    btn_buscar_ = new QPushButton(QStringLiteral("Buscar"), this);
    btn_buscar_->setObjectName(QStringLiteral("btnBuscar"));
    edt_pasta_saida_ = new QLineEdit(pasta_saida, this);
    edt_pasta_saida_->setObjectName(QStringLiteral("edtPastaSaida"));
    edt_pasta_saida_->setToolTip(
        QStringLiteral("Os arquivos são gravados na pasta teste2 dentro "
                       "desta pasta."));
    btn_calcular_ = new QPushButton(QStringLiteral("Calcular"), this);
    btn_calcular_->setObjectName(QStringLiteral("btnErosividadeCalcular"));

    lbl_progresso_ = new QLabel(this);
    lbl_progresso_->setObjectName(QStringLiteral("lblProgresso"));
    prb_erosividade_ = new QProgressBar(this);
    prb_erosividade_->setObjectName(QStringLiteral("prbErosividade"));
    btn_cancelar_ = new QPushButton(QStringLiteral("Cancelar"), this);
    btn_cancelar_->setObjectName(QStringLiteral("btnCancelar"));
    lbl_progresso_->hide();
    prb_erosividade_->hide();
    btn_cancelar_->hide();

    auto* direita = new QVBoxLayout;
    direita->addWidget(gb_dados);
    direita->addWidget(new QLabel(QStringLiteral("Arquivo de estações:"), this));
    auto* arquivo = new QHBoxLayout;
    arquivo->addWidget(tbox_arq_est_, 1);
    arquivo->addWidget(btn_buscar_);
    direita->addLayout(arquivo);
    direita->addWidget(new QLabel(QStringLiteral("Pasta de saída:"), this));
    direita->addWidget(edt_pasta_saida_);
    auto* calcular = new QHBoxLayout;
    calcular->addStretch(1);
    calcular->addWidget(btn_calcular_);
    direita->addLayout(calcular);
    direita->addStretch(1);
    direita->addWidget(lbl_progresso_);
    auto* progresso = new QHBoxLayout;
    progresso->addWidget(prb_erosividade_, 1);
    progresso->addWidget(btn_cancelar_);
    direita->addLayout(progresso);

    auto* grade = new QGridLayout(this);
    grade->setContentsMargins(8, 8, 8, 8);
    grade->addWidget(titulo, 0, 0, 1, 2);
    grade->addWidget(new QLabel(QStringLiteral("Selecione o Estado:"), this), 1, 0);
    grade->addWidget(sg_estado_, 2, 0);
    grade->addLayout(direita, 2, 1);
    grade->setRowStretch(2, 1);
    grade->setColumnStretch(1, 1);

    // A click chooses the state even on the row already current (after a file was chosen).
    connect(sg_estado_, &QTableWidget::cellClicked, this,
            [this](int linha, int) { sgEstadoSelectCell(linha); });
    connect(sg_estado_, &QTableWidget::currentCellChanged, this,
            [this](int linha, int, int anterior, int) {
                if (linha != anterior) sgEstadoSelectCell(linha);
            });
    connect(btn_buscar_, &QPushButton::clicked, this, &TfrmErosividade::btnBuscarClick);
    connect(btn_calcular_, &QPushButton::clicked, this,
            &TfrmErosividade::btnErosividadeCalcularClick);
    connect(btn_cancelar_, &QPushButton::clicked, this, [this] {
        if (cancelamento_) cancelamento_->Cancelar();
        btn_cancelar_->setEnabled(false);
    });
}

TfrmErosividade::~TfrmErosividade() {
    if (trabalhador_) {
        cancelamento_->Cancelar();
        trabalhador_->wait();
    }
}

void TfrmErosividade::Exibir() {
    std::vector<Estado> estados;
    {
        CursorOcupado cursor;
        BancoDados banco(arquivo_banco_);
        estados = ListarEstados(banco);
    }
    const QSignalBlocker bloqueio(sg_estado_);
    sg_estado_->clearContents();
    if (estados.empty()) {
        sg_estado_->setRowCount(1);
        sg_estado_->setItem(0, 0, new QTableWidgetItem(QStringLiteral(" ")));
        sg_estado_->setItem(0, 1, new QTableWidgetItem(QStringLiteral(" ")));
        sg_estado_->setEnabled(false);
        return;
    }
    sg_estado_->setRowCount(static_cast<int>(estados.size()));
    for (std::size_t i = 0; i < estados.size(); ++i) {
        const int linha = static_cast<int>(i);
        sg_estado_->setItem(linha, 0, new QTableWidgetItem(QString::number(estados[i].Codigo)));
        sg_estado_->setItem(linha, 1, new QTableWidgetItem(Q(estados[i].Nome)));
    }
    sg_estado_->setEnabled(!Calculando());
    sg_estado_->setCurrentCell(-1, -1);
}

void TfrmErosividade::sgEstadoSelectCell(int linha) {
    if (linha < 0 || linha >= sg_estado_->rowCount() || sg_estado_->item(linha, 0) == nullptr) {
        return;
    }
    const QString codigo = sg_estado_->item(linha, 0)->text().trimmed();
    bool ok = false;
    const int cod = codigo.toInt(&ok);
    if (!ok) return;
    lb_estado_escolhido_->setText(sg_estado_->item(linha, 1)->text());
    lb_n_estacao_escolhida_->clear();
    int n = 0;
    try {
        CursorOcupado cursor;
        BancoDados banco(arquivo_banco_);
        n = ContarEstacoesEstado(banco, cod);
    } catch (const std::exception& erro) {
        RelatarErro(dialogos_, window(), erro);
        return;
    }
    if (n > 0) lb_n_estacao_escolhida_->setText(QString::number(n));
    cod_estado_selecionado_ = cod;
    num_estacoes_ = n;
    tbox_arq_est_->clear();
    lista_estacoes_.clear();
}

void TfrmErosividade::btnBuscarClick() {
    // Cancelling the dialog keeps the choice the panel had.
    const auto arquivo =
        dialogos_.NomeArquivoAbrir(this, QStringLiteral("Arquivo de estações"),
                                   QStringLiteral("Text files (*.txt);;All files (*)"));
    if (arquivo) CarregarArquivoEstacoes(*arquivo);
}

bool TfrmErosividade::CarregarArquivoEstacoes(const QString& arquivo) {
    std::vector<std::string> codigos;
    try {
        codigos = LerListaEstacoes(Caminho(arquivo));
    } catch (const std::exception& erro) {
        RelatarErro(dialogos_, window(), erro);
        return false;
    }
    if (codigos.empty()) {
        Erro(QStringLiteral("O arquivo de estações %1 não tem nenhum código.").arg(arquivo));
        return false;
    }
    tbox_arq_est_->setText(arquivo);
    lista_estacoes_ = std::move(codigos);
    num_estacoes_ = static_cast<int>(lista_estacoes_.size());
    cod_estado_selecionado_ = 0;
    lb_estado_escolhido_->clear();
    lb_n_estacao_escolhida_->setText(QString::number(num_estacoes_));
    const QSignalBlocker bloqueio(sg_estado_);
    sg_estado_->setCurrentCell(-1, -1);
    return true;
}

void TfrmErosividade::Erro(const QString& texto) {
    dialogos_.Mensagem(window(), Dialogos::Icone::Erro, QStringLiteral("Erro"), texto);
}

void TfrmErosividade::HabilitarEntrada(bool habilitar) {
    for (QWidget* w : std::initializer_list<QWidget*>{sg_estado_, edt_num_anos_, btn_buscar_,
                                                      edt_pasta_saida_, btn_calcular_}) {
        w->setEnabled(habilitar);
    }
}

void TfrmErosividade::btnErosividadeCalcularClick() {
    if (Calculando()) return;
    // Everything is checked before the batch starts: it writes into files that only grow.
    const auto anos = LerCampoInteiro(edt_num_anos_->text().trimmed().toStdString());
    if (!anos || *anos < 1) {
        Erro(QStringLiteral("O número de anos deve ser um número inteiro maior que zero."));
        return;
    }
    if (cod_estado_selecionado_ == 0 && lista_estacoes_.empty()) {
        Erro(QStringLiteral("Selecione um estado ou um arquivo de estações."));
        return;
    }
    const QString pasta = edt_pasta_saida_->text().trimmed();
    if (pasta.isEmpty()) {
        Erro(QStringLiteral("Informe a pasta de saída."));
        return;
    }

    const ConfiguracaoSerie config = configuracao_ ? configuracao_() : ConfiguracaoSerie{};
    ParametrosLote p;
    p.Banco = arquivo_banco_;
    p.NumAnos = *anos;
    p.APartir = config.APartir;
    p.Correcao = config.Correcao;
    p.Pasta = Caminho(pasta);
    p.Tarefas = std::max(1u, std::thread::hardware_concurrency());
    if (cod_estado_selecionado_ > 0) {
        try {
            CursorOcupado cursor;
            BancoDados banco(arquivo_banco_);
            p.Estacoes = EstacoesDoEstado(banco, cod_estado_selecionado_);
        } catch (const std::exception& erro) {
            RelatarErro(dialogos_, window(), erro);
            return;
        }
        if (p.Estacoes.empty()) {
            Erro(QStringLiteral("O estado escolhido não tem estações pluviométricas."));
            return;
        }
    } else {
        p.Estacoes = lista_estacoes_;
    }

    HabilitarEntrada(false);
    emit statusAlterado(QStringLiteral("Calcular"));
    Avancar(0, static_cast<int>(p.Estacoes.size()));
    lbl_progresso_->show();
    prb_erosividade_->show();
    btn_cancelar_->setEnabled(true);
    btn_cancelar_->show();
    btn_cancelar_->setFocus();

    resultado_.reset();
    erro_ = nullptr;
    cancelamento_ = std::make_shared<SinalCancelamento>();
    trabalhador_.reset(QThread::create([this, p = std::move(p), cancelamento = cancelamento_] {
        ProgressoPainel progresso([this](int feitas, int total) {
            QMetaObject::invokeMethod(
                this, [this, feitas, total] { Avancar(feitas, total); }, Qt::QueuedConnection);
        });
        try {
            TExportaExcel planilha;
            resultado_ = CalcularErosividade(p, planilha, &progresso, cancelamento.get());
        } catch (...) {
            erro_ = std::current_exception();
        }
    }));
    trabalhador_->setObjectName(QStringLiteral("Erosividade"));
    connect(trabalhador_.get(), &QThread::finished, this, &TfrmErosividade::FimDoLote);
    trabalhador_->start();
}

void TfrmErosividade::Avancar(int feitas, int total) {
    prb_erosividade_->setRange(0, total);
    prb_erosividade_->setValue(feitas);
    // The station being computed: the one after those done.
    lbl_progresso_->setText(QStringLiteral("Calculando erosividade p/ Estação:%1/%2")
                                .arg(std::min(feitas + 1, total))
                                .arg(total));
}

void TfrmErosividade::FimDoLote() {
    trabalhador_->wait();
    trabalhador_.reset();
    lbl_progresso_->hide();
    prb_erosividade_->hide();
    btn_cancelar_->hide();
    HabilitarEntrada(true);
    emit statusAlterado(QStringLiteral("Erosividade"));

    if (erro_) {
        try {
            std::rethrow_exception(std::exchange(erro_, nullptr));
        } catch (const std::exception& erro) {
            RelatarErro(dialogos_, window(), erro);
        }
    } else if (resultado_ && !resultado_->Cancelado) {
        if (resultado_->Ignoradas.empty()) {
            dialogos_.Mensagem(window(), Dialogos::Icone::Informacao, QStringLiteral("Sucesso"),
                               QStringLiteral("Series calculadas com sucesso!!!"));
        } else {
            QStringList ignoradas;
            for (const EstacaoIgnorada& e : resultado_->Ignoradas) {
                ignoradas << Q(e.Codigo) + QStringLiteral(": ") + Q(e.Motivo);
            }
            dialogos_.Mensagem(
                window(), Dialogos::Icone::Aviso, QStringLiteral("Aviso"),
                QStringLiteral("Séries calculadas para %1 de %2 estações; %3 não puderam ser "
                               "carregadas ou simuladas e foram ignoradas.")
                    .arg(resultado_->Calculadas)
                    .arg(resultado_->Total)
                    .arg(resultado_->Ignoradas.size()),
                ignoradas.join(u'\n'));
        }
    }
    emit calculoTerminado();
}

}  // namespace ventaro
