#pragma once

#include "platform/data/IBDatabase.h"
#include "platform/data/IBStatement.h"
#include "platform/data/StringList.h"

#include <QObject>

class TIBTransaction;

// A statement that is executed, or prepared once and executed repeatedly with
// named parameters (":NAME"). Any change of its SQL undoes the preparation;
// the preparation outlives commits of its transaction and ends when the
// connection closes.
class TIBSQL : public QObject, private TIBDatabaseUser {
  public:
    TIBSQL(TIBDatabase* database, TIBTransaction* transaction, QObject* owner = nullptr);
    ~TIBSQL() override;

    QString Name() const { return objectName(); }
    TIBDatabase* Database() const { return database_; }
    TIBTransaction* Transaction() const { return transaction_; }

    TStringList& SQL() { return sql_; }

    // Both need the connection open and the transaction running ("Transaction
    // is not active" otherwise).
    void Prepare();
    bool Prepared() const { return statement_.Prepared(); }
    void Unprepare() { statement_.Unprepare(); }
    // Runs the statement, preparing it first when needed. Parameters not set
    // since the last execution run as NULL.
    void ExecQuery();

    // Prepares the statement when needed. Raises for a name that the
    // statement does not hold.
    TIBParam& ParamByName(const QString& name);

  private:
    void DatabaseClosing() override;
    void DatabaseDestroyed() override;
    void CheckReady();

    TIBDatabase* database_;
    TIBTransaction* transaction_;
    TStringList sql_;
    TIBStatement statement_;
};
