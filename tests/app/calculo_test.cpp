#include <unistd.h>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QTextStream>

#include "app/janela_teste.h"
#include "app/painel_calculando.h"
#include "core/calendario.h"
#include "core/erro.h"

namespace ventaro::teste {
namespace {

class CalculoTest : public JanelaTeste {
  protected:
    void Configurar(uint32_t anos, uint32_t a_partir) {
        ConfiguracaoSerie config = janela_->Configuracao();
        config.NumAnos = anos;
        config.APartir = a_partir;
        janela_->DefinirConfiguracao(config);
    }

    static QStringList Linhas(const QString& arquivo) {
        QFile f(arquivo);
        if (!f.open(QIODevice::ReadOnly)) return {};
        QStringList linhas = QString::fromLatin1(f.readAll()).split(QStringLiteral("\r\n"));
        if (!linhas.isEmpty() && linhas.back().isEmpty()) linhas.pop_back();
        return linhas;
    }

    void EsperaJanelaOciosa() {
        EXPECT_FALSE(janela_->panCalculando()->isVisible());
        EXPECT_TRUE(janela_->menuBar()->isEnabled());
        EXPECT_FALSE(janela_->Calculando());
        EXPECT_EQ(janela_->Status(), QStringLiteral("VENTARO 2.0"));
    }
};

TEST_F(CalculoTest, CompletedRunWritesTheChosenFileAndEnablesTheResults) {
    SelecionarAmbas();
    Configurar(2, 2000);
    const QString arquivo = Caminho(QStringLiteral("serie.txt"));
    dialogos_.respostas_salvar.push_back(arquivo);

    QSignalSpy fim(janela_.get(), &TMainFrame::calculoTerminado);
    Item("mmiCalcular")->trigger();
    // The panel is up, with the run's size, while the worker runs.
    auto* painel = janela_->panCalculando();
    EXPECT_TRUE(painel->isVisible());
    EXPECT_EQ(janela_->Status(), QStringLiteral("Calcular"));
    EXPECT_EQ(painel->prbCalculando()->maximum(), DiasNoPeriodo(2000, 2));
    EXPECT_EQ(painel->lblNumTotalDeAnos()->text(), QStringLiteral("2"));
    EXPECT_FALSE(janela_->menuBar()->isEnabled());
    ASSERT_TRUE(fim.count() > 0 || fim.wait(120000));

    EsperaJanelaOciosa();
    ASSERT_EQ(dialogos_.pedidos_salvar.size(), 1u);
    EXPECT_EQ(dialogos_.pedidos_salvar[0].titulo, QStringLiteral("Salvar série sintética"));
    EXPECT_EQ(dialogos_.pedidos_salvar[0].filtro,
              QStringLiteral("Arquivos TXT (*.txt);;Todos os Arquivos (*.*)"));
    EXPECT_EQ(dialogos_.pedidos_salvar[0].sufixo, QStringLiteral("txt"));
    // The dialog opens in the folder of series files with a name from the stations and years,
    // and the status bar says where the series went.
    EXPECT_EQ(dialogos_.pedidos_salvar[0].tipo, TipoArquivo::Serie);
    EXPECT_EQ(dialogos_.pedidos_salvar[0].nome_sugerido,
              QStringLiteral("serie_02045012_83587_2anos_2000.txt"));
    EXPECT_EQ(janela_->Dica(), QStringLiteral("Série salva em ") + arquivo);
    const QStringList linhas = Linhas(arquivo);
    ASSERT_EQ(linhas.size(), 11 + 731);
    EXPECT_TRUE(linhas[1].contains(QStringLiteral("CANDEIAS")));
    EXPECT_TRUE(linhas[11 + 59].startsWith(QStringLiteral("29/02/2000")));

    EXPECT_TRUE(Item("mmiVisualizarResultados")->isEnabled());
    EXPECT_TRUE(Item("mmiSalvarResultados")->isEnabled());
    EXPECT_FALSE(janela_->EstatisticasAtualizadas());
    EXPECT_EQ(janela_->Clima().NumDias, 731);

    // The statistics follow the series that was run even when the settings changed since.
    Configurar(50, 1);
    janela_->mmiVisualizarResultadosClick();
    EXPECT_TRUE(janela_->EstatisticasAtualizadas());
    EXPECT_EQ(janela_->Status(), QStringLiteral("Visualizar resultados"));

    // "Salvar Resultados" writes the same series again.
    const QString outro = Caminho(QStringLiteral("outra.txt"));
    dialogos_.respostas_salvar.push_back(outro);
    Item("mmiSalvarResultados")->trigger();
    EXPECT_EQ(Linhas(outro), linhas);
    EXPECT_EQ(janela_->Status(), QStringLiteral("VENTARO 2.0"));
}

TEST_F(CalculoTest, CancelledRunWritesNothingAndDisablesTheResults) {
    SelecionarAmbas();
    Configurar(1, 2000);
    dialogos_.respostas_salvar.push_back(Caminho(QStringLiteral("primeira.txt")));
    Calcular();
    ASSERT_TRUE(Item("mmiSalvarResultados")->isEnabled());

    Configurar(300, 1);
    QSignalSpy fim(janela_.get(), &TMainFrame::calculoTerminado);
    Item("mmiCalcular")->trigger();
    Capturar("07_calculando");
    // Esc on the progress panel is its "Cancelar".
    QTest::keyClick(janela_->panCalculando(), Qt::Key_Escape);
    ASSERT_TRUE(fim.count() > 0 || fim.wait(120000));

    EsperaJanelaOciosa();
    EXPECT_EQ(dialogos_.pedidos_salvar.size(), 1u);
    EXPECT_FALSE(Item("mmiVisualizarResultados")->isEnabled());
    EXPECT_FALSE(Item("mmiSalvarResultados")->isEnabled());
    EXPECT_FALSE(janela_->EstatisticasAtualizadas());
    EXPECT_TRUE(Item("mmiCalcular")->isEnabled());
    EXPECT_TRUE(dialogos_.mensagens.empty());
}

TEST_F(CalculoTest, ProgressReachesThePanelThrottled) {
    SelecionarAmbas();
    Configurar(200, 1);
    dialogos_.respostas_salvar.push_back(std::nullopt);
    auto* barra = janela_->panCalculando()->prbCalculando();
    QSignalSpy posicoes(barra, &QProgressBar::valueChanged);
    Calcular();

    // The bar moved, the years-done count followed it, and a run of 73 000 days reached the
    // window as a handful of updates rather than one per day.
    ASSERT_FALSE(posicoes.isEmpty());
    int maior = 0;
    for (const auto& argumentos : posicoes) maior = std::max(maior, argumentos[0].toInt());
    EXPECT_GT(maior, 0);
    EXPECT_LT(posicoes.size(), 2000);
    EXPECT_EQ(janela_->panCalculando()->lblAnosCalculados()->text(),
              QString::number(AnosCalculados(barra->value())));
    EsperaJanelaOciosa();
}

TEST_F(CalculoTest, CancellingTheSaveDialogStillEnablesTheResults) {
    SelecionarAmbas();
    Configurar(1, 2001);
    dialogos_.respostas_salvar.push_back(std::nullopt);
    Calcular();
    EsperaJanelaOciosa();
    EXPECT_EQ(dialogos_.pedidos_salvar.size(), 1u);
    EXPECT_TRUE(Item("mmiVisualizarResultados")->isEnabled());
    EXPECT_TRUE(Item("mmiSalvarResultados")->isEnabled());
    EXPECT_TRUE(QDir(pasta_.path()).entryList({QStringLiteral("*.txt")}).isEmpty());
}

TEST_F(CalculoTest, FailedSaveIsReportedAndTheNewSeriesStaysUsable) {
    SelecionarAmbas();
    Configurar(1, 2001);
    dialogos_.respostas_salvar.push_back(Caminho(QStringLiteral("primeira.txt")));
    Calcular();
    janela_->mmiVisualizarResultadosClick();
    ASSERT_TRUE(janela_->EstatisticasAtualizadas());

    Configurar(2, 2001);
    dialogos_.respostas_salvar.push_back(Caminho(QStringLiteral("nao/existe/serie.txt")));
    Calcular();
    EsperaJanelaOciosa();
    ASSERT_EQ(dialogos_.mensagens.size(), 1u);
    EXPECT_EQ(dialogos_.mensagens[0].titulo, QStringLiteral("Ventaro 2.0"));
    EXPECT_EQ(dialogos_.mensagens[0].icone, Dialogos::Icone::Parar);
    EXPECT_FALSE(dialogos_.mensagens[0].texto.isEmpty());
    // The statistics of the first series must not pass for those of the second.
    EXPECT_FALSE(janela_->EstatisticasAtualizadas());
    EXPECT_TRUE(Item("mmiSalvarResultados")->isEnabled());
    EXPECT_EQ(janela_->Clima().NumDias, 730);
}

// A save that fails says why, from the system's error code.
TEST_F(CalculoTest, FailedSaveNamesTheReason) {
    SelecionarAmbas();
    Configurar(1, 2001);
    dialogos_.respostas_salvar.push_back(std::nullopt);
    Calcular();
    QFile(Caminho(QStringLiteral("arquivo.txt"))).open(QIODevice::WriteOnly);
    QDir(pasta_.path()).mkdir(QStringLiteral("pasta"));
    QDir(pasta_.path()).mkdir(QStringLiteral("fechada"));
    QFile::setPermissions(Caminho(QStringLiteral("fechada")), QFile::ReadOwner | QFile::ExeOwner);
    const struct {
        QString arquivo;
        const char* motivo;
    } casos[] = {
        {Caminho(QStringLiteral("nao/existe/serie.txt")), "a pasta não existe"},
        {Caminho(QStringLiteral("arquivo.txt/serie.txt")), "o caminho não é uma pasta"},
        {Caminho(QStringLiteral("pasta")), "o nome é de uma pasta"},
        {Caminho(QStringLiteral("fechada/serie.txt")), "permissão negada"},
    };
    for (const auto& c : casos) {
        // The superuser writes in a folder without write permission.
        if (QString::fromUtf8(c.motivo) == QStringLiteral("permissão negada") && ::geteuid() == 0) {
            continue;
        }
        dialogos_.mensagens.clear();
        dialogos_.respostas_salvar.push_back(c.arquivo);
        Item("mmiSalvarResultados")->trigger();
        ASSERT_EQ(dialogos_.mensagens.size(), 1u) << c.motivo;
        EXPECT_TRUE(dialogos_.mensagens[0].texto.contains(QString::fromUtf8(c.motivo)))
            << dialogos_.mensagens[0].texto.toStdString();
        EXPECT_FALSE(janela_->Dica().startsWith(QStringLiteral("Série salva")));
    }
}

TEST_F(CalculoTest, GeneratorErrorIsReportedAndLeavesTheWindowWhole) {
    // Storm-duration shapes below 1 make the duration law undefined in region 3.
    AlterarBanco(
        "update ParamRegiao set Classe0 = 0.5, Classe1 = 0.5, Classe2 = 0.5, Classe3 = 0.5, "
        "Classe4 = 0.5, Classe5 = 0.5, Classe6 = 0.5, Classe7 = 0.5, Classe8 = 0.5, "
        "Classe9 = 0.5, Classe10 = 0.5, Classe11 = 0.5 where CodRegiao = 3 and "
        "TipoParametro = 1");
    SelecionarEstacao("mmiEstacaoPluviometrica", "2045012");
    Configurar(1, 2000);
    Calcular();
    EsperaJanelaOciosa();
    ASSERT_EQ(dialogos_.mensagens.size(), 1u);
    EXPECT_EQ(dialogos_.mensagens[0].titulo, QStringLiteral("Ventaro 2.0"));
    EXPECT_EQ(dialogos_.mensagens[0].icone, Dialogos::Icone::Parar);
    EXPECT_FALSE(dialogos_.mensagens[0].texto.isEmpty());
    EXPECT_TRUE(dialogos_.pedidos_salvar.empty());
    EXPECT_FALSE(Item("mmiVisualizarResultados")->isEnabled());
    EXPECT_FALSE(Item("mmiSalvarResultados")->isEnabled());
    EXPECT_TRUE(Item("mmiCalcular")->isEnabled());
}

TEST_F(CalculoTest, SeriesEndingAfter9999IsRefusedBeforeTheRun) {
    SelecionarAmbas();
    Configurar(10000, 1);
    Item("mmiCalcular")->trigger();
    EXPECT_FALSE(janela_->Calculando());
    EsperaJanelaOciosa();
    ASSERT_EQ(dialogos_.mensagens.size(), 1u);
    EXPECT_EQ(dialogos_.mensagens[0].titulo, QStringLiteral("Erro"));
    EXPECT_EQ(dialogos_.mensagens[0].icone, Dialogos::Icone::Erro);
    EXPECT_TRUE(dialogos_.mensagens[0].texto.contains(QStringLiteral("terminaria no ano 10000")))
        << dialogos_.mensagens[0].texto.toStdString();
    EXPECT_TRUE(dialogos_.pedidos_salvar.empty());
    EXPECT_FALSE(Item("mmiVisualizarResultados")->isEnabled());
    EXPECT_TRUE(Item("mmiCalcular")->isEnabled());
}

TEST_F(CalculoTest, ClosingTheWindowDuringARunStopsTheWorker) {
    SelecionarAmbas();
    Configurar(300, 1);
    Item("mmiCalcular")->trigger();
    ASSERT_TRUE(janela_->Calculando());
    janela_.reset();
    EXPECT_TRUE(dialogos_.pedidos_salvar.empty());
}

TEST(TextoErroCalculo, PutsLibraryErrorsIntoPortuguese) {
    EXPECT_EQ(TextoErroCalculo(ErroVentaro("Lei inválida no mês 3."), 10),
              QStringLiteral("Lei inválida no mês 3."));
    EXPECT_EQ(TextoErroCalculo(std::bad_alloc(), 4000000000u),
              QStringLiteral("Memória insuficiente para gerar uma série de 4000000000 anos."));
    EXPECT_TRUE(TextoErroCalculo(std::runtime_error("x"), 1)
                    .startsWith(QStringLiteral("Erro ao gerar a série sintética")));
}

TEST_F(CalculoTest, ProgressPanelCountsYearsAndCoversLongRuns) {
    PainelCalculando painel;
    painel.DefinirFaixa(0, 36525);
    painel.DefinirPosicao(366);
    EXPECT_EQ(painel.prbCalculando()->maximum(), 36525);
    EXPECT_EQ(painel.prbCalculando()->value(), 366);
    EXPECT_EQ(painel.lblAnosCalculados()->text(), QStringLiteral("1"));
    painel.DefinirPosicao(367);
    EXPECT_EQ(painel.lblAnosCalculados()->text(), QStringLiteral("2"));

    // Billions of days still fill the bar in proportion.
    const int64_t dias = DiasNoPeriodo(1, 4'000'000'000LL);
    painel.DefinirFaixa(0, dias);
    painel.DefinirPosicao(dias / 2);
    const double fracao = static_cast<double>(painel.prbCalculando()->value()) /
                          static_cast<double>(painel.prbCalculando()->maximum());
    EXPECT_NEAR(fracao, 0.5, 1e-6);
}

}  // namespace
}  // namespace ventaro::teste
