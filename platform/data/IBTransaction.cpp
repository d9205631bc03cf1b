#include "platform/data/IBTransaction.h"

#include "platform/data/IBDatabase.h"
#include "platform/data/IBError.h"
#include "platform/errors/Exception.h"

#include <algorithm>
#include <type_traits>

static_assert(std::is_same_v<TIBHandle, isc_tr_handle>, "TIBHandle must be the client's handle");

TIBTransaction::TIBTransaction(TIBDatabase* defaultDatabase, QObject* owner)
    : QObject(owner), database_(defaultDatabase) {
    if (database_)
        database_->AddTransaction(this);
}

TIBTransaction::~TIBTransaction() {
    if (InTransaction()) {
        ISC_STATUS_ARRAY status;
        isc_rollback_transaction(status, &handle_);
    }
    for (TIBTransactionUser* user : std::vector(users_))
        user->TransactionDestroyed();
    if (database_)
        database_->RemoveTransaction(this);
}

void TIBTransaction::CheckInTransaction() const {
    if (!InTransaction())
        throw EDatabaseError("Transaction is not active");
}

void TIBTransaction::SetActive(bool value) {
    if (value && !InTransaction())
        StartTransaction();
    else if (!value && InTransaction())
        Rollback();
}

void TIBTransaction::StartTransaction() {
    if (InTransaction())
        throw EDatabaseError("Transaction is active");
    if (!database_)
        throw EDatabaseError("Database not assigned");
    database_->CheckConnected();
    ISC_STATUS_ARRAY status;
    isc_start_transaction(status, &handle_, 1, database_->Handle(), 0, nullptr);
    IBError::Check(status, "starting a transaction");
}

void TIBTransaction::EndUsers() {
    for (TIBTransactionUser* user : std::vector(users_))
        user->TransactionEnding();
}

void TIBTransaction::Commit() {
    CheckInTransaction();
    EndUsers();
    ISC_STATUS_ARRAY status;
    isc_commit_transaction(status, &handle_);
    IBError::Check(status, "committing");
}

void TIBTransaction::CommitRetaining() {
    CheckInTransaction();
    ISC_STATUS_ARRAY status;
    isc_commit_retaining(status, &handle_);
    IBError::Check(status, "committing");
}

void TIBTransaction::Rollback() {
    CheckInTransaction();
    EndUsers();
    ISC_STATUS_ARRAY status;
    isc_rollback_transaction(status, &handle_);
    IBError::Check(status, "rolling back");
}

void TIBTransaction::RollbackRetaining() {
    CheckInTransaction();
    ISC_STATUS_ARRAY status;
    isc_rollback_retaining(status, &handle_);
    IBError::Check(status, "rolling back");
}

void TIBTransaction::AddUser(TIBTransactionUser* user) {
    if (std::find(users_.begin(), users_.end(), user) == users_.end())
        users_.push_back(user);
}

void TIBTransaction::RemoveUser(TIBTransactionUser* user) {
    std::erase(users_, user);
}
