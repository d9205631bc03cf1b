#pragma once

#include "platform/data/IBHandle.h"

#include <QObject>
#include <vector>

class TIBDatabase;

// What a data set or query does when the transaction it works in ends: it
// closes. A prepared statement stays prepared.
class TIBTransactionUser {
  public:
    virtual void TransactionEnding() = 0;
    virtual void TransactionDestroyed() = 0;

  protected:
    ~TIBTransactionUser() = default;
};

// A transaction on one connection, with the engine's default parameters.
class TIBTransaction : public QObject {
  public:
    explicit TIBTransaction(TIBDatabase* defaultDatabase, QObject* owner = nullptr);
    ~TIBTransaction() override;

    TIBDatabase* DefaultDatabase() const { return database_; }

    bool Active() const { return InTransaction(); }
    // True starts the transaction when it is not running; false rolls back
    // one in progress, closing its data sets.
    void SetActive(bool value);
    bool InTransaction() const { return handle_ != 0; }

    // Raises "Transaction is active" when running already.
    void StartTransaction();
    // Ends the transaction and closes the data sets and queries working in
    // it. Raises "Transaction is not active" when it is not running.
    void Commit();
    // Makes the work permanent and keeps the transaction (and its data sets)
    // running.
    void CommitRetaining();
    void Rollback();
    void RollbackRetaining();

    TIBHandle* Handle() { return &handle_; }
    // Raises "Transaction is not active" unless running.
    void CheckInTransaction() const;

    void AddUser(TIBTransactionUser* user);
    void RemoveUser(TIBTransactionUser* user);
    void DatabaseDestroyed() { database_ = nullptr; }

  private:
    void EndUsers();

    TIBDatabase* database_;
    TIBHandle handle_ = 0;
    std::vector<TIBTransactionUser*> users_;
};
