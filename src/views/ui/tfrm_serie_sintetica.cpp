#include "views/ui/tfrm_serie_sintetica.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "views/tabelas_serie.h"
#include "views/ui/grafico.h"
#include "views/ui/modelos.h"

namespace ventaro {

TfrmSerieSintetica::TfrmSerieSintetica(FonteResultados fonte, QWidget* pai)
    : QWidget(pai),
      fonte_(std::move(fonte)),
      modelo_(new ModeloTabela(this)),
      sg_grafico_curva_(new QTableView(this)),
      btn_fechar_(new QPushButton(QStringLiteral("&Fechar"), this)) {
    setObjectName(QStringLiteral("frmSerieSintetica1"));
    sg_grafico_curva_->setObjectName(QStringLiteral("sgGraficoCurva"));
    sg_grafico_curva_->setModel(modelo_);
    sg_grafico_curva_->verticalHeader()->hide();
    sg_grafico_curva_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    sg_grafico_curva_->verticalHeader()->setDefaultSectionSize(20);
    sg_grafico_curva_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    sg_grafico_curva_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    btn_fechar_->setObjectName(QStringLiteral("btnGraficoCurvaFechar"));
    connect(btn_fechar_, &QPushButton::clicked, this, &TfrmSerieSintetica::fechado);

    auto* botoes = new QHBoxLayout;
    botoes->addStretch();
    botoes->addWidget(btn_fechar_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(sg_grafico_curva_, 1);
    layout->addLayout(botoes);
}

void TfrmSerieSintetica::Exibir() {
    const Resultados r = fonte_();
    modelo_->DefinirTabela(std::make_unique<TabelaSerie>(
        r.Clima, r.Configuracao.Variaveis.SimularPrec, SeparadorDecimalDoSistema()));
    AplicarLarguras(sg_grafico_curva_, *modelo_->Tabela());
}

}  // namespace ventaro
