#include "ui/dialogos.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>

#include "ui/pastas_lembradas.h"

namespace ventaro {
namespace {

// The user's settings go to a temporary folder, under an organisation of the test's own.
class PastasTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(config_.isValid());
        ASSERT_TRUE(arquivos_.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, config_.path());
    }
    QString Pasta(const QString& nome) {
        QDir(arquivos_.path()).mkpath(nome);
        return arquivos_.filePath(nome);
    }

    // Runs `responder` on the file dialog as soon as it is up.
    static void AoAbrir(std::function<void(QFileDialog&)> responder) {
        QTimer::singleShot(0, [responder] {
            auto* dialogo = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialogo, nullptr);
            responder(*dialogo);
        });
    }

    const QString organizacao_ = QStringLiteral("ventaro-teste");
    QTemporaryDir config_;
    QTemporaryDir arquivos_;
};

// Each kind of file keeps its own folder, from one run of the program to the next; a folder
// that went away, or a kind never used, gives the home folder.
TEST_F(PastasTest, EachKindRemembersItsFolderBetweenRuns) {
    const QString series = Pasta(QStringLiteral("series"));
    const QString importadas = Pasta(QStringLiteral("importadas"));
    {
        PastasLembradas pastas(organizacao_);
        for (TipoArquivo tipo : {TipoArquivo::Serie, TipoArquivo::Estacoes, TipoArquivo::Importacao,
                                 TipoArquivo::Nenhum}) {
            EXPECT_EQ(pastas.Pasta(tipo), QDir::homePath());
        }
        pastas.Lembrar(TipoArquivo::Serie, series + QStringLiteral("/a.txt"));
        pastas.Lembrar(TipoArquivo::Importacao, importadas + QStringLiteral("/b.csv"));
        pastas.Lembrar(TipoArquivo::Nenhum, importadas + QStringLiteral("/c.csv"));
    }
    PastasLembradas depois(organizacao_);
    EXPECT_EQ(depois.Pasta(TipoArquivo::Serie), series);
    EXPECT_EQ(depois.Pasta(TipoArquivo::Importacao), importadas);
    EXPECT_EQ(depois.Pasta(TipoArquivo::Estacoes), QDir::homePath());
    EXPECT_EQ(depois.Pasta(TipoArquivo::Nenhum), QDir::homePath());
    ASSERT_TRUE(QDir(series).removeRecursively());
    EXPECT_EQ(depois.Pasta(TipoArquivo::Serie), QDir::homePath());
}

// The real dialogs open in the remembered folder, offer the suggested name and remember where
// the user went.
TEST_F(PastasTest, FileDialogsOpenWhereTheKindWasLastUsed) {
    const QString series = Pasta(QStringLiteral("series"));
    const QString outra = Pasta(QStringLiteral("outra"));
    PastasLembradas(organizacao_).Lembrar(TipoArquivo::Serie, series + QStringLiteral("/x.txt"));
    DialogosQt dialogos{PastasLembradas(organizacao_)};

    QString pasta_aberta, nome_oferecido;
    AoAbrir([&](QFileDialog& d) {
        pasta_aberta = d.directory().absolutePath();
        nome_oferecido = d.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text();
        d.setDirectory(outra);
        d.selectFile(QStringLiteral("serie_1.txt"));
        static_cast<QDialog&>(d).accept();  // QFileDialog::accept, protected there
    });
    const auto nome = dialogos.NomeArquivoSalvar(
        nullptr, QStringLiteral("Salvar série sintética"), QStringLiteral("Arquivos TXT (*.txt)"),
        QStringLiteral("txt"), TipoArquivo::Serie, QStringLiteral("serie_02045012_1anos_1.txt"));
    EXPECT_EQ(pasta_aberta, series);
    EXPECT_EQ(nome_oferecido, QStringLiteral("serie_02045012_1anos_1.txt"));
    ASSERT_TRUE(nome.has_value());
    EXPECT_EQ(*nome, outra + QStringLiteral("/serie_1.txt"));
    EXPECT_EQ(PastasLembradas(organizacao_).Pasta(TipoArquivo::Serie), outra);
    EXPECT_EQ(PastasLembradas(organizacao_).Pasta(TipoArquivo::Importacao), QDir::homePath());

    // Cancelled: nothing chosen, nothing remembered.
    AoAbrir([&](QFileDialog& d) {
        pasta_aberta = d.directory().absolutePath();
        static_cast<QDialog&>(d).reject();
    });
    EXPECT_FALSE(dialogos.NomeArquivoAbrir(nullptr, QStringLiteral("Abrir"), QString(),
                                           TipoArquivo::Importacao));
    EXPECT_EQ(pasta_aberta, QDir::homePath());
    EXPECT_EQ(PastasLembradas(organizacao_).Pasta(TipoArquivo::Importacao), QDir::homePath());
}

}  // namespace
}  // namespace ventaro
