#include "stations/ui/modelo_estacoes.h"

#include <array>

namespace ventaro {

namespace {

const std::string& Celula(const LinhaEstacao& linha, int coluna) {
    switch (coluna) {
        case 0:
            return linha.Codigo;
        case 1:
            return linha.Nome;
        case 2:
            return linha.Municipio;
        case 3:
            return linha.Regiao;
        case 4:
            return linha.Latitude;
        case 5:
            return linha.Longitude;
        case 6:
            return linha.Altitude;
        default:
            return linha.Anos;
    }
}

}  // namespace

void ModeloEstacoes::DefinirLinhas(std::vector<LinhaEstacao> linhas) {
    beginResetModel();
    linhas_ = std::move(linhas);
    endResetModel();
}

int ModeloEstacoes::rowCount(const QModelIndex& pai) const {
    return pai.isValid() ? 0 : static_cast<int>(linhas_.size());
}

int ModeloEstacoes::columnCount(const QModelIndex& pai) const {
    return pai.isValid() ? 0 : kNumColunas;
}

QVariant ModeloEstacoes::data(const QModelIndex& indice, int papel) const {
    if (!indice.isValid() || indice.row() >= rowCount()) return {};
    if (papel == Qt::DisplayRole) {
        return QString::fromStdString(
            Celula(linhas_[static_cast<std::size_t>(indice.row())], indice.column()));
    }
    if (papel == Qt::TextAlignmentRole && indice.column() != 1 && indice.column() != 2) {
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    }
    return {};
}

QVariant ModeloEstacoes::headerData(int secao, Qt::Orientation orientacao, int papel) const {
    static constexpr std::array<const char*, kNumColunas> kCabecalhos = {
        "Código", "Nome", "Município", "Região", "Latitude", "Longitude", "Altitude", "Anos"};
    if (orientacao != Qt::Horizontal || papel != Qt::DisplayRole || secao < 0 ||
        secao >= kNumColunas) {
        return QAbstractTableModel::headerData(secao, orientacao, papel);
    }
    return QString::fromUtf8(kCabecalhos[static_cast<std::size_t>(secao)]);
}

}  // namespace ventaro
