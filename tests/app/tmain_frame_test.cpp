#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTableView>

#include "app/janela_teste.h"
#include "app/painel_calculando.h"
#include "app/splash.h"
#include "stations/ui/tfrm_configuracoes.h"

namespace ventaro::teste {
namespace {

using TMainFrameTest = JanelaTeste;

TEST_F(TMainFrameTest, StartsWithSplashOnlyAndWorkflowMenusDisabled) {
    EXPECT_EQ(janela_->windowTitle(), QStringLiteral("Ventaro 2.0"));
    EXPECT_EQ(janela_->Status(), QStringLiteral("VENTARO 2.0"));
    EXPECT_TRUE(janela_->pnlSplash()->isVisible());
    EXPECT_FALSE(janela_->frmSelecionarEstacao()->isVisible());
    EXPECT_FALSE(janela_->frmConfiguracoes()->isVisible());
    EXPECT_FALSE(janela_->panCalculando()->isVisible());

    EXPECT_FALSE(Item("mmiCalcular")->isEnabled());
    EXPECT_FALSE(Item("mmiVisualizarResultados")->isEnabled());
    EXPECT_FALSE(Item("mmiSalvarResultados")->isEnabled());
    EXPECT_FALSE(janela_->EstatisticasAtualizadas());
    for (const char* nome :
         {"mmiEntradadeDados", "mmiEstacaoPluviometrica", "mmiEstacaoClimatologica",
          "mmiConfiguraes", "mmiAjuda", "mmiSobreTAVU"}) {
        EXPECT_TRUE(Item(nome)->isEnabled()) << nome;
    }
    EXPECT_FALSE(Item("mmiErosividade1")->isVisible());
    EXPECT_EQ(Item("mmiCalcular")->text(), QStringLiteral("C&alcular"));

    // The design size is the smallest the window takes; it may grow.
    EXPECT_GE(janela_->centralWidget()->width() + 0, 640);
    EXPECT_EQ(janela_->minimumWidth(), 640);
    EXPECT_LT(janela_->minimumHeight(), janela_->maximumHeight());
    Capturar("01_inicio");
}

TEST_F(TMainFrameTest, ShowsLongPartOfHintUnderThePointer) {
    EXPECT_EQ(ParteLongaDaDica(QStringLiteral("Curta|Longa explicação")),
              QStringLiteral("Longa explicação"));
    EXPECT_EQ(ParteLongaDaDica(QStringLiteral("Sem separador")), QStringLiteral("Sem separador"));

    Item("mmiCalcular")->showStatusText(janela_->menuBar());
    EXPECT_EQ(janela_->Dica(), QStringLiteral("Fazer a simulação da série sintética."));
    // The activity panel is not overwritten by the hint.
    EXPECT_EQ(janela_->Status(), QStringLiteral("VENTARO 2.0"));
    QStatusTipEvent vazio{QString()};
    QApplication::sendEvent(janela_.get(), &vazio);
    EXPECT_TRUE(janela_->Dica().isEmpty());
}

TEST_F(TMainFrameTest, ActivityMenusHidePanelsAndNameTheActivity) {
    Item("mmiConfiguraes")->trigger();
    EXPECT_TRUE(janela_->frmConfiguracoes()->isVisible());
    EXPECT_EQ(janela_->Status(), QStringLiteral("Configurações"));

    janela_->mmiEntradadeDadosClick();
    EXPECT_FALSE(janela_->frmConfiguracoes()->isVisible());
    EXPECT_EQ(janela_->Status(), QStringLiteral("Entrada de dados"));

    Item("mmiEstacaoPluviometrica")->trigger();
    EXPECT_TRUE(janela_->frmSelecionarEstacao()->isVisible());
    // Settings replace the selection panel: one panel at a time.
    Item("mmiConfiguraes")->trigger();
    EXPECT_FALSE(janela_->frmSelecionarEstacao()->isVisible());
    EXPECT_TRUE(janela_->frmConfiguracoes()->isVisible());

    janela_->mmiAjudaClick();
    EXPECT_FALSE(janela_->frmConfiguracoes()->isVisible());
    EXPECT_EQ(janela_->Status(), QStringLiteral("Ajuda"));

    Item("mmiSobreTAVU")->trigger();
    ASSERT_EQ(dialogos_.enderecos.size(), 1u);
    EXPECT_TRUE(dialogos_.enderecos[0].isValid());
    EXPECT_EQ(janela_->Status(), QStringLiteral("VENTARO 2.0"));

    janela_->mmiAjudaClick();
    QTest::mouseClick(janela_->pnlSplash(), Qt::LeftButton);
    EXPECT_EQ(janela_->Status(), QStringLiteral("VENTARO 2.0"));
}

TEST_F(TMainFrameTest, RegisteredPanelIsShownByItsMenuItem) {
    auto* painel = new QLabel(QStringLiteral("painel de teste"));
    int exibido = 0;
    QAction* item = Item("mmiSerieSintetica");
    EXPECT_FALSE(item->isEnabled());
    janela_->RegistrarPainel(painel, item, [&exibido] { ++exibido; });
    EXPECT_TRUE(item->isEnabled());
    EXPECT_FALSE(painel->isVisible());

    Item("mmiConfiguraes")->trigger();
    item->trigger();
    EXPECT_TRUE(painel->isVisible());
    EXPECT_FALSE(janela_->frmConfiguracoes()->isVisible());
    EXPECT_EQ(exibido, 1);
}

TEST_F(TMainFrameTest, PanelsGrowWithTheWindow) {
    janela_->resize(1000, 700);
    Item("mmiEstacaoPluviometrica")->trigger();
    QApplication::processEvents();
    auto* grade = janela_->frmSelecionarEstacao()->sgEstacoesDados();
    EXPECT_GT(grade->width(), 900);
    EXPECT_GT(grade->height(), 500);
    Capturar("08_janela_ampliada");
}

TEST_F(TMainFrameTest, UnreadableDatabaseIsReportedWithItsText) {
    ASSERT_TRUE(QFile::remove(Caminho(QStringLiteral("bd.sqlite"))));
    Item("mmiEstacaoPluviometrica")->trigger();
    ASSERT_EQ(dialogos_.mensagens.size(), 1u);
    EXPECT_EQ(dialogos_.mensagens[0].titulo, QStringLiteral("Ventaro 2.0"));
    EXPECT_EQ(dialogos_.mensagens[0].icone, Dialogos::Icone::Parar);
    EXPECT_TRUE(dialogos_.mensagens[0].texto.contains(QStringLiteral("bd.sqlite")))
        << dialogos_.mensagens[0].texto.toStdString();
    EXPECT_FALSE(Item("mmiCalcular")->isEnabled());
}

}  // namespace
}  // namespace ventaro::teste
