#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "stations/estacoes.h"

namespace ventaro {

// The eight columns of the station grid over a list of LinhaEstacao.
class ModeloEstacoes : public QAbstractTableModel {
    Q_OBJECT
  public:
    static constexpr int kNumColunas = 8;

    using QAbstractTableModel::QAbstractTableModel;

    void DefinirLinhas(std::vector<LinhaEstacao> linhas);
    const std::vector<LinhaEstacao>& Linhas() const { return linhas_; }

    int rowCount(const QModelIndex& pai = {}) const override;
    int columnCount(const QModelIndex& pai = {}) const override;
    QVariant data(const QModelIndex& indice, int papel = Qt::DisplayRole) const override;
    QVariant headerData(int secao, Qt::Orientation orientacao,
                        int papel = Qt::DisplayRole) const override;

  private:
    std::vector<LinhaEstacao> linhas_;
};

}  // namespace ventaro
