#include "platform/data/DBGridModel.h"

#include "platform/data/IBCustomDataSet.h"

TDBGridModel::TDBGridModel(QObject* parent) : QAbstractTableModel(parent) {}

void TDBGridModel::SetDataSet(TIBCustomDataSet* dataSet) {
    dataSet_ = dataSet;
    Reset();
}

void TDBGridModel::Reset() {
    beginResetModel();
    endResetModel();
}

void TDBGridModel::TitlesChanged() {
    const int columns = columnCount();
    if (columns > 0)
        emit headerDataChanged(Qt::Horizontal, 0, columns - 1);
}

int TDBGridModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() || !dataSet_ || !dataSet_->Active())
        return 0;
    return dataSet_->RecordCount();
}

int TDBGridModel::columnCount(const QModelIndex& parent) const {
    if (parent.isValid() || !dataSet_ || !dataSet_->Active())
        return 0;
    return dataSet_->FieldCount();
}

QVariant TDBGridModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount() ||
        index.column() >= columnCount())
        return {};
    return dataSet_->Rows().Text(index.row(), index.column());
}

QVariant TDBGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return {};
    if (section < 0 || section >= columnCount())
        return {};
    return dataSet_->Fields(section).DisplayLabel();
}

Qt::ItemFlags TDBGridModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}
