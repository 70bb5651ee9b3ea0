#pragma once

#include <QAbstractTableModel>
#include <memory>

#include "views/grade_mensal.h"
#include "views/tabelas_serie.h"

class QTableView;

namespace ventaro {

// Sets the view's column widths to the table's.
void AplicarLarguras(QTableView* visao, const TabelaTexto& tabela);

// A table view's model over a TabelaTexto: cells are formatted when the view asks for them, so
// a table of 36 525 rows opens at once.
class ModeloTabela : public QAbstractTableModel {
    Q_OBJECT
  public:
    using QAbstractTableModel::QAbstractTableModel;

    void DefinirTabela(std::unique_ptr<TabelaTexto> tabela);
    const TabelaTexto* Tabela() const { return tabela_.get(); }

    int rowCount(const QModelIndex& pai = {}) const override;
    int columnCount(const QModelIndex& pai = {}) const override;
    QVariant data(const QModelIndex& indice, int papel = Qt::DisplayRole) const override;
    QVariant headerData(int secao, Qt::Orientation orientacao,
                        int papel = Qt::DisplayRole) const override;

  private:
    std::unique_ptr<TabelaTexto> tabela_;
};

// The monthly grid: its value cells (rows 1-3, columns 1-12) as the model's cells, the month
// names and row names as its headers.
class ModeloGradeMensal : public QAbstractTableModel {
    Q_OBJECT
  public:
    using QAbstractTableModel::QAbstractTableModel;

    void DefinirGrade(const GradeMensal& grade);
    const GradeMensal& Grade() const { return grade_; }

    int rowCount(const QModelIndex& pai = {}) const override;
    int columnCount(const QModelIndex& pai = {}) const override;
    QVariant data(const QModelIndex& indice, int papel = Qt::DisplayRole) const override;
    QVariant headerData(int secao, Qt::Orientation orientacao,
                        int papel = Qt::DisplayRole) const override;

  private:
    GradeMensal grade_;
};

}  // namespace ventaro
