#pragma once

#include "platform/data/IBHandle.h"
#include "platform/data/IBParam.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <vector>

// One statement handle of the client library with its parameter and column
// descriptions; the statement, query and data set components are built on it.
// The column buffers are allocated once per preparation and reused by every
// fetch.
class TIBStatement {
  public:
    TIBStatement();
    ~TIBStatement();
    TIBStatement(const TIBStatement&) = delete;
    TIBStatement& operator=(const TIBStatement&) = delete;

    // Prepares `sql` (with ":NAME" parameters) on the attachment inside the
    // transaction; replaces an earlier preparation.
    void Prepare(TIBHandle* database, TIBHandle* transaction, const QString& sql);
    // Undoes the preparation; harmless when nothing is prepared. The handle
    // stays allocated for the next preparation on the same attachment.
    void Unprepare();
    // Undoes the preparation and frees the handle; before the attachment
    // closes.
    void Release();
    bool Prepared() const { return prepared_; }
    bool IsSelect() const { return select_; }
    const QString& Sql() const { return sql_; }

    // Parameters by name, without regard to case; a name used at several
    // places of the text sets all of them.
    TIBParam* FindParam(const QString& name);
    int ParamCount() const { return static_cast<int>(params_.size()); }

    // The longest text a parameter can carry: the client library takes a
    // text's length in 16 signed bits.
    static constexpr int MaxTextLength = 32767;

    // Runs the statement with the parameters set, then leaves every parameter
    // unset (NULL), also when it fails. A select opens its cursor. A longer
    // text than MaxTextLength is refused before the engine sees it.
    void Execute(TIBHandle* transaction);
    // The next row into the column buffers; false at the end of the cursor.
    bool Fetch();
    void CloseCursor();
    bool CursorOpen() const { return cursorOpen_; }

    // The column descriptions and buffers, as the client library's XSQLDA.
    const void* Columns() const { return out_; }

    // "preparing: SELECT ..." style context for error texts.
    QString Context(const QString& action) const;

  private:
    void AllocateColumnBuffers();
    void BindParams();
    void ClearParams();
    void Forget();
    void Check(const std::intptr_t* status, const char* action) const;

    TIBHandle handle_ = 0;
    TIBHandle attachment_ = 0; // the attachment the handle was allocated on
    bool prepared_ = false;
    QString sql_;
    bool select_ = false;
    bool cursorOpen_ = false;
    void* in_ = nullptr;  // XSQLDA of the parameters
    void* out_ = nullptr; // XSQLDA of the columns
    std::vector<char> outBuffer_;
    std::vector<short> outNulls_;
    std::vector<TIBParam> params_; // one per distinct name
    std::vector<int> markerParam_; // marker index -> params_ index
    std::vector<char> inBuffer_;   // 8 bytes per marker for numbers and dates
    std::vector<short> inNulls_;
};
