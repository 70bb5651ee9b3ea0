#include <gtest/gtest.h>

#include <SQLiteCpp/SQLiteCpp.h>

#include <QAction>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <deque>
#include <fstream>
#include <memory>
#include <sstream>

#include "app/tmain_frame.h"
#include "import/ui/dialogos_importacao.h"
#include "import/ui/paineis_importacao.h"
#include "import/ui/tfrm_estimar_regiao.h"
#include "import/ui/tfrm_importar_clima.h"
#include "import/ui/tfrm_importar_prec.h"
#include "ui/dialogos.h"

namespace ventaro {
namespace {

QString Dados(const char* nome) {
    return QStringLiteral(VENTARO_SOURCE_DIR "/tests/import/dados/") + QString::fromLatin1(nome);
}

// Answers every dialog from queues the test fills and records what was shown.
class DialogosTeste : public Dialogos, public DialogosImportacao {
  public:
    struct Mostrada {
        QString titulo, texto, detalhe;
    };
    std::optional<QString> NomeArquivoSalvar(QWidget*, const QString&, const QString&,
                                             const QString&, TipoArquivo, const QString&) override {
        return std::nullopt;
    }
    std::optional<QString> NomeArquivoAbrir(QWidget*, const QString&, const QString&,
                                            TipoArquivo tipo) override {
        tipos_abertos.push_back(tipo);
        if (arquivos.empty()) return std::nullopt;
        auto a = arquivos.front();
        arquivos.pop_front();
        return a;
    }
    void Mensagem(QWidget*, Icone, const QString& titulo, const QString& texto,
                  const QString& detalhe) override {
        mensagens.push_back({titulo, texto, detalhe});
    }
    bool Confirmar(QWidget*, const QString&, const QString&, const QString&) override {
        return false;
    }
    void AbrirEndereco(const QUrl&) override {}

    bool PerguntarSimNao(QWidget*, const QString& titulo, const QString& texto) override {
        perguntas.push_back({titulo, texto, {}});
        return sim;
    }
    RespostaSubstituir ConfirmarSubstituicao(QWidget*, const QString& texto) override {
        perguntas.push_back({{}, texto, {}});
        auto r = substituir.empty() ? RespostaSubstituir::Nao : substituir.front();
        if (!substituir.empty()) substituir.pop_front();
        return r;
    }
    std::optional<QString> PedirTexto(QWidget*, const QString& titulo, const QString& rotulo,
                                      const QString&) override {
        pedidos.push_back({titulo, rotulo, {}});
        if (textos.empty()) return std::nullopt;
        const QString t = textos.front();
        textos.pop_front();
        // A null text stands for the cancel button.
        if (t.isNull()) return std::nullopt;
        return t;
    }
    std::optional<QString> EscolherEstacao(QWidget*, const QStringList& codigos) override {
        estacoes_oferecidas = codigos;
        return codigos.isEmpty() ? std::nullopt : std::optional<QString>(codigos.back());
    }

    std::deque<QString> arquivos;
    std::vector<TipoArquivo> tipos_abertos;
    std::deque<RespostaSubstituir> substituir;
    std::deque<QString> textos;
    bool sim = false;
    QStringList estacoes_oferecidas;
    std::vector<Mostrada> mensagens, perguntas, pedidos;
};

// The main window over an empty station database, with the import panels registered.
class PaineisTeste : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(pasta_.isValid());
        std::ifstream in(VENTARO_SOURCE_DIR "/data/schema.sql");
        std::stringstream esquema;
        esquema << in.rdbuf();
        SQLite::Database(Banco(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE).exec(esquema.str());
        janela_ = std::make_unique<TMainFrame>(pasta_.path().toStdString(), d_);
        RegistrarPaineisImportacao(*janela_, d_, Banco());
        janela_->show();
    }
    void TearDown() override { janela_.reset(); }

    std::string Banco() const { return pasta_.filePath(QStringLiteral("bd.sqlite")).toStdString(); }
    std::string Valor(const std::string& sql) const {
        return SQLite::Database(Banco()).execAndGet(sql).getString();
    }
    // With VENTARO_CAPTURAS naming a folder, saves a picture of the window as it is now.
    void Capturar(const char* nome) {
        const QByteArray pasta = qgetenv("VENTARO_CAPTURAS");
        if (pasta.isEmpty()) return;
        QDir().mkpath(QString::fromLocal8Bit(pasta));
        janela_->grab().save(QString::fromLocal8Bit(pasta) + u'/' + QString::fromLatin1(nome) +
                             QStringLiteral(".png"));
    }
    template <typename T>
    T* Painel(const char* nome) const {
        return janela_->findChild<T*>(QString::fromLatin1(nome));
    }

    QTemporaryDir pasta_;
    DialogosTeste d_;
    std::unique_ptr<TMainFrame> janela_;
};

TEST_F(PaineisTeste, MenuItemsAreEnabledOnceThePanelsAreRegistered) {
    for (const char* item :
         {"mmiImportarDeArquivoTexto", "mmiImportarDeOutroBD", "mmiImportarDadosANA"}) {
        ASSERT_NE(janela_->Item(QString::fromLatin1(item)), nullptr) << item;
        EXPECT_TRUE(janela_->Item(QString::fromLatin1(item))->isEnabled()) << item;
    }
    // Cancelling the file dialog leaves no panel shown.
    janela_->Item(QStringLiteral("mmiImportarDeArquivoTexto"))->trigger();
    EXPECT_FALSE(Painel<TfrmImportarClima>("frmImportarClimaArquivo1")->isVisible());
}

TEST_F(PaineisTeste, BdmepFileFillsTheIdentityAndOkWritesTheStation) {
    d_.arquivos.push_back(Dados("dados_83587_D_2005-01-01_2012-12-31.csv"));
    janela_->Item(QStringLiteral("mmiImportarDeArquivoTexto"))->trigger();
    auto* painel = Painel<TfrmImportarClima>("frmImportarClimaArquivo1");
    ASSERT_TRUE(painel->isVisible())
        << (d_.mensagens.empty() ? "" : d_.mensagens[0].detalhe.toStdString());
    EXPECT_EQ(painel->lblNomeArquivo()->text(), Dados("dados_83587_D_2005-01-01_2012-12-31.csv"));
    EXPECT_EQ(painel->edtCodigo()->text(), QStringLiteral("83587"));
    EXPECT_EQ(painel->edtNome()->text(), QStringLiteral("BELO HORIZONTE"));
    EXPECT_EQ(painel->edtLatitude()->text(), QStringLiteral("-19.93444444"));
    EXPECT_TRUE(painel->edtRegiao()->text().isEmpty());
    Capturar("20_importar_inmet_identificacao");

    // The region is the user's: without it the panel refuses and stays open.
    QTest::mouseClick(painel->btnSelecionarEstacaoOk(), Qt::LeftButton);
    ASSERT_EQ(d_.mensagens.size(), 1u);
    EXPECT_EQ(d_.mensagens[0].texto, QStringLiteral("Valor inválido para região"));
    EXPECT_EQ(d_.mensagens[0].titulo, QStringLiteral("Erro"));
    EXPECT_TRUE(painel->isVisible());

    painel->edtRegiao()->setText(QStringLiteral("3"));
    // Enter in a field writes the station, and the status bar names it.
    QTest::keyClick(painel->edtRegiao(), Qt::Key_Return);
    EXPECT_FALSE(painel->isVisible());
    EXPECT_EQ(Valor("select Nome || '|' || Regiao || '|' || NumAnos from EstacaoClima"),
              "BELO HORIZONTE|3|6");
    EXPECT_EQ(janela_->Dica(),
              QStringLiteral("Estação 83587 BELO HORIZONTE gravada no banco de estações."));
    EXPECT_EQ(Valor("select count(*) from DadosClima"), "12");

    // The same code again: the replace question answered No writes nothing.
    d_.arquivos.push_back(Dados("dados_83587_D_2005-01-01_2012-12-31.csv"));
    janela_->Item(QStringLiteral("mmiImportarDeArquivoTexto"))->trigger();
    painel->edtRegiao()->setText(QStringLiteral("4"));
    QTest::mouseClick(painel->btnSelecionarEstacaoOk(), Qt::LeftButton);
    ASSERT_EQ(d_.perguntas.size(), 1u);
    EXPECT_EQ(d_.perguntas[0].texto,
              QStringLiteral("Já existe uma estação cadastrada com este código.\nDeseja "
                             "substituir todos os dados referentes à esta estação?"));
    EXPECT_EQ(d_.mensagens.back().texto,
              QStringLiteral("Não foi possível gravar os dados da estação"));
    EXPECT_TRUE(painel->isVisible());
    EXPECT_EQ(Valor("select Regiao from EstacaoClima"), "3");

    d_.sim = true;
    QTest::mouseClick(painel->btnSelecionarEstacaoOk(), Qt::LeftButton);
    EXPECT_FALSE(painel->isVisible());
    EXPECT_EQ(Valor("select Regiao from EstacaoClima"), "4");
}

TEST_F(PaineisTeste, IdentityRulesAndReadFailures) {
    auto* painel = Painel<TfrmImportarClima>("frmImportarClimaArquivo1");
    painel->Ler(Dados("barra_1978_jan_fev.txt"));
    ASSERT_EQ(d_.mensagens.size(), 1u);
    EXPECT_EQ(d_.mensagens[0].texto,
              QStringLiteral("O arquivo selecionado não possui dados suficientes."));
    EXPECT_FALSE(painel->isVisible());

    painel->Ler(Dados("447002_Chuvas_excerto.csv"));
    ASSERT_EQ(d_.mensagens.size(), 2u);
    EXPECT_EQ(d_.mensagens[1].texto,
              QStringLiteral(
                  "Erro ao ler arquivo. Verifique se o formato do arquivo selecionado é válido."));
    EXPECT_TRUE(d_.mensagens[1].detalhe.contains(QStringLiteral("447002_Chuvas_excerto.csv")));

    painel->Ler(Dados("dados_83587_D_2005-01-01_2012-12-31.csv"));
    ASSERT_TRUE(painel->isVisible());
    EXPECT_EQ(painel->edtCodigo()->maxLength(), 5);
    painel->edtRegiao()->setText(QStringLiteral("2"));
    painel->edtCodigo()->setText(QStringLiteral("8358"));
    QTest::mouseClick(painel->btnSelecionarEstacaoOk(), Qt::LeftButton);
    EXPECT_EQ(d_.mensagens.back().texto, QStringLiteral("Código inválido para estação"));
    painel->edtCodigo()->setText(QStringLiteral("83587"));
    painel->edtAltitude()->setText(QStringLiteral("alto"));
    QTest::mouseClick(painel->btnSelecionarEstacaoOk(), Qt::LeftButton);
    EXPECT_EQ(d_.mensagens.back().texto,
              QStringLiteral("Os valores para latitude, longitude e altitude devem ser números "
                             "reais."));
    // Esc gives the station up.
    QTest::keyClick(painel->edtAltitude(), Qt::Key_Escape);
    EXPECT_FALSE(painel->isVisible());
    EXPECT_EQ(Valor("select count(*) from EstacaoClima"), "0");
}

TEST_F(PaineisTeste, HidrowebFileImportsWithRegionAndReplaceQuestions) {
    d_.arquivos.push_back(Dados("CHUVAS_02447049.TXT"));
    janela_->Item(QStringLiteral("mmiImportarDadosANA"))->trigger();
    auto* painel = Painel<TfrmImportarPrecBD>("frmImportarPrecBD1");
    ASSERT_TRUE(painel->isVisible());
    ASSERT_EQ(painel->sgEstacoesDados()->rowCount(), 1);
    EXPECT_EQ(painel->sgEstacoesDados()->item(0, 0)->text(), QStringLiteral("02447049"));

    // Without an inventory the identity comes from the panel's fields.
    QTest::mouseClick(painel->btnImportar(), Qt::LeftButton);
    EXPECT_TRUE(d_.mensagens.back().texto.contains(QStringLiteral("02447049")));
    EXPECT_EQ(Valor("select count(*) from EstacaoPrec"), "0");

    painel->edtNome()->setText(QStringLiteral("IGUAPE"));
    painel->edtMunicipio()->setText(QStringLiteral("IGUAPE"));
    painel->edtLatitude()->setText(QStringLiteral("-24,7167"));
    painel->edtLongitude()->setText(QStringLiteral("-47.55"));
    painel->edtAltitude()->setText(QStringLiteral("3"));
    d_.textos = {QStringLiteral("8"), QStringLiteral("3")};  // 8 is asked again
    QTest::mouseClick(painel->btnImportar(), Qt::LeftButton);
    ASSERT_EQ(d_.pedidos.size(), 2u);
    EXPECT_EQ(d_.pedidos[0].titulo, QStringLiteral("Inserindo estação"));
    EXPECT_TRUE(d_.pedidos[0].texto.contains(QStringLiteral("Código: 02447049\nNome: IGUAPE\n")));
    EXPECT_EQ(painel->memMensagens()->toPlainText(),
              QStringLiteral("1 estação nova.\n0 estações substituídas.\nFim\n"
                             "Resumo: 1 estação gravada."));
    // The status bar tells what the run did.
    EXPECT_EQ(janela_->Dica(), QStringLiteral("Resumo: 1 estação gravada."));
    Capturar("21_importar_ana_arquivo");
    EXPECT_EQ(Valor("select Nome || '|' || Regiao || '|' || NumAnos || '|' || Latitude "
                    "from EstacaoPrec"),
              "IGUAPE|3|15|-24.7167");

    // Again: No to all keeps it without asking for the region.
    d_.substituir = {RespostaSubstituir::NaoParaTodos};
    QTest::mouseClick(painel->btnImportar(), Qt::LeftButton);
    EXPECT_EQ(d_.perguntas.back().texto,
              QStringLiteral("A estação 02447049 já está no banco de dados. Substituir os dados?"));
    EXPECT_EQ(d_.pedidos.size(), 2u);
    EXPECT_EQ(painel->memMensagens()->toPlainText(),
              QStringLiteral("0 estações novas.\n0 estações substituídas.\nFim\n"
                             "Resumo: 0 estações gravadas, 1 mantida."));

    // Yes replaces; cancelling the region writes nothing and counts nothing.
    d_.substituir = {RespostaSubstituir::Sim};
    d_.textos = {QString()};
    QTest::mouseClick(painel->btnImportar(), Qt::LeftButton);
    EXPECT_EQ(painel->memMensagens()->toPlainText(),
              QStringLiteral("0 estações novas.\n0 estações substituídas.\nFim\n"
                             "Resumo: 0 estações gravadas, 1 não importada."));
    d_.substituir = {RespostaSubstituir::SimParaTodos};
    d_.textos = {QStringLiteral("5")};
    QTest::mouseClick(painel->btnImportar(), Qt::LeftButton);
    EXPECT_EQ(painel->memMensagens()->toPlainText(),
              QStringLiteral("0 estações novas.\n1 estação substituída.\nFim\n"
                             "Resumo: 1 estação gravada."));
    EXPECT_EQ(Valor("select Regiao from EstacaoPrec"), "5");

    QTest::mouseClick(painel->btnCancelar(), Qt::LeftButton);
    EXPECT_FALSE(painel->isVisible());
}

TEST_F(PaineisTeste, InventoryGivesTheIdentityOfHidrowebStations) {
    auto* painel = Painel<TfrmImportarPrecBD>("frmImportarPrecBD1");
    ASSERT_TRUE(painel->AbrirArquivo(Dados("CHUVAS_02447049.TXT")));
    const QString inventario = pasta_.filePath(QStringLiteral("inv.csv"));
    std::ofstream(inventario.toStdString())
        << "Codigo;CodigoHidroWeb8;Nome;Municipio;Estado;UF;Latitude;Longitude;Altitude\n"
           "2447049;02447049;IGUAPE;IGUAPE;SAO PAULO;SP;-24.7167;-47.55;3\n";
    EXPECT_TRUE(painel->edtNome()->text().isEmpty());
    EXPECT_FALSE(painel->edtNome()->isReadOnly());
    painel->CarregarInventario(inventario);
    EXPECT_EQ(painel->sgEstacoesDados()->item(0, 1)->text(), QStringLiteral("IGUAPE"));
    EXPECT_EQ(painel->sgEstacoesDados()->item(0, 4)->text(), QStringLiteral("3"));
    // The identity the inventory gives is shown in the fields, which are then not edited.
    EXPECT_EQ(painel->edtNome()->text(), QStringLiteral("IGUAPE"));
    EXPECT_EQ(painel->edtMunicipio()->text(), QStringLiteral("IGUAPE"));
    EXPECT_EQ(painel->edtLatitude()->text(), QStringLiteral("-24.7167"));
    EXPECT_EQ(painel->edtLongitude()->text(), QStringLiteral("-47.55"));
    EXPECT_EQ(painel->edtAltitude()->text(), QStringLiteral("3"));
    EXPECT_TRUE(painel->edtNome()->isReadOnly());
    d_.textos = {QStringLiteral("3")};
    QTest::mouseClick(painel->btnImportar(), Qt::LeftButton);
    EXPECT_EQ(Valor("select Municipio from EstacaoPrec"), "IGUAPE");

    // A file in no rainfall format is refused with the connection message.
    EXPECT_FALSE(painel->AbrirArquivo(Dados("barra_1978_jan_fev.txt")));
    EXPECT_EQ(d_.mensagens.back().texto, QStringLiteral("Erro ao conectar Banco de Dados."));
}

// A file of one station: the options that import a state or the whole database are disabled,
// the identity fields fit in two lines so the grid keeps its room, a station with too few
// complete years says how many it had and how many are needed, Enter imports and Esc closes.
TEST_F(PaineisTeste, OneStationFileKeyboardAndTooFewYears) {
    d_.arquivos.push_back(Dados("chuvas_C_02345106_excerto.csv"));
    janela_->Item(QStringLiteral("mmiImportarDadosANA"))->trigger();
    auto* painel = Painel<TfrmImportarPrecBD>("frmImportarPrecBD1");
    ASSERT_TRUE(painel->isVisible());
    ASSERT_EQ(d_.tipos_abertos, std::vector<TipoArquivo>{TipoArquivo::Importacao});
    EXPECT_TRUE(painel->rgOpcoesImportacao(0)->isChecked());
    EXPECT_FALSE(painel->rgOpcoesImportacao(1)->isEnabled());
    EXPECT_FALSE(painel->rgOpcoesImportacao(2)->isEnabled());
    EXPECT_TRUE(painel->gbIdentidade()->isVisible());
    // Latitude, longitude and altitude on one line.
    EXPECT_EQ(painel->edtLatitude()->y(), painel->edtLongitude()->y());
    EXPECT_EQ(painel->edtLatitude()->y(), painel->edtAltitude()->y());
    // At the window's design size the grid has room for several rows.
    EXPECT_GE(painel->sgEstacoesDados()->height(), 5 * painel->sgEstacoesDados()->rowHeight(0));
    Capturar("22_importar_ana_uma_estacao");

    painel->edtNome()->setText(QStringLiteral("PARATY"));
    painel->edtLatitude()->setText(QStringLiteral("-23.2"));
    painel->edtLongitude()->setText(QStringLiteral("-44.7"));
    QTest::keyClick(painel->sgEstacoesDados(), Qt::Key_Return);
    EXPECT_TRUE(d_.pedidos.empty());
    const QStringList linhas = painel->memMensagens()->toPlainText().split(u'\n');
    EXPECT_TRUE(linhas.contains(
        QStringLiteral("Estação 02345106: 2 anos completos; são necessários 10. Não importada.")))
        << painel->memMensagens()->toPlainText().toStdString();
    EXPECT_EQ(linhas.back(),
              QStringLiteral("Resumo: 0 estações gravadas, 1 com poucos anos completos."));
    EXPECT_EQ(Valor("select count(*) from EstacaoPrec"), "0");

    QTest::keyClick(painel->sgEstacoesDados(), Qt::Key_Escape);
    EXPECT_FALSE(painel->isVisible());
}

TEST(TfrmSelecionarEstacaoImportar, TheHighlightedStationIsTheChoiceHoweverItCloses) {
    TfrmSelecionarEstacaoImportar dialogo;
    EXPECT_EQ(dialogo.windowTitle(), QStringLiteral("Selecionar estação"));
    dialogo.Preencher({QStringLiteral("83001"), QStringLiteral("83587")});
    EXPECT_EQ(dialogo.Selecionada(), QStringLiteral("83001"));
    dialogo.lbEstacoes()->setCurrentRow(1);
    dialogo.reject();  // the window's close button
    EXPECT_EQ(dialogo.Selecionada(), QStringLiteral("83587"));
    dialogo.Preencher({});
    EXPECT_FALSE(dialogo.Selecionada());
}

// The regional estimation from hourly records: a file that is not one is refused and nothing is
// written; a real record writes the region and the report shows in the panel; a second
// estimate asks before replacing and keeps the laws when the answer is no.
TEST_F(PaineisTeste, RegionalLawsAreEstimatedFromHourlyRecordsAndWrittenOnlyWhenAllowed) {
    janela_->Item(QStringLiteral("mmiEstimarRegiao"))->trigger();
    auto* painel = Painel<TfrmEstimarRegiao>("frmEstimarRegiao1");
    ASSERT_TRUE(painel->isVisible());
    const auto Estimar = [&] {
        QSignalSpy fim(painel, &TfrmEstimarRegiao::estimativaTerminada);
        QTest::mouseClick(painel->btnEstimar(), Qt::LeftButton);
        if (painel->Estimando()) {
            ASSERT_TRUE(fim.wait(30000));
        }
    };
    const auto Linhas = [&] { return Valor("select count(*) from ParamRegiao"); };

    painel->edtRegiao()->setText(QStringLiteral("8"));
    Estimar();
    ASSERT_EQ(d_.mensagens.size(), 1u);
    EXPECT_TRUE(d_.mensagens[0].texto.contains(QStringLiteral("8")))
        << d_.mensagens[0].texto.toStdString();

    painel->edtRegiao()->setText(QStringLiteral("6"));
    painel->AdicionarArquivo(Dados("dados_83587_D_2005-01-01_2012-12-31.csv"));
    Estimar();
    ASSERT_EQ(d_.mensagens.size(), 2u);
    EXPECT_TRUE(d_.mensagens[1].detalhe.contains(QStringLiteral("dados_83587")))
        << d_.mensagens[1].detalhe.toStdString();
    EXPECT_EQ(Linhas(), "0");

    painel->lbArquivos()->selectAll();
    QTest::mouseClick(painel->btnRemover(), Qt::LeftButton);
    d_.arquivos.push_back(
        QStringLiteral(VENTARO_SOURCE_DIR
                       "/data/observacoes/inmet_horaria/"
                       "INMET_S_SC_A806_FLORIANOPOLIS_01-01-2018_A_31-12-2018.CSV"));
    QTest::mouseClick(painel->btnAdicionar(), Qt::LeftButton);
    ASSERT_EQ(painel->lbArquivos()->count(), 1);
    Estimar();
    EXPECT_EQ(d_.mensagens.size(), 2u);
    EXPECT_EQ(Linhas(), "60");
    EXPECT_TRUE(
        painel->memMensagens()->toPlainText().contains(QStringLiteral("Região 6: 60 linhas")));
    Capturar("estimar_regiao");

    const std::string antes = Valor("select group_concat(Classe0, ';') from ParamRegiao");
    painel->edtMinimo()->setText(QStringLiteral("2"));
    Estimar();
    EXPECT_EQ(Valor("select group_concat(Classe0, ';') from ParamRegiao"), antes);
    EXPECT_TRUE(painel->memMensagens()->toPlainText().contains(QStringLiteral("foram mantidas")));

    QTest::mouseClick(painel->btnFechar(), Qt::LeftButton);
    EXPECT_FALSE(painel->isVisible());
}

}  // namespace
}  // namespace ventaro
