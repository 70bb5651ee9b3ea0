#include "ui/dialogos.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
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

std::optional<Dialogos::ArquivoSalvar> Dialogos::NomeArquivoSalvarTipo(
    QWidget* pai, const QString& titulo, const QStringList& filtros, const QStringList& sufixos,
    TipoArquivo tipo, const QString& nome_sugerido) {
    const auto nome = NomeArquivoSalvar(pai, titulo, filtros.join(QStringLiteral(";;")),
                                        sufixos.value(0), tipo, nome_sugerido);
    if (!nome) return std::nullopt;
    return ArquivoSalvar{*nome, 0};
}

std::optional<Dialogos::ArquivoSalvar> DialogosQt::NomeArquivoSalvarTipo(
    QWidget* pai, const QString& titulo, const QStringList& filtros, const QStringList& sufixos,
    TipoArquivo tipo, const QString& nome_sugerido) {
    QFileDialog dialogo(pai, titulo, pastas_.Pasta(tipo), filtros.join(QStringLiteral(";;")));
    dialogo.setAcceptMode(QFileDialog::AcceptSave);
    dialogo.setFileMode(QFileDialog::AnyFile);
    dialogo.setDefaultSuffix(sufixos.value(0));
    if (!nome_sugerido.isEmpty()) dialogo.selectFile(nome_sugerido);
    // The suffix follows the kind of file selected: the name typed so far gets the entry's
    // suffix in place of another entry's (or of the "*" a filter such as "*.*" leaves), and
    // loses it for an entry without one (a folder).
    QObject::connect(
        &dialogo, &QFileDialog::filterSelected, &dialogo,
        [&dialogo, &filtros, &sufixos](const QString& filtro) {
            const QString sufixo = sufixos.value(filtros.indexOf(filtro));
            const QStringList escolhidos = dialogo.selectedFiles();
            dialogo.setDefaultSuffix(sufixo);
            if (escolhidos.isEmpty()) return;
            const QFileInfo atual(escolhidos.constFirst());
            if (atual.fileName().isEmpty() || atual.isDir()) return;
            const QString antigo = atual.suffix();
            if (antigo.isEmpty() || !(sufixos.contains(antigo) || antigo == QStringLiteral("*"))) {
                return;
            }
            const QString base = atual.fileName().chopped(antigo.size() + 1);
            dialogo.selectFile(sufixo.isEmpty() ? base : base + QLatin1Char('.') + sufixo);
        });
    if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    const QString nome = dialogo.selectedFiles().constFirst();
    pastas_.Lembrar(tipo, nome);
    const auto filtro = filtros.indexOf(dialogo.selectedNameFilter());
    return ArquivoSalvar{nome, filtro < 0 ? 0 : static_cast<int>(filtro)};
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
