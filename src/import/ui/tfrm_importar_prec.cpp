#include "import/ui/tfrm_importar_prec.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "import/importacao_ana.h"
#include "import/texto.h"
#include "import/ui/dialogos_importacao.h"
#include "stations/banco_dados.h"
#include "stations/estacoes.h"
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

QString Numero(const std::optional<double>& v) {
    return v ? QString::number(*v, 'g', 10) : QString();
}

QString Coordenada(const std::optional<double>& v, std::string_view tipo) {
    if (!v) return QStringLiteral(" ");
    return Q(FormatarCoordenada(std::to_string(*v), tipo));
}

}  // namespace

TfrmImportarPrecBD::TfrmImportarPrecBD(Dialogos& dialogos, DialogosImportacao& dialogos_importacao,
                                       std::filesystem::path arquivo_banco, QWidget* pai)
    : QWidget(pai),
      dialogos_(dialogos),
      dialogos_importacao_(dialogos_importacao),
      arquivo_banco_(std::move(arquivo_banco)) {
    setObjectName(QStringLiteral("frmImportarPrecBD1"));
    cb_estado_ = new QComboBox(this);
    cb_estado_->setObjectName(QStringLiteral("cbEstadoEscolhe"));

    auto* gb_opcoes = new QGroupBox(QStringLiteral("Opções de importação"), this);
    gb_opcoes->setObjectName(QStringLiteral("rgOpcoesImportacao"));
    auto* layout_opcoes = new QVBoxLayout(gb_opcoes);
    for (const char* texto :
         {"Importar somente as estações selecionadas", "Importar todas as estações deste estado",
          "Importar todas as estações do banco de dados"}) {
        opcoes_.push_back(new QRadioButton(QString::fromUtf8(texto), gb_opcoes));
        layout_opcoes->addWidget(opcoes_.back());
    }
    opcoes_[0]->setChecked(true);

    sg_estacoes_ = new QTableWidget(0, 5, this);
    sg_estacoes_->setObjectName(QStringLiteral("sgEstacoesDados"));
    sg_estacoes_->setHorizontalHeaderLabels(
        {QStringLiteral("Código"), QStringLiteral("Nome"), QStringLiteral("Latitude"),
         QStringLiteral("Longitude"), QStringLiteral("Altitude")});
    sg_estacoes_->setSelectionBehavior(QAbstractItemView::SelectRows);
    sg_estacoes_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sg_estacoes_->verticalHeader()->hide();
    // Codes are eight digits; the name takes whatever width the window gives.
    const int larguras[] = {80, 266, 85, 85, 60};
    for (int c = 0; c < 5; ++c) sg_estacoes_->setColumnWidth(c, larguras[c]);
    sg_estacoes_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);

    // The identity of a HidroWeb station, in two lines: names, then the coordinates. Shown only
    // for HidroWeb exports, so that an Access database leaves its room to the station grid.
    gb_identidade_ =
        new QGroupBox(QStringLiteral("Dados da estação (séries do HidroWeb sem inventário)"), this);
    gb_identidade_->setObjectName(QStringLiteral("gbIdentidade"));
    auto* nomes = new QHBoxLayout;
    auto* coordenadas = new QHBoxLayout;
    auto novo = [&](QHBoxLayout* linha, const char* nome, const char* rotulo, int esticar) {
        auto* e = new QLineEdit(gb_identidade_);
        e->setObjectName(QString::fromLatin1(nome));
        auto* r = new QLabel(QString::fromUtf8(rotulo), gb_identidade_);
        r->setBuddy(e);
        linha->addWidget(r);
        linha->addWidget(e, esticar);
        return e;
    };
    edt_nome_ = novo(nomes, "edtNome", "Nome:", 3);
    edt_municipio_ = novo(nomes, "edtMunicipio", "Município:", 2);
    edt_latitude_ = novo(coordenadas, "edtLatitude", "Latitude:", 1);
    edt_longitude_ = novo(coordenadas, "edtLongitude", "Longitude:", 1);
    edt_altitude_ = novo(coordenadas, "edtAltitude", "Altitude:", 1);
    btn_inventario_ = new QPushButton(QStringLiteral("Inventário..."), gb_identidade_);
    btn_inventario_->setObjectName(QStringLiteral("btnInventario"));
    coordenadas->addWidget(btn_inventario_);
    auto* linhas_identidade = new QVBoxLayout(gb_identidade_);
    linhas_identidade->addLayout(nomes);
    linhas_identidade->addLayout(coordenadas);
    gb_identidade_->setEnabled(false);
    gb_identidade_->hide();

    mem_mensagens_ = new QPlainTextEdit(this);
    mem_mensagens_->setObjectName(QStringLiteral("memMensagens"));
    mem_mensagens_->setReadOnly(true);
    lbl_calculando_ = new QLabel(this);
    lbl_calculando_->setObjectName(QStringLiteral("lblCalculando"));
    lbl_calculando_->hide();
    pb_estado_ = new QProgressBar(this);
    pb_estado_->setObjectName(QStringLiteral("pbEstado"));
    pb_estado_->hide();
    pb_total_ = new QProgressBar(this);
    pb_total_->setObjectName(QStringLiteral("pbTotal"));
    pb_total_->hide();
    btn_importar_ = new QPushButton(QStringLiteral("Importar"), this);
    btn_importar_->setObjectName(QStringLiteral("btnImportar"));
    btn_cancelar_ = new QPushButton(QStringLiteral("Cancelar"), this);
    btn_cancelar_->setObjectName(QStringLiteral("btnCancelar"));

    // State and options beside the messages, the identity of a HidroWeb station, then the
    // station grid with every pixel left, and the progress beside the buttons.
    auto* topo = new QGridLayout;
    topo->addWidget(new QLabel(QStringLiteral("Estado"), this), 0, 0);
    topo->addWidget(cb_estado_, 1, 0);
    topo->addWidget(gb_opcoes, 2, 0);
    topo->addWidget(new QLabel(QStringLiteral("Mensagens"), this), 0, 1);
    topo->addWidget(mem_mensagens_, 1, 1, 2, 1);
    topo->setColumnStretch(1, 1);
    // The messages take the height of the state and options, never more: the rest is the
    // grid's.
    mem_mensagens_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
    gb_opcoes->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    auto* rodape = new QHBoxLayout;
    rodape->addWidget(lbl_calculando_);
    rodape->addWidget(pb_estado_, 1);
    rodape->addWidget(pb_total_, 1);
    rodape->addStretch();
    rodape->addWidget(btn_importar_);
    rodape->addWidget(btn_cancelar_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(topo);
    layout->addWidget(gb_identidade_);
    layout->addWidget(sg_estacoes_, 1);
    layout->addLayout(rodape);

    connect(cb_estado_, &QComboBox::currentTextChanged, this,
            &TfrmImportarPrecBD::cbEstadoEscolheChange);
    connect(sg_estacoes_, &QTableWidget::currentCellChanged, this,
            [this](int linha) { MostrarIdentidade(linha); });
    connect(btn_importar_, &QPushButton::clicked, this, &TfrmImportarPrecBD::btnImportarClick);
    connect(btn_cancelar_, &QPushButton::clicked, this, &TfrmImportarPrecBD::btnCancelarClick);
    connect(btn_inventario_, &QPushButton::clicked, this, [this] {
        const auto arquivo = dialogos_.NomeArquivoAbrir(
            this, QStringLiteral("Abrir inventário de estações"),
            QStringLiteral("Arquivos CSV (*.csv);;Todos os Arquivos (*)"), TipoArquivo::Estacoes);
        if (arquivo) CarregarInventario(*arquivo);
    });
}

TfrmImportarPrecBD::~TfrmImportarPrecBD() = default;

void TfrmImportarPrecBD::Abrir() {
    mem_mensagens_->clear();
    const auto arquivo = dialogos_.NomeArquivoAbrir(
        this, QStringLiteral("Abrir banco de dados"),
        QStringLiteral("Arquivos MDB e séries do HidroWeb (*.mdb *.csv *.txt *.TXT);;"
                       "Arquivos MDB (*.mdb);;Todos os Arquivos (*)"),
        TipoArquivo::Importacao);
    if (!arquivo || !AbrirArquivo(*arquivo)) hide();
}

bool TfrmImportarPrecBD::AbrirArquivo(const QString& arquivo) {
    try {
        CursorOcupado cursor;
        fonte_.reset();
        auto fonte = std::make_unique<FonteAna>(S(arquivo));
        fonte->UsarInventario(inventario_);
        fonte_ = std::move(fonte);
        if (fonte_->Access()) {
            gb_identidade_->setEnabled(false);
            gb_identidade_->hide();
            // The state list is kept sorted; the first state is listed.
            const QSignalBlocker bloqueio(cb_estado_);
            cb_estado_->clear();
            for (const std::string& nome : fonte_->Estados()) cb_estado_->addItem(Q(nome));
            cb_estado_->setEnabled(true);
            cb_estado_->setCurrentIndex(0);
            ListarEstado(cb_estado_->currentText());
        } else {
            gb_identidade_->setEnabled(true);
            gb_identidade_->show();
            cb_estado_->clear();
            cb_estado_->setEnabled(false);
            ListarHidroweb();
        }
        AjustarOpcoes();
        return true;
    } catch (const std::exception& e) {
        fonte_.reset();
        dialogos_.Mensagem(this, Dialogos::Icone::Erro, QStringLiteral("Erro"),
                           QStringLiteral("Erro ao conectar Banco de Dados."),
                           QString::fromUtf8(e.what()));
        return false;
    }
}

void TfrmImportarPrecBD::CarregarInventario(const QString& arquivo) {
    try {
        inventario_ = LerInventarioAna(S(arquivo));
        if (fonte_) {
            fonte_->UsarInventario(inventario_);
            if (!fonte_->Access()) {
                ListarHidroweb();
                AjustarOpcoes();
            }
        }
    } catch (const std::exception& e) {
        dialogos_.Mensagem(this, Dialogos::Icone::Erro, QStringLiteral("Erro"),
                           QString::fromUtf8(e.what()));
    }
}

void TfrmImportarPrecBD::cbEstadoEscolheChange() {
    if (fonte_ && fonte_->Access() && !cb_estado_->currentText().isEmpty()) {
        ListarEstado(cb_estado_->currentText());
    }
}

void TfrmImportarPrecBD::ListarEstado(const QString& nome) {
    try {
        const auto estacoes = fonte_->EstacoesDoEstado(S(nome));
        PreencherGrade(estacoes ? *estacoes : std::vector<EstacaoAna>{});
    } catch (const ErroTabelaAna& e) {
        ErroTabela(e.Tabela());
    }
}

void TfrmImportarPrecBD::ListarHidroweb() {
    PreencherGrade(fonte_->EstacoesHidroweb());
}

void TfrmImportarPrecBD::PreencherGrade(const std::vector<EstacaoAna>& estacoes) {
    estacoes_grade_ = estacoes;
    sg_estacoes_->clearContents();
    sg_estacoes_->setRowCount(std::max<int>(1, static_cast<int>(estacoes.size())));
    for (std::size_t i = 0; i < estacoes.size(); ++i) {
        const EstacaoAna& e = estacoes[i];
        const QString altitude =
            !e.Altitude || *e.Altitude == 0 ? QStringLiteral("  -  ") : Numero(e.Altitude);
        const QStringList celulas = {Q(CodigoAna8(e.Codigo)), Q(e.Nome),
                                     Coordenada(e.Latitude, "Latitude"),
                                     Coordenada(e.Longitude, "Longitude"), altitude};
        for (int c = 0; c < celulas.size(); ++c) {
            sg_estacoes_->setItem(static_cast<int>(i), c, new QTableWidgetItem(celulas[c]));
        }
    }
    sg_estacoes_->setEnabled(!estacoes.empty());
    if (!estacoes.empty()) sg_estacoes_->selectRow(0);
    MostrarIdentidade(sg_estacoes_->currentRow());
}

void TfrmImportarPrecBD::AjustarOpcoes() {
    // A file of one station has no state or database to import in full.
    const bool uma_estacao =
        estacoes_grade_.size() <= 1 && (!fonte_ || !fonte_->Access() || cb_estado_->count() <= 1);
    opcoes_[1]->setEnabled(!uma_estacao);
    opcoes_[2]->setEnabled(!uma_estacao && fonte_ && fonte_->Access());
    if (!opcoes_[static_cast<std::size_t>(OpcaoEscolhida())]->isEnabled()) {
        opcoes_[0]->setChecked(true);
    }
}

void TfrmImportarPrecBD::MostrarIdentidade(int linha) {
    if (!fonte_ || fonte_->Access()) return;
    const bool valida = linha >= 0 && linha < static_cast<int>(estacoes_grade_.size());
    const auto inventariada =
        valida ? inventario_.find(estacoes_grade_[static_cast<std::size_t>(linha)].Codigo)
               : inventario_.end();
    const bool do_inventario = inventariada != inventario_.end();
    // The inventory's identity is shown as it will be written, and is not edited here; a
    // station outside it takes what the user types.
    if (do_inventario) {
        const EstacaoAna& e = inventariada->second;
        edt_nome_->setText(Q(e.Nome));
        edt_municipio_->setText(Q(e.Municipio));
        edt_latitude_->setText(Numero(e.Latitude));
        edt_longitude_->setText(Numero(e.Longitude));
        edt_altitude_->setText(Numero(e.Altitude));
    } else if (identidade_do_inventario_) {
        for (QLineEdit* e :
             {edt_nome_, edt_municipio_, edt_latitude_, edt_longitude_, edt_altitude_}) {
            e->clear();
        }
    }
    identidade_do_inventario_ = do_inventario;
    for (QLineEdit* e : {edt_nome_, edt_municipio_, edt_latitude_, edt_longitude_, edt_altitude_}) {
        e->setReadOnly(do_inventario);
    }
}

int TfrmImportarPrecBD::OpcaoEscolhida() const {
    for (std::size_t i = 0; i < opcoes_.size(); ++i) {
        if (opcoes_[i]->isChecked()) return static_cast<int>(i);
    }
    return 0;
}

void TfrmImportarPrecBD::Mensagem(const QString& linha) {
    mem_mensagens_->appendPlainText(linha);
}

void TfrmImportarPrecBD::MostrarErroTabela(TabelaAna tabela) {
    if (!lote_) {
        dialogos_.Mensagem(this, Dialogos::Icone::Erro, QStringLiteral("Erro"),
                           Q(MensagemErroTabela(tabela)));
    }
}

void TfrmImportarPrecBD::ErroTabela(TabelaAna tabela) {
    MostrarErroTabela(tabela);
    Mensagem(Q(LinhaErroTabela(tabela)));
}

void TfrmImportarPrecBD::HabilitarControles(bool habilitar) {
    btn_importar_->setEnabled(habilitar);
    cb_estado_->setEnabled(habilitar && fonte_ && fonte_->Access());
}

void TfrmImportarPrecBD::MostrarProgresso(std::size_t estacoes) {
    progresso_ = true;
    lbl_calculando_->show();
    pb_estado_->setRange(0, static_cast<int>(estacoes));
    pb_estado_->setValue(0);
    pb_estado_->show();
}

void TfrmImportarPrecBD::EsconderProgresso() {
    progresso_ = false;
    pb_estado_->setValue(0);
    pb_estado_->hide();
    lbl_calculando_->hide();
}

// The panel's side of a run: the replace confirmation, the region input box, the identity
// fields of a HidroWeb station outside the inventory, the progress with its cancel check, and
// the message list.
class TfrmImportarPrecBD::Decisoes : public DecisoesImportacaoAna {
  public:
    explicit Decisoes(TfrmImportarPrecBD& painel) : p_(painel) {}

    RespostaSubstituir Substituir(const std::string& codigo8) override {
        return p_.dialogos_importacao_.ConfirmarSubstituicao(
            &p_, Q("A estação " + codigo8 + " já está no banco de dados. Substituir os dados?"));
    }

    std::optional<int> Regiao(const EstacaoAna& estacao) override {
        QString ultima;
        // An integer outside 1 to 7 asks again, showing what was typed.
        while (true) {
            const auto texto = p_.dialogos_importacao_.PedirTexto(
                &p_, QStringLiteral("Inserindo estação"), Q(TextoPerguntaRegiao(estacao)), ultima);
            if (!texto) return std::nullopt;
            ultima = *texto;
            const auto regiao = LerInteiro(S(*texto));
            if (regiao && *regiao >= 1 && *regiao <= 7) return static_cast<int>(*regiao);
        }
    }

    std::optional<EstacaoAna> IdentidadeForaDoInventario(int64_t codigo) override {
        EstacaoAna e;
        e.Codigo = codigo;
        e.Nome = S(p_.edt_nome_->text().trimmed());
        e.Municipio = S(p_.edt_municipio_->text().trimmed());
        e.Latitude = LerDecimal(S(p_.edt_latitude_->text()));
        e.Longitude = LerDecimal(S(p_.edt_longitude_->text()));
        bool altitude_invalida = false;
        e.Altitude = LerDecimal(S(p_.edt_altitude_->text()), &altitude_invalida);
        if (e.Nome.empty() || !e.Latitude || !e.Longitude || altitude_invalida) {
            p_.dialogos_.Mensagem(&p_, Dialogos::Icone::Erro, QStringLiteral("Erro"),
                                  QStringLiteral("Informe o nome, a latitude e a longitude da "
                                                 "estação %1, ou carregue um inventário de "
                                                 "estações da ANA.")
                                      .arg(Q(CodigoAna8(codigo))));
            return std::nullopt;
        }
        return e;
    }

    bool Continuar(std::size_t indice, const EstacaoAna& listada) override {
        if (p_.progresso_) {
            // Lets "Cancelar" reach the run between two stations.
            QCoreApplication::processEvents();
            if (p_.cancelar_) return false;
            p_.pb_estado_->setValue(static_cast<int>(indice + 1));
        }
        p_.lbl_calculando_->setText(Q("Calculando: " + CodigoAna8(listada.Codigo) + "."));
        return true;
    }

    bool ContinuarEstado(const std::string& nome,
                         const std::vector<EstacaoAna>& estacoes) override {
        QCoreApplication::processEvents();
        if (p_.cancelar_) return false;
        const int indice = p_.cb_estado_->findText(Q(nome));
        p_.pb_total_->setValue(indice);
        {
            const QSignalBlocker bloqueio(p_.cb_estado_);
            p_.cb_estado_->setCurrentIndex(indice);
        }
        p_.PreencherGrade(estacoes);
        p_.MostrarProgresso(estacoes.size());
        return true;
    }

    void Mensagem(const std::string& linha) override { p_.Mensagem(Q(linha)); }
    void ErroTabela(TabelaAna tabela) override { p_.MostrarErroTabela(tabela); }
    void Relatar(const EstacaoAna& estacao, ResultadoEstacaoAna resultado, int num_anos) override {
        if (resultado == ResultadoEstacaoAna::PoucosAnos) {
            p_.Mensagem(Q(TextoPoucosAnos(CodigoAna8(estacao.Codigo), num_anos)));
        }
    }

  private:
    TfrmImportarPrecBD& p_;
};

void TfrmImportarPrecBD::btnImportarClick() {
    if (!fonte_) return;
    mem_mensagens_->clear();
    cancelar_ = false;
    std::optional<BancoDados> banco;
    try {
        banco.emplace(arquivo_banco_, BancoDados::Modo::Escrita);
    } catch (const std::exception& e) {
        dialogos_.Mensagem(this, Dialogos::Icone::Erro, QStringLiteral("Erro"),
                           QStringLiteral("Erro ao conectar Banco de Dados."),
                           QString::fromUtf8(e.what()));
        return;
    }
    Decisoes decisoes(*this);
    ImportacaoAna run(*banco, decisoes);
    const int opcao = OpcaoEscolhida();
    HabilitarControles(false);
    if (opcao == 0) {
        const int linha = sg_estacoes_->currentRow();
        if (linha >= 0 && linha < static_cast<int>(estacoes_grade_.size())) {
            run.ImportarEstacoes(*fonte_, {estacoes_grade_[static_cast<std::size_t>(linha)]});
        } else {
            ErroTabela(TabelaAna::Chuvas);
        }
    } else if (opcao == 1) {
        MostrarProgresso(estacoes_grade_.size());
        run.ImportarEstacoes(*fonte_, estacoes_grade_);
        EsconderProgresso();
    } else {
        lote_ = true;
        pb_total_->setRange(0, std::max(0, cb_estado_->count() - 1));
        pb_total_->show();
        std::vector<std::string> nomes;
        for (int e = 0; e < cb_estado_->count(); ++e) nomes.push_back(S(cb_estado_->itemText(e)));
        run.ImportarEstados(*fonte_, nomes);
        EsconderProgresso();
        pb_total_->hide();
        lote_ = false;
    }
    cancelar_ = false;
    HabilitarControles(true);
    for (const std::string& linha : LinhasDeContagem(run.Novas(), run.Substituidas())) {
        Mensagem(Q(linha));
    }
    resumo_ = Q(run.LinhaResumo());
    Mensagem(resumo_);
    if (run.Novas() + run.Substituidas() > 0) emit estacoesGravadas();
}

void TfrmImportarPrecBD::btnCancelarClick() {
    if (btn_importar_->isEnabled()) {
        hide();
    } else {
        cancelar_ = true;
    }
}

}  // namespace ventaro
