#include "views/ui/grafico.h"

#include <qcustomplot.h>

#include <QBuffer>
#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocale>
#include <QMenu>
#include <QSvgGenerator>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "core/erro.h"
#include "output/arquivo_temporario.h"
#include "ui/dialogos.h"
#include "views/formato.h"
#include "views/perfil_precipitacao.h"
#include "views/regressao_linear.h"
#include "views/valores_diarios.h"
#include "views/valores_mensais.h"

namespace ventaro {

namespace {

// Axis labels written as the views' formats write them, with the user's decimal separator, on
// steps no finer than the format allows (whole steps for whole-number labels). An adaptive axis
// keeps whole-number labels while its range spans a few units and shows the decimals its step
// needs on a narrower range, which would otherwise carry no label at all.
class TickerFormatado : public QCPAxisTicker {
  public:
    TickerFormatado(const FormatoEixo& formato, char separador, bool adaptativo = false)
        : formato_(formato), separador_(separador), adaptativo_(adaptativo) {}

  protected:
    double getTickStep(const QCPRange& faixa) override {
        const double passo = QCPAxisTicker::getTickStep(faixa);
        casas_ = formato_.Casas;
        if (adaptativo_ && casas_ == 0 && faixa.size() < 2.0) {
            casas_ = std::max(0, static_cast<int>(std::ceil(-std::log10(passo) - 1e-9)));
            return passo;
        }
        // Labels with fixed decimals sit on multiples of their last digit, so that none is
        // rounded to a value it is not.
        double minimo = formato_.PassoMinimo;
        if (casas_ > 0) minimo = std::max(minimo, std::pow(10.0, -casas_));
        if (casas_ == 0 || formato_.Milhar) minimo = std::max(minimo, 1.0);
        return minimo > 0 ? PassoRedondo(passo, minimo) : passo;
    }
    // The smallest step of 1, 2 or 5 times a power of ten, at least `passo` and a multiple of
    // `minimo`.
    static double PassoRedondo(double passo, double minimo) {
        const double alvo = std::max(passo, minimo);
        for (int k = static_cast<int>(std::floor(std::log10(minimo))) - 1;; ++k) {
            for (const double m : {1.0, 2.0, 5.0}) {
                const double c = m * std::pow(10.0, k);
                const double vezes = c / minimo;
                if (c >= alvo * (1 - 1e-9) && std::abs(vezes - std::round(vezes)) < 1e-6) return c;
            }
        }
    }
    QString getTickLabel(double marca, const QLocale&, QChar, int) override {
        // A tick computed as a multiple of 0.1 may land a hair off: 0.30000000000000004.
        const double limpo = std::abs(marca) < 1e-12 ? 0.0 : marca;
        FormatoEixo formato = formato_;
        formato.Casas = casas_;
        return QString::fromStdString(FormatarRotuloEixo(limpo, formato, separador_));
    }

  private:
    FormatoEixo formato_;
    char separador_;
    bool adaptativo_;
    int casas_ = formato_.Casas;
};

void DefinirTicker(QCPAxis* eixo, const FormatoEixo& formato, char separador,
                   bool adaptativo = false) {
    eixo->setTicker(
        QSharedPointer<QCPAxisTicker>(new TickerFormatado(formato, separador, adaptativo)));
}

// The label decimals of a step: 0.01 gives 2, 0.5 gives 1, 0 (automatic) whole numbers.
FormatoEixo FormatoDoPasso(double passo) {
    FormatoEixo f;
    f.PassoMinimo = passo;
    f.Casas = passo > 0 ? std::max(0, static_cast<int>(std::ceil(-std::log10(passo) - 1e-9))) : 0;
    return f;
}

// A range that holds [menor, maior] with a margin, never empty.
QCPRange FaixaCom(double menor, double maior, double margem) {
    if (!(maior > menor)) {
        const double meio = std::isfinite(menor) ? menor : 0.0;
        return {meio - 1.0, meio + 1.0};
    }
    const double folga = (maior - menor) * margem;
    return {menor - folga, maior + folga};
}

// From zero (or the lowest value, if negative) to a little above the highest value.
QCPRange FaixaDesdeZero(double menor, double maior) {
    const double baixo = std::min(0.0, menor);
    const double alto = std::max(0.0, maior);
    if (!(alto > baixo)) return {baixo, baixo + 1.0};
    return {baixo, alto + (alto - baixo) * 0.05};
}

QString Q(const std::string& texto) {
    return QString::fromStdString(texto);
}

}  // namespace

Grafico::Grafico(Dialogos* dialogos, QWidget* pai)
    : QWidget(pai), dialogos_(dialogos), plot_(new QCustomPlot(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(plot_);
    plot_->setBackground(Qt::white);
    plot_->xAxis->grid()->setVisible(false);
    plot_->yAxis->grid()->setVisible(false);
    plot_->setInteractions(QCP::iRangeDrag | QCP::iRangeZoom);
    plot_->setNoAntialiasingOnDrag(true);
    connect(plot_, &QCustomPlot::mouseDoubleClick, this, [this] { RestaurarEscala(); });
    if (dialogos_ != nullptr) {
        plot_->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(plot_, &QWidget::customContextMenuRequested, this, &Grafico::MenuDeContexto);
    }
}

void Grafico::PrepararLayout(const QString& titulo, bool legenda) {
    if (titulo_ == nullptr) {
        plot_->plotLayout()->insertRow(0);
        QFont fonte = font();
        fonte.setBold(true);
        titulo_ = new QCPTextElement(plot_, titulo, fonte);
        plot_->plotLayout()->addElement(0, 0, titulo_);
    } else {
        titulo_->setText(titulo);
    }
    if (legenda && !legenda_fora_) {
        // The legend leaves the plot area for a row of its own under the title.
        plot_->legend->setVisible(true);
        plot_->axisRect()->insetLayout()->take(plot_->legend);
        plot_->plotLayout()->insertRow(1);
        auto* faixa = new QCPLayoutGrid;
        plot_->plotLayout()->addElement(1, 0, faixa);
        faixa->setMargins(QMargins(5, 0, 5, 0));
        faixa->addElement(0, 0, new QCPLayoutElement(plot_));
        faixa->addElement(0, 1, plot_->legend);
        faixa->addElement(0, 2, new QCPLayoutElement(plot_));
        plot_->legend->setFillOrder(QCPLegend::foColumnsFirst);
        plot_->legend->setBorderPen(Qt::NoPen);
        plot_->plotLayout()->setRowStretchFactor(1, 0.001);
        legenda_fora_ = true;
    }
    plot_->legend->setVisible(legenda);
}

void Grafico::GuardarEscala() {
    escala_[0] = plot_->xAxis->range().lower;
    escala_[1] = plot_->xAxis->range().upper;
    escala_[2] = plot_->yAxis->range().lower;
    escala_[3] = plot_->yAxis->range().upper;
}

void Grafico::RestaurarEscala() {
    plot_->xAxis->setRange(escala_[0], escala_[1]);
    plot_->yAxis->setRange(escala_[2], escala_[3]);
    plot_->replot(QCustomPlot::rpQueuedReplot);
}

void Grafico::MostrarDiario(const GraficoDiario& grafico, const std::vector<double>& valores,
                            char separador) {
    PrepararLayout(Q(grafico.Titulo), true);
    plot_->clearPlottables();
    QCPGraph* ventaro = plot_->addGraph();
    ventaro->setName(QStringLiteral("VENTARO"));
    ventaro->setLineStyle(QCPGraph::lsImpulse);
    ventaro->setPen(QPen(Qt::blue));
    QVector<QCPGraphData> pontos(static_cast<qsizetype>(valores.size()));
    double menor = 0.0;
    double maior = 0.0;
    for (std::size_t i = 0; i < valores.size(); ++i) {
        pontos[static_cast<qsizetype>(i)] = QCPGraphData(static_cast<double>(i + 1), valores[i]);
        menor = std::min(menor, valores[i]);
        maior = std::max(maior, valores[i]);
    }
    ventaro->data()->set(pontos, true);
    if (grafico.SerieObservada) {
        // Kept for the comparison with an observed record, which the program does not load.
        QCPGraph* observada = plot_->addGraph();
        observada->setName(QStringLiteral("Série observada"));
        observada->setLineStyle(QCPGraph::lsImpulse);
        observada->setPen(QPen(Qt::red));
    }
    plot_->xAxis->setLabel(QStringLiteral("Dias"));
    DefinirTicker(plot_->xAxis, FormatoEixo{.Casas = 0}, separador);
    plot_->xAxis->setRange(0.0, static_cast<double>(valores.size()) + 1.0);
    plot_->yAxis->setLabel(Q(grafico.EixoY));
    DefinirTicker(plot_->yAxis, grafico.Eixo, separador);
    if (grafico.Eixo.Fixo) {
        // A fixed axis is labelled at every step of its format.
        if (grafico.Eixo.PassoMinimo > 0) {
            plot_->yAxis->ticker()->setTickCount(static_cast<int>(
                std::lround((grafico.Eixo.Max - grafico.Eixo.Min) / grafico.Eixo.PassoMinimo)));
        }
        plot_->yAxis->setRange(grafico.Eixo.Min, grafico.Eixo.Max);
    } else {
        plot_->yAxis->setRange(FaixaDesdeZero(menor, maior));
    }
    GuardarEscala();
    plot_->replot(QCustomPlot::rpQueuedReplot);
}

void Grafico::MostrarMensal(const AbaMensal& aba, const AbaMensalCalculada& calculada,
                            char separador) {
    PrepararLayout(Q(aba.Titulo), true);
    plot_->clearPlottables();
    constexpr double kLargura = 0.36;
    auto* gerado = new QCPBars(plot_->xAxis, plot_->yAxis);
    gerado->setName(QStringLiteral("VENTARO"));
    gerado->setBrush(Qt::blue);
    gerado->setPen(Qt::NoPen);
    gerado->setWidth(kLargura);
    auto* observado = new QCPBars(plot_->xAxis, plot_->yAxis);
    observado->setName(QStringLiteral("Série observada"));
    observado->setBrush(Qt::white);
    observado->setPen(QPen(Qt::black));
    observado->setWidth(kLargura);
    double menor = 0.0;
    double maior = 0.0;
    for (std::size_t i = 0; i < 12; ++i) {
        const double mes = static_cast<double>(i + 1);
        const double x = calculada.Pares.X[i];
        const double y = calculada.Pares.Y[i];
        if (!calculada.SoGerado) {
            observado->addData(mes - kLargura / 2, x);
            menor = std::min(menor, x);
            maior = std::max(maior, x);
        }
        gerado->addData(calculada.SoGerado ? mes : mes + kLargura / 2, y);
        menor = std::min(menor, y);
        maior = std::max(maior, y);
    }
    auto meses = QSharedPointer<QCPAxisTickerText>::create();
    const char* nomes[] = {"Jan", "Fev", "Mar", "Abr", "Mai", "Jun",
                           "Jul", "Ago", "Set", "Out", "Nov", "Dez"};
    for (int m = 1; m <= 12; ++m) meses->addTick(m, QString::fromLatin1(nomes[m - 1]));
    plot_->xAxis->setTicker(meses);
    plot_->xAxis->setLabel(QStringLiteral("Meses"));
    plot_->xAxis->setRange(0.4, 12.6);
    plot_->yAxis->setLabel(Q(aba.EixoY));
    DefinirTicker(plot_->yAxis, aba.Eixo, separador);
    plot_->yAxis->setRange(FaixaDesdeZero(menor, maior));
    GuardarEscala();
    plot_->replot(QCustomPlot::rpQueuedReplot);
}

void Grafico::MostrarRegressao(const AbaRegressao& aba, const AbaRegressaoCalculada& calculada,
                               char separador) {
    PrepararLayout(Q(aba.Titulo), false);
    plot_->clearPlottables();
    plot_->clearItems();
    QCPGraph* pontos = plot_->addGraph();
    pontos->setLineStyle(QCPGraph::lsNone);
    pontos->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssDisc, Qt::blue, 6));
    QCPGraph* linha = plot_->addGraph();
    linha->setPen(QPen(Qt::black));
    double x_min = calculada.Pares.X[0];
    double x_max = x_min;
    double y_min = calculada.Pares.Y[0];
    double y_max = y_min;
    for (std::size_t i = 0; i < 12; ++i) {
        const double x = calculada.Pares.X[i];
        const double y = calculada.Pares.Y[i];
        pontos->addData(x, y);
        x_min = std::min(x_min, x);
        x_max = std::max(x_max, x);
        y_min = std::min(y_min, y);
        y_max = std::max(y_max, y);
    }
    for (std::size_t i = 0; i < 2; ++i) {
        linha->addData(calculada.LinhaX[i], calculada.LinhaY[i]);
        y_min = std::min(y_min, calculada.LinhaY[i]);
        y_max = std::max(y_max, calculada.LinhaY[i]);
    }
    plot_->xAxis->setLabel(QStringLiteral("Dados observados"));
    plot_->yAxis->setLabel(QStringLiteral("VENTARO"));
    DefinirTicker(plot_->xAxis, FormatoDoPasso(aba.PassoX), separador, aba.PassoX == 0);
    DefinirTicker(plot_->yAxis, FormatoDoPasso(aba.PassoY), separador, aba.PassoY == 0);
    plot_->xAxis->setRange(FaixaCom(x_min, x_max, 0.08));
    // Room above the points for the three labels in the upper left corner.
    const QCPRange y = FaixaCom(y_min, y_max, 0.08);
    plot_->yAxis->setRange(y.lower, y.upper + (y.upper - y.lower) * 0.3);
    const std::pair<const std::string*, std::string> rotulos[] = {
        {&calculada.ErroPadrao, aba.NomeEpe()},
        {&calculada.Equacao, aba.NomeEquacao()},
        {&calculada.R2, aba.NomeR()},
    };
    double topo = 0.03;
    for (const auto& [texto, nome] : rotulos) {
        auto* rotulo = new QCPItemText(plot_);
        rotulo->setObjectName(Q(nome));
        rotulo->setPositionAlignment(Qt::AlignLeft | Qt::AlignTop);
        rotulo->position->setType(QCPItemPosition::ptAxisRectRatio);
        rotulo->position->setCoords(0.03, topo);
        rotulo->setText(Q(*texto));
        topo += 0.07;
    }
    GuardarEscala();
    plot_->replot(QCustomPlot::rpQueuedReplot);
}

void Grafico::MostrarPerfil(const PerfilDia& perfil, char separador) {
    PrepararLayout(QStringLiteral("Perfil de Precipitação"), false);
    plot_->clearPlottables();
    QCPGraph* curva = plot_->addGraph();
    curva->setName(QStringLiteral("perfil"));
    curva->setPen(QPen(Qt::blue));
    plot_->xAxis->setLabel(QStringLiteral("Tempo (horas)"));
    plot_->yAxis->setLabel(QStringLiteral("Intensidade de precipitação (mm/h)"));
    if (perfil.Chuvoso) {
        QVector<QCPGraphData> pontos(static_cast<qsizetype>(perfil.Tempo.size()));
        double maior = 0.0;
        for (std::size_t k = 0; k < perfil.Tempo.size(); ++k) {
            pontos[static_cast<qsizetype>(k)] =
                QCPGraphData(perfil.Tempo[k], perfil.Intensidade[k]);
            maior = std::max(maior, perfil.Intensidade[k]);
        }
        curva->data()->set(pontos, true);
        DefinirTicker(plot_->xAxis, FormatoEixo{.Casas = perfil.CasasTempo}, separador);
        DefinirTicker(plot_->yAxis, FormatoEixo{.Casas = perfil.CasasIntensidade}, separador);
        plot_->xAxis->setRange(0.0, perfil.Tempo.back() > 0 ? perfil.Tempo.back() : 1.0);
        plot_->yAxis->setRange(FaixaDesdeZero(0.0, maior));
        GuardarEscala();
    }
    plot_->replot(QCustomPlot::rpQueuedReplot);
}

void Grafico::MenuDeContexto(const QPoint& ponto) {
    QMenu menu(this);
    menu.addAction(QStringLiteral("Salvar gráfico..."), this, &Grafico::SalvarComo);
    menu.addAction(QStringLiteral("Copiar"), this,
                   [this] { QGuiApplication::clipboard()->setPixmap(Imagem()); });
    menu.exec(plot_->mapToGlobal(ponto));
}

void Grafico::SalvarComo() {
    const auto arquivo = dialogos_->NomeArquivoSalvar(
        this, QStringLiteral("Salvar gráfico"),
        QStringLiteral("Imagem PNG (*.png);;Documento PDF (*.pdf);;Imagem SVG (*.svg)"),
        QStringLiteral("png"));
    if (!arquivo) return;
    try {
        Salvar(*arquivo);
    } catch (const std::exception& erro) {
        dialogos_->Mensagem(this, Dialogos::Icone::Erro, QStringLiteral("Erro"),
                            QStringLiteral("Não foi possível gravar o gráfico em \"%1\".")
                                .arg(QDir::toNativeSeparators(*arquivo)),
                            QString::fromUtf8(erro.what()));
    }
}

void Grafico::Salvar(const QString& arquivo, int largura, int altura) {
    const QString tipo = QFileInfo(arquivo).suffix().toLower();
    const std::filesystem::path destino = QFile::encodeName(arquivo).toStdString();
    // Written beside the destination and moved into place: a failure names its cause (missing
    // folder, permission, full disk) and never leaves half a picture behind.
    if (tipo == QStringLiteral("pdf")) {
        ArquivoTemporario temporario(destino);
        if (!plot_->savePdf(QFile::decodeName(temporario.Temporario().c_str()), largura, altura)) {
            throw ErroVentaro("Não foi possível gravar o arquivo " + destino.string() + ".");
        }
        temporario.Confirmar();
        return;
    }
    const QByteArray dados =
        tipo == QStringLiteral("svg") ? Svg(largura, altura) : Png(largura, altura);
    ArquivoTemporario(destino,
                      std::string_view(dados.constData(), static_cast<std::size_t>(dados.size())))
        .Confirmar();
}

QByteArray Grafico::Svg(int largura, int altura) {
    if (largura <= 0) largura = plot_->width();
    if (altura <= 0) altura = plot_->height();
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator gerador;
    gerador.setOutputDevice(&buffer);
    gerador.setSize(QSize(largura, altura));
    gerador.setViewBox(QRect(0, 0, largura, altura));
    if (titulo_ != nullptr) gerador.setTitle(titulo_->text());
    QCPPainter pintor;
    pintor.begin(&gerador);
    plot_->toPainter(&pintor, largura, altura);
    pintor.end();
    return buffer.data();
}

QByteArray Grafico::Png(int largura, int altura) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    Imagem(largura, altura).save(&buffer, "PNG");
    return buffer.data();
}

QPixmap Grafico::Imagem(int largura, int altura) {
    return plot_->toPixmap(largura, altura);
}

}  // namespace ventaro
