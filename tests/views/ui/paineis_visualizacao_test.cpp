// The result panels in the main window after a calculation on the sample database. With
// VENTARO_CAPTURAS naming a folder, each view is saved as a picture.
#include <qcustomplot.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QTabWidget>
#include <QTableView>
#include <map>

#include "app/janela_teste.h"
#include "app/visualizacoes.h"
#include "views/formato.h"
#include "views/grade_mensal.h"
#include "views/pares_mensais.h"
#include "views/regressao_linear.h"
#include "views/tabelas_serie.h"
#include "views/ui/abas_graficos.h"
#include "views/ui/grade_mensal_ui.h"
#include "views/ui/grafico.h"
#include "views/ui/tfrm_grafico_curva.h"
#include "views/ui/tfrm_grafico_regressao.h"
#include "views/ui/tfrm_grafico_valores_diarios.h"
#include "views/ui/tfrm_grafico_valores_mensais.h"
#include "views/ui/tfrm_perfil.h"
#include "views/ui/tfrm_serie_sintetica.h"

namespace ventaro::teste {
namespace {

class PaineisVisualizacao : public JanelaTeste {
  protected:
    // Ten years with every variable, then the results menu opened.
    void CalcularDezAnos() {
        RegistrarVisualizacoes(*janela_);
        janela_->resize(900, 680);
        SelecionarAmbas();
        ConfiguracaoSerie config = janela_->Configuracao();
        config.NumAnos = 10;
        config.APartir = 1989;
        config.Variaveis = {true, true, true, true, true, true};
        janela_->DefinirConfiguracao(config);
        Calcular();
        ASSERT_TRUE(Item("mmiVisualizarResultados")->isEnabled());
        janela_->mmiVisualizarResultadosClick();
    }

    template <typename Painel>
    Painel* Abrir(const char* item) {
        Item(item)->trigger();
        auto* painel = janela_->findChild<Painel*>();
        EXPECT_NE(painel, nullptr) << item;
        if (painel != nullptr) {
            EXPECT_TRUE(painel->isVisible()) << item;
        }
        QCoreApplication::processEvents();
        return painel;
    }

    static QCustomPlot* PlotAtual(AbasGraficos* abas) {
        return abas->GraficoDaAba(abas->AbaAtual()).Plot();
    }

    // Lets the panel lay out and draw what it was just given, then saves it.
    void Mostrar(const char* captura) {
        QTest::qWait(50);
        Capturar(captura);
    }

    void Fechar(QWidget* painel, QPushButton* botao) {
        janela_->DefinirStatus(QStringLiteral("Visualizar resultados"));
        QTest::mouseClick(botao, Qt::LeftButton);
        EXPECT_FALSE(painel->isVisible());
        EXPECT_EQ(janela_->Status(), QStringLiteral("VENTARO 2.0"));
    }
};

TEST_F(PaineisVisualizacao, DailyChartsShowEveryDayOfTheSeries) {
    CalcularDezAnos();
    auto* painel = Abrir<TfrmGraficoValoresDiarios>("mmiValoresDiarios");
    AbasGraficos* abas = painel->pgGraficoValoresDiarios();
    const auto n = static_cast<int>(janela_->Clima().NumDias);
    EXPECT_EQ(abas->Externas()->currentIndex(), 0);
    EXPECT_EQ(abas->Externas()->tabText(3), QStringLiteral("Radiação"));
    EXPECT_EQ(abas->Internas(0)->tabText(2), QStringLiteral("    ti*"));
    QCustomPlot* prec = PlotAtual(abas);
    ASSERT_EQ(prec->graphCount(), 2);
    EXPECT_EQ(prec->graph(0)->name(), QStringLiteral("VENTARO"));
    EXPECT_EQ(prec->graph(0)->dataCount(), n);
    EXPECT_EQ(prec->graph(1)->name(), QStringLiteral("Série observada"));
    EXPECT_EQ(prec->graph(1)->dataCount(), 0);
    EXPECT_EQ(prec->xAxis->label(), QStringLiteral("Dias"));
    EXPECT_EQ(prec->yAxis->label(), QStringLiteral("Precipitação (mm)"));
    // Bar d is day d, the tallest storm included.
    double maior = 0;
    for (int d = 1; d <= n; ++d)
        maior = std::max(maior, janela_->Clima().Prec[static_cast<std::size_t>(d)]);
    bool achou = false;
    const QCPRange valores = prec->graph(0)->getValueRange(achou);
    EXPECT_EQ(valores.upper, maior);
    EXPECT_EQ(prec->graph(0)->data()->at(99)->key, 100.0);
    EXPECT_EQ(prec->graph(0)->data()->at(99)->value, janela_->Clima().Prec[100]);
    Mostrar("graficos_diarios_precipitacao");

    // Minimum temperature on its wet-day chart, away to radiation and back: its first chart.
    abas->Externas()->setCurrentIndex(2);
    abas->Internas(2)->setCurrentIndex(2);
    EXPECT_EQ(PlotAtual(abas)->graph(0)->dataCount(), n);
    abas->Externas()->setCurrentIndex(3);
    abas->Externas()->setCurrentIndex(2);
    EXPECT_EQ(abas->Internas(2)->currentIndex(), 0);

    // Humidity in per cent.
    abas->Externas()->setCurrentIndex(5);
    const QCPRange umidade = PlotAtual(abas)->graph(0)->getValueRange(achou);
    EXPECT_GT(umidade.upper, 1.0);
    EXPECT_LE(umidade.upper, 100.0);
    Mostrar("graficos_diarios_umidade");
    Fechar(painel, painel->btnGraficoValoresDiariosFechar());
}

TEST_F(PaineisVisualizacao, MonthlyViewGridCopyAndObservedCountsKept) {
    CalcularDezAnos();
    const TDados antes = janela_->Dados();
    auto* painel = Abrir<TfrmGraficoValoresMensais>("mmiValoresMensais");
    AbasGraficos* abas = painel->pgGraficoValoresMensais();
    VisaoGradeMensal* grade = painel->sgGraficoValoresMensais();
    // Opening leaves the precipitation mean on screen with its pairs in the grid.
    EXPECT_EQ(abas->AbaAtual(), 0u);
    const auto* modelo = grade->model();
    EXPECT_EQ(modelo->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Fev"));
    EXPECT_EQ(modelo->headerData(2, Qt::Vertical).toString(), QStringLiteral("Variação (%)"));
    const char sep = SeparadorDecimalDoSistema();
    EXPECT_EQ(grade->Grade().Celula(1, 1), FormatarFixo(janela_->Dados().XPrec[1], 2, sep));
    EXPECT_EQ(grade->Grade().Celula(2, 1), FormatarFixo(janela_->Estatisticas().XPrec[1], 2, sep));
    QCustomPlot* plot = PlotAtual(abas);
    ASSERT_EQ(plot->plottableCount(), 2);
    EXPECT_EQ(plot->plottable(0)->name(), QStringLiteral("VENTARO"));
    EXPECT_EQ(plot->plottable(1)->name(), QStringLiteral("Série observada"));
    EXPECT_EQ(plot->xAxis->label(), QStringLiteral("Meses"));
    Mostrar("valores_mensais_media");

    // Ctrl+C on Fev to Abr of "Observado" and "VENTARO".
    grade->setFocus();
    grade->selectionModel()->select(QItemSelection(modelo->index(0, 1), modelo->index(1, 3)),
                                    QItemSelectionModel::Select);
    QTest::keyClick(grade, Qt::Key_C, Qt::ControlModifier);
    const QString copiado = QGuiApplication::clipboard()->text();
    EXPECT_EQ(copiado, QString::fromStdString(TextoCopia(grade->Grade(), 1, 2, 2, 4)));
    EXPECT_EQ(copiado.count(u'\t'), 4);
    EXPECT_TRUE(copiado.endsWith(QStringLiteral("\r\n")));

    // "Dias chuvosos" shows the expected counts and leaves the station's counts as loaded.
    abas->Internas(0)->setCurrentIndex(5);
    EXPECT_EQ(abas->AbaAtual(), 5u);
    EXPECT_EQ(janela_->Dados(), antes);
    // A storm statistic has no observed value.
    abas->Internas(0)->setCurrentIndex(7);
    EXPECT_EQ(grade->Grade().Celula(1, 4), "     - ");
    Mostrar("valores_mensais_desvio_duracao");
    // The outer tab lands on that variable's "Média".
    abas->Externas()->setCurrentIndex(4);
    EXPECT_EQ(abas->Internas(4)->currentIndex(), 0);
    const TDados& gen = janela_->Estatisticas();
    EXPECT_EQ(grade->Grade().Celula(2, 1),
              FormatarFixo(
                  MediaTodosDias(gen.DSecos[1], gen.DUmidos[1], gen.XVVentoSe[1], gen.XVVentoCh[1]),
                  2, sep));
    Fechar(painel, painel->btnGraficoValoresMensaisFechar());
}

TEST_F(PaineisVisualizacao, RegressionChartsWithTheirLabels) {
    CalcularDezAnos();
    auto* painel = Abrir<TfrmGraficoRegressao>("mmiRegressaoLinear");
    AbasGraficos* abas = painel->pgGraficoRegressao();
    EXPECT_EQ(abas->AbaAtual(), 0u);
    const char sep = SeparadorDecimalDoSistema();
    const Resultados r{janela_->Clima(), janela_->Dados(), janela_->Estatisticas(),
                       janela_->ConfiguracaoClima()};
    for (const std::size_t aba : {std::size_t{0}, std::size_t{6 + 18}}) {
        const AbaRegressao& definicao = AbasRegressao()[aba];
        const AbaRegressaoCalculada esperada = CalcularAbaRegressao(definicao, r, sep);
        abas->Externas()->setCurrentIndex(definicao.Externa);
        ASSERT_EQ(abas->AbaAtual(), aba);
        QCustomPlot* plot = PlotAtual(abas);
        EXPECT_EQ(plot->graph(0)->dataCount(), 12);
        EXPECT_EQ(plot->graph(1)->dataCount(), 2);
        EXPECT_FALSE(plot->legend->visible());
        EXPECT_EQ(plot->xAxis->label(), QStringLiteral("Dados observados"));
        EXPECT_EQ(plot->yAxis->label(), QStringLiteral("VENTARO"));
        ASSERT_EQ(plot->itemCount(), 3);
        std::map<QString, QString> rotulos;
        for (int i = 0; i < 3; ++i) {
            auto* texto = qobject_cast<QCPItemText*>(plot->item(i));
            rotulos[texto->objectName()] = texto->text();
        }
        EXPECT_EQ(rotulos[QString::fromStdString(definicao.NomeEquacao())],
                  QString::fromStdString(esperada.Equacao));
        EXPECT_EQ(rotulos[QString::fromStdString(definicao.NomeR())],
                  QString::fromStdString(esperada.R2));
        EXPECT_EQ(rotulos[QString::fromStdString(definicao.NomeEpe())],
                  QString::fromStdString(esperada.ErroPadrao));
        EXPECT_EQ(painel->sgGraficoRegressao()->Grade(), esperada.Grade);
        Mostrar(aba == 0 ? "regressao_precipitacao_media" : "regressao_vento_media");
    }
    // The chart's context menu saves what it shows.
    Grafico& grafico = abas->GraficoDaAba(abas->AbaAtual());
    for (const char* tipo : {"png", "pdf", "svg"}) {
        const QString arquivo = Caminho(QStringLiteral("grafico.") + QString::fromLatin1(tipo));
        ASSERT_NO_THROW(grafico.Salvar(arquivo, 400, 300)) << tipo;
        QFile f(arquivo);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_GT(f.size(), 200) << tipo;
    }
    EXPECT_TRUE(grafico.Svg(400, 300).contains("<svg"));
    Fechar(painel, painel->btnRegressaoFechar());
}

TEST_F(PaineisVisualizacao, StormTableOpensTheProfileOfAWetDay) {
    CalcularDezAnos();
    auto* painel = Abrir<TfrmGraficoCurva>("mmiPerfil");
    QTableView* tabela = painel->sgGraficoCurva();
    const TClima& clima = janela_->Clima();
    ASSERT_EQ(tabela->model()->rowCount(), clima.NumDias);
    EXPECT_EQ(tabela->model()->headerData(4, Qt::Horizontal).toString(),
              QStringLiteral("ii(mm/h)"));
    EXPECT_EQ(tabela->model()->index(0, 0).data().toString(), QStringLiteral("01/01/1989"));
    EXPECT_GE(tabela->columnWidth(1), 130);
    // The wettest day of the series.
    int64_t dia = 1;
    for (int64_t d = 1; d <= clima.NumDias; ++d) {
        if (clima.Prec[static_cast<std::size_t>(d)] > clima.Prec[static_cast<std::size_t>(dia)]) {
            dia = d;
        }
    }
    tabela->scrollTo(tabela->model()->index(static_cast<int>(dia - 1), 0));
    Mostrar("tempestades");
    tabela->setCurrentIndex(tabela->model()->index(static_cast<int>(dia - 1), 1));
    auto* perfil = janela_->findChild<TfrmPerfil*>();
    ASSERT_NE(perfil, nullptr);
    EXPECT_TRUE(perfil->isVisible());
    QCustomPlot* plot = perfil->chtPerfil()->Plot();
    ASSERT_EQ(plot->graphCount(), 1);
    EXPECT_EQ(plot->graph(0)->dataCount(), 10001);
    EXPECT_EQ(plot->graph(0)->name(), QStringLiteral("perfil"));
    EXPECT_EQ(plot->xAxis->label(), QStringLiteral("Tempo (horas)"));
    EXPECT_EQ(perfil->lblValorData()->text(),
              QString::fromStdString(DataCurta(DataDaSerie(clima, dia))));
    EXPECT_FALSE(perfil->lblValorParamA()->text().isEmpty());
    Mostrar("perfil");
    // Esc closes the profile back to the storm table, as its "Fechar" does.
    janela_->DefinirStatus(QStringLiteral("Visualizar resultados"));
    QTest::keyClick(perfil->chtPerfil(), Qt::Key_Escape);
    EXPECT_FALSE(perfil->isVisible());
    EXPECT_TRUE(painel->isVisible());
    EXPECT_EQ(janela_->Status(), QStringLiteral("Visualizar resultados"));
    Fechar(painel, painel->btnGraficoCurvaFechar());
}

TEST_F(PaineisVisualizacao, SeriesTableListsEveryDay) {
    CalcularDezAnos();
    auto* painel = Abrir<TfrmSerieSintetica>("mmiSerieSintetica");
    QTableView* tabela = painel->sgGraficoCurva();
    const TClima& clima = janela_->Clima();
    ASSERT_EQ(tabela->model()->rowCount(), clima.NumDias);
    ASSERT_EQ(tabela->model()->columnCount(), 10);
    const TabelaSerie esperada(clima, true, SeparadorDecimalDoSistema());
    for (int linha : {0, 59, static_cast<int>(clima.NumDias) - 1}) {
        for (int coluna = 0; coluna < 10; ++coluna) {
            EXPECT_EQ(tabela->model()->index(linha, coluna).data().toString(),
                      QString::fromStdString(esperada.Celula(linha, coluna)));
        }
    }
    EXPECT_EQ(tabela->model()->index(0, 0).data().toString(), QStringLiteral("01/01/89"));
    EXPECT_EQ(tabela->horizontalHeader()->sectionResizeMode(0), QHeaderView::Interactive);
    Mostrar("tabela_serie");
    // Esc in the table closes the panel as "Fechar" does.
    janela_->DefinirStatus(QStringLiteral("Visualizar resultados"));
    QTest::keyClick(tabela, Qt::Key_Escape);
    EXPECT_FALSE(painel->isVisible());
    EXPECT_EQ(janela_->Status(), QStringLiteral("VENTARO 2.0"));
}

}  // namespace
}  // namespace ventaro::teste
