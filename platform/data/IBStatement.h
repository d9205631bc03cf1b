#pragma once

#include "platform/data/IBHandle.h"
#include "platform/data/IBParam.h"

#include <QString>
#include <QStringList>
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
    // Frees the handle; harmless when nothing is prepared.
    void Unprepare();
    bool Prepared() const { return handle_ != 0; }
    bool IsSelect() const { return select_; }
    const QString& Sql() const { return sql_; }

    // Parameters by name, without regard to case; a name used at several
    // places of the text sets all of them.
    TIBParam* FindParam(const QString& name);
    int ParamCount() const { return static_cast<int>(params_.size()); }

    // Runs the statement with the parameters set, then leaves every parameter
    // unset (NULL). A select opens its cursor.
    void Execute(TIBHandle* transaction);
    // The next row into the column buffers; false at the end of the cursor.
    bool Fetch();
    void CloseCursor();
    bool CursorOpen() const { return cursorOpen_; }

    // The column descriptions and buffers, as the client library's XSQLDA.
    const void* Columns() const { return out_; }
    int ColumnCount() const;

    // "preparing: SELECT ..." style context for error texts.
    QString Context(const QString& action) const;

  private:
    void AllocateColumnBuffers();
    void BindParams();

    TIBHandle handle_ = 0;
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
