#include "import/ui/dialogos_importacao.h"

#include <QInputDialog>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace ventaro {

bool DialogosImportacaoQt::PerguntarSimNao(QWidget* pai, const QString& titulo,
                                           const QString& texto) {
    return QMessageBox::question(pai, titulo, texto, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

RespostaSubstituir DialogosImportacaoQt::ConfirmarSubstituicao(QWidget* pai, const QString& texto) {
    QMessageBox caixa(
        QMessageBox::Question, QStringLiteral("Confirmar"), texto,
        QMessageBox::Yes | QMessageBox::No | QMessageBox::NoToAll | QMessageBox::YesToAll, pai);
    caixa.button(QMessageBox::Yes)->setText(QStringLiteral("&Sim"));
    caixa.button(QMessageBox::No)->setText(QStringLiteral("&Não"));
    caixa.button(QMessageBox::NoToAll)->setText(QStringLiteral("Não para &todos"));
    caixa.button(QMessageBox::YesToAll)->setText(QStringLiteral("Sim para t&odos"));
    switch (caixa.exec()) {
        case QMessageBox::Yes:
            return RespostaSubstituir::Sim;
        case QMessageBox::YesToAll:
            return RespostaSubstituir::SimParaTodos;
        case QMessageBox::NoToAll:
            return RespostaSubstituir::NaoParaTodos;
        default:
            return RespostaSubstituir::Nao;
    }
}

std::optional<QString> DialogosImportacaoQt::PedirTexto(QWidget* pai, const QString& titulo,
                                                        const QString& rotulo,
                                                        const QString& inicial) {
    bool ok = false;
    const QString texto =
        QInputDialog::getText(pai, titulo, rotulo, QLineEdit::Normal, inicial, &ok);
    if (!ok) return std::nullopt;
    return texto;
}

std::optional<QString> DialogosImportacaoQt::EscolherEstacao(QWidget* pai,
                                                             const QStringList& codigos) {
    TfrmSelecionarEstacaoImportar dialogo(pai);
    dialogo.Preencher(codigos);
    dialogo.exec();
    return dialogo.Selecionada();
}

TfrmSelecionarEstacaoImportar::TfrmSelecionarEstacaoImportar(QWidget* pai) : QDialog(pai) {
    setObjectName(QStringLiteral("frmSelecionarEstacaoImportar"));
    setWindowTitle(QStringLiteral("Selecionar estação"));
    setModal(true);
    lb_estacoes_ = new QListWidget(this);
    lb_estacoes_->setObjectName(QStringLiteral("lbEstacoes"));
    btn_selecionar_ = new QPushButton(QStringLiteral("Selecionar"), this);
    btn_selecionar_->setObjectName(QStringLiteral("btnSelecionar"));
    btn_selecionar_->setDefault(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lb_estacoes_);
    layout->addWidget(btn_selecionar_, 0, Qt::AlignRight);
    connect(btn_selecionar_, &QPushButton::clicked, this, &QDialog::accept);
    connect(lb_estacoes_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
}

void TfrmSelecionarEstacaoImportar::Preencher(const QStringList& codigos) {
    lb_estacoes_->clear();
    lb_estacoes_->addItems(codigos);
    if (!codigos.isEmpty()) lb_estacoes_->setCurrentRow(0);
}

std::optional<QString> TfrmSelecionarEstacaoImportar::Selecionada() const {
    const QListWidgetItem* item = lb_estacoes_->currentItem();
    if (item == nullptr) return std::nullopt;
    return item->text();
}

}  // namespace ventaro
