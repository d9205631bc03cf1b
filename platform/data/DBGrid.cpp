#include "platform/data/DBGrid.h"

#include "platform/data/DBGridModel.h"
#include "platform/data/DataSource.h"
#include "platform/data/IBCustomDataSet.h"
#include "platform/ui/Handler.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QStyle>
#include <QTimer>

TDBGrid::TDBGrid(QWidget* parent) : QTableView(parent), model_(new TDBGridModel(this)) {
    setModel(model_);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSortingEnabled(false);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setSectionsClickable(true);
    BindEvent(horizontalHeader(), &QHeaderView::sectionClicked, this,
              [this](int section) { TitleClicked(section); });
    BindEvent(selectionModel(), &QItemSelectionModel::currentChanged, this,
              [this](const QModelIndex& current, const QModelIndex&) { RowChosen(current); });
}

TDBGrid::~TDBGrid() {
    if (dataSource_)
        dataSource_->RemoveObserver(observer_);
}

void TDBGrid::SetDataSource(TDataSource* dataSource) {
    if (dataSource_) {
        dataSource_->RemoveObserver(observer_);
        disconnect(sourceGone_);
    }
    dataSource_ = dataSource;
    observer_ = 0;
    if (dataSource_) {
        observer_ = dataSource_->AddObserver([this](TDataEvent event) { DataChanged(event); });
        // The data set may go soon after its source; the grid stops reading it
        // with the source.
        sourceGone_ = connect(dataSource_, &QObject::destroyed, this,
                              [this] { model_->SetDataSet(nullptr); });
        // Follow the link's data set from now on, whichever it is.
        model_->SetDataSet(dataSource_->DataSet());
    } else {
        model_->SetDataSet(nullptr);
    }
    SizeColumns();
    FollowCurrentRow();
}

void TDBGrid::SizeColumns() {
    TIBCustomDataSet* dataSet = model_->DataSet();
    if (!dataSet || !dataSet->Active())
        return;
    // The characters a field holds, in the width of a digit, with the cell's
    // margins; a wider title widens its column. The grid keeps its width and
    // scrolls sideways to the columns that do not fit.
    const int digit = fontMetrics().horizontalAdvance(QLatin1Char('0'));
    const int margins =
        2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1) +
        (showGrid() ? 1 : 0);
    for (int column = 0; column < dataSet->FieldCount(); ++column) {
        const int values = dataSet->Fields(column).DisplayWidth() * digit + margins;
        const int title = horizontalHeader()->sectionSizeHint(column);
        horizontalHeader()->resizeSection(column, std::max(values, title));
    }
}

void TDBGrid::DataChanged(TDataEvent event) {
    switch (event) {
    case TDataEvent::Opened:
    case TDataEvent::Closed:
        if (dataSource_ && model_->DataSet() != dataSource_->DataSet())
            model_->SetDataSet(dataSource_->DataSet());
        else
            model_->Reset();
        SizeColumns();
        break;
    case TDataEvent::LayoutChanged:
        model_->TitlesChanged();
        SizeColumns();
        break;
    case TDataEvent::Moved:
        break;
    }
    // A walk over the rows moves the current row many times; the grid
    // catches up once, when the event loop runs again.
    if (!followPending_) {
        followPending_ = true;
        QTimer::singleShot(0, this, [this] {
            followPending_ = false;
            FollowCurrentRow();
        });
    }
}

void TDBGrid::FollowCurrentRow() {
    TIBCustomDataSet* dataSet = model_->DataSet();
    if (!dataSet || !dataSet->Active() || dataSet->CurrentRow() < 0 ||
        dataSet->CurrentRow() >= model_->rowCount())
        return;
    const int column = std::max(0, currentIndex().column());
    following_ = true;
    const QModelIndex index = model_->index(dataSet->CurrentRow(), column);
    setCurrentIndex(index);
    scrollTo(index);
    following_ = false;
}

void TDBGrid::TitleClicked(int section) {
    TIBCustomDataSet* dataSet = model_->DataSet();
    if (!OnTitleClick || !dataSet || !dataSet->Active() || section >= dataSet->FieldCount())
        return;
    // The handler may close the data set, which frees its fields: it gets a
    // name of its own.
    const QString fieldName = dataSet->Fields(section).FieldName();
    OnTitleClick(fieldName);
}

void TDBGrid::RowChosen(const QModelIndex& current) {
    TIBCustomDataSet* dataSet = model_->DataSet();
    if (following_ || !current.isValid() || !dataSet || !dataSet->Active())
        return;
    if (current.row() != dataSet->CurrentRow())
        dataSet->SetRecNo(current.row() + 1);
}
