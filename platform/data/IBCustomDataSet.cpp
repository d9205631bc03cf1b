#include "platform/data/IBCustomDataSet.h"

#include "platform/data/DataSource.h"
#include "platform/errors/Exception.h"

#include <algorithm>

TIBCustomDataSet::TIBCustomDataSet(TIBDatabase* database, TIBTransaction* transaction,
                                   QObject* owner)
    : QObject(owner), database_(database), transaction_(transaction) {
    if (database_)
        database_->AddUser(this);
    if (transaction_)
        transaction_->AddUser(this);
    sql_.OnChange = [this] {
        Close();
        statement_.Unprepare();
    };
}

TIBCustomDataSet::~TIBCustomDataSet() {
    for (TDataSource* source : std::vector(sources_))
        source->DataSetDestroyed();
    if (database_)
        database_->RemoveUser(this);
    if (transaction_)
        transaction_->RemoveUser(this);
}

void TIBCustomDataSet::CheckActive() const {
    if (!active_)
        throw EDatabaseError(Name() + ": Cannot perform this operation on a closed dataset");
}

void TIBCustomDataSet::Open() {
    if (active_)
        return;
    if (!database_)
        throw EDatabaseError(Name() + ": Database not assigned");
    if (!transaction_)
        throw EDatabaseError(Name() + ": Transaction not assigned");
    database_->CheckConnected();
    transaction_->SetActive(true);
    if (!statement_.Prepared()) {
        const QString text = sql_.Text();
        if (text.trimmed().isEmpty())
            throw EDatabaseError(Name() + ": Empty query");
        statement_.Prepare(database_->Handle(), transaction_->Handle(), text);
    }
    rows_.Describe(statement_.Columns());
    try {
        statement_.Execute(transaction_->Handle());
        if (statement_.IsSelect()) {
            while (statement_.Fetch())
                rows_.Append(statement_.Columns());
            statement_.CloseCursor();
        }
    } catch (...) {
        statement_.CloseCursor();
        rows_.Clear();
        throw;
    }
    fields_.clear();
    for (int i = 0; i < rows_.ColumnCount(); ++i)
        fields_.push_back(std::make_unique<TField>(this, i, rows_.ColumnAt(i).name));
    active_ = true;
    current_ = rows_.RowCount() > 0 ? 0 : -1;
    bof_ = true;
    eof_ = rows_.RowCount() == 0;
    Notify(TDataEvent::Opened);
    Fire(AfterOpen, this);
}

void TIBCustomDataSet::Close() {
    if (!active_)
        return;
    active_ = false;
    fields_.clear();
    rows_.Clear();
    current_ = -1;
    bof_ = eof_ = true;
    Notify(TDataEvent::Closed);
}

void TIBCustomDataSet::First() {
    CheckActive();
    current_ = rows_.RowCount() > 0 ? 0 : -1;
    bof_ = true;
    eof_ = rows_.RowCount() == 0;
    Notify(TDataEvent::Moved);
}

void TIBCustomDataSet::Last() {
    CheckActive();
    current_ = rows_.RowCount() - 1;
    bof_ = rows_.RowCount() == 0;
    eof_ = true;
    Notify(TDataEvent::Moved);
}

void TIBCustomDataSet::Next() {
    CheckActive();
    if (current_ + 1 < rows_.RowCount()) {
        ++current_;
        bof_ = eof_ = false;
        Notify(TDataEvent::Moved);
    } else {
        eof_ = true;
    }
}

int TIBCustomDataSet::RecNo() const {
    return active_ ? current_ + 1 : 0;
}

void TIBCustomDataSet::SetRecNo(int recNo) {
    CheckActive();
    if (rows_.RowCount() == 0)
        return;
    current_ = std::clamp(recNo, 1, rows_.RowCount()) - 1;
    bof_ = eof_ = false;
    Notify(TDataEvent::Moved);
}

int TIBCustomDataSet::RecordCount() const {
    return active_ ? rows_.RowCount() : 0;
}

TField* TIBCustomDataSet::FindField(const QString& name) {
    for (const auto& field : fields_)
        if (field->FieldName().compare(name, Qt::CaseInsensitive) == 0)
            return field.get();
    return nullptr;
}

TField& TIBCustomDataSet::FieldByName(const QString& name) {
    CheckActive();
    TField* field = FindField(name);
    if (!field)
        throw EDatabaseError(Name() + ": Field '" + name + "' not found");
    return *field;
}

TField& TIBCustomDataSet::Fields(int index) {
    CheckActive();
    if (index < 0 || index >= FieldCount())
        throw EDatabaseError(Name() + ": List index out of bounds (" + QString::number(index) +
                             ")");
    return *fields_[static_cast<size_t>(index)];
}

void TIBCustomDataSet::AddDataSource(TDataSource* source) {
    if (std::find(sources_.begin(), sources_.end(), source) == sources_.end())
        sources_.push_back(source);
}

void TIBCustomDataSet::RemoveDataSource(TDataSource* source) {
    // While the sources are being told, the list keeps its places: the
    // source is only blanked, and the blanks go when the telling ends.
    if (notifying_ > 0)
        std::replace(sources_.begin(), sources_.end(), source, static_cast<TDataSource*>(nullptr));
    else
        std::erase(sources_, source);
}

void TIBCustomDataSet::NotifyLayoutChanged() {
    Notify(TDataEvent::LayoutChanged);
}

// A source told of an event may unlink itself or another source, or link a
// new one, so the list is walked by place and re-read at every step.
void TIBCustomDataSet::Notify(TDataEvent event) {
    // The blanks go when the outermost telling ends, also by an exception.
    struct TTelling {
        TIBCustomDataSet& dataSet;
        ~TTelling() {
            if (--dataSet.notifying_ == 0)
                std::erase(dataSet.sources_, nullptr);
        }
    } telling{*this};
    ++notifying_;
    for (size_t i = 0; i < sources_.size(); ++i)
        if (TDataSource* source = sources_[i])
            source->Notify(event);
}

void TIBCustomDataSet::DatabaseClosing() {
    Close();
    statement_.Release();
}

void TIBCustomDataSet::DatabaseDestroyed() {
    DatabaseClosing();
    database_ = nullptr;
}

void TIBCustomDataSet::TransactionEnding() {
    Close();
}

void TIBCustomDataSet::TransactionDestroyed() {
    Close();
    transaction_ = nullptr;
}
