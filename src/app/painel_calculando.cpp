#include "app/painel_calculando.h"

#include <QFormLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <limits>

#include "core/calendario.h"

namespace ventaro {

PainelCalculando::PainelCalculando(QWidget* pai) : QFrame(pai) {
    setObjectName(QStringLiteral("panCalculando"));
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(4);
    setAutoFillBackground(true);
    setFixedSize(321, 193);

    QFont negrito = font();
    negrito.setBold(true);

    auto* titulo = new QLabel(QStringLiteral("Calculando a série"), this);
    titulo->setFont(negrito);
    titulo->setAlignment(Qt::AlignCenter);

    lbl_passo_ = new QLabel(QStringLiteral("Simulando"), this);
    lbl_passo_->setObjectName(QStringLiteral("lblPasso"));
    lbl_passo_->setFont(negrito);
    lbl_passo_->setWordWrap(true);
    lbl_passo_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    // Two lines, so that the panel does not jump when a long step text wraps.
    lbl_passo_->setFixedHeight(2 * lbl_passo_->fontMetrics().lineSpacing() + 2);

    lbl_num_total_ = new QLabel(QStringLiteral("0"), this);
    lbl_num_total_->setObjectName(QStringLiteral("lblNumTotalDeAnos"));
    lbl_anos_calculados_ = new QLabel(QStringLiteral("0"), this);
    lbl_anos_calculados_->setObjectName(QStringLiteral("lblAnosCalculados"));

    auto* anos = new QFormLayout;
    anos->setFormAlignment(Qt::AlignHCenter);
    anos->setLabelAlignment(Qt::AlignRight);
    anos->addRow(QStringLiteral("Número total de anos:"), lbl_num_total_);
    anos->addRow(QStringLiteral("Anos calculados:"), lbl_anos_calculados_);

    prb_calculando_ = new QProgressBar(this);
    prb_calculando_->setObjectName(QStringLiteral("prbCalculando"));
    prb_calculando_->setTextVisible(false);
    prb_calculando_->setRange(0, 0);
    prb_calculando_->setValue(0);

    btn_cancelar_ = new QPushButton(QStringLiteral("Cancelar"), this);
    btn_cancelar_->setObjectName(QStringLiteral("btnCancelar"));
    connect(btn_cancelar_, &QPushButton::clicked, this, &PainelCalculando::cancelarClicado);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 10, 12, 10);
    layout->setSpacing(6);
    layout->addWidget(titulo);
    layout->addWidget(lbl_passo_);
    layout->addLayout(anos);
    layout->addWidget(prb_calculando_);
    layout->addWidget(btn_cancelar_, 0, Qt::AlignHCenter);
}

void PainelCalculando::DefinirPasso(const QString& texto) {
    lbl_passo_->setText(texto);
}

void PainelCalculando::DefinirNumTotalDeAnos(int64_t anos) {
    lbl_num_total_->setText(QString::number(anos));
}

int PainelCalculando::Escalar(int64_t dia) const {
    return static_cast<int>(
        std::clamp<int64_t>(dia / divisor_, 0, std::numeric_limits<int>::max()));
}

void PainelCalculando::DefinirFaixa(int64_t minimo, int64_t maximo) {
    constexpr int64_t kMaximoBarra = std::numeric_limits<int>::max();
    divisor_ = std::max<int64_t>(1, maximo / kMaximoBarra + (maximo % kMaximoBarra != 0));
    prb_calculando_->setRange(Escalar(minimo), Escalar(maximo));
}

void PainelCalculando::DefinirPosicao(int64_t dia) {
    prb_calculando_->setValue(Escalar(dia));
    lbl_anos_calculados_->setText(QString::number(AnosCalculados(dia)));
}

}  // namespace ventaro
