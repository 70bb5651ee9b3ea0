#include "views/ui/modelos.h"

#include <QHeaderView>
#include <QTableView>
#include <algorithm>

namespace ventaro {

void AplicarLarguras(QTableView* visao, const TabelaTexto& tabela) {
    // The table's widths, widened where the header or the first row would not fit in them with
    // the desktop's font.
    const bool tem_linha = tabela.NumLinhas() > 0;
    for (int c = 0; c < tabela.NumColunas(); ++c) {
        const QString celula = tem_linha ? QString::fromStdString(tabela.Celula(0, c)) : QString();
        const int texto = std::max(visao->horizontalHeader()->sectionSizeHint(c),
                                   visao->fontMetrics().horizontalAdvance(celula) + 12);
        visao->setColumnWidth(c, std::max(tabela.Largura(c), texto));
    }
}

void ModeloTabela::DefinirTabela(std::unique_ptr<TabelaTexto> tabela) {
    beginResetModel();
    tabela_ = std::move(tabela);
    endResetModel();
}

int ModeloTabela::rowCount(const QModelIndex& pai) const {
    return pai.isValid() || !tabela_ ? 0 : static_cast<int>(tabela_->NumLinhas());
}

int ModeloTabela::columnCount(const QModelIndex& pai) const {
    return pai.isValid() || !tabela_ ? 0 : tabela_->NumColunas();
}

QVariant ModeloTabela::data(const QModelIndex& indice, int papel) const {
    if (!tabela_ || !indice.isValid() || indice.row() >= rowCount()) return {};
    if (papel == Qt::DisplayRole) {
        return QString::fromStdString(tabela_->Celula(indice.row(), indice.column()));
    }
    if (papel == Qt::TextAlignmentRole) {
        return QVariant::fromValue((indice.column() == 0 ? Qt::AlignLeft : Qt::AlignRight) |
                                   Qt::AlignVCenter);
    }
    return {};
}

QVariant ModeloTabela::headerData(int secao, Qt::Orientation orientacao, int papel) const {
    if (tabela_ && orientacao == Qt::Horizontal && papel == Qt::DisplayRole && secao >= 0 &&
        secao < tabela_->NumColunas()) {
        return QString::fromStdString(tabela_->Cabecalho(secao));
    }
    return QAbstractTableModel::headerData(secao, orientacao, papel);
}

void ModeloGradeMensal::DefinirGrade(const GradeMensal& grade) {
    grade_ = grade;
    emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

int ModeloGradeMensal::rowCount(const QModelIndex& pai) const {
    return pai.isValid() ? 0 : GradeMensal::kLinhas - 1;
}

int ModeloGradeMensal::columnCount(const QModelIndex& pai) const {
    return pai.isValid() ? 0 : GradeMensal::kColunas - 1;
}

QVariant ModeloGradeMensal::data(const QModelIndex& indice, int papel) const {
    if (!indice.isValid()) return {};
    if (papel == Qt::DisplayRole) {
        return QString::fromStdString(grade_.Celula(indice.row() + 1, indice.column() + 1));
    }
    if (papel == Qt::TextAlignmentRole) {
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    }
    return {};
}

QVariant ModeloGradeMensal::headerData(int secao, Qt::Orientation orientacao, int papel) const {
    if (papel != Qt::DisplayRole || secao < 0) {
        return QAbstractTableModel::headerData(secao, orientacao, papel);
    }
    if (orientacao == Qt::Horizontal && secao < columnCount()) {
        return QString::fromStdString(grade_.Celula(0, secao + 1));
    }
    if (orientacao == Qt::Vertical && secao < rowCount()) {
        return QString::fromStdString(grade_.Celula(secao + 1, 0));
    }
    return {};
}

}  // namespace ventaro
