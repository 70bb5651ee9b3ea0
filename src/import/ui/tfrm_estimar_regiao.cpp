#include "import/ui/tfrm_estimar_regiao.h"

#include <QFile>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QThread>
#include <QVBoxLayout>
#include <vector>

#include "stations/banco_dados.h"
#include "stations/gravacao_regiao.h"
#include "ui/cursor_ocupado.h"
#include "ui/dialogos.h"
#include "ui/separador_decimal.h"

namespace ventaro {

namespace {

QString Texto(const std::string& s) {
    return QString::fromStdString(s);
}

}  // namespace

TfrmEstimarRegiao::TfrmEstimarRegiao(Dialogos& dialogos, std::filesystem::path arquivo_banco,
                                     QWidget* pai)
    : QWidget(pai), dialogos_(dialogos), arquivo_banco_(std::move(arquivo_banco)) {
    setObjectName(QStringLiteral("frmEstimarRegiao1"));
    auto* layout = new QVBoxLayout(this);

    auto* grupo_arquivos = new QGroupBox(QStringLiteral("Registros horários do INMET"), this);
    auto* arquivos = new QHBoxLayout(grupo_arquivos);
    lb_arquivos_ = new QListWidget(grupo_arquivos);
    lb_arquivos_->setObjectName(QStringLiteral("lbArquivos"));
    lb_arquivos_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    arquivos->addWidget(lb_arquivos_, 1);
    auto* botoes_arquivos = new QVBoxLayout;
    btn_adicionar_ = new QPushButton(QStringLiteral("&Adicionar arquivo..."), grupo_arquivos);
    btn_adicionar_->setObjectName(QStringLiteral("btnAdicionar"));
    btn_remover_ = new QPushButton(QStringLiteral("&Remover"), grupo_arquivos);
    btn_remover_->setObjectName(QStringLiteral("btnRemover"));
    botoes_arquivos->addWidget(btn_adicionar_);
    botoes_arquivos->addWidget(btn_remover_);
    botoes_arquivos->addStretch(1);
    arquivos->addLayout(botoes_arquivos);
    layout->addWidget(grupo_arquivos, 1);

    auto* grupo_opcoes = new QGroupBox(QStringLiteral("Opções"), this);
    auto* formulario = new QFormLayout(grupo_opcoes);
    const auto Campo = [&](const char* nome, const QString& rotulo, const QString& inicial,
                           const QString& dica) {
        auto* campo = new QLineEdit(inicial, grupo_opcoes);
        campo->setObjectName(QString::fromLatin1(nome));
        campo->setStatusTip(dica);
        formulario->addRow(rotulo, campo);
        return campo;
    };
    edt_regiao_ = Campo("edtRegiao", QStringLiteral("Região (1 a 7):"), QString(),
                        QStringLiteral("Região cujas leis de tempestade serão substituídas."));
    edt_fator_pico_ =
        Campo("edtFatorPico", QStringLiteral("Fator de pico:"), QString::number(kFatorPicoPadrao),
              QStringLiteral("Razão entre a intensidade de pico e a maior lâmina horária (mm/h)."));
    edt_minimo_ =
        Campo("edtMinimo", QStringLiteral("Mínimo de tempestades por célula:"),
              QString::number(kMinimoTempestadesPadrao),
              QStringLiteral("Células com menos tempestades tomam emprestadas as de células "
                             "vizinhas."));
    layout->addWidget(grupo_opcoes);

    mem_mensagens_ = new QPlainTextEdit(this);
    mem_mensagens_->setObjectName(QStringLiteral("memMensagens"));
    mem_mensagens_->setReadOnly(true);
    mem_mensagens_->setLineWrapMode(QPlainTextEdit::NoWrap);
    // The report is a table: fixed-width characters keep its columns.
    mem_mensagens_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    layout->addWidget(mem_mensagens_, 2);

    auto* botoes = new QHBoxLayout;
    botoes->addStretch(1);
    btn_estimar_ = new QPushButton(QStringLiteral("&Estimar"), this);
    btn_estimar_->setObjectName(QStringLiteral("btnEstimar"));
    btn_fechar_ = new QPushButton(QStringLiteral("&Fechar"), this);
    btn_fechar_->setObjectName(QStringLiteral("btnFechar"));
    botoes->addWidget(btn_estimar_);
    botoes->addWidget(btn_fechar_);
    layout->addLayout(botoes);

    connect(btn_adicionar_, &QPushButton::clicked, this, &TfrmEstimarRegiao::btnAdicionarClick);
    connect(btn_remover_, &QPushButton::clicked, this,
            [this] { qDeleteAll(lb_arquivos_->selectedItems()); });
    connect(btn_estimar_, &QPushButton::clicked, this, &TfrmEstimarRegiao::btnEstimarClick);
    connect(btn_fechar_, &QPushButton::clicked, this, [this] {
        if (!Estimando()) emit fechado();
    });
}

TfrmEstimarRegiao::~TfrmEstimarRegiao() {
    // Reading and fitting cannot be interrupted; they take seconds at most.
    if (trabalhador_ != nullptr) trabalhador_->wait();
}

void TfrmEstimarRegiao::Abrir() {
    mem_mensagens_->clear();
    edt_regiao_->setFocus();
}

void TfrmEstimarRegiao::AdicionarArquivo(const QString& arquivo) {
    if (lb_arquivos_->findItems(arquivo, Qt::MatchExactly).isEmpty()) {
        lb_arquivos_->addItem(arquivo);
    }
}

void TfrmEstimarRegiao::btnAdicionarClick() {
    const auto arquivo = dialogos_.NomeArquivoAbrir(
        window(), QStringLiteral("Registro horário do INMET"),
        QStringLiteral("Arquivos CSV (*.csv *.CSV);;Todos os Arquivos (*.*)"),
        TipoArquivo::Importacao);
    if (arquivo) AdicionarArquivo(*arquivo);
}

void TfrmEstimarRegiao::Habilitar(bool habilitar) {
    for (QWidget* w :
         std::initializer_list<QWidget*>{btn_adicionar_, btn_remover_, btn_estimar_, btn_fechar_,
                                         edt_regiao_, edt_fator_pico_, edt_minimo_}) {
        w->setEnabled(habilitar);
    }
}

void TfrmEstimarRegiao::Relatar(const QString& texto) {
    mem_mensagens_->appendPlainText(texto);
}

void TfrmEstimarRegiao::btnEstimarClick() {
    if (Estimando()) return;
    const QString titulo = QStringLiteral("Erro");
    OpcoesEstimativaRegiao opcoes;
    try {
        regiao_ = LerRegiao(edt_regiao_->text().trimmed().toStdString());
        opcoes.FatorPico = LerFatorPico(edt_fator_pico_->text().trimmed().toStdString());
        opcoes.Minimo = LerMinimoTempestades(edt_minimo_->text().trimmed().toStdString());
    } catch (const std::exception& e) {
        dialogos_.Mensagem(window(), Dialogos::Icone::Erro, titulo, QString::fromUtf8(e.what()));
        return;
    }
    std::vector<std::filesystem::path> arquivos;
    for (int i = 0; i < lb_arquivos_->count(); ++i) {
        arquivos.emplace_back(QFile::encodeName(lb_arquivos_->item(i)->text()).toStdString());
    }
    if (arquivos.empty()) {
        dialogos_.Mensagem(window(), Dialogos::Icone::Erro, titulo,
                           QStringLiteral("Adicione ao menos um registro horário do INMET."));
        return;
    }

    mem_mensagens_->clear();
    Relatar(QStringLiteral("Lendo %1 arquivo(s) e ajustando as leis da região %2...")
                .arg(arquivos.size())
                .arg(regiao_));
    Habilitar(false);
    resultado_.reset();
    erro_ = nullptr;
    trabalhador_ = QThread::create([this, arquivos, opcoes] {
        try {
            resultado_ = EstimarRegiaoDeArquivos(arquivos, opcoes);
        } catch (...) {
            erro_ = std::current_exception();
        }
    });
    trabalhador_->setObjectName(QStringLiteral("EstimativaRegiao"));
    connect(trabalhador_, &QThread::finished, this, &TfrmEstimarRegiao::FimDaEstimativa);
    trabalhador_->start();
}

void TfrmEstimarRegiao::FimDaEstimativa() {
    trabalhador_->wait();
    trabalhador_->deleteLater();
    trabalhador_ = nullptr;
    Habilitar(true);
    const QString titulo = QStringLiteral("Erro");
    try {
        if (erro_) std::rethrow_exception(std::exchange(erro_, nullptr));
        Relatar(Texto(RelatorioEstimativa(*resultado_, SeparadorDecimalDoSistema())));
        BancoDados banco(arquivo_banco_, BancoDados::Modo::Escrita);
        banco.VerificarTabelas({"ParamRegiao"});
        if (ExisteRegiao(banco, regiao_) &&
            !dialogos_.Confirmar(window(), QStringLiteral("Ventaro 2.0"),
                                 QStringLiteral("A região %1 já possui leis de tempestade no "
                                                "banco de dados. Deseja substituí-las?")
                                     .arg(regiao_))) {
            Relatar(QStringLiteral("Nada foi gravado: as leis da região %1 foram mantidas.")
                        .arg(regiao_));
        } else {
            CursorOcupado cursor;
            GravarParamRegiao(banco, regiao_, resultado_->Estimativa.Leis);
            Relatar(QStringLiteral("Região %1: 60 linhas de ParamRegiao gravadas em %2.")
                        .arg(regiao_)
                        .arg(QString::fromStdString(arquivo_banco_.string())));
        }
    } catch (const std::exception& e) {
        const QString texto = QString::fromUtf8(e.what());
        Relatar(texto);
        Relatar(QStringLiteral("Nada foi gravado."));
        dialogos_.Mensagem(window(), Dialogos::Icone::Erro, titulo,
                           QStringLiteral("Não foi possível estimar as leis da região."), texto);
    }
    resultado_.reset();
    emit estimativaTerminada();
}

}  // namespace ventaro
