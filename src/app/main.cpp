#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTranslator>
#include <clocale>
#include <exception>

#include "app/tmain_frame.h"
#include "app/visualizacoes.h"
#include "erosivity/ui/painel_erosividade.h"
#include "import/ui/dialogos_importacao.h"
#include "import/ui/paineis_importacao.h"
#include "ui/dialogos.h"

int main(int argc, char** argv) {
    QApplication aplicacao(argc, argv);
    // Qt adopts the user's locale for the C library too; numbers read and written by the
    // libraries below use "." whatever the desktop's language, so the C numeric locale is put
    // back. The user's decimal separator reaches the series file explicitly.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QStringLiteral("Ventaro"));
    QApplication::setApplicationDisplayName(QString::fromUtf8(ventaro::kTituloAplicacao));

    // The program speaks Portuguese whatever the desktop's language: the platform's own
    // dialogs (file dialogs, message box buttons) follow when Qt's translation is installed.
    QTranslator traducao_qt;
    if (traducao_qt.load(QLocale(QLocale::Portuguese, QLocale::Brazil), QStringLiteral("qtbase"),
                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&traducao_qt);
    }

    ventaro::DialogosQt dialogos;
    ventaro::DialogosImportacaoQt dialogos_importacao;
    try {
        const std::filesystem::path pasta = QApplication::applicationDirPath().toStdString();
        ventaro::TMainFrame janela(pasta, dialogos);
        ventaro::RegistrarPaineisImportacao(janela, dialogos_importacao, pasta / "bd.sqlite");
        ventaro::RegistrarVisualizacoes(janela);
        auto* erosividade = ventaro::RegistrarPainelErosividade(
            janela, pasta / "bd.sqlite", [&janela] { return janela.Configuracao(); });
        janela.show();
        // "ventaro --erosividade" opens the erosivity panel, whose menu item is never shown.
        if (QApplication::arguments().contains(QStringLiteral("--erosividade"))) {
            ventaro::AbrirPainelErosividade(janela, *erosividade);
        }
        return QApplication::exec();
    } catch (const std::exception& erro) {
        QMessageBox::critical(nullptr, QString::fromUtf8(ventaro::kTituloAplicacao),
                              QString::fromUtf8(erro.what()));
        return 1;
    }
}
