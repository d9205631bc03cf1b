#include "platform/data/IBDatabase.h"

#include "platform/data/IBClientLibrary.h"
#include "platform/data/IBError.h"
#include "platform/data/IBTransaction.h"
#include "platform/errors/Exception.h"

#include <QFile>
#include <algorithm>
#include <type_traits>

static_assert(std::is_same_v<TIBHandle, isc_db_handle>, "TIBHandle must be the client's handle");

TIBDatabase::TIBDatabase(QObject* owner) : QObject(owner) {
    IBClientLibrary::Load();
}

TIBDatabase::~TIBDatabase() {
    if (Connected()) {
        try {
            Close();
        } catch (const std::exception&) {
            // Nothing can be told at this point; the engine drops the rest.
        }
    }
    for (TIBDatabaseUser* user : std::vector(users_))
        user->DatabaseDestroyed();
    for (TIBTransaction* transaction : std::vector(transactions_))
        transaction->DatabaseDestroyed();
}

void TIBDatabase::SetDatabaseName(const QString& name) {
    if (Connected())
        throw EDatabaseError("Cannot perform operation -- DB is currently open");
    databaseName_ = name;
}

void TIBDatabase::CheckConnected() const {
    if (!Connected())
        throw EDatabaseError("Cannot perform operation -- DB is not open");
}

void TIBDatabase::CreateDatabase() {
    if (Connected())
        throw EDatabaseError("Cannot perform operation -- DB is currently open");
    // The name is a quoted literal of the statement: a quote in it is doubled.
    QString text = "CREATE DATABASE '" + QString(databaseName_).replace("'", "''") + "' ";
    for (const QString& line : params_)
        text += line + "\r\n";
    const QByteArray bytes = QFile::encodeName(text);
    ISC_STATUS_ARRAY status;
    isc_tr_handle transaction = 0;
    isc_db_handle handle = 0;
    isc_dsql_execute_immediate(status, &handle, &transaction, 0, bytes.constData(), 3, nullptr);
    IBError::Check(status);
    handle_ = handle;
}

QString TIBDatabase::ParamValue(const QString& key) const {
    for (const QString& line : params_) {
        const QString trimmed = line.trimmed();
        if (!trimmed.startsWith(key, Qt::CaseInsensitive))
            continue;
        QString value = trimmed.mid(key.size()).trimmed();
        if (value.startsWith('='))
            value = value.mid(1).trimmed();
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
            value.back() == value.front())
            value = value.mid(1, value.size() - 2);
        return value;
    }
    return {};
}

void TIBDatabase::Open() {
    if (Connected())
        return;
    if (databaseName_.isEmpty())
        throw EDatabaseError("Database name is missing");
    QByteArray dpb;
    dpb.append(char(isc_dpb_version1));
    // The parameter block gives each value's length in one byte; a longer
    // value is refused rather than cut.
    auto add = [this, &dpb](char tag, const QByteArray& value) {
        if (value.size() > 255)
            throw EDatabaseError(QString("opening: %1\na user name or password of %2 "
                                         "characters; at most 255 are possible")
                                     .arg(databaseName_)
                                     .arg(value.size()));
        dpb.append(tag);
        dpb.append(char(value.size()));
        dpb.append(value);
    };
    QString user = ParamValue("user_name");
    if (user.isEmpty())
        user = ParamValue("USER");
    QString password = ParamValue("password");
    if (!user.isEmpty())
        add(isc_dpb_user_name, user.toLatin1());
    if (!password.isEmpty())
        add(isc_dpb_password, password.toLatin1());
    dpb.append(char(isc_dpb_sql_dialect));
    dpb.append(char(1));
    dpb.append(char(3));

    const QByteArray path = QFile::encodeName(databaseName_);
    ISC_STATUS_ARRAY status;
    isc_db_handle handle = 0;
    isc_attach_database(status, 0, path.constData(), &handle, static_cast<short>(dpb.size()),
                        dpb.constData());
    IBError::Check(status, "opening: " + databaseName_);
    handle_ = handle;
}

void TIBDatabase::Close() {
    if (!Connected())
        return;
    for (TIBDatabaseUser* user : std::vector(users_))
        user->DatabaseClosing();
    for (TIBTransaction* transaction : std::vector(transactions_))
        if (transaction->InTransaction())
            transaction->Commit();
    ISC_STATUS_ARRAY status;
    isc_detach_database(status, &handle_);
    // A failed detach leaves an attachment that cannot be used any more.
    handle_ = 0;
    IBError::Check(status, "closing: " + databaseName_);
}

void TIBDatabase::AddUser(TIBDatabaseUser* user) {
    if (std::find(users_.begin(), users_.end(), user) == users_.end())
        users_.push_back(user);
}

void TIBDatabase::RemoveUser(TIBDatabaseUser* user) {
    std::erase(users_, user);
}

void TIBDatabase::AddTransaction(TIBTransaction* transaction) {
    if (std::find(transactions_.begin(), transactions_.end(), transaction) == transactions_.end())
        transactions_.push_back(transaction);
}

void TIBDatabase::RemoveTransaction(TIBTransaction* transaction) {
    std::erase(transactions_, transaction);
}
