#include "ui/dialogos.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace ventaro {

std::optional<QString> DialogosQt::NomeArquivoSalvar(QWidget* pai, const QString& titulo,
                                                     const QString& filtro, const QString& sufixo) {
    QFileDialog dialogo(pai, titulo, QString(), filtro);
    dialogo.setAcceptMode(QFileDialog::AcceptSave);
    dialogo.setFileMode(QFileDialog::AnyFile);
    dialogo.setDefaultSuffix(sufixo);
    if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialogo.selectedFiles().constFirst();
}

std::optional<Dialogos::ArquivoSalvar> Dialogos::NomeArquivoSalvarTipo(QWidget* pai,
                                                                       const QString& titulo,
                                                                       const QStringList& filtros,
                                                                       const QStringList& sufixos) {
    const auto nome =
        NomeArquivoSalvar(pai, titulo, filtros.join(QStringLiteral(";;")), sufixos.value(0));
    if (!nome) return std::nullopt;
    return ArquivoSalvar{*nome, 0};
}

std::optional<Dialogos::ArquivoSalvar> DialogosQt::NomeArquivoSalvarTipo(
    QWidget* pai, const QString& titulo, const QStringList& filtros, const QStringList& sufixos) {
    QFileDialog dialogo(pai, titulo, QString(), filtros.join(QStringLiteral(";;")));
    dialogo.setAcceptMode(QFileDialog::AcceptSave);
    dialogo.setFileMode(QFileDialog::AnyFile);
    dialogo.setDefaultSuffix(sufixos.value(0));
    // The suffix follows the kind of file selected.
    QObject::connect(&dialogo, &QFileDialog::filterSelected, &dialogo,
                     [&dialogo, &filtros, &sufixos](const QString& filtro) {
                         dialogo.setDefaultSuffix(sufixos.value(filtros.indexOf(filtro)));
                     });
    if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    const auto filtro = filtros.indexOf(dialogo.selectedNameFilter());
    return ArquivoSalvar{dialogo.selectedFiles().constFirst(), filtro < 0 ? 0 : int(filtro)};
}

std::optional<QString> DialogosQt::NomeArquivoAbrir(QWidget* pai, const QString& titulo,
                                                    const QString& filtro) {
    QString nome = QFileDialog::getOpenFileName(pai, titulo, QString(), filtro);
    if (nome.isEmpty()) return std::nullopt;
    return nome;
}

void DialogosQt::Mensagem(QWidget* pai, Icone icone, const QString& titulo, const QString& texto,
                          const QString& detalhe) {
    QMessageBox caixa(pai);
    switch (icone) {
        case Icone::Nenhum:
            caixa.setIcon(QMessageBox::NoIcon);
            break;
        case Icone::Informacao:
            caixa.setIcon(QMessageBox::Information);
            break;
        case Icone::Aviso:
            caixa.setIcon(QMessageBox::Warning);
            break;
        case Icone::Erro:
        case Icone::Parar:
            caixa.setIcon(QMessageBox::Critical);
            break;
    }
    caixa.setWindowTitle(titulo);
    caixa.setText(texto);
    if (!detalhe.isEmpty()) caixa.setDetailedText(detalhe);
    caixa.setStandardButtons(QMessageBox::Ok);
    caixa.exec();
}

bool DialogosQt::Confirmar(QWidget* pai, const QString& titulo, const QString& texto) {
    QMessageBox caixa(QMessageBox::NoIcon, titulo, texto, QMessageBox::Ok | QMessageBox::Cancel,
                      pai);
    caixa.setDefaultButton(QMessageBox::Ok);
    // The program speaks Portuguese even where no Qt translation is installed.
    caixa.button(QMessageBox::Cancel)->setText(QStringLiteral("Cancelar"));
    return caixa.exec() == QMessageBox::Ok;
}

void RelatarErro(Dialogos& dialogos, QWidget* pai, const std::exception& erro) {
    dialogos.Mensagem(pai, Dialogos::Icone::Parar, QString::fromUtf8(kTituloAplicacao),
                      QString::fromUtf8(erro.what()));
}

void DialogosQt::AbrirEndereco(const QUrl& endereco) {
    QDesktopServices::openUrl(endereco);
}

}  // namespace ventaro
