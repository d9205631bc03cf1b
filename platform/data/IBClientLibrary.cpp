#include "platform/data/IBClientLibrary.h"

#include "platform/errors/Exception.h"

#include <QFile>
#include <cstdarg>
#include <dlfcn.h>
#include <ibase.h>
#include <vector>

namespace {

void* library = nullptr;

// The library's own function of that name, found once.
template <class Function> Function Resolve(Function, const char* name) {
    IBClientLibrary::Load();
    void* symbol = ::dlsym(library, name);
    if (!symbol)
        throw EDatabaseError(
            QStringLiteral("The client library %1 lacks %2")
                .arg(QLatin1String(IBClientLibrary::FileName), QLatin1String(name)));
    return reinterpret_cast<Function>(symbol);
}

#define CLIENT_FUNCTION(name) static const auto client = Resolve(&name, #name)

// A transaction's part in one database, as the client's multiple start takes it.
struct TransactionPart {
    isc_db_handle* database;
    int tpbLength;
    const ISC_SCHAR* tpb;
};

} // namespace

void* IBClientLibrary::Open(const QString& fileName) {
    void* handle = ::dlopen(QFile::encodeName(fileName).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        throw EDatabaseError(QStringLiteral("Unable to load the client library %1: %2")
                                 .arg(fileName, QString::fromLocal8Bit(::dlerror())));
    return handle;
}

void IBClientLibrary::Load() {
    if (!library)
        library = Open(QLatin1String(FileName));
}

extern "C" {

ISC_STATUS ISC_EXPORT isc_attach_database(ISC_STATUS* status, short nameLength,
                                          const ISC_SCHAR* name, isc_db_handle* database,
                                          short dpbLength, const ISC_SCHAR* dpb) {
    CLIENT_FUNCTION(isc_attach_database);
    return client(status, nameLength, name, database, dpbLength, dpb);
}

ISC_STATUS ISC_EXPORT isc_detach_database(ISC_STATUS* status, isc_db_handle* database) {
    CLIENT_FUNCTION(isc_detach_database);
    return client(status, database);
}

ISC_STATUS ISC_EXPORT isc_start_multiple(ISC_STATUS* status, isc_tr_handle* transaction,
                                         short count, void* parts) {
    CLIENT_FUNCTION(isc_start_multiple);
    return client(status, transaction, count, parts);
}

// The variable list holds, per database, its handle, the length of its
// parameter block and the block.
ISC_STATUS ISC_EXPORT_VARARG isc_start_transaction(ISC_STATUS* status, isc_tr_handle* transaction,
                                                   short count, ...) {
    std::vector<TransactionPart> parts(count > 0 ? size_t(count) : 0);
    va_list arguments;
    va_start(arguments, count);
    for (TransactionPart& part : parts) {
        part.database = va_arg(arguments, isc_db_handle*);
        part.tpbLength = va_arg(arguments, int);
        part.tpb = va_arg(arguments, const ISC_SCHAR*);
    }
    va_end(arguments);
    return isc_start_multiple(status, transaction, count, parts.data());
}

// The ends of a transaction, each taking the status and the transaction.
#define TRANSACTION_END(name)                                                                      \
    ISC_STATUS ISC_EXPORT name(ISC_STATUS* status, isc_tr_handle* transaction) {                   \
        CLIENT_FUNCTION(name);                                                                     \
        return client(status, transaction);                                                        \
    }

TRANSACTION_END(isc_commit_transaction)
TRANSACTION_END(isc_commit_retaining)
TRANSACTION_END(isc_rollback_transaction)
TRANSACTION_END(isc_rollback_retaining)

ISC_STATUS ISC_EXPORT isc_dsql_allocate_statement(ISC_STATUS* status, isc_db_handle* database,
                                                  isc_stmt_handle* statement) {
    CLIENT_FUNCTION(isc_dsql_allocate_statement);
    return client(status, database, statement);
}

ISC_STATUS ISC_EXPORT isc_dsql_free_statement(ISC_STATUS* status, isc_stmt_handle* statement,
                                              unsigned short option) {
    CLIENT_FUNCTION(isc_dsql_free_statement);
    return client(status, statement, option);
}

ISC_STATUS ISC_EXPORT isc_dsql_prepare(ISC_STATUS* status, isc_tr_handle* transaction,
                                       isc_stmt_handle* statement, unsigned short length,
                                       const ISC_SCHAR* text, unsigned short dialect,
                                       XSQLDA* columns) {
    CLIENT_FUNCTION(isc_dsql_prepare);
    return client(status, transaction, statement, length, text, dialect, columns);
}

ISC_STATUS ISC_EXPORT isc_dsql_describe(ISC_STATUS* status, isc_stmt_handle* statement,
                                        unsigned short version, XSQLDA* columns) {
    CLIENT_FUNCTION(isc_dsql_describe);
    return client(status, statement, version, columns);
}

ISC_STATUS ISC_EXPORT isc_dsql_describe_bind(ISC_STATUS* status, isc_stmt_handle* statement,
                                             unsigned short version, XSQLDA* params) {
    CLIENT_FUNCTION(isc_dsql_describe_bind);
    return client(status, statement, version, params);
}

ISC_STATUS ISC_EXPORT isc_dsql_execute(ISC_STATUS* status, isc_tr_handle* transaction,
                                       isc_stmt_handle* statement, unsigned short version,
                                       const XSQLDA* params) {
    CLIENT_FUNCTION(isc_dsql_execute);
    return client(status, transaction, statement, version, params);
}

ISC_STATUS ISC_EXPORT isc_dsql_execute_immediate(ISC_STATUS* status, isc_db_handle* database,
                                                 isc_tr_handle* transaction, unsigned short length,
                                                 const ISC_SCHAR* text, unsigned short dialect,
                                                 const XSQLDA* params) {
    CLIENT_FUNCTION(isc_dsql_execute_immediate);
    return client(status, database, transaction, length, text, dialect, params);
}

ISC_STATUS ISC_EXPORT isc_dsql_fetch(ISC_STATUS* status, isc_stmt_handle* statement,
                                     unsigned short version, const XSQLDA* columns) {
    CLIENT_FUNCTION(isc_dsql_fetch);
    return client(status, statement, version, columns);
}

ISC_STATUS ISC_EXPORT isc_dsql_sql_info(ISC_STATUS* status, isc_stmt_handle* statement,
                                        short itemsLength, const ISC_SCHAR* items,
                                        short bufferLength, ISC_SCHAR* buffer) {
    CLIENT_FUNCTION(isc_dsql_sql_info);
    return client(status, statement, itemsLength, items, bufferLength, buffer);
}

ISC_LONG ISC_EXPORT isc_vax_integer(const ISC_SCHAR* bytes, short length) {
    CLIENT_FUNCTION(isc_vax_integer);
    return client(bytes, length);
}

ISC_LONG ISC_EXPORT fb_interpret(ISC_SCHAR* buffer, unsigned int size, const ISC_STATUS** status) {
    CLIENT_FUNCTION(fb_interpret);
    return client(buffer, size, status);
}

} // extern "C"
