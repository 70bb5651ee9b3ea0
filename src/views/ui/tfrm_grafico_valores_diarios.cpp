#include "views/ui/tfrm_grafico_valores_diarios.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "views/ui/abas_graficos.h"
#include "views/ui/grafico.h"
#include "views/valores_diarios.h"

namespace ventaro {

namespace {

std::vector<AbasGraficos::Aba> Abas() {
    std::vector<AbasGraficos::Aba> abas;
    for (const GraficoDiario& g : GraficosDiarios()) {
        abas.push_back(
            {g.Externa, QString::fromStdString(g.Nome), QString::fromStdString(g.Legenda)});
    }
    return abas;
}

}  // namespace

TfrmGraficoValoresDiarios::TfrmGraficoValoresDiarios(FonteResultados fonte, Dialogos& dialogos,
                                                     QWidget* pai)
    : QWidget(pai), fonte_(std::move(fonte)) {
    setObjectName(QStringLiteral("frmGraficoValoresDiarios1"));
    abas_ = new AbasGraficos(
        QStringLiteral("pgGraficoValoresDiarios"), AbasExternasDiarias(), Abas(), &dialogos,
        [this](std::size_t aba, Grafico& grafico) {
            const GraficoDiario& g = GraficosDiarios()[aba];
            const Resultados r = fonte_();
            ValoresDiarios(g, r.Clima, r.Configuracao.Variaveis, valores_);
            grafico.MostrarDiario(g, valores_, SeparadorDecimalDoSistema());
        },
        this);
    btn_fechar_ = new QPushButton(QStringLiteral("&Fechar"), this);
    btn_fechar_->setObjectName(QStringLiteral("btnGraficoValoresDiariosFechar"));
    connect(btn_fechar_, &QPushButton::clicked, this, &TfrmGraficoValoresDiarios::fechado);

    auto* botoes = new QHBoxLayout;
    botoes->addStretch();
    botoes->addWidget(btn_fechar_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(abas_, 1);
    layout->addLayout(botoes);
}

void TfrmGraficoValoresDiarios::Exibir() {
    abas_->SelecionarPrimeira();
}

}  // namespace ventaro
