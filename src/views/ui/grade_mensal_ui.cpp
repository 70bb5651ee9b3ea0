#include "views/ui/grade_mensal_ui.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>

#include "views/grade_mensal.h"
#include "views/ui/modelos.h"

namespace ventaro {

VisaoGradeMensal::VisaoGradeMensal(const QString& nome, bool copia, QWidget* pai)
    : QTableView(pai), modelo_(new ModeloGradeMensal(this)), copia_(copia) {
    setObjectName(nome);
    setModel(modelo_);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    horizontalHeader()->setMinimumSectionSize(42);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    verticalHeader()->setMinimumWidth(71);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(20);
    horizontalHeader()->setFixedHeight(20);
    setFixedHeight(20 * 4 + 2 * frameWidth());
}

void VisaoGradeMensal::Mostrar(const GradeMensal& grade) {
    modelo_->DefinirGrade(grade);
}

const GradeMensal& VisaoGradeMensal::Grade() const {
    return modelo_->Grade();
}

QString VisaoGradeMensal::TextoSelecao() const {
    const QModelIndexList selecionados = selectionModel()->selectedIndexes();
    if (selecionados.isEmpty()) return {};
    int topo = selecionados.front().row();
    int base = topo;
    int esquerda = selecionados.front().column();
    int direita = esquerda;
    for (const QModelIndex& i : selecionados) {
        topo = std::min(topo, i.row());
        base = std::max(base, i.row());
        esquerda = std::min(esquerda, i.column());
        direita = std::max(direita, i.column());
    }
    // The model leaves out the grid's header row and column.
    return QString::fromStdString(
        TextoCopia(Grade(), topo + 1, base + 1, esquerda + 1, direita + 1));
}

void VisaoGradeMensal::keyPressEvent(QKeyEvent* evento) {
    if (copia_ && evento->modifiers().testFlag(Qt::ControlModifier) && evento->key() == Qt::Key_C) {
        const QString texto = TextoSelecao();
        if (!texto.isEmpty()) QGuiApplication::clipboard()->setText(texto);
        evento->accept();
        return;
    }
    QTableView::keyPressEvent(evento);
}

}  // namespace ventaro
