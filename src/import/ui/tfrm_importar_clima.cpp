#include "import/ui/tfrm_importar_clima.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QVBoxLayout>

#include "core/erro.h"
#include "import/ui/dialogos_importacao.h"
#include "stations/banco_dados.h"
#include "stations/gravacao_estacao.h"
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
const QString kNaoGravou = QStringLiteral("Não foi possível gravar os dados da estação");

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

QString TfrmImportarClima::MensagemErroLeitura() const {
    return origem_ == Origem::Arquivo
               ? QStringLiteral(
                     "Erro ao ler arquivo. Verifique se o formato do arquivo selecionado é válido.")
               : QStringLiteral(
                     "Erro ao ler dados. Verifique se o formato do banco de dados "
                     "selecionado é válido.");
}

void TfrmImportarClima::ErroLeitura(const QString& detalhe) {
    hide();
    dialogos_.Mensagem(this, Dialogos::Icone::Erro, kErro, MensagemErroLeitura(), detalhe);
}

void TfrmImportarClima::Abrir() {
    const auto arquivo = dialogos_.NomeArquivoAbrir(
        this, QStringLiteral("Abrir"),
        origem_ == Origem::BancoDados
            ? QStringLiteral("Banco de dados do Microsoft Access (*.mdb);;Todos os arquivos (*)")
            : QString());
    if (!arquivo) {
        hide();
        return;
    }
    Ler(*arquivo);
}

void TfrmImportarClima::Ler(const QString& arquivo) {
    lbl_nome_arquivo_->setText(arquivo);
    leitura_.reset();
    try {
        std::optional<std::string> estacao;
        {
            CursorOcupado cursor;
            if (DetectarFormato(S(arquivo)) == FormatoArquivo::AccessMdb) {
                QStringList codigos;
                for (const std::string& c : EstacoesInmetMdb(S(arquivo))) codigos << Q(c);
                const auto escolhida = dialogos_importacao_.EscolherEstacao(this, codigos);
                if (!escolhida) throw ErroVentaro("Nenhuma estação selecionada.");
                estacao = S(*escolhida);
            }
        }
        CursorOcupado cursor;
        LeituraInmet leitura = LerArquivoInmet(S(arquivo), estacao);
        if (!leitura.DadosSuficientes()) {
            hide();
            dialogos_.Mensagem(this, Dialogos::Icone::Erro, kErro,
                               Q(leitura.MensagemDadosInsuficientes()));
            return;
        }
        // Estimated once now so that a record that cannot be estimated is refused before the
        // user types anything; Ok estimates again at the station's own latitude.
        const IdentidadeArquivo& id = leitura.Registro.Identidade;
        RegistroClima copia = leitura.Registro;
        EstimarEstacaoClima(copia, id.Latitude.value_or(kLatitudePadrao));
        const TextoIdentidade texto = IdentidadeDoArquivo(id);
        edt_codigo_->setText(Q(texto.Codigo));
        edt_regiao_->clear();
        edt_nome_->setText(Q(texto.Nome));
        edt_municipio_->setText(Q(texto.Municipio));
        edt_latitude_->setText(Q(texto.Latitude));
        edt_longitude_->setText(Q(texto.Longitude));
        edt_altitude_->setText(Q(texto.Altitude));
        leitura_ = std::move(leitura);
        show();
        raise();
    } catch (const std::exception& e) {
        ErroLeitura(QString::fromUtf8(e.what()));
    }
}

void TfrmImportarClima::btnSelecionarEstacaoOkClick() {
    if (!leitura_) return;
    TextoIdentidade texto{S(edt_codigo_->text()),   S(edt_regiao_->text()),
                          S(edt_nome_->text()),     S(edt_municipio_->text()),
                          S(edt_latitude_->text()), S(edt_longitude_->text()),
                          S(edt_altitude_->text())};
    const auto validacao = ValidarIdentidadeClima(texto);
    if (const auto* mensagem = std::get_if<std::string>(&validacao)) {
        dialogos_.Mensagem(this, Dialogos::Icone::Erro, kErro, Q(*mensagem));
        return;
    }
    if (Gravar(std::get<IdentidadeEstacao>(validacao))) {
        hide();
        emit estacaoGravada();
    }
}

bool TfrmImportarClima::Gravar(const IdentidadeEstacao& identidade) {
    try {
        std::optional<CursorOcupado> cursor(std::in_place);
        BancoDados banco(arquivo_banco_, BancoDados::Modo::Escrita);
        if (ExisteEstacaoClima(banco, identidade.Codigo)) {
            cursor.reset();
            if (!dialogos_importacao_.PerguntarSimNao(
                    this, kErro,
                    QStringLiteral("Já existe uma estação cadastrada com este código.\nDeseja "
                                   "substituir todos os dados referentes à esta estação?"))) {
                dialogos_.Mensagem(this, Dialogos::Icone::Erro, kErro, kNaoGravou);
                return false;
            }
            cursor.emplace();
        }
        // Radiation and everything derived from it at the station's own latitude.
        RegistroClima registro = leitura_->Registro;
        const ParametrosClima p = EstimarEstacaoClima(registro, identidade.Latitude);
        GravarEstacaoClima(banco, identidade, p.Dados, p.NumAnos);
        return true;
    } catch (const std::exception& e) {
        dialogos_.Mensagem(this, Dialogos::Icone::Erro, kErro, kNaoGravou,
                           QString::fromUtf8(e.what()));
        return false;
    }
}

void TfrmImportarClima::btnSelecionarEstacaoCancelarClick() {
    hide();
}

}  // namespace ventaro
