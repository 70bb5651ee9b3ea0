#include "import/ui/tfrm_importar_clima.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QVBoxLayout>

#include "import/erro_importacao.h"
#include "import/ui/dialogos_importacao.h"
#include "ui/cursor_ocupado.h"
#include "ui/dialogos.h"

namespace ventaro {

namespace {

QString Q(const std::string& texto) {
    return QString::fromStdString(texto);
}
std::string S(const QString& texto) {
    return texto.toStdString();
}

const QString kErro = QStringLiteral("Erro");

}  // namespace

TfrmImportarClima::TfrmImportarClima(Origem origem, Dialogos& dialogos,
                                     DialogosImportacao& dialogos_importacao,
                                     std::filesystem::path arquivo_banco, QWidget* pai)
    : QWidget(pai),
      origem_(origem),
      dialogos_(dialogos),
      dialogos_importacao_(dialogos_importacao),
      arquivo_banco_(std::move(arquivo_banco)) {
    setObjectName(origem == Origem::Arquivo ? QStringLiteral("frmImportarClimaArquivo1")
                                            : QStringLiteral("frmImportarClimaBD1"));
    auto* grupo = new QGroupBox(QStringLiteral("Dados da estação"), this);
    auto* formulario = new QFormLayout(grupo);
    lbl_nome_arquivo_ = new QLabel(grupo);
    lbl_nome_arquivo_->setObjectName(QStringLiteral("lblNomeArquivo"));
    lbl_nome_arquivo_->setWordWrap(true);
    formulario->addRow(QStringLiteral("Nome do arquivo:"), lbl_nome_arquivo_);
    auto novo = [&](const char* nome, const char* rotulo) {
        auto* e = new QLineEdit(grupo);
        e->setObjectName(QString::fromLatin1(nome));
        formulario->addRow(QString::fromUtf8(rotulo), e);
        return e;
    };
    edt_codigo_ = novo("edtCodigo", "Código");
    edt_codigo_->setMaxLength(5);
    edt_regiao_ = novo("edtRegiao", "Número da região:");
    edt_nome_ = novo("edtNome", "Nome:");
    edt_municipio_ = novo("edtMunicipio", "Município:");
    edt_latitude_ = novo("edtLatitude", "Latitude:");
    edt_longitude_ = novo("edtLongitude", "Longitude:");
    edt_altitude_ = novo("edtAltitude", "Altitude:");
    btn_ok_ = new QPushButton(QStringLiteral("&Ok"), this);
    btn_ok_->setObjectName(QStringLiteral("btnSelecionarEstacaoOk"));
    btn_cancelar_ = new QPushButton(QStringLiteral("&Cancelar"), this);
    btn_cancelar_->setObjectName(QStringLiteral("btnSelecionarEstacaoCancelar"));

    auto* botoes = new QHBoxLayout;
    botoes->addStretch();
    botoes->addWidget(btn_ok_);
    botoes->addWidget(btn_cancelar_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grupo);
    layout->addLayout(botoes);
    layout->addStretch();
    setTabOrder(edt_codigo_, edt_regiao_);
    setTabOrder(edt_regiao_, edt_nome_);
    setTabOrder(edt_nome_, edt_municipio_);
    setTabOrder(edt_municipio_, edt_latitude_);
    setTabOrder(edt_latitude_, edt_longitude_);
    setTabOrder(edt_longitude_, edt_altitude_);
    setTabOrder(edt_altitude_, btn_ok_);
    setTabOrder(btn_ok_, btn_cancelar_);

    connect(btn_ok_, &QPushButton::clicked, this, &TfrmImportarClima::btnSelecionarEstacaoOkClick);
    connect(btn_cancelar_, &QPushButton::clicked, this,
            &TfrmImportarClima::btnSelecionarEstacaoCancelarClick);
}

void TfrmImportarClima::Abrir() {
    const auto arquivo = dialogos_.NomeArquivoAbrir(
        this, QStringLiteral("Abrir"),
        origem_ == Origem::BancoDados
            ? QStringLiteral("Banco de dados do Microsoft Access (*.mdb);;Todos os arquivos (*)")
            : QString(),
        TipoArquivo::Importacao);
    if (!arquivo) {
        hide();
        return;
    }
    Ler(*arquivo);
}

// The panel's answers to the import's questions: the station picker and the replace question,
// asked with the busy cursor lifted.
class TfrmImportarClima::Decisoes : public DecisoesImportacaoInmet {
  public:
    Decisoes(TfrmImportarClima& painel, std::optional<CursorOcupado>& cursor)
        : painel_(painel), cursor_(cursor) {}

    std::optional<std::string> Estacao(const std::vector<std::string>& codigos) override {
        QStringList lista;
        for (const std::string& c : codigos) lista << Q(c);
        cursor_.reset();
        const auto escolhida = painel_.dialogos_importacao_.EscolherEstacao(&painel_, lista);
        cursor_.emplace();
        if (!escolhida) return std::nullopt;
        return S(*escolhida);
    }
    bool Substituir(const std::string& /*codigo*/) override {
        cursor_.reset();
        const bool sim = painel_.dialogos_importacao_.PerguntarSimNao(
            &painel_, kErro,
            QStringLiteral("Já existe uma estação cadastrada com este código.\nDeseja "
                           "substituir todos os dados referentes à esta estação?"));
        cursor_.emplace();
        return sim;
    }

  private:
    TfrmImportarClima& painel_;
    std::optional<CursorOcupado>& cursor_;
};

void TfrmImportarClima::Ler(const QString& arquivo) {
    lbl_nome_arquivo_->setText(arquivo);
    leitura_.reset();
    std::optional<CursorOcupado> cursor(std::in_place);
    Decisoes decisoes(*this, cursor);
    try {
        LeituraInmet leitura = LerImportacaoInmet(
            S(arquivo), decisoes,
            origem_ == Origem::BancoDados ? FonteInmet::BancoDados : FonteInmet::Arquivo);
        const TextoIdentidade texto = IdentidadeDoArquivo(leitura.Registro.Identidade);
        edt_codigo_->setText(Q(texto.Codigo));
        edt_regiao_->clear();
        edt_nome_->setText(Q(texto.Nome));
        edt_municipio_->setText(Q(texto.Municipio));
        edt_latitude_->setText(Q(texto.Latitude));
        edt_longitude_->setText(Q(texto.Longitude));
        edt_altitude_->setText(Q(texto.Altitude));
        leitura_ = std::move(leitura);
        cursor.reset();
        show();
        raise();
        // Values no station can measure were read as missing: the user is told once per file.
        if (!leitura_->Avisos().empty()) {
            QStringList avisos;
            for (const std::string& aviso : leitura_->Avisos()) avisos << Q(aviso);
            dialogos_.Mensagem(this, Dialogos::Icone::Aviso, QStringLiteral("Aviso"),
                               avisos.join(u'\n'));
        }
    } catch (const ErroImportacao& e) {
        cursor.reset();
        hide();
        dialogos_.Mensagem(this, Dialogos::Icone::Erro, kErro, Q(e.Mensagem()), Q(e.Detalhe()));
    }
}

void TfrmImportarClima::btnSelecionarEstacaoOkClick() {
    if (!leitura_) return;
    const TextoIdentidade texto{S(edt_codigo_->text()),   S(edt_regiao_->text()),
                                S(edt_nome_->text()),     S(edt_municipio_->text()),
                                S(edt_latitude_->text()), S(edt_longitude_->text()),
                                S(edt_altitude_->text())};
    std::optional<CursorOcupado> cursor(std::in_place);
    Decisoes decisoes(*this, cursor);
    try {
        GravarImportacaoInmet(arquivo_banco_, *leitura_, texto, decisoes);
    } catch (const ErroImportacao& e) {
        cursor.reset();
        dialogos_.Mensagem(this, Dialogos::Icone::Erro, kErro, Q(e.Mensagem()), Q(e.Detalhe()));
        return;
    }
    cursor.reset();
    hide();
    emit estacaoGravada();
}

void TfrmImportarClima::btnSelecionarEstacaoCancelarClick() {
    hide();
}

}  // namespace ventaro
