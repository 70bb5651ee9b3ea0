#include "views/ui/tfrm_grafico_regressao.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "views/regressao_linear.h"
#include "views/ui/abas_graficos.h"
#include "views/ui/grade_mensal_ui.h"
#include "views/ui/grafico.h"

namespace ventaro {

namespace {

std::vector<AbasGraficos::Aba> Abas() {
    std::vector<AbasGraficos::Aba> abas;
    for (const AbaRegressao& a : AbasRegressao()) {
        abas.push_back(
            {a.Externa, QString::fromStdString(a.Nome), QString::fromStdString(a.Legenda)});
    }
    return abas;
}

// The chart's point marker, shown beside the grid's caption.
QPixmap Marcador() {
    QPixmap imagem(10, 10);
    imagem.fill(Qt::transparent);
    QPainter pintor(&imagem);
    pintor.setRenderHint(QPainter::Antialiasing);
    pintor.setPen(Qt::blue);
    pintor.setBrush(Qt::blue);
    pintor.drawEllipse(QRectF(2, 2, 6, 6));
    return imagem;
}

}  // namespace

TfrmGraficoRegressao::TfrmGraficoRegressao(FonteResultados fonte, Dialogos& dialogos, QWidget* pai)
    : QWidget(pai), fonte_(std::move(fonte)) {
    setObjectName(QStringLiteral("frmGraficoRegressao1"));
    grade_ = new VisaoGradeMensal(QStringLiteral("sgGraficoRegressao"), false, this);
    abas_ = new AbasGraficos(
        QStringLiteral("pgGraficoRegressao"), AbasExternasRegressao(), Abas(), &dialogos,
        [this](std::size_t indice, Grafico& grafico) {
            const AbaRegressao& aba = AbasRegressao()[indice];
            const char separador = SeparadorDecimalDoSistema();
            const AbaRegressaoCalculada calculada = CalcularAbaRegressao(aba, fonte_(), separador);
            grafico.MostrarRegressao(aba, calculada, separador);
            grade_->Mostrar(calculada.Grade);
        },
        this);
    btn_fechar_ = new QPushButton(QStringLiteral("&Fechar"), this);
    btn_fechar_->setObjectName(QStringLiteral("btnRegressaoFechar"));
    connect(btn_fechar_, &QPushButton::clicked, this, &TfrmGraficoRegressao::fechado);

    auto* marcador = new QLabel(this);
    marcador->setPixmap(Marcador());
    auto* legenda = new QLabel(QStringLiteral("Valores médios mensais."), this);
    auto* botoes = new QHBoxLayout;
    botoes->addWidget(marcador);
    botoes->addWidget(legenda);
    botoes->addStretch();
    botoes->addWidget(btn_fechar_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(abas_, 1);
    layout->addWidget(grade_);
    layout->addLayout(botoes);
}

void TfrmGraficoRegressao::Exibir() {
    abas_->SelecionarPrimeira();
}

}  // namespace ventaro
