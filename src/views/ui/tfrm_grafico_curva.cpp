#include "views/ui/tfrm_grafico_curva.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "views/tabelas_serie.h"
#include "views/ui/grafico.h"
#include "views/ui/modelos.h"

namespace ventaro {

TfrmGraficoCurva::TfrmGraficoCurva(FonteResultados fonte, QWidget* pai)
    : QWidget(pai),
      fonte_(std::move(fonte)),
      modelo_(new ModeloTabela(this)),
      sg_grafico_curva_(new QTableView(this)),
      btn_fechar_(new QPushButton(QStringLiteral("&Fechar"), this)) {
    setObjectName(QStringLiteral("frmGraficoCurva1"));
    sg_grafico_curva_->setObjectName(QStringLiteral("sgGraficoCurva"));
    sg_grafico_curva_->setModel(modelo_);
    sg_grafico_curva_->verticalHeader()->hide();
    // Fixed row heights let the view place 36 525 rows without measuring them.
    sg_grafico_curva_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    sg_grafico_curva_->verticalHeader()->setDefaultSectionSize(20);
    sg_grafico_curva_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    sg_grafico_curva_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sg_grafico_curva_->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(sg_grafico_curva_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& atual) {
                if (atual.isValid()) sgGraficoCurvaSelectCell(atual.row());
            });
    connect(sg_grafico_curva_, &QTableView::clicked, this,
            [this](const QModelIndex& indice) { sgGraficoCurvaSelectCell(indice.row()); });
    btn_fechar_->setObjectName(QStringLiteral("btnGraficoCurvaFechar"));
    connect(btn_fechar_, &QPushButton::clicked, this, &TfrmGraficoCurva::fechado);

    auto* botoes = new QHBoxLayout;
    botoes->addStretch();
    botoes->addWidget(btn_fechar_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(sg_grafico_curva_, 1);
    layout->addLayout(botoes);
}

void TfrmGraficoCurva::Exibir() {
    const Resultados r = fonte_();
    modelo_->DefinirTabela(std::make_unique<TabelaTempestades>(
        r.Clima, r.Configuracao.Variaveis.SimularPrec, SeparadorDecimalDoSistema()));
    AplicarLarguras(sg_grafico_curva_, *modelo_->Tabela());
}

void TfrmGraficoCurva::sgGraficoCurvaSelectCell(int linha) {
    const auto* tabela = static_cast<const TabelaTempestades*>(modelo_->Tabela());
    if (tabela == nullptr) return;
    const int64_t dia = tabela->DiaDaLinha(linha);
    // Without simulated storms the one row shows zeros and has no profile.
    if (dia > 0) emit perfilPedido(dia);
}

}  // namespace ventaro
