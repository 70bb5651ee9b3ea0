#include "views/ui/abas_graficos.h"

#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

#include "views/ui/grafico.h"

namespace ventaro {

AbasGraficos::AbasGraficos(const QString& nome, const std::vector<AbaExterna>& externas,
                           std::vector<Aba> abas, Dialogos* dialogos, Preencher preencher,
                           QWidget* pai)
    : QWidget(pai),
      abas_(std::move(abas)),
      dialogos_(dialogos),
      preencher_(std::move(preencher)),
      externas_(new QTabWidget(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(externas_);
    externas_->setObjectName(nome);
    for (const AbaExterna& externa : externas) {
        auto* interna = new QTabWidget;
        interna->setObjectName(QString::fromStdString(externa.Conjunto));
        interna->setTabPosition(QTabWidget::South);
        interna->setUsesScrollButtons(true);
        auto* pagina = new QWidget;
        pagina->setObjectName(QString::fromStdString(externa.Nome));
        auto* layout_pagina = new QVBoxLayout(pagina);
        layout_pagina->setContentsMargins(2, 2, 2, 2);
        layout_pagina->addWidget(interna);
        externas_->addTab(pagina, QString::fromStdString(externa.Legenda));
        internas_.push_back(interna);
        primeira_.push_back(abas_.size());
    }
    graficos_.assign(abas_.size(), nullptr);
    for (std::size_t i = 0; i < abas_.size(); ++i) {
        const Aba& aba = abas_[i];
        if (primeira_[static_cast<std::size_t>(aba.Externa)] > i) {
            primeira_[static_cast<std::size_t>(aba.Externa)] = i;
        }
        auto* pagina = new QWidget;
        pagina->setObjectName(aba.Nome);
        auto* layout_pagina = new QVBoxLayout(pagina);
        layout_pagina->setContentsMargins(0, 0, 0, 0);
        Internas(aba.Externa)->addTab(pagina, aba.Legenda);
        paginas_.push_back(pagina);
    }
    connect(externas_, &QTabWidget::currentChanged, this, &AbasGraficos::ExternaAlterada);
    for (QTabWidget* interna : internas_) {
        connect(interna, &QTabWidget::currentChanged, this, [this, interna] {
            if (Internas(externas_->currentIndex()) == interna) PreencherAtual();
        });
    }
}

void AbasGraficos::ExternaAlterada(int externa) {
    QTabWidget* interna = Internas(externa);
    {
        const QSignalBlocker bloqueio(interna);
        interna->setCurrentIndex(0);
    }
    PreencherAtual();
}

void AbasGraficos::SelecionarPrimeira() {
    {
        const QSignalBlocker bloqueio(externas_);
        externas_->setCurrentIndex(0);
    }
    ExternaAlterada(0);
}

std::size_t AbasGraficos::AbaAtual() const {
    const int externa = externas_->currentIndex();
    return primeira_[static_cast<std::size_t>(externa)] +
           static_cast<std::size_t>(Internas(externa)->currentIndex());
}

Grafico& AbasGraficos::GraficoDaAba(std::size_t aba) {
    if (graficos_[aba] == nullptr) {
        auto* grafico = new Grafico(dialogos_, paginas_[aba]);
        paginas_[aba]->layout()->addWidget(grafico);
        graficos_[aba] = grafico;
    }
    return *graficos_[aba];
}

void AbasGraficos::PreencherAtual() {
    if (externas_->currentIndex() < 0) return;
    const std::size_t aba = AbaAtual();
    preencher_(aba, GraficoDaAba(aba));
}

}  // namespace ventaro
