#pragma once

#include <QAbstractTableModel>

class TIBCustomDataSet;

// The grid's view of a data set: one column per field, titled by its display
// label, read straight from the data set's row buffer.
class TDBGridModel : public QAbstractTableModel {
  public:
    explicit TDBGridModel(QObject* parent = nullptr);

    void SetDataSet(TIBCustomDataSet* dataSet);
    TIBCustomDataSet* DataSet() const { return dataSet_; }
    // The data set opened, closed or changed its fields.
    void Reset();
    void TitlesChanged();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

  private:
    TIBCustomDataSet* dataSet_ = nullptr;
};
