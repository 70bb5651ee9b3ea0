#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include "app/janela_teste.h"
#include "stations/ui/tfrm_configuracoes.h"

namespace ventaro::teste {
namespace {

class ConfiguracoesTest : public JanelaTeste {
  protected:
    TfrmConfiguracoes* Abrir() {
        Item("mmiConfiguraes")->trigger();
        return janela_->frmConfiguracoes();
    }
    void Confirmar() {
        QTest::mouseClick(janela_->frmConfiguracoes()->btnConfiguracoesOk(), Qt::LeftButton);
    }
};

TEST_F(ConfiguracoesTest, ShowsTheGeneratorsValuesBeforeAnyStation) {
    auto* painel = Abrir();
    EXPECT_TRUE(painel->isVisible());
    EXPECT_TRUE(painel->lblNomeEstacaoPrec()->text().isEmpty());
    EXPECT_TRUE(painel->lblCodigoEstacaoPrec()->text().isEmpty());
    EXPECT_TRUE(painel->lblLatClima()->text().isEmpty());
    EXPECT_EQ(painel->edtNumAnos()->text(), QStringLiteral("1"));
    EXPECT_EQ(painel->edtAPartir()->text(), QStringLiteral("1"));
    EXPECT_TRUE(painel->chkCorrecao()->isChecked());
    for (QCheckBox* caixa : {painel->cbPrecipitacao(), painel->cbTMax(), painel->cbTMin(),
                             painel->cbRad(), painel->cbVVento(), painel->cbUmid()}) {
        EXPECT_FALSE(caixa->isChecked()) << caixa->objectName().toStdString();
    }
    Capturar("05_configuracoes_vazia");
}

TEST_F(ConfiguracoesTest, ShowsTheSelectedStations) {
    SelecionarAmbas();
    auto* painel = Abrir();
    EXPECT_EQ(painel->lblNomeEstacaoPrec()->text(), QStringLiteral("CANDEIAS"));
    EXPECT_EQ(painel->lblCodigoEstacaoPrec()->text(), QStringLiteral("02045012"));
    EXPECT_EQ(painel->lblLatPrec()->text(), QStringLiteral("20° 45 ´ 16 ´´  S"));
    EXPECT_EQ(painel->lblCodigoEstacaoClima()->text(), QStringLiteral("83587"));
    EXPECT_TRUE(painel->cbUmid()->isChecked());
    Capturar("06_configuracoes_estacoes");
}

TEST_F(ConfiguracoesTest, YearFieldsTakeOnlyDigitsAndBackspace) {
    auto* campo = Abrir()->edtNumAnos();
    campo->clear();
    QTest::keyClicks(campo, QStringLiteral("1a2-b3 ,.x"));
    EXPECT_EQ(campo->text(), QStringLiteral("123"));
    QTest::keyClick(campo, Qt::Key_Backspace);
    EXPECT_EQ(campo->text(), QStringLiteral("12"));
}

TEST_F(ConfiguracoesTest, InvalidYearOffersToRestoreDefaultsAndWritesNothingOnCancel) {
    auto* painel = Abrir();
    const ConfiguracaoSerie antes = janela_->Configuracao();
    // Empty, pasted non-digits and a number beyond 32 bits are caught before the panel hides.
    for (const QString& texto : {QString(), QStringLiteral("12a"), QStringLiteral("4294967296"),
                                 QStringLiteral("99999999999999999999")}) {
        painel->edtNumAnos()->setText(QStringLiteral("5"));
        painel->edtAPartir()->setText(texto);
        painel->cbTMax()->setChecked(true);
        dialogos_.respostas_confirmar.push_back(false);
        Confirmar();
        EXPECT_TRUE(painel->isVisible()) << texto.toStdString();
        EXPECT_EQ(janela_->Configuracao(), antes) << texto.toStdString();
    }
    ASSERT_EQ(dialogos_.perguntas.size(), 4u);
    EXPECT_EQ(
        dialogos_.perguntas[0].texto,
        QStringLiteral("Existe campo com valor inválido. Deseja restaurar os valores padrões?"));
    EXPECT_EQ(dialogos_.perguntas[0].titulo, QStringLiteral("Ventaro 2.0"));
    EXPECT_TRUE(dialogos_.mensagens.empty());
    EXPECT_EQ(janela_->Status(), QStringLiteral("VENTARO 2.0"));
}

TEST_F(ConfiguracoesTest, AcceptingTheRestoreQuestionRestoresTheDefaults) {
    auto* painel = Abrir();
    painel->edtNumAnos()->clear();
    dialogos_.respostas_confirmar.push_back(true);
    Confirmar();
    EXPECT_FALSE(painel->isVisible());

    Abrir();
    EXPECT_EQ(painel->edtNumAnos()->text(), QStringLiteral("10"));
    EXPECT_EQ(painel->edtAPartir()->text(), QStringLiteral("1"));
    EXPECT_TRUE(painel->chkCorrecao()->isChecked());
    EXPECT_TRUE(painel->cbPrecipitacao()->isChecked());
    EXPECT_FALSE(painel->cbTMax()->isChecked() || painel->cbUmid()->isChecked());
}

TEST_F(ConfiguracoesTest, MissingStationMessagesNameTheRainfallStationFirst) {
    SelecionarEstacao("mmiEstacaoClimatologica", "83587");
    auto* painel = Abrir();
    painel->cbPrecipitacao()->setChecked(true);
    painel->cbTMax()->setChecked(true);
    Confirmar();
    ASSERT_EQ(dialogos_.mensagens.size(), 1u);
    EXPECT_EQ(dialogos_.mensagens[0].texto,
              QStringLiteral("É necessário selecionar uma estação pluviométrica para gerar a "
                             "série de precipitação."));
    EXPECT_EQ(dialogos_.mensagens[0].titulo, QStringLiteral("Ventaro 2.0"));
    EXPECT_EQ(dialogos_.mensagens[0].icone, Dialogos::Icone::Nenhum);
    EXPECT_TRUE(painel->isVisible());

    // Without a climatological station, any climate variable is refused.
    SelecionarEstacao("mmiEstacaoPluviometrica", "2045012");
    janela_->Dados().SetNomeClima("");
    painel = Abrir();
    painel->cbUmid()->setChecked(true);
    Confirmar();
    ASSERT_EQ(dialogos_.mensagens.size(), 2u);
    EXPECT_EQ(dialogos_.mensagens[1].texto,
              QStringLiteral("É necessário selecionar uma estação climatológica para gerar uma "
                             "série climática."));
    EXPECT_TRUE(painel->isVisible());
}

// "Avançado" holds the year-to-year variability: off at first, said per station whether the
// station can give it, written when confirmed, refused for a station without the totals.
TEST_F(ConfiguracoesTest, AdvancedGroupHoldsTheYearToYearVariabilityPerStation) {
    auto* painel = Abrir();
    EXPECT_EQ(painel->gbAvancado()->title(), QStringLiteral("Avançado"));
    EXPECT_EQ(painel->cbVariabilidadeAnual()->text(), QStringLiteral("Variabilidade interanual"));
    EXPECT_FALSE(painel->cbVariabilidadeAnual()->isChecked());
    EXPECT_TRUE(painel->lblVariabilidadeAnual()->text().isEmpty());

    SelecionarEstacao("mmiEstacaoPluviometrica", "2345024");
    painel = Abrir();
    EXPECT_EQ(painel->lblVariabilidadeAnual()->text(),
              QStringLiteral("Disponível para a estação 02345024."));
    painel->cbVariabilidadeAnual()->setChecked(true);
    Confirmar();
    EXPECT_FALSE(painel->isVisible());
    EXPECT_TRUE(janela_->Configuracao().VariabilidadeAnual);
    EXPECT_TRUE(Abrir()->cbVariabilidadeAnual()->isChecked());
    Capturar("07_configuracoes_avancado");

    SelecionarEstacao("mmiEstacaoPluviometrica", "2045012");
    painel = Abrir();
    EXPECT_TRUE(painel->lblVariabilidadeAnual()->text().startsWith(
        QStringLiteral("Indisponível para a estação 02045012")));
    Confirmar();
    ASSERT_EQ(dialogos_.mensagens.size(), 1u);
    EXPECT_TRUE(dialogos_.mensagens[0].texto.contains(QStringLiteral("02045012")));
    EXPECT_TRUE(painel->isVisible());
    painel->cbVariabilidadeAnual()->setChecked(false);
    Confirmar();
    EXPECT_FALSE(painel->isVisible());
    EXPECT_FALSE(janela_->Configuracao().VariabilidadeAnual);
}

// "Avançado" also holds the seed (digits only, 5 at first) and the scenario file, chosen with
// a file dialog and dropped with "Nenhum"; a scenario the station cannot take is refused with
// the reader's message and the panel stays.
TEST_F(ConfiguracoesTest, AdvancedGroupHoldsTheSeedAndTheScenarioFile) {
    SelecionarAmbas();
    auto* painel = Abrir();
    EXPECT_EQ(painel->edtSemente()->text(), QStringLiteral("5"));
    EXPECT_TRUE(painel->edtCenario()->text().isEmpty());
    painel->edtSemente()->clear();
    QTest::keyClicks(painel->edtSemente(), QStringLiteral("1x2-"));
    EXPECT_EQ(painel->edtSemente()->text(), QStringLiteral("12"));

    const QString cenario = Caminho(QStringLiteral("futuro.csv"));
    const auto Gravar = [&cenario](const char* fator_dias) {
        QFile f(cenario);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QByteArray texto =
            "mes,fator_chuva_media,fator_dias_chuvosos,delta_tmax,delta_tmin,fator_radiacao\n";
        for (int m = 1; m <= 12; ++m)
            texto += QByteArray::number(m) + ",1.1," + fator_dias + ",2,1,1\n";
        f.write(texto);
    };
    Gravar("30");
    dialogos_.respostas_abrir.push_back(cenario);
    QTest::mouseClick(painel->btnCenario(), Qt::LeftButton);
    EXPECT_EQ(painel->edtCenario()->text(), cenario);
    ASSERT_EQ(dialogos_.pedidos_abrir.size(), 1u);
    EXPECT_EQ(dialogos_.pedidos_abrir[0].tipo, TipoArquivo::Cenario);
    Confirmar();
    ASSERT_EQ(dialogos_.mensagens.size(), 1u);
    EXPECT_EQ(dialogos_.mensagens[0].icone, Dialogos::Icone::Erro);
    EXPECT_TRUE(dialogos_.mensagens[0].texto.contains(
        QStringLiteral("linha 2, campo fator_dias_chuvosos: no mês 1")))
        << dialogos_.mensagens[0].texto.toStdString();
    EXPECT_TRUE(painel->isVisible());
    EXPECT_EQ(janela_->Configuracao().Semente, 5u);

    Gravar("0.9");
    Confirmar();
    EXPECT_FALSE(painel->isVisible());
    const ConfiguracaoSerie config = janela_->Configuracao();
    EXPECT_EQ(config.Semente, 12u);
    ASSERT_TRUE(config.Cenario);
    EXPECT_EQ(config.Cenario->Nome, "futuro.csv");
    painel = Abrir();
    EXPECT_EQ(painel->edtSemente()->text(), QStringLiteral("12"));
    EXPECT_EQ(painel->edtCenario()->text(), cenario);
    Capturar("08_configuracoes_cenario");

    QTest::mouseClick(painel->btnSemCenario(), Qt::LeftButton);
    Confirmar();
    EXPECT_FALSE(janela_->Configuracao().Cenario);
}

TEST_F(ConfiguracoesTest, ValidConfirmationWritesEverySettingAndCancelWritesNone) {
    SelecionarAmbas();
    auto* painel = Abrir();
    painel->edtNumAnos()->setText(QStringLiteral("25"));
    painel->edtAPartir()->setText(QStringLiteral("1990"));
    painel->chkCorrecao()->setChecked(false);
    painel->cbVVento()->setChecked(false);
    Confirmar();
    EXPECT_FALSE(painel->isVisible());
    EXPECT_TRUE(dialogos_.mensagens.empty());
    const ConfiguracaoSerie config = janela_->Configuracao();
    EXPECT_EQ(config.NumAnos, 25u);
    EXPECT_EQ(config.APartir, 1990u);
    EXPECT_FALSE(config.Correcao);
    EXPECT_FALSE(config.Variaveis.SimularVVento);
    EXPECT_TRUE(config.Variaveis.SimularUmid);
    // Settings change no menu.
    EXPECT_TRUE(Item("mmiCalcular")->isEnabled());
    EXPECT_FALSE(Item("mmiSalvarResultados")->isEnabled());

    painel = Abrir();
    painel->edtNumAnos()->setText(QStringLiteral("3"));
    QTest::mouseClick(painel->btnConfiguracoesCancelar(), Qt::LeftButton);
    EXPECT_FALSE(painel->isVisible());
    EXPECT_EQ(janela_->Configuracao().NumAnos, 25u);
    EXPECT_EQ(janela_->Status(), QStringLiteral("VENTARO 2.0"));
}

}  // namespace
}  // namespace ventaro::teste
