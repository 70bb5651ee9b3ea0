#include "ui/dialogos.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace ventaro {

DialogosQt::DialogosQt(PastasLembradas pastas) : pastas_(std::move(pastas)) {}

std::optional<QString> DialogosQt::NomeArquivoSalvar(QWidget* pai, const QString& titulo,
                                                     const QString& filtro, const QString& sufixo,
                                                     TipoArquivo tipo,
                                                     const QString& nome_sugerido) {
    QFileDialog dialogo(pai, titulo, pastas_.Pasta(tipo), filtro);
    dialogo.setAcceptMode(QFileDialog::AcceptSave);
    dialogo.setFileMode(QFileDialog::AnyFile);
    dialogo.setDefaultSuffix(sufixo);
    if (!nome_sugerido.isEmpty()) dialogo.selectFile(nome_sugerido);
    if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    QString nome = dialogo.selectedFiles().constFirst();
    pastas_.Lembrar(tipo, nome);
    return nome;
}

std::optional<QString> DialogosQt::NomeArquivoAbrir(QWidget* pai, const QString& titulo,
                                                    const QString& filtro, TipoArquivo tipo) {
    QString nome = QFileDialog::getOpenFileName(pai, titulo, pastas_.Pasta(tipo), filtro);
    if (nome.isEmpty()) return std::nullopt;
    pastas_.Lembrar(tipo, nome);
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

bool DialogosQt::Confirmar(QWidget* pai, const QString& titulo, const QString& texto,
                           const QString& detalhe) {
    QMessageBox caixa(QMessageBox::NoIcon, titulo, texto, QMessageBox::Ok | QMessageBox::Cancel,
                      pai);
    caixa.setDefaultButton(QMessageBox::Ok);
    if (!detalhe.isEmpty()) caixa.setDetailedText(detalhe);
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
