#pragma once

#include "platform/data/DataSource.h"

#include <QPointer>
#include <QString>
#include <QTableView>
#include <functional>

class TDBGridModel;

// A read-only data-aware grid: shows the data set of its data source with
// one column per field, titled by the field's display label and as wide as
// the field's display width or its title, and keeps its current row on the
// data set's current row. A click on a column title
// raises OnTitleClick with that column's field name.
class TDBGrid : public QTableView {
    Q_OBJECT
  public:
    explicit TDBGrid(QWidget* parent = nullptr);
    ~TDBGrid() override;

    TDataSource* DataSource() const { return dataSource_; }
    void SetDataSource(TDataSource* dataSource);

    std::function<void(const QString& fieldName)> OnTitleClick;

  private:
    void DataChanged(TDataEvent event);
    void FollowCurrentRow();
    void SizeColumns();
    void TitleClicked(int section);
    void RowChosen(const QModelIndex& current);

    TDBGridModel* model_;
    QPointer<TDataSource> dataSource_; // the module may go before the window
    int observer_ = 0;
    QMetaObject::Connection sourceGone_;
    bool followPending_ = false;
    bool following_ = false;
};
