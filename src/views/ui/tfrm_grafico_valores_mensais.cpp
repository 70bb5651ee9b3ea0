#include "views/ui/tfrm_grafico_valores_mensais.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "views/ui/abas_graficos.h"
#include "views/ui/grade_mensal_ui.h"
#include "views/ui/grafico.h"
#include "views/valores_mensais.h"

namespace ventaro {

namespace {

std::vector<AbasGraficos::Aba> Abas() {
    std::vector<AbasGraficos::Aba> abas;
    for (const AbaMensal& a : AbasMensais()) {
        abas.push_back(
            {a.Externa, QString::fromStdString(a.Nome), QString::fromStdString(a.Legenda)});
    }
    return abas;
}

}  // namespace

TfrmGraficoValoresMensais::TfrmGraficoValoresMensais(FonteResultados fonte, Dialogos& dialogos,
                                                     QWidget* pai)
    : QWidget(pai), fonte_(std::move(fonte)) {
    setObjectName(QStringLiteral("frmGraficoValoresMensais1"));
    grade_ = new VisaoGradeMensal(QStringLiteral("sgGraficoValoresMensais"), true, this);
    abas_ = new AbasGraficos(
        QStringLiteral("pgGraficoValoresMensais"), AbasExternasMensais(), Abas(), &dialogos,
        [this](std::size_t indice, Grafico& grafico) {
            const AbaMensal& aba = AbasMensais()[indice];
            const char separador = SeparadorDecimalDoSistema();
            const AbaMensalCalculada calculada = CalcularAbaMensal(aba, fonte_(), separador);
            grafico.MostrarMensal(aba, calculada, separador);
            grade_->Mostrar(calculada.Grade);
        },
        this);
    btn_fechar_ = new QPushButton(QStringLiteral("&Fechar"), this);
    btn_fechar_->setObjectName(QStringLiteral("btnGraficoValoresMensaisFechar"));
    connect(btn_fechar_, &QPushButton::clicked, this, &TfrmGraficoValoresMensais::fechado);

    auto* botoes = new QHBoxLayout;
    botoes->addStretch();
    botoes->addWidget(btn_fechar_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(abas_, 1);
    layout->addWidget(grade_);
    layout->addLayout(botoes);
}

void TfrmGraficoValoresMensais::Exibir() {
    abas_->SelecionarPrimeira();
}

}  // namespace ventaro
