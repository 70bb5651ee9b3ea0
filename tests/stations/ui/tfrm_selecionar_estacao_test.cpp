#include <QHeaderView>
#include <QLineEdit>

#include "app/janela_teste.h"

namespace ventaro::teste {
namespace {

using SelecionarEstacaoTest = JanelaTeste;

std::vector<std::string> Codigos(TfrmSelecionarEstacao* painel) {
    const auto* modelo = static_cast<const ModeloEstacoes*>(painel->sgEstacoesDados()->model());
    std::vector<std::string> codigos;
    for (const auto& linha : modelo->Linhas()) codigos.push_back(linha.Codigo);
    return codigos;
}

TEST_F(SelecionarEstacaoTest, ListsOnlyTheStationsOfTheKindShown) {
    auto* painel = janela_->frmSelecionarEstacao();
    Item("mmiEstacaoPluviometrica")->trigger();
    EXPECT_EQ(Codigos(painel), (std::vector<std::string>{"447002", "2045012", "2345024", "2345106",
                                                         "2447049", "2852006"}));
    EXPECT_TRUE(painel->sgEstacoesDados()->isEnabled());
    // The first row is selected as soon as the list shows.
    EXPECT_EQ(painel->CodigoSelecionado(), "447002");

    auto* modelo = painel->sgEstacoesDados()->model();
    ASSERT_EQ(modelo->columnCount(), 8);
    EXPECT_EQ(modelo->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Código"));
    EXPECT_EQ(modelo->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Município"));
    EXPECT_EQ(modelo->headerData(7, Qt::Horizontal).toString(), QStringLiteral("Anos"));
    EXPECT_EQ(modelo->index(1, 4).data().toString(), QStringLiteral("20° 45 ´ 16 ´´  S"));
    Capturar("02_selecionar_pluviometrica");

    Item("mmiEstacaoClimatologica")->trigger();
    EXPECT_EQ(Codigos(painel), (std::vector<std::string>{"83179", "83587", "83967"}));
    EXPECT_EQ(painel->Tipo(), TipoEstacao::Climatologica);

    painel->sgEstacoesDados()->setCurrentIndex(modelo->index(2, 3));
    EXPECT_EQ(painel->CodigoSelecionado(), "83967");
    Capturar("03_selecionar_climatologica");
}

TEST_F(SelecionarEstacaoTest, SearchMatchesCodeNameOrMunicipalityAndShowAllRestores) {
    auto* painel = janela_->frmSelecionarEstacao();
    Item("mmiEstacaoPluviometrica")->trigger();

    painel->edtProcurarEstacao()->setText(QStringLiteral("PASSO"));
    QTest::mouseClick(painel->btnProcurarEstacao(), Qt::LeftButton);
    EXPECT_EQ(Codigos(painel), (std::vector<std::string>{"2852006"}));
    EXPECT_EQ(painel->CodigoSelecionado(), "2852006");

    // Quotes and wildcards are searched for as typed, not interpreted.
    painel->edtProcurarEstacao()->setText(QStringLiteral("%' or '1'='1"));
    QTest::keyClick(painel->edtProcurarEstacao(), Qt::Key_Return);
    EXPECT_EQ(Codigos(painel), (std::vector<std::string>{" "}));
    EXPECT_FALSE(painel->sgEstacoesDados()->isEnabled());
    EXPECT_TRUE(dialogos_.mensagens.empty());
    Capturar("04_procura_vazia");

    // Confirming the blank row fails visibly.
    QTest::mouseClick(painel->btnSelecionarEstacaoOk(), Qt::LeftButton);
    ASSERT_EQ(dialogos_.mensagens.size(), 1u);
    EXPECT_EQ(dialogos_.mensagens[0].texto, QStringLiteral("Erro ao abrir dados da estação."));
    EXPECT_TRUE(painel->isVisible());

    QTest::mouseClick(painel->btnTodas(), Qt::LeftButton);
    EXPECT_EQ(Codigos(painel), (std::vector<std::string>{"447002", "2045012", "2345024", "2345106",
                                                         "2447049", "2852006"}));
    EXPECT_TRUE(painel->sgEstacoesDados()->isEnabled());
}

TEST_F(SelecionarEstacaoTest, SelectingBothStationsEnablesCalcularAndSetsTheSwitches) {
    SelecionarEstacao("mmiEstacaoPluviometrica", "2045012");
    EXPECT_TRUE(dialogos_.mensagens.empty());
    EXPECT_FALSE(janela_->frmSelecionarEstacao()->isVisible());
    EXPECT_EQ(janela_->Status(), QStringLiteral("VENTARO 2.0"));
    EXPECT_TRUE(Item("mmiCalcular")->isEnabled());
    EXPECT_EQ(janela_->Dados().CodEstacao, 2045012);
    auto config = janela_->Configuracao();
    EXPECT_TRUE(config.Variaveis.SimularPrec);
    EXPECT_FALSE(config.Variaveis.SimularTMax || config.Variaveis.SimularTMin ||
                 config.Variaveis.SimularRad || config.Variaveis.SimularVVento ||
                 config.Variaveis.SimularUmid);

    SelecionarEstacao("mmiEstacaoClimatologica", "83587");
    EXPECT_TRUE(dialogos_.mensagens.empty());
    EXPECT_EQ(janela_->Dados().CodEstacaoClima, 83587);
    // The rainfall block stays when the climatological station is loaded.
    EXPECT_EQ(janela_->Dados().CodEstacao, 2045012);
    config = janela_->Configuracao();
    EXPECT_TRUE(config.Variaveis.SimularPrec && config.Variaveis.SimularTMax &&
                config.Variaveis.SimularTMin && config.Variaveis.SimularRad &&
                config.Variaveis.SimularVVento && config.Variaveis.SimularUmid);
    EXPECT_TRUE(Item("mmiCalcular")->isEnabled());
    EXPECT_FALSE(Item("mmiVisualizarResultados")->isEnabled());
    EXPECT_FALSE(Item("mmiSalvarResultados")->isEnabled());
}

TEST_F(SelecionarEstacaoTest, CancelLeavesTheStationsAndMenusAlone) {
    SelecionarEstacao("mmiEstacaoPluviometrica", "2045012");
    ASSERT_TRUE(EscolherLinha("mmiEstacaoPluviometrica", "2852006"));
    QTest::mouseClick(janela_->frmSelecionarEstacao()->btnSelecionarEstacaoCancelar(),
                      Qt::LeftButton);
    EXPECT_FALSE(janela_->frmSelecionarEstacao()->isVisible());
    EXPECT_EQ(janela_->Dados().CodEstacao, 2045012);
    EXPECT_TRUE(Item("mmiCalcular")->isEnabled());
    EXPECT_EQ(janela_->Status(), QStringLiteral("VENTARO 2.0"));
}

TEST_F(SelecionarEstacaoTest, StationWithAMissingMonthCannotBeSelected) {
    SelecionarEstacao("mmiEstacaoPluviometrica", "2045012");
    ASSERT_TRUE(Item("mmiCalcular")->isEnabled());
    AlterarBanco("delete from DadosPrec where CodEstacao = 2852006 and Mes = 5");

    SelecionarEstacao("mmiEstacaoPluviometrica", "2852006");
    ASSERT_EQ(dialogos_.mensagens.size(), 1u);
    const auto& mensagem = dialogos_.mensagens[0];
    EXPECT_EQ(mensagem.texto, QStringLiteral("Erro ao abrir dados da estação."));
    EXPECT_EQ(mensagem.titulo, QStringLiteral("Erro"));
    EXPECT_EQ(mensagem.icone, Dialogos::Icone::Erro);
    // The details say which month is missing.
    EXPECT_TRUE(mensagem.detalhe.contains(QStringLiteral("5"))) << mensagem.detalhe.toStdString();
    EXPECT_FALSE(Item("mmiCalcular")->isEnabled());
    EXPECT_TRUE(janela_->frmSelecionarEstacao()->isVisible());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(SelecionarEstacaoTest, ClimatologicalStationWithAMissingMonthShowsBothMessages) {
    AlterarBanco("delete from DadosClima where CodEstacao = 83967 and Mes = 12");
    SelecionarEstacao("mmiEstacaoClimatologica", "83967");
    ASSERT_EQ(dialogos_.mensagens.size(), 2u);
    EXPECT_EQ(dialogos_.mensagens[0].texto, QStringLiteral("Erro ao abrir dados climatológicos."));
    EXPECT_EQ(dialogos_.mensagens[1].texto, QStringLiteral("Erro ao abrir dados da estação."));
    EXPECT_FALSE(Item("mmiCalcular")->isEnabled());
}

TEST_F(SelecionarEstacaoTest, StationsImportedMeanwhileAreListedOnTheNextShowing) {
    Item("mmiEstacaoPluviometrica")->trigger();
    AlterarBanco("insert into EstacaoPrec values (1234567, 'NOVA', 'LUGAR', 3, -1.5, -2.5, 10, 5)");
    Item("mmiEstacaoPluviometrica")->trigger();
    EXPECT_EQ(Codigos(janela_->frmSelecionarEstacao()).size(), 7u);
}

}  // namespace
}  // namespace ventaro::teste
