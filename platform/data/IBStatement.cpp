#include "platform/data/IBStatement.h"

#include "platform/data/IBDateTime.h"
#include "platform/data/IBError.h"
#include "platform/data/IBSqlParams.h"
#include "platform/errors/Exception.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <type_traits>

static_assert(std::is_same_v<TIBHandle, isc_stmt_handle>, "TIBHandle must be the client's handle");

namespace {

XSQLDA* NewSqlda(int count) {
    const int n = count < 1 ? 1 : count;
    auto* sqlda = static_cast<XSQLDA*>(std::calloc(1, XSQLDA_LENGTH(n)));
    sqlda->version = SQLDA_VERSION1;
    sqlda->sqln = static_cast<ISC_SHORT>(n);
    return sqlda;
}

// Buffer bytes a column needs, rounded up to 8 for alignment.
int ColumnBytes(const XSQLVAR& var) {
    int size = var.sqllen;
    if ((var.sqltype & ~1) == SQL_VARYING)
        size += 2;
    return (size + 7) & ~7;
}

XSQLDA* Da(void* p) {
    return static_cast<XSQLDA*>(p);
}

} // namespace

TIBStatement::TIBStatement() = default;

TIBStatement::~TIBStatement() {
    Release();
    std::free(in_);
    std::free(out_);
}

QString TIBStatement::Context(const QString& action) const {
    QString text = sql_.simplified();
    if (text.size() > 80)
        text = text.left(77) + "...";
    return action + ": " + text;
}

void TIBStatement::Check(const ISC_STATUS* status, const char* action) const {
    // The context text is made only for an error: building it for every
    // call costs more than many of the calls themselves.
    if (IBError::Failed(status))
        IBError::Raise(status, Context(QString::fromLatin1(action)));
}

void TIBStatement::Forget() {
    prepared_ = false;
    cursorOpen_ = false;
    select_ = false;
    params_.clear();
    markerParam_.clear();
}

void TIBStatement::Unprepare() {
    if (cursorOpen_) {
        ISC_STATUS_ARRAY status;
        isc_dsql_free_statement(status, &handle_, DSQL_close);
    }
    Forget();
}

void TIBStatement::Release() {
    if (handle_ != 0) {
        ISC_STATUS_ARRAY status;
        isc_dsql_free_statement(status, &handle_, DSQL_drop);
        handle_ = 0; // a handle of a lost attachment is gone anyway
    }
    attachment_ = 0;
    Forget();
}

void TIBStatement::Prepare(TIBHandle* database, TIBHandle* transaction, const QString& sql) {
    Unprepare();
    sql_ = sql;
    const TIBSqlParams parsed = TIBSqlParams::Parse(sql);
    // The parameter description counts its entries in 16 signed bits.
    if (parsed.names.size() > SHRT_MAX)
        throw EDatabaseError(Context("preparing") +
                             QString("\n%1 parameters; at most %2 are possible")
                                 .arg(parsed.names.size())
                                 .arg(SHRT_MAX));
    const QByteArray text = parsed.text.toLatin1();

    ISC_STATUS_ARRAY status;
    // A handle stays allocated from one preparation to the next on the same
    // attachment; preparing on it replaces the statement it held.
    if (handle_ != 0 && attachment_ != *database)
        Release();
    if (handle_ == 0) {
        isc_dsql_allocate_statement(status, database, &handle_);
        Check(status, "preparing");
        attachment_ = *database;
    }

    if (!out_)
        out_ = NewSqlda(16);
    isc_dsql_prepare(status, transaction, &handle_, 0, text.constData(), 3, Da(out_));
    if (IBError::Failed(status)) {
        ISC_STATUS_ARRAY ignored;
        isc_dsql_free_statement(ignored, &handle_, DSQL_drop);
        handle_ = 0;
        attachment_ = 0;
        IBError::Raise(status, Context("preparing"));
    }
    if (Da(out_)->sqld > Da(out_)->sqln) {
        const int count = Da(out_)->sqld;
        std::free(out_);
        out_ = NewSqlda(count);
        isc_dsql_describe(status, &handle_, 3, Da(out_));
        Check(status, "preparing");
    }
    AllocateColumnBuffers();

    const int markers = static_cast<int>(parsed.names.size());
    std::free(in_);
    in_ = NewSqlda(markers);
    if (markers > 0) {
        isc_dsql_describe_bind(status, &handle_, 3, Da(in_));
        Check(status, "preparing");
    }
    for (const QString& name : parsed.names) {
        int index = -1;
        for (size_t p = 0; p < params_.size(); ++p)
            if (params_[p].Name() == name)
                index = static_cast<int>(p);
        if (index < 0) {
            params_.emplace_back(name);
            index = static_cast<int>(params_.size()) - 1;
        }
        markerParam_.push_back(index);
    }
    inBuffer_.assign(static_cast<size_t>(markers) * 8, 0);
    inNulls_.assign(static_cast<size_t>(markers), 0);

    static const char request[] = {isc_info_sql_stmt_type, isc_info_end};
    char info[16] = {};
    isc_dsql_sql_info(status, &handle_, sizeof request, request, sizeof info, info);
    Check(status, "preparing");
    if (info[0] == isc_info_sql_stmt_type) {
        const short length = static_cast<short>(isc_vax_integer(info + 1, 2));
        const long type = isc_vax_integer(info + 3, length);
        select_ = type == isc_info_sql_stmt_select || type == isc_info_sql_stmt_select_for_upd;
    }
    prepared_ = true;
}

void TIBStatement::AllocateColumnBuffers() {
    XSQLDA* out = Da(out_);
    const int count = out->sqld;
    size_t total = 0;
    for (int i = 0; i < count; ++i)
        total += ColumnBytes(out->sqlvar[i]);
    outBuffer_.assign(total, 0);
    outNulls_.assign(static_cast<size_t>(count), 0);
    size_t offset = 0;
    for (int i = 0; i < count; ++i) {
        XSQLVAR& var = out->sqlvar[i];
        var.sqldata = outBuffer_.data() + offset;
        var.sqlind = &outNulls_[static_cast<size_t>(i)];
        offset += ColumnBytes(var);
    }
}

TIBParam* TIBStatement::FindParam(const QString& name) {
    const QString upper = name.toUpper();
    for (TIBParam& param : params_)
        if (param.Name() == upper)
            return &param;
    return nullptr;
}

void TIBStatement::BindParams() {
    for (size_t m = 0; m < markerParam_.size(); ++m) {
        XSQLVAR& var = Da(in_)->sqlvar[m];
        const TIBParam& param = params_[static_cast<size_t>(markerParam_[m])];
        char* slot = inBuffer_.data() + m * 8;
        short* nullFlag = &inNulls_[m];
        *nullFlag = 0;
        var.sqlind = nullFlag;
        var.sqldata = slot;
        switch (param.ValueKind()) {
        case TIBParam::Kind::Null:
            var.sqltype = static_cast<ISC_SHORT>(var.sqltype | 1);
            *nullFlag = -1;
            break;
        case TIBParam::Kind::Integer: {
            const ISC_INT64 value = param.Integer();
            std::memcpy(slot, &value, 8);
            var.sqltype = SQL_INT64 | 1;
            var.sqlscale = 0;
            var.sqllen = 8;
            break;
        }
        case TIBParam::Kind::Float: {
            const double value = param.Float();
            std::memcpy(slot, &value, 8);
            var.sqltype = SQL_DOUBLE | 1;
            var.sqlscale = 0;
            var.sqllen = 8;
            break;
        }
        case TIBParam::Kind::DateTime: {
            const IBDateTime::IscParts parts = IBDateTime::ToIsc(param.Float());
            ISC_TIMESTAMP value{parts.date, parts.time};
            std::memcpy(slot, &value, sizeof value);
            var.sqltype = SQL_TIMESTAMP | 1;
            var.sqlscale = 0;
            var.sqllen = sizeof value;
            break;
        }
        case TIBParam::Kind::String: {
            // The client library takes a text's length in 16 bits; a longer
            // text is refused whole rather than passed cut or wrapped.
            const qsizetype length = param.Bytes().size();
            if (length > MaxTextLength)
                throw EDatabaseError(
                    Context("executing") +
                    QString("\nparameter %1: a text of %2 characters is longer than the %3 "
                            "characters a parameter can carry")
                        .arg(param.Name())
                        .arg(length)
                        .arg(MaxTextLength));
            var.sqltype = SQL_TEXT | 1;
            var.sqlsubtype = 0;
            var.sqlscale = 0;
            var.sqllen = static_cast<ISC_SHORT>(length);
            var.sqldata = const_cast<char*>(param.Bytes().constData());
            break;
        }
        }
    }
}

void TIBStatement::Execute(TIBHandle* transaction) {
    CloseCursor();
    ISC_STATUS_ARRAY status;
    try {
        BindParams();
        isc_dsql_execute(status, transaction, &handle_, 3,
                         markerParam_.empty() ? nullptr : Da(in_));
    } catch (...) {
        ClearParams();
        throw;
    }
    ClearParams();
    Check(status, "executing");
    cursorOpen_ = select_;
}

void TIBStatement::ClearParams() {
    for (TIBParam& param : params_)
        param.Clear();
}

bool TIBStatement::Fetch() {
    ISC_STATUS_ARRAY status;
    const ISC_STATUS result = isc_dsql_fetch(status, &handle_, 3, Da(out_));
    if (result == 100)
        return false;
    Check(status, "fetching");
    return true;
}

void TIBStatement::CloseCursor() {
    if (!cursorOpen_)
        return;
    cursorOpen_ = false;
    ISC_STATUS_ARRAY status;
    isc_dsql_free_statement(status, &handle_, DSQL_close);
}
