#include "stations/ui/tfrm_configuracoes.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "stations/configuracoes.h"
#include "stations/estacoes.h"
#include "ui/dialogos.h"

namespace ventaro {

bool FiltroInteiro::eventFilter(QObject* objeto, QEvent* evento) {
    if (evento->type() == QEvent::KeyPress) {
        const auto* tecla = static_cast<QKeyEvent*>(evento);
        const QString texto = tecla->text();
        // Keys without text (arrows, Home, End) and control characters (backspace, delete,
        // Ctrl shortcuts) keep their usual meaning.
        if (!texto.isEmpty() && texto.front().isPrint() &&
            !(tecla->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            for (const QChar c : texto) {
                if (c < u'0' || c > u'9') return true;
            }
        }
    }
    return QObject::eventFilter(objeto, evento);
}

namespace {

QLabel* NovoValor(QWidget* pai, const char* nome) {
    auto* rotulo = new QLabel(pai);
    rotulo->setObjectName(QString::fromLatin1(nome));
    rotulo->setTextInteractionFlags(Qt::TextSelectableByMouse);
    rotulo->setMinimumWidth(160);
    return rotulo;
}

}  // namespace

TfrmConfiguracoes::TfrmConfiguracoes(const TDados& dados, Dialogos& dialogos, QWidget* pai)
    : QWidget(pai), dados_(dados), dialogos_(dialogos) {
    setObjectName(QStringLiteral("frmConfiguracoes1"));
    setAutoFillBackground(true);

    auto* gb_prec = new QGroupBox(QStringLiteral("Estação Pluviométrica"), this);
    gb_prec->setObjectName(QStringLiteral("gbEstacaoPrec"));
    lbl_nome_prec_ = NovoValor(gb_prec, "lblNomeEstacaoPrec");
    lbl_codigo_prec_ = NovoValor(gb_prec, "lblCodigoEstacaoPrec");
    lbl_lat_prec_ = NovoValor(gb_prec, "lblLatPrec");
    lbl_long_prec_ = NovoValor(gb_prec, "lblLongPrec");
    auto* form_prec = new QFormLayout(gb_prec);
    form_prec->addRow(QStringLiteral("Nome da estação:"), lbl_nome_prec_);
    form_prec->addRow(QStringLiteral("Código da estação:"), lbl_codigo_prec_);
    form_prec->addRow(QStringLiteral("Latitude:"), lbl_lat_prec_);
    form_prec->addRow(QStringLiteral("Longitude:"), lbl_long_prec_);

    auto* gb_clima = new QGroupBox(QStringLiteral("Estação Climatológica"), this);
    gb_clima->setObjectName(QStringLiteral("gbEstacaoClima"));
    lbl_nome_clima_ = NovoValor(gb_clima, "lblNomeEstacaoClima");
    lbl_codigo_clima_ = NovoValor(gb_clima, "lblCodigoEstacaoClima");
    lbl_lat_clima_ = NovoValor(gb_clima, "lblLatClima");
    lbl_long_clima_ = NovoValor(gb_clima, "lblLongClima");
    auto* form_clima = new QFormLayout(gb_clima);
    form_clima->addRow(QStringLiteral("Nome da estação:"), lbl_nome_clima_);
    form_clima->addRow(QStringLiteral("Código da estação:"), lbl_codigo_clima_);
    form_clima->addRow(QStringLiteral("Latitude:"), lbl_lat_clima_);
    form_clima->addRow(QStringLiteral("Longitude:"), lbl_long_clima_);

    auto* gb_anos = new QGroupBox(QStringLiteral("Série sintética"), this);
    gb_anos->setObjectName(QStringLiteral("gbAnos"));
    auto* filtro = new FiltroInteiro(this);
    edt_num_anos_ = new QLineEdit(gb_anos);
    edt_num_anos_->setObjectName(QStringLiteral("edtNumAnos"));
    edt_a_partir_ = new QLineEdit(gb_anos);
    edt_a_partir_->setObjectName(QStringLiteral("edtAPartir"));
    for (QLineEdit* campo : {edt_num_anos_, edt_a_partir_}) {
        campo->installEventFilter(filtro);
        campo->setAlignment(Qt::AlignRight);
        campo->setMaximumWidth(90);
    }
    auto* form_anos = new QFormLayout(gb_anos);
    form_anos->addRow(QStringLiteral("Número de anos:"), edt_num_anos_);
    form_anos->addRow(QStringLiteral("Simular a partir do ano:"), edt_a_partir_);

    auto* gb_variaveis = new QGroupBox(QStringLiteral("Simular variáveis"), this);
    gb_variaveis->setObjectName(QStringLiteral("gbSimularVariaveis"));
    auto nova_caixa = [gb_variaveis](const char* nome, const char* texto) {
        auto* caixa = new QCheckBox(QString::fromUtf8(texto), gb_variaveis);
        caixa->setObjectName(QString::fromLatin1(nome));
        return caixa;
    };
    cb_prec_ = nova_caixa("cbPrecipitacao", "Precipitação");
    cb_tmax_ = nova_caixa("cbTMax", "Temperatura máxima");
    cb_tmin_ = nova_caixa("cbTMin", "Temperatura mínima");
    cb_rad_ = nova_caixa("cbRad", "Radiação");
    cb_vvento_ = nova_caixa("cbVVento", "Velocidade do vento");
    cb_umid_ = nova_caixa("cbUmid", "Umidade");
    auto* grade_variaveis = new QGridLayout(gb_variaveis);
    grade_variaveis->addWidget(cb_prec_, 0, 0);
    grade_variaveis->addWidget(cb_tmax_, 1, 0);
    grade_variaveis->addWidget(cb_tmin_, 2, 0);
    grade_variaveis->addWidget(cb_rad_, 0, 1);
    grade_variaveis->addWidget(cb_vvento_, 1, 1);
    grade_variaveis->addWidget(cb_umid_, 2, 1);

    auto* gb_correcao = new QGroupBox(QStringLiteral("Correções na série gerada"), this);
    gb_correcao->setObjectName(QStringLiteral("gbCorrecao"));
    chk_correcao_ = new QCheckBox(QStringLiteral("Fazer correções na série gerada"), gb_correcao);
    chk_correcao_->setObjectName(QStringLiteral("chkCorrecao"));
    auto* layout_correcao = new QVBoxLayout(gb_correcao);
    layout_correcao->addWidget(chk_correcao_);

    CriarAvancado();

    btn_ok_ = new QPushButton(QStringLiteral("&Ok"), this);
    btn_ok_->setObjectName(QStringLiteral("btnConfiguracoesOk"));
    btn_ok_->setDefault(true);
    btn_cancelar_ = new QPushButton(QStringLiteral("&Cancelar"), this);
    btn_cancelar_->setObjectName(QStringLiteral("btnConfiguracoesCancelar"));

    auto* estacoes = new QHBoxLayout;
    estacoes->addWidget(gb_prec, 1);
    estacoes->addWidget(gb_clima, 1);

    auto* opcoes = new QGridLayout;
    opcoes->addWidget(gb_anos, 0, 0);
    opcoes->addWidget(gb_variaveis, 0, 1, 2, 1);
    opcoes->addWidget(gb_correcao, 1, 0);
    opcoes->addWidget(gb_avancado_, 2, 0, 1, 2);
    opcoes->setColumnStretch(0, 1);
    opcoes->setColumnStretch(1, 1);

    auto* botoes = new QHBoxLayout;
    botoes->addStretch(1);
    botoes->addWidget(btn_ok_);
    botoes->addWidget(btn_cancelar_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(10);
    layout->addLayout(estacoes);
    layout->addLayout(opcoes);
    layout->addStretch(1);
    layout->addLayout(botoes);

    connect(btn_ok_, &QPushButton::clicked, this, &TfrmConfiguracoes::btnConfiguracoesOkClick);
    connect(btn_cancelar_, &QPushButton::clicked, this,
            &TfrmConfiguracoes::btnConfiguracoesCancelarClick);
}

void TfrmConfiguracoes::CriarAvancado() {
    gb_avancado_ = new QGroupBox(QStringLiteral("Avançado"), this);
    gb_avancado_->setObjectName(QStringLiteral("gbAvancado"));
    form_avancado_ = new QFormLayout(gb_avancado_);

    cb_variabilidade_anual_ =
        new QCheckBox(QStringLiteral("Variabilidade interanual"), gb_avancado_);
    cb_variabilidade_anual_->setObjectName(QStringLiteral("cbVariabilidadeAnual"));
    cb_variabilidade_anual_->setToolTip(
        QStringLiteral("Dá aos totais mensais e anuais de chuva a variação de um ano para outro "
                       "que o registro da estação pluviométrica mostra, sem mudar as médias "
                       "mensais nem a sequência de dias secos e chuvosos."));
    // Whether the selected rainfall station can give it.
    lbl_variabilidade_anual_ = new QLabel(gb_avancado_);
    lbl_variabilidade_anual_->setObjectName(QStringLiteral("lblVariabilidadeAnual"));
    lbl_variabilidade_anual_->setWordWrap(true);
    auto* linha = new QVBoxLayout;
    linha->setSpacing(2);
    linha->addWidget(cb_variabilidade_anual_);
    linha->addWidget(lbl_variabilidade_anual_);
    form_avancado_->addRow(linha);
}

void TfrmConfiguracoes::CarregarConfiguracoes(const ConfiguracaoSerie& config) {
    const RotulosEstacoes rotulos = CarregarRotulosEstacoes(dados_);
    lbl_nome_prec_->setText(QString::fromStdString(rotulos.NomePrec));
    lbl_codigo_prec_->setText(QString::fromStdString(rotulos.CodigoPrec));
    lbl_lat_prec_->setText(QString::fromStdString(rotulos.LatitudePrec));
    lbl_long_prec_->setText(QString::fromStdString(rotulos.LongitudePrec));
    lbl_nome_clima_->setText(QString::fromStdString(rotulos.NomeClima));
    lbl_codigo_clima_->setText(QString::fromStdString(rotulos.CodigoClima));
    lbl_lat_clima_->setText(QString::fromStdString(rotulos.LatitudeClima));
    lbl_long_clima_->setText(QString::fromStdString(rotulos.LongitudeClima));

    const TextoConfiguracoes texto = ventaro::CarregarConfiguracoes(config);
    edt_num_anos_->setText(QString::fromStdString(texto.NumAnos));
    edt_a_partir_->setText(QString::fromStdString(texto.APartir));
    chk_correcao_->setChecked(texto.Correcao);
    const VariaveisSimuladas& v = texto.Variaveis;
    cb_prec_->setChecked(v.SimularPrec);
    cb_tmax_->setChecked(v.SimularTMax);
    cb_tmin_->setChecked(v.SimularTMin);
    cb_rad_->setChecked(v.SimularRad);
    cb_vvento_->setChecked(v.SimularVVento);
    cb_umid_->setChecked(v.SimularUmid);
    cb_variabilidade_anual_->setChecked(texto.VariabilidadeAnual);
    lbl_variabilidade_anual_->setText(QString::fromStdString(TextoVariabilidadeAnual(dados_)));
}

void TfrmConfiguracoes::btnConfiguracoesOkClick() {
    TextoConfiguracoes texto;
    texto.NumAnos = edt_num_anos_->text().toStdString();
    texto.APartir = edt_a_partir_->text().toStdString();
    texto.Correcao = chk_correcao_->isChecked();
    VariaveisSimuladas& v = texto.Variaveis;
    v.SimularPrec = cb_prec_->isChecked();
    v.SimularTMax = cb_tmax_->isChecked();
    v.SimularTMin = cb_tmin_->isChecked();
    v.SimularRad = cb_rad_->isChecked();
    v.SimularVVento = cb_vvento_->isChecked();
    v.SimularUmid = cb_umid_->isChecked();
    texto.VariabilidadeAnual = cb_variabilidade_anual_->isChecked();

    // Every field is checked before the panel goes away, so that a bad value never reaches
    // the settings half-written.
    const Validacao validacao = ValidarConfiguracoes(texto, dados_);
    const QString titulo = QString::fromUtf8(kTituloAplicacao);
    const QString mensagem = QString::fromStdString(validacao.Mensagem);
    const QString detalhe = QString::fromStdString(validacao.Detalhe);
    switch (validacao.Resultado) {
        case ResultadoValidacao::CampoInvalido:
            if (dialogos_.Confirmar(window(), titulo, mensagem, detalhe)) {
                emit configuracoesAlteradas(ConfiguracaoSerie::Padroes());
                emit fechado();
            }
            break;
        case ResultadoValidacao::FaltaEstacaoPrec:
        case ResultadoValidacao::FaltaEstacaoClima:
        case ResultadoValidacao::SemTotaisPrec:
            dialogos_.Mensagem(window(), Dialogos::Icone::Nenhum, titulo, mensagem, detalhe);
            break;
        case ResultadoValidacao::Valida:
            emit fechado();
            emit configuracoesAlteradas(validacao.Configuracao);
            break;
    }
    emit concluido();
}

void TfrmConfiguracoes::btnConfiguracoesCancelarClick() {
    emit concluido();
    emit fechado();
}

}  // namespace ventaro
