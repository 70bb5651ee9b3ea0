#pragma once

#include <QByteArray>
#include <QPixmap>
#include <QString>
#include <QWidget>
#include <vector>

#include "ui/separador_decimal.h"

class QCustomPlot;
class QCPTextElement;

namespace ventaro {

class Dialogos;
struct AbaMensal;
struct AbaMensalCalculada;
struct AbaRegressao;
struct AbaRegressaoCalculada;
struct GraficoDiario;
struct PerfilDia;

// One chart of the result views. It draws what a view model worked out, keeps the look every
// result chart shares (white, no grid lines, title on top, legend in one row under it), and adds
// what users of plotting tools expect: the wheel zooms, a drag pans, a double click puts the
// scales back, and the context menu offers "Salvar gráfico..." (PNG, PDF, SVG) and "Copiar".
class Grafico : public QWidget {
    Q_OBJECT
  public:
    // `dialogos` asks for the file name of "Salvar gráfico..."; without it the chart has no
    // context menu (the report draws charts with no one to ask).
    explicit Grafico(Dialogos* dialogos, QWidget* pai = nullptr);

    QCustomPlot* Plot() const { return plot_; }

    // A daily chart: one impulse per day, day d at x = d (an impulse keeps every day's peak
    // visible where 36 500 bars would be thinner than a pixel).
    void MostrarDiario(const GraficoDiario& grafico, const std::vector<double>& valores,
                       char separador);
    // A monthly chart: observed and generated bars side by side for each month.
    void MostrarMensal(const AbaMensal& aba, const AbaMensalCalculada& calculada, char separador);
    // A regression chart: the twelve pairs, the fitted line and its three labels.
    void MostrarRegressao(const AbaRegressao& aba, const AbaRegressaoCalculada& calculada,
                          char separador);
    // The intensity profile of a day. A dry day clears the curve and keeps the axis formats of
    // the last wet day shown.
    void MostrarPerfil(const PerfilDia& perfil, char separador);

    // Puts back the scales of the last drawing.
    void RestaurarEscala();

    // The chart as a file whose kind follows the suffix (.png, .pdf, .svg; any other is PNG).
    // Width and height 0 keep the widget's size. A file that cannot be written fails with an
    // ErroVentaro naming it and the reason.
    void Salvar(const QString& arquivo, int largura = 0, int altura = 0);
    QByteArray Svg(int largura, int altura);
    QByteArray Png(int largura, int altura);
    QPixmap Imagem(int largura = 0, int altura = 0);

  private:
    void PrepararLayout(const QString& titulo, bool legenda);
    void GuardarEscala();
    void MenuDeContexto(const QPoint& ponto);
    void SalvarComo();

    Dialogos* dialogos_;
    QCustomPlot* plot_;
    QCPTextElement* titulo_ = nullptr;
    bool legenda_fora_ = false;
    double escala_[4] = {0, 1, 0, 1};
};

}  // namespace ventaro
