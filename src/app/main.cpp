#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTimer>
#include <QTranslator>
#include <clocale>
#include <exception>

#include "app/banco_inicial.h"
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
    // The name gives the user's data folder (~/.local/share/ventaro), which ventaro-cli shares;
    // the desktop file name lets the desktop match the window to its menu entry and icon.
    QApplication::setApplicationName(QStringLiteral("ventaro"));
    QApplication::setApplicationDisplayName(QString::fromUtf8(ventaro::kTituloAplicacao));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.Ventaro"));

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
        // bd.sqlite beside the executable, or the user's copy of the installed sample.
        const ventaro::BancoInicial banco =
            ventaro::PrepararBancoInicial(QApplication::applicationDirPath().toStdString());
        const std::filesystem::path& pasta = banco.Pasta;
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
        // A database that is missing or unreadable is reported now, over the window, rather
        // than when the station list is first opened.
        if (!banco.Problema.empty()) {
            QTimer::singleShot(0, &janela, [&janela, &dialogos, &banco] {
                dialogos.Mensagem(&janela, ventaro::Dialogos::Icone::Parar,
                                  QString::fromUtf8(ventaro::kTituloAplicacao),
                                  QString::fromStdString(banco.Problema), {});
            });
        }
        return QApplication::exec();
    } catch (const std::exception& erro) {
        QMessageBox::critical(nullptr, QString::fromUtf8(ventaro::kTituloAplicacao),
                              QString::fromUtf8(erro.what()));
        return 1;
    }
}
