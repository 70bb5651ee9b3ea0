#include "views/ui/tfrm_perfil.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "views/perfil_precipitacao.h"
#include "views/ui/grafico.h"

namespace ventaro {

TfrmPerfil::TfrmPerfil(FonteResultados fonte, Dialogos& dialogos, QWidget* pai)
    : QWidget(pai),
      fonte_(std::move(fonte)),
      cht_perfil_(new Grafico(&dialogos, this)),
      btn_fechar_(new QPushButton(QStringLiteral("&Fechar"), this)) {
    setObjectName(QStringLiteral("frmPerfil1"));
    cht_perfil_->setObjectName(QStringLiteral("chtPerfil"));
    btn_fechar_->setObjectName(QStringLiteral("btnPerfilFechar"));
    connect(btn_fechar_, &QPushButton::clicked, this, &TfrmPerfil::fechado);

    auto* grupo =
        new QGroupBox(QStringLiteral("Parâmetros da Equação de Intensidade de Pico"), this);
    auto* grade = new QGridLayout(grupo);
    const char* rotulos[] = {"Param. A:", "Param. B:", "Param. C:", "Param. D:", "Data:"};
    const char* nomes[] = {"lblValorParamA", "lblValorParamB", "lblValorParamC", "lblValorParamD",
                           "lblValorData"};
    for (int i = 0; i < 5; ++i) {
        auto* valor = new QLabel(grupo);
        valor->setObjectName(QString::fromLatin1(nomes[i]));
        valor->setTextInteractionFlags(Qt::TextSelectableByMouse);
        valores_[i] = valor;
        grade->addWidget(new QLabel(QString::fromLatin1(rotulos[i]), grupo), i / 3, (i % 3) * 2);
        grade->addWidget(valor, i / 3, (i % 3) * 2 + 1);
    }
    grade->setColumnStretch(1, 1);
    grade->setColumnStretch(3, 1);
    grade->setColumnStretch(5, 1);

    auto* botoes = new QHBoxLayout;
    botoes->addStretch();
    botoes->addWidget(btn_fechar_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(cht_perfil_, 1);
    layout->addWidget(grupo);
    layout->addLayout(botoes);
}

void TfrmPerfil::MostrarPerfil(int64_t dia) {
    const Resultados r = fonte_();
    if (dia < 1 || dia > r.Clima.NumDias) return;
    const char separador = SeparadorDecimalDoSistema();
    const PerfilDia perfil = CalcularPerfil(r.Clima, dia, separador);
    cht_perfil_->MostrarPerfil(perfil, separador);
    const std::string* textos[] = {&perfil.ParamA, &perfil.ParamB, &perfil.ParamC, &perfil.ParamD,
                                   &perfil.Data};
    for (int i = 0; i < 5; ++i) valores_[i]->setText(QString::fromStdString(*textos[i]));
}

}  // namespace ventaro
