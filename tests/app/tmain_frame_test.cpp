#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTableView>

#include "app/dialogo_sobre.h"
#include "app/janela_teste.h"
#include "app/painel_calculando.h"
#include "app/resumo_execucao.h"
#include "app/splash.h"
#include "stations/ui/tfrm_configuracoes.h"
#include "versao.h"

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
    // With no hint the panel names the stations and the run.
    QStatusTipEvent vazio{QString()};
    QApplication::sendEvent(janela_.get(), &vazio);
    EXPECT_EQ(janela_->Dica(), QStringLiteral("Nenhuma estação selecionada · 1 ano a partir de 1"));
}

// The second panel, when no hint is shown, follows the selected stations and the settings.
TEST_F(TMainFrameTest, StatusNamesTheStationsAndTheRun) {
    SelecionarEstacao("mmiEstacaoPluviometrica", "2045012");
    EXPECT_EQ(janela_->Dica(), QStringLiteral("02045012 CANDEIAS · 1 ano a partir de 1"));
    SelecionarEstacao("mmiEstacaoClimatologica", "83587");
    EXPECT_EQ(janela_->Dica(),
              QStringLiteral("02045012 CANDEIAS · 83587 BELO HORIZONTE · 1 ano a partir de 1"));

    Item("mmiConfiguraes")->trigger();
    auto* painel = janela_->frmConfiguracoes();
    painel->edtNumAnos()->setText(QStringLiteral("100"));
    painel->edtAPartir()->setText(QStringLiteral("1990"));
    QTest::mouseClick(painel->btnConfiguracoesOk(), Qt::LeftButton);
    const QString resumo =
        QStringLiteral("02045012 CANDEIAS · 83587 BELO HORIZONTE · 100 anos a partir de 1990");
    EXPECT_EQ(janela_->Dica(), resumo);

    // A hint covers it while the pointer is on a menu item, and a notice until the next change.
    Item("mmiCalcular")->showStatusText(janela_->menuBar());
    EXPECT_EQ(janela_->Dica(), QStringLiteral("Fazer a simulação da série sintética."));
    QStatusTipEvent vazio{QString()};
    QApplication::sendEvent(janela_.get(), &vazio);
    EXPECT_EQ(janela_->Dica(), resumo);
    janela_->Avisar(QStringLiteral("Série salva em /tmp/x.txt"));
    Item("mmiCalcular")->showStatusText(janela_->menuBar());
    QApplication::sendEvent(janela_.get(), &vazio);
    EXPECT_EQ(janela_->Dica(), QStringLiteral("Série salva em /tmp/x.txt"));
    SelecionarEstacao("mmiEstacaoClimatologica", "83587");
    EXPECT_EQ(janela_->Dica(), resumo);

    EXPECT_EQ(ResumoExecucao(TDados{}, ConfiguracaoSerie::Padroes()),
              "Nenhuma estação selecionada · 10 anos a partir de 1");
    EXPECT_EQ(NomeSugeridoSerie(janela_->Dados(), janela_->Configuracao()),
              "serie_02045012_83587_100anos_1990.txt");
    EXPECT_EQ(NomeSugeridoSerie(TDados{}, ConfiguracaoSerie{}), "serie_1anos_1.txt");
}

// The workflow from the keyboard: Enter confirms and Esc cancels in the selection and settings
// panels; Enter in the station grid takes the highlighted station, in the search field it
// searches; reopening the list highlights the station in use.
TEST_F(TMainFrameTest, EnterConfirmsAndEscCancelsInThePanels) {
    Item("mmiEstacaoPluviometrica")->trigger();
    auto* selecao = janela_->frmSelecionarEstacao();
    auto* grade = selecao->sgEstacoesDados();
    const auto* modelo = static_cast<const ModeloEstacoes*>(grade->model());
    EXPECT_EQ(janela_->focusWidget(), grade);

    QTest::keyClicks(selecao->edtProcurarEstacao(), QStringLiteral("CANDEIAS"));
    QTest::keyClick(selecao->edtProcurarEstacao(), Qt::Key_Return);
    EXPECT_TRUE(selecao->isVisible());
    ASSERT_EQ(modelo->Linhas().size(), 1u);
    EXPECT_EQ(modelo->Linhas()[0].Codigo, "2045012");

    QTest::keyClick(grade, Qt::Key_Return);
    EXPECT_FALSE(selecao->isVisible());
    EXPECT_EQ(janela_->Dados().CodEstacao, 2045012);
    EXPECT_TRUE(Item("mmiCalcular")->isEnabled());

    // Reopened: the whole list, with the station in use highlighted; Esc leaves it as it was.
    Item("mmiEstacaoPluviometrica")->trigger();
    ASSERT_GT(modelo->Linhas().size(), 1u);
    EXPECT_EQ(modelo->Linhas()[static_cast<std::size_t>(grade->currentIndex().row())].Codigo,
              "2045012");
    QTest::keyClick(grade, Qt::Key_Down);
    QTest::keyClick(grade, Qt::Key_Escape);
    EXPECT_FALSE(selecao->isVisible());
    EXPECT_EQ(janela_->Dados().CodEstacao, 2045012);
    EXPECT_EQ(janela_->Status(), QStringLiteral("VENTARO 2.0"));

    Item("mmiConfiguraes")->trigger();
    auto* config = janela_->frmConfiguracoes();
    config->edtNumAnos()->setText(QStringLiteral("7"));
    QTest::keyClick(config->edtAPartir(), Qt::Key_Escape);
    EXPECT_FALSE(config->isVisible());
    EXPECT_EQ(janela_->Configuracao().NumAnos, 1u);
    Item("mmiConfiguraes")->trigger();
    config->edtNumAnos()->setText(QStringLiteral("7"));
    QTest::keyClick(config->edtNumAnos(), Qt::Key_Return);
    EXPECT_FALSE(config->isVisible());
    EXPECT_EQ(janela_->Configuracao().NumAnos, 7u);
    // A focused button takes Enter for itself.
    Item("mmiConfiguraes")->trigger();
    config->edtNumAnos()->setText(QStringLiteral("9"));
    QTest::keyClick(config->btnConfiguracoesCancelar(), Qt::Key_Return);
    EXPECT_FALSE(config->isVisible());
    EXPECT_EQ(janela_->Configuracao().NumAnos, 7u);
}

// "Sobre" opens the About box beside "Sobre o TAVU": name, version with the commit,
// the licence and the libraries with their versions.
TEST_F(TMainFrameTest, AboutBoxNamesVersionLicenceAndLibraries) {
    const QList<QAction*> ajuda = Item("mmiAjuda")->menu()->actions();
    ASSERT_EQ(ajuda.size(), 2);
    EXPECT_EQ(ajuda[0]->objectName(), QStringLiteral("mmiSobreTAVU"));
    EXPECT_EQ(ajuda[1]->objectName(), QStringLiteral("mmiSobre"));
    EXPECT_EQ(ajuda[1]->text(), QStringLiteral("&Sobre"));

    janela_->mmiAjudaClick();
    Item("mmiSobre")->trigger();
    EXPECT_EQ(janela_->Status(), QStringLiteral("VENTARO 2.0"));
    auto* sobre = janela_->findChild<DialogoSobre*>();
    ASSERT_NE(sobre, nullptr);
    EXPECT_TRUE(sobre->isVisible());
    const QString versao = sobre->lblVersao()->text();
    EXPECT_TRUE(versao.startsWith(QStringLiteral("Versão 2.0"))) << versao.toStdString();
    EXPECT_TRUE(versao.contains(QString::fromLatin1(kCommit)));
    EXPECT_TRUE(sobre->lblLicenca()->text().contains(QStringLiteral("GPL-3.0-or-later")));
    const QString bibliotecas = sobre->lblBibliotecas()->text();
    for (const Biblioteca& b : Bibliotecas()) {
        EXPECT_FALSE(b.Versao.isEmpty()) << b.Nome.toStdString();
        EXPECT_NE(b.Versao, QStringLiteral("versão desconhecida")) << b.Nome.toStdString();
        EXPECT_TRUE(bibliotecas.contains(b.Nome.toHtmlEscaped())) << b.Nome.toStdString();
        EXPECT_TRUE(bibliotecas.contains(b.Versao)) << b.Nome.toStdString();
    }
    EXPECT_TRUE(bibliotecas.contains(QString::fromLatin1(qVersion())));
    Capturar("09_sobre", sobre);
    QTest::mouseClick(sobre->btnFechar(), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(janela_->findChild<DialogoSobre*>(), nullptr);
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
