#include "app/splash.h"

#include <QLabel>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QVBoxLayout>
#include <array>
#include <cmath>

namespace ventaro {

namespace {

constexpr int kLargura = 559;
constexpr int kAltura = 339;

// A fixed pseudo-random sequence for the picture's bars, so that it looks the same every time.
class Sequencia {
  public:
    double Proximo() {
        estado_ = estado_ * 1103515245u + 12345u;
        return static_cast<double>((estado_ >> 8) & 0xFFFF) / 65536.0;
    }

  private:
    uint32_t estado_ = 2024;
};

}  // namespace

QPixmap DesenharSplash() {
    QPixmap imagem(kLargura, kAltura);
    QPainter p(&imagem);
    p.setRenderHint(QPainter::Antialiasing);

    // Sky from deep blue to a pale horizon.
    QLinearGradient ceu(0, 0, 0, kAltura);
    ceu.setColorAt(0.0, QColor(22, 58, 110));
    ceu.setColorAt(0.62, QColor(92, 150, 196));
    ceu.setColorAt(1.0, QColor(214, 230, 238));
    p.fillRect(imagem.rect(), ceu);

    // Sun with a soft halo.
    QRadialGradient halo(QPointF(455, 78), 70);
    halo.setColorAt(0.0, QColor(255, 236, 160, 230));
    halo.setColorAt(0.45, QColor(255, 210, 90, 120));
    halo.setColorAt(1.0, QColor(255, 210, 90, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(halo);
    p.drawEllipse(QPointF(455, 78), 70, 70);
    p.setBrush(QColor(255, 226, 120));
    p.drawEllipse(QPointF(455, 78), 26, 26);

    // A cloud with falling rain.
    p.setBrush(QColor(236, 241, 246));
    for (const auto& [x, y, r] : std::array<std::array<double, 3>, 5>{
             {{90, 92, 30}, {125, 74, 38}, {165, 88, 32}, {196, 100, 24}, {60, 104, 20}}}) {
        p.drawEllipse(QPointF(x, y), r, r);
    }
    p.drawRoundedRect(QRectF(52, 92, 160, 32), 16, 16);
    p.setPen(QPen(QColor(200, 225, 255, 200), 2, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 9; ++i) {
        const double x = 70 + i * 16;
        const double y = 134 + (i % 3) * 9;
        p.drawLine(QPointF(x, y), QPointF(x - 6, y + 16));
    }

    // Hills.
    QPainterPath colinas;
    colinas.moveTo(0, 262);
    colinas.cubicTo(120, 222, 220, 270, 330, 244);
    colinas.cubicTo(420, 224, 500, 236, kLargura, 226);
    colinas.lineTo(kLargura, kAltura);
    colinas.lineTo(0, kAltura);
    colinas.closeSubpath();
    QLinearGradient verde(0, 220, 0, kAltura);
    verde.setColorAt(0.0, QColor(98, 150, 82));
    verde.setColorAt(1.0, QColor(46, 92, 52));
    p.setPen(Qt::NoPen);
    p.setBrush(verde);
    p.drawPath(colinas);

    // A daily rain series as bars, and a temperature line above it.
    Sequencia sequencia;
    const double base = 326;
    p.setBrush(QColor(70, 130, 220, 210));
    for (int dia = 0; dia < 90; ++dia) {
        const double u = sequencia.Proximo();
        if (u < 0.55) continue;
        const double altura = 6 + 70 * std::pow(sequencia.Proximo(), 2.2);
        p.drawRect(QRectF(24 + dia * 5.7, base - altura, 3.6, altura));
    }
    QPainterPath temperatura;
    for (int i = 0; i <= 90; ++i) {
        const double x = 24 + i * 5.7;
        const double y = 206 - 22 * std::sin(i / 90.0 * 2 * M_PI - 0.6) - 6 * std::sin(i * 0.9) +
                         8 * (sequencia.Proximo() - 0.5);
        if (i == 0) {
            temperatura.moveTo(x, y);
        } else {
            temperatura.lineTo(x, y);
        }
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(232, 92, 60), 2.2));
    p.drawPath(temperatura);

    // Name and purpose.
    QFont titulo(QStringLiteral("DejaVu Sans"), 30, QFont::Bold);
    p.setFont(titulo);
    p.setPen(QColor(0, 0, 0, 90));
    p.drawText(QRectF(2, 164, kLargura, 50), Qt::AlignHCenter, QStringLiteral("Ventaro 2.0"));
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 162, kLargura, 50), Qt::AlignHCenter, QStringLiteral("Ventaro 2.0"));
    QFont subtitulo(QStringLiteral("DejaVu Sans"), 11);
    p.setFont(subtitulo);
    p.setPen(QColor(245, 248, 252));
    p.drawText(QRectF(0, 16, kLargura, 24), Qt::AlignHCenter,
               QStringLiteral("Gerador de séries climáticas diárias sintéticas"));

    p.setPen(QPen(QColor(255, 255, 255, 160), 1));
    p.drawRect(QRectF(0.5, 0.5, kLargura - 1, kAltura - 1));
    return imagem;
}

PainelSplash::PainelSplash(QWidget* pai) : QWidget(pai) {
    setObjectName(QStringLiteral("pnlSplash"));
    auto* imagem = new QLabel(this);
    imagem->setObjectName(QStringLiteral("imgSplash"));
    imagem->setPixmap(DesenharSplash());
    imagem->setFixedSize(kLargura, kAltura);
    // Clicks on the picture reach the panel, which handles both.
    imagem->setAttribute(Qt::WA_TransparentForMouseEvents);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(imagem, 0, Qt::AlignCenter);
}

void PainelSplash::mousePressEvent(QMouseEvent* evento) {
    emit clicado();
    QWidget::mousePressEvent(evento);
}

}  // namespace ventaro
