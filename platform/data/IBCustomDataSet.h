#pragma once

#include "platform/data/Field.h"
#include "platform/data/IBDatabase.h"
#include "platform/data/IBRowBuffer.h"
#include "platform/data/IBStatement.h"
#include "platform/data/IBTransaction.h"
#include "platform/data/StringList.h"
#include "platform/ui/Events.h"

#include <QObject>
#include <memory>
#include <vector>

class TDataSource;
enum class TDataEvent;

// A buffered data set over one select statement: opening runs the statement
// (starting its transaction when that is not running), keeps every row, then
// raises AfterOpen. It closes when its transaction ends or its connection
// closes. Operations on a closed data set raise "<Name>: Cannot perform this
// operation on a closed dataset".
class TIBCustomDataSet : public QObject, private TIBDatabaseUser, private TIBTransactionUser {
  public:
    TIBCustomDataSet(TIBDatabase* database, TIBTransaction* transaction, QObject* owner);
    ~TIBCustomDataSet() override;

    QString Name() const { return objectName(); }
    TIBDatabase* Database() const { return database_; }
    TIBTransaction* Transaction() const { return transaction_; }

    // Raised at the end of every opening; an exception from it leaves Open,
    // and the data set stays open.
    TNotifyEvent AfterOpen;

    void Open();
    void Close();
    bool Active() const { return active_; }

    void First();
    void Last();
    void Next();
    bool Eof() const { return eof_; }
    bool Bof() const { return bof_; }
    // 1-based number of the current row; 0 when the data set is empty or closed.
    int RecNo() const;
    void SetRecNo(int recNo);
    int RecordCount() const;

    TField& FieldByName(const QString& name);
    TField* FindField(const QString& name);
    int FieldCount() const { return static_cast<int>(fields_.size()); }
    TField& Fields(int index);

    // Direct reading of the buffered rows (0-based), for the grid.
    const TIBRowBuffer& Rows() const { return rows_; }
    int CurrentRow() const { return current_; }

    void AddDataSource(TDataSource* source);
    void RemoveDataSource(TDataSource* source);
    void NotifyLayoutChanged();

  protected:
    TStringList& Statement() { return sql_; }

  private:
    void CheckActive() const;
    void Notify(TDataEvent event);
    void DatabaseClosing() override;
    void DatabaseDestroyed() override;
    void TransactionEnding() override;
    void TransactionDestroyed() override;

    TIBDatabase* database_;
    TIBTransaction* transaction_;
    TStringList sql_;
    TIBStatement statement_;
    TIBRowBuffer rows_;
    std::vector<std::unique_ptr<TField>> fields_;
    std::vector<TDataSource*> sources_; // blanked, not erased, while they are told
    int notifying_ = 0;
    bool active_ = false;
    bool eof_ = true;
    bool bof_ = true;
    int current_ = -1;
};
