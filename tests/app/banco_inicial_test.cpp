#include "app/banco_inicial.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "stations/local_banco.h"

namespace ventaro {
namespace {

// The desktop program's start-up: the database it works on and what it reports about it, with
// the user's data folder redirected (XDG_DATA_HOME) and the program's name as main() sets it.
class BancoInicialTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(raiz_.isValid());
        nome_ = QCoreApplication::applicationName();
        QCoreApplication::setApplicationName(QStringLiteral("ventaro"));
        dados_ = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", raiz_.filePath(QStringLiteral("dados")).toLocal8Bit());
        QDir(raiz_.path()).mkpath(QStringLiteral("prefixo/bin"));
        QDir(raiz_.path()).mkpath(QStringLiteral("prefixo/share/ventaro"));
    }
    void TearDown() override {
        QCoreApplication::setApplicationName(nome_);
        if (dados_.isNull()) {
            qunsetenv("XDG_DATA_HOME");
        } else {
            qputenv("XDG_DATA_HOME", dados_);
        }
    }
    std::filesystem::path Caminho(const QString& nome) const {
        return raiz_.filePath(nome).toStdString();
    }
    static bool CopiarAmostra(const std::filesystem::path& destino) {
        return QFile::copy(QStringLiteral(VENTARO_BIN_DIR "/bd.sqlite"),
                           QString::fromStdString(destino.string()));
    }

    QTemporaryDir raiz_;
    QString nome_;
    QByteArray dados_;
};

TEST_F(BancoInicialTest, InstalledProgramWorksOnTheUsersCopyAndReportsProblemsAtOnce) {
    const std::filesystem::path bin = Caminho(QStringLiteral("prefixo/bin"));
    const std::filesystem::path amostra =
        Caminho(QStringLiteral("prefixo/share/ventaro/bd.sqlite"));
    const std::filesystem::path usuario = Caminho(QStringLiteral("dados/ventaro"));

    // Nothing installed: the problem lists where the database was looked for.
    BancoInicial inicial = PrepararBancoInicial(bin);
    EXPECT_EQ(inicial.Pasta, bin);
    EXPECT_NE(inicial.Problema.find("não encontrado"), std::string::npos) << inicial.Problema;
    EXPECT_NE(inicial.Problema.find(amostra.string()), std::string::npos) << inicial.Problema;

    // Installed: the user's data folder of Qt and of ventaro-cli is the same, and the sample
    // is copied there.
    ASSERT_TRUE(CopiarAmostra(amostra));
    EXPECT_EQ(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).toStdString(),
              usuario.string());
    EXPECT_EQ(LocaisPadrao(bin).PastaUsuario, usuario);
    inicial = PrepararBancoInicial(bin);
    EXPECT_EQ(inicial.Problema, "");
    EXPECT_EQ(inicial.Pasta, usuario);
    EXPECT_TRUE(std::filesystem::is_regular_file(usuario / "bd.sqlite"));

    // A damaged user database is reported at start-up, naming the file.
    {
        QFile copia(QString::fromStdString((usuario / "bd.sqlite").string()));
        ASSERT_TRUE(copia.open(QIODevice::WriteOnly | QIODevice::Truncate));
        copia.write(QByteArray(4096, 'x'));
    }
    inicial = PrepararBancoInicial(bin);
    EXPECT_EQ(inicial.Pasta, usuario);
    EXPECT_NE(inicial.Problema.find((usuario / "bd.sqlite").string()), std::string::npos)
        << inicial.Problema;

    // The build tree: bd.sqlite beside the executable wins and is used where it is.
    ASSERT_TRUE(CopiarAmostra(bin / "bd.sqlite"));
    inicial = PrepararBancoInicial(bin);
    EXPECT_EQ(inicial.Problema, "");
    EXPECT_EQ(inicial.Pasta, bin);
}

}  // namespace
}  // namespace ventaro
