#include "platform/data/IBSQL.h"

#include "platform/data/IBTransaction.h"
#include "platform/errors/Exception.h"

TIBSQL::TIBSQL(TIBDatabase* database, TIBTransaction* transaction, QObject* owner)
    : QObject(owner), database_(database), transaction_(transaction) {
    if (database_)
        database_->AddUser(this);
    sql_.OnChange = [this] { statement_.Unprepare(); };
}

TIBSQL::~TIBSQL() {
    if (database_)
        database_->RemoveUser(this);
}

void TIBSQL::CheckReady() {
    if (!database_)
        throw EDatabaseError(Name() + ": Database not assigned");
    if (!transaction_)
        throw EDatabaseError(Name() + ": Transaction not assigned");
    database_->CheckConnected();
    transaction_->CheckInTransaction();
}

void TIBSQL::Prepare() {
    CheckReady();
    const QString text = sql_.Text();
    if (text.trimmed().isEmpty())
        throw EDatabaseError(Name() + ": Empty query");
    statement_.Prepare(database_->Handle(), transaction_->Handle(), text);
}

void TIBSQL::ExecQuery() {
    CheckReady();
    if (!statement_.Prepared())
        Prepare();
    statement_.Execute(transaction_->Handle());
    statement_.CloseCursor();
}

TIBParam& TIBSQL::ParamByName(const QString& name) {
    if (!statement_.Prepared())
        Prepare();
    TIBParam* param = statement_.FindParam(name);
    if (!param)
        throw EDatabaseError(Name() + ": Parameter '" + name + "' not found");
    return *param;
}

void TIBSQL::DatabaseClosing() {
    statement_.Release();
}

void TIBSQL::DatabaseDestroyed() {
    statement_.Release();
    database_ = nullptr;
}
