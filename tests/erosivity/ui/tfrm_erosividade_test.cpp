// The erosivity panel in the main window over a copy of the sample database: opened through its
// hidden menu item, a state batch and a list-file batch run on the worker thread, the checks
// before a batch, and "Cancelar".

#include "erosivity/ui/tfrm_erosividade.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <memory>

#include "app/tmain_frame.h"
#include "erosivity/pastas_erosividade.h"
#include "erosivity/ui/painel_erosividade.h"
#include "support/dialogos_falsos.h"

namespace ventaro {
namespace {

namespace fs = std::filesystem;

class ErosividadePainelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const fs::path banco = teste::CopiarBancoAmostra(pasta_);
        janela_ = std::make_unique<TMainFrame>(pasta_.Caminho(), d_);
        ConfiguracaoSerie config;
        config.APartir = 2000;
        janela_->DefinirConfiguracao(config);
        painel_ =
            RegistrarPainelErosividade(*janela_, banco, [this] { return janela_->Configuracao(); });
        painel_->edtPastaSaida()->setText(QString::fromStdString((pasta_ / "saida").string()));
        janela_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(janela_.get()));
    }
    void TearDown() override {
        janela_.reset();
        QDir::setCurrent(QDir::tempPath());
    }

    // Clicks "Calcular" and waits until the panel is idle again.
    void Calcular() {
        QSignalSpy fim(painel_, &TfrmErosividade::calculoTerminado);
        QTest::mouseClick(painel_->btnErosividadeCalcular(), Qt::LeftButton);
        if (painel_->Calculando()) {
            ASSERT_TRUE(fim.wait(120000));
        }
    }
    int LinhaDoEstado(const QString& nome) const {
        for (int r = 0; r < painel_->sgEstado()->rowCount(); ++r) {
            if (painel_->sgEstado()->item(r, 1)->text() == nome) return r;
        }
        return -1;
    }
    void Capturar(const char* nome) {
        const QByteArray pasta = qgetenv("VENTARO_CAPTURAS");
        if (pasta.isEmpty()) return;
        QDir().mkpath(QString::fromLocal8Bit(pasta));
        janela_->grab().save(QString::fromLocal8Bit(pasta) + u'/' + QString::fromLatin1(nome) +
                             QStringLiteral(".png"));
    }

    teste::PastaTemporaria pasta_;
    teste::DialogosFalsos d_;
    std::unique_ptr<TMainFrame> janela_;
    TfrmErosividade* painel_ = nullptr;
};

TEST_F(ErosividadePainelTest, StateAndListBatchesFromThePanel) {
    QAction* item = janela_->Item(QStringLiteral("mmiErosividade1"));
    ASSERT_NE(item, nullptr);
    EXPECT_FALSE(item->isVisible());
    EXPECT_FALSE(painel_->isVisible());
    AbrirPainelErosividade(*janela_, *painel_);
    EXPECT_TRUE(painel_->isVisible());
    EXPECT_EQ(janela_->Status(), QStringLiteral("Erosividade"));
    EXPECT_EQ(painel_->sgEstado()->rowCount(), 27);
    EXPECT_EQ(painel_->sgEstado()->horizontalHeaderItem(0)->text(), QStringLiteral("COD"));
    EXPECT_EQ(painel_->edtNumAnos()->text(), QStringLiteral("1"));

    // Nothing chosen, or a years field that is not a whole number above 0: refused with a
    // message, nothing written.
    for (const char* anos : {"2", "0", "1,5", ""}) {
        painel_->edtNumAnos()->setText(QString::fromLatin1(anos));
        Calcular();
        ASSERT_FALSE(d_.mensagens.empty());
        EXPECT_EQ(d_.mensagens.back().titulo, QStringLiteral("Erro"));
        d_.mensagens.clear();
        if (std::string(anos) == "2") {
            // Then choose São Paulo, with its three stations.
            const int linha = LinhaDoEstado(QStringLiteral("São Paulo"));
            ASSERT_GE(linha, 0);
            QTest::mouseClick(painel_->sgEstado()->viewport(), Qt::LeftButton, {},
                              painel_->sgEstado()
                                  ->visualRect(painel_->sgEstado()->model()->index(linha, 1))
                                  .center());
        }
    }
    EXPECT_FALSE(fs::exists(pasta_ / "saida"));
    EXPECT_EQ(painel_->lbEstadoEscolhido()->text(), QStringLiteral("São Paulo"));
    EXPECT_EQ(painel_->lbNEstacaoEscolhida()->text(), QStringLiteral("3"));
    EXPECT_EQ(painel_->CodEstadoSelecionado(), 25);

    painel_->edtNumAnos()->setText(QStringLiteral("2"));
    Calcular();
    ASSERT_EQ(d_.mensagens.size(), 1u);
    EXPECT_EQ(d_.mensagens[0].titulo, QStringLiteral("Sucesso"));
    EXPECT_EQ(d_.mensagens[0].texto, QStringLiteral("Series calculadas com sucesso!!!"));
    EXPECT_TRUE(painel_->isVisible());
    EXPECT_TRUE(painel_->btnErosividadeCalcular()->isEnabled());
    EXPECT_FALSE(painel_->prbErosividade()->isVisible());
    const fs::path teste2 = pasta_ / "saida" / "teste2";
    const auto janeiro = teste::LinhasCrLf(teste2 / "Janeiro.txt");
    ASSERT_EQ(janeiro.size(), 3u + 6u);
    // The first year is the window's setting.
    EXPECT_EQ(janeiro[3].substr(0, 20), "02345024     01/2000");
    EXPECT_EQ(teste::LerXlsx(teste2 / "erosividade.xlsx")[0].celulas.size(), 8u * 4u);
    Capturar("40_erosividade_estado");

    // A list file: blank lines and spaces are ignored, a station missing from the database is
    // skipped and named.
    std::ofstream(pasta_ / "lista.txt") << "\n 2447049 \r\n\r\n9999999\r\n";
    d_.respostas_abrir.push_back(QString::fromStdString((pasta_ / "lista.txt").string()));
    QTest::mouseClick(painel_->btnBuscar(), Qt::LeftButton);
    EXPECT_EQ(painel_->tboxArqEst()->text().toStdString(), (pasta_ / "lista.txt").string());
    EXPECT_EQ(painel_->lbNEstacaoEscolhida()->text(), QStringLiteral("2"));
    EXPECT_TRUE(painel_->lbEstadoEscolhido()->text().isEmpty());
    EXPECT_EQ(painel_->CodEstadoSelecionado(), 0);
    // Cancelling the dialog, or a file without codes, keeps the file.
    QTest::mouseClick(painel_->btnBuscar(), Qt::LeftButton);
    std::ofstream(pasta_ / "vazia.txt") << "\r\n \r\n";
    d_.respostas_abrir.push_back(QString::fromStdString((pasta_ / "vazia.txt").string()));
    QTest::mouseClick(painel_->btnBuscar(), Qt::LeftButton);
    ASSERT_EQ(d_.mensagens.size(), 2u);
    EXPECT_TRUE(d_.mensagens[1].texto.contains(QStringLiteral("não tem nenhum código")));
    EXPECT_EQ(painel_->NumEstacoes(), 2);
    EXPECT_EQ(painel_->tboxArqEst()->text().toStdString(), (pasta_ / "lista.txt").string());

    d_.mensagens.clear();
    Calcular();
    ASSERT_EQ(d_.mensagens.size(), 1u);
    EXPECT_EQ(d_.mensagens[0].titulo, QStringLiteral("Aviso"));
    EXPECT_TRUE(d_.mensagens[0].texto.contains(QStringLiteral("1 de 2 estações")));
    EXPECT_TRUE(d_.mensagens[0].detalhe.startsWith(QStringLiteral("9999999: ")));
    EXPECT_EQ(teste::LinhasCrLf(teste2 / "Janeiro.txt").size(), 3u + 8u);
    EXPECT_EQ(teste::LerXlsx(teste2 / "erosividade.xlsx")[0].celulas.size(), 8u * 2u);
}

// "Cancelar" stops a long batch: no success message, and the stations done are whole in the
// files.
TEST_F(ErosividadePainelTest, CancelStopsTheBatch) {
    AbrirPainelErosividade(*janela_, *painel_);
    QTest::mouseClick(painel_->sgEstado()->viewport(), Qt::LeftButton, {},
                      painel_->sgEstado()
                          ->visualRect(painel_->sgEstado()->model()->index(
                              LinhaDoEstado(QStringLiteral("São Paulo")), 0))
                          .center());
    painel_->edtNumAnos()->setText(QStringLiteral("300"));
    QSignalSpy fim(painel_, &TfrmErosividade::calculoTerminado);
    QTest::mouseClick(painel_->btnErosividadeCalcular(), Qt::LeftButton);
    ASSERT_TRUE(painel_->Calculando());
    EXPECT_TRUE(painel_->btnCancelar()->isVisible());
    EXPECT_FALSE(painel_->btnErosividadeCalcular()->isEnabled());
    EXPECT_EQ(janela_->Status(), QStringLiteral("Calcular"));
    EXPECT_EQ(painel_->lblProgresso()->text(),
              QStringLiteral("Calculando erosividade p/ Estação:1/3"));
    Capturar("41_erosividade_calculando");
    QTest::mouseClick(painel_->btnCancelar(), Qt::LeftButton);
    ASSERT_TRUE(fim.wait(120000));
    EXPECT_TRUE(d_.mensagens.empty());
    EXPECT_TRUE(painel_->btnErosividadeCalcular()->isEnabled());
    const auto anual = teste::LinhasCrLf(pasta_ / "saida" / "teste2" / "Anual.txt");
    EXPECT_LT(anual.size(), 3u + 900u);
    if (!anual.empty()) {
        EXPECT_EQ((anual.size() - 3) % 300, 0u);
    }
}

}  // namespace
}  // namespace ventaro
