#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "app/tmain_frame.h"
#include "stations/banco_dados.h"
#include "stations/ui/modelo_estacoes.h"
#include "stations/ui/tfrm_selecionar_estacao.h"
#include "support/dialogos_falsos.h"

namespace ventaro::teste {

// A window over a private copy of the sample database, with dialogs answered by the test.
class JanelaTeste : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(pasta_.isValid());
        const QString origem = QStringLiteral(VENTARO_BIN_DIR "/bd.sqlite");
        ASSERT_TRUE(QFile::exists(origem)) << "build the target bd_sqlite first";
        ASSERT_TRUE(QFile::copy(origem, Caminho(QStringLiteral("bd.sqlite"))));
        QFile::setPermissions(Caminho(QStringLiteral("bd.sqlite")),
                              QFile::ReadOwner | QFile::WriteOwner);
        janela_ = std::make_unique<TMainFrame>(pasta_.path().toStdString(), dialogos_);
        janela_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(janela_.get()));
    }

    void TearDown() override {
        janela_.reset();
        QDir::setCurrent(QDir::tempPath());
    }

    QString Caminho(const QString& nome) const { return pasta_.filePath(nome); }

    QAction* Item(const char* nome) const {
        QAction* item = janela_->Item(QString::fromLatin1(nome));
        EXPECT_NE(item, nullptr) << nome;
        return item;
    }

    // Changes the private database copy, e.g. to remove a month of a station.
    void AlterarBanco(const std::string& sql) {
        BancoDados banco(Caminho(QStringLiteral("bd.sqlite")).toStdString(),
                         BancoDados::Modo::Escrita);
        banco.Executar(sql);
    }

    // Shows the selection panel for the kind and picks the row of `codigo`. False when the
    // code is not listed.
    bool EscolherLinha(const char* item, const std::string& codigo) {
        Item(item)->trigger();
        auto* painel = janela_->frmSelecionarEstacao();
        auto* grade = painel->sgEstacoesDados();
        const auto* modelo = static_cast<const ModeloEstacoes*>(grade->model());
        for (std::size_t i = 0; i < modelo->Linhas().size(); ++i) {
            if (modelo->Linhas()[i].Codigo == codigo) {
                grade->setCurrentIndex(modelo->index(static_cast<int>(i), 0));
                return true;
            }
        }
        return false;
    }

    void SelecionarEstacao(const char* item, const std::string& codigo) {
        ASSERT_TRUE(EscolherLinha(item, codigo)) << codigo;
        QTest::mouseClick(janela_->frmSelecionarEstacao()->btnSelecionarEstacaoOk(),
                          Qt::LeftButton);
    }

    void SelecionarAmbas() {
        SelecionarEstacao("mmiEstacaoPluviometrica", "2045012");
        SelecionarEstacao("mmiEstacaoClimatologica", "83587");
    }

    // Starts a calculation and waits until the window is idle again.
    void Calcular() {
        QSignalSpy fim(janela_.get(), &TMainFrame::calculoTerminado);
        Item("mmiCalcular")->trigger();
        ASSERT_TRUE(fim.count() > 0 || fim.wait(120000));
    }

    // With VENTARO_CAPTURAS naming a folder, saves a picture of the window (or of `alvo`, a
    // dialog) as it is now.
    void Capturar(const char* nome, QWidget* alvo = nullptr) {
        const QByteArray pasta = qgetenv("VENTARO_CAPTURAS");
        if (pasta.isEmpty()) return;
        QDir().mkpath(QString::fromLocal8Bit(pasta));
        (alvo != nullptr ? alvo : janela_.get())
            ->grab()
            .save(QString::fromLocal8Bit(pasta) + u'/' + QString::fromLatin1(nome) +
                  QStringLiteral(".png"));
    }

    QTemporaryDir pasta_;
    DialogosFalsos dialogos_;
    std::unique_ptr<TMainFrame> janela_;
};

}  // namespace ventaro::teste
