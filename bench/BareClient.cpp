#include "BareClient.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <stdexcept>

namespace Bare {

namespace {

using SqldaPtr = std::unique_ptr<XSQLDA, decltype(&std::free)>;

SqldaPtr Sqlda(int n) {
    return SqldaPtr(NewSqlda(n), &std::free);
}

XSQLVAR Parameter(short type, short length, void* data, short* null) {
    XSQLVAR var{};
    var.sqltype = static_cast<ISC_SHORT>(type + 1);
    var.sqllen = length;
    var.sqldata = static_cast<char*>(data);
    var.sqlind = null;
    return var;
}

} // namespace

void Check(const ISC_STATUS* status) {
    if (status[0] == 1 && status[1] != 0) {
        char text[512];
        const ISC_STATUS* cursor = status;
        std::string message;
        while (fb_interpret(text, sizeof text, &cursor) > 0)
            message += std::string(text) + "\n";
        throw std::runtime_error(message);
    }
}

XSQLDA* NewSqlda(int n) {
    auto* sqlda = static_cast<XSQLDA*>(std::calloc(1, XSQLDA_LENGTH(n)));
    sqlda->version = SQLDA_VERSION1;
    sqlda->sqln = static_cast<ISC_SHORT>(n);
    return sqlda;
}

Attachment::~Attachment() {
    Detach();
}

void Attachment::Attach(const std::string& path) {
    Detach();
    ISC_STATUS_ARRAY status;
    isc_attach_database(status, 0, path.c_str(), &db_, 0, nullptr);
    Check(status);
}

void Attachment::Create(const std::string& path) {
    Detach();
    std::remove(path.c_str());
    ISC_STATUS_ARRAY status;
    const std::string create =
        "CREATE DATABASE '" + path + "' USER \"SYSDBA\"\r\nPASSWORD \"brugwacht\"\r\n";
    isc_dsql_execute_immediate(status, &db_, &tr_, 0, create.c_str(), 3, nullptr);
    Check(status);
    Start();
    Execute("CREATE GENERATOR GEN_DATATBL_ID");
    CommitRetaining();
    Execute("CREATE TABLE DATATBL\r\n(ID INTEGER,\r\nDATUM DATE,\r\nTIJD TIME,\r\nAKTIE "
            "VARCHAR(30),\r\nDATA VARCHAR(25))");
    CommitRetaining();
}

void Attachment::Detach() {
    ISC_STATUS_ARRAY status;
    if (tr_)
        isc_commit_transaction(status, &tr_);
    if (db_)
        isc_detach_database(status, &db_);
    tr_ = db_ = 0;
}

void Attachment::Start() {
    ISC_STATUS_ARRAY status;
    isc_start_transaction(status, &tr_, 1, &db_, 0, nullptr);
    Check(status);
}

void Attachment::Commit() {
    ISC_STATUS_ARRAY status;
    isc_commit_transaction(status, &tr_);
    Check(status);
}

void Attachment::CommitRetaining() {
    ISC_STATUS_ARRAY status;
    isc_commit_retaining(status, &tr_);
    Check(status);
}

void Attachment::Execute(const std::string& statement) {
    ISC_STATUS_ARRAY status;
    isc_dsql_execute_immediate(status, &db_, &tr_, 0, statement.c_str(), 3, nullptr);
    Check(status);
}

long long Attachment::FetchAll(const std::string& statement,
                               std::vector<std::string>* firstColumn) {
    ISC_STATUS_ARRAY status;
    isc_stmt_handle select = 0;
    isc_dsql_allocate_statement(status, &db_, &select);
    Check(status);
    SqldaPtr out = Sqlda(8);
    isc_dsql_prepare(status, &tr_, &select, 0, statement.c_str(), 3, out.get());
    Check(status);
    if (out->sqld > out->sqln) {
        out = Sqlda(out->sqld);
        isc_dsql_describe(status, &select, 1, out.get());
        Check(status);
    }
    std::vector<std::vector<char>> buffers(static_cast<size_t>(out->sqld));
    std::vector<short> nulls(static_cast<size_t>(out->sqld));
    for (int i = 0; i < out->sqld; ++i) {
        buffers[size_t(i)].resize(size_t(out->sqlvar[i].sqllen) + 2);
        out->sqlvar[i].sqldata = buffers[size_t(i)].data();
        out->sqlvar[i].sqlind = &nulls[size_t(i)];
    }
    isc_dsql_execute(status, &tr_, &select, 3, nullptr);
    Check(status);
    long long rows = 0;
    while (isc_dsql_fetch(status, &select, 3, out.get()) == 0) {
        ++rows;
        if (firstColumn && out->sqld > 0) {
            const XSQLVAR& var = out->sqlvar[0];
            if ((var.sqltype & ~1) == SQL_VARYING) {
                unsigned short length;
                std::memcpy(&length, var.sqldata, 2);
                firstColumn->emplace_back(var.sqldata + 2, length);
            } else {
                firstColumn->emplace_back(var.sqldata, size_t(var.sqllen));
            }
        }
    }
    isc_dsql_free_statement(status, &select, DSQL_drop);
    return rows;
}

void Attachment::InsertAll(const std::vector<Row>& rows) {
    ISC_STATUS_ARRAY status;
    isc_stmt_handle insert = 0;
    isc_dsql_allocate_statement(status, &db_, &insert);
    Check(status);
    isc_dsql_prepare(status, &tr_, &insert, 0,
                     "INSERT INTO DATATBL(ID, DATUM, TIJD, AKTIE, DATA) VALUES(?,?,?,?,?)", 3,
                     nullptr);
    Check(status);
    SqldaPtr in = Sqlda(5);
    in->sqld = 5;
    short nulls[5] = {};
    for (const Row& row : rows) {
        ISC_LONG id = row.Id;
        ISC_DATE date = row.Date;
        ISC_TIME time = row.Time;
        in->sqlvar[0] = Parameter(SQL_LONG, 4, &id, &nulls[0]);
        in->sqlvar[1] = Parameter(SQL_TYPE_DATE, 4, &date, &nulls[1]);
        in->sqlvar[2] = Parameter(SQL_TYPE_TIME, 4, &time, &nulls[2]);
        in->sqlvar[3] = Parameter(SQL_TEXT, static_cast<short>(row.Aktie.size()),
                                  const_cast<char*>(row.Aktie.data()), &nulls[3]);
        in->sqlvar[4] = Parameter(SQL_TEXT, static_cast<short>(row.Data.size()),
                                  const_cast<char*>(row.Data.data()), &nulls[4]);
        isc_dsql_execute(status, &tr_, &insert, 3, in.get());
        Check(status);
    }
    isc_dsql_free_statement(status, &insert, DSQL_drop);
}

} // namespace Bare
