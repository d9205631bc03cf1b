#pragma once

#include "platform/data/IBHandle.h"

#include <QObject>
#include <QStringList>
#include <vector>

class TIBTransaction;

// What a statement, query or data set does when its connection closes: it
// closes and undoes its preparation.
class TIBDatabaseUser {
  public:
    virtual void DatabaseClosing() = 0;
    virtual void DatabaseDestroyed() = 0;

  protected:
    ~TIBDatabaseUser() = default;
};

// The connection to one database file through the embedded engine: no
// server and no login dialog, whatever LoginPrompt says.
class TIBDatabase : public QObject {
  public:
    explicit TIBDatabase(QObject* owner = nullptr);
    ~TIBDatabase() override;

    const QString& DatabaseName() const { return databaseName_; }
    void SetDatabaseName(const QString& name); // only while closed
    // Parameter lines such as USER "SYSDBA" and PASSWORD "...".
    QStringList& Params() { return params_; }
    int SQLDialect() const { return 3; }
    bool LoginPrompt() const { return loginPrompt_; }
    void SetLoginPrompt(bool value) { loginPrompt_ = value; }

    // Executes "CREATE DATABASE '<name>' " followed by each parameter line
    // and CR LF, without an attachment, in dialect 3; the new database stays
    // attached.
    void CreateDatabase();
    // Attaches to DatabaseName; nothing when attached already.
    void Open();
    // Closes the data sets and queries on the connection, undoes the prepared
    // statements, commits every transaction in progress and detaches.
    void Close();
    bool Connected() const { return handle_ != 0; }

    TIBHandle* Handle() { return &handle_; }
    // Raises "Cannot perform operation -- DB is not open" unless attached.
    void CheckConnected() const;

    void AddUser(TIBDatabaseUser* user);
    void RemoveUser(TIBDatabaseUser* user);
    void AddTransaction(TIBTransaction* transaction);
    void RemoveTransaction(TIBTransaction* transaction);

  private:
    QString ParamValue(const QString& key) const;

    QString databaseName_;
    QStringList params_;
    bool loginPrompt_ = false;
    TIBHandle handle_ = 0;
    std::vector<TIBDatabaseUser*> users_;
    std::vector<TIBTransaction*> transactions_;
};
