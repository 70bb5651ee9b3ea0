#pragma once

#include <QString>
#include <QWidget>
#include <functional>
#include <vector>

#include "views/abas.h"

class QTabWidget;

namespace ventaro {

class Dialogos;
class Grafico;

// The two levels of tabs of a chart view: outer tabs, each holding an inner tab set with its tabs
// at the bottom, and one chart per inner tab. A chart is made the first time its tab shows and is
// filled every time it shows; changing the outer tab always lands on the first inner tab.
class AbasGraficos : public QWidget {
    Q_OBJECT
  public:
    struct Aba {
        int Externa;
        QString Nome;
        QString Legenda;
    };
    using Preencher = std::function<void(std::size_t aba, Grafico& grafico)>;

    AbasGraficos(const QString& nome, const std::vector<AbaExterna>& externas,
                 std::vector<Aba> abas, Dialogos* dialogos, Preencher preencher,
                 QWidget* pai = nullptr);

    // Selects the first outer tab and its first inner tab, and fills that chart.
    void SelecionarPrimeira();
    // Fills the chart of the inner tab shown.
    void PreencherAtual();
    // Index (in the view's list) of the inner tab shown.
    std::size_t AbaAtual() const;
    // The chart of a tab, made if it was not yet.
    Grafico& GraficoDaAba(std::size_t aba);

    QTabWidget* Externas() const { return externas_; }
    QTabWidget* Internas(int externa) const { return internas_[static_cast<std::size_t>(externa)]; }

  private:
    void ExternaAlterada(int externa);

    std::vector<Aba> abas_;
    Dialogos* dialogos_;
    Preencher preencher_;
    QTabWidget* externas_;
    std::vector<QTabWidget*> internas_;
    std::vector<QWidget*> paginas_;
    std::vector<Grafico*> graficos_;
    // First tab of each outer tab in abas_.
    std::vector<std::size_t> primeira_;
};

}  // namespace ventaro
