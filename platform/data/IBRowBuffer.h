#pragma once

#include "platform/regional/Regional.h"

#include <QString>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The rows a data set has fetched, stored compactly: one 8-byte slot per
// value (numbers, dates and times in the engine's own units; texts as a
// place in one shared byte store) and one null flag per value. Values are
// turned into text only when read.
class TIBRowBuffer {
  public:
    enum class Type { Integer, Float, Date, Time, Timestamp, Text, Boolean, Unsupported };

    struct Column {
        QString name;
        Type type = Type::Unsupported;
        int scale = 0;  // decimal places of an integer column held as a scaled number
        int length = 0; // bytes of the value: the characters of a text column
    };

    // Takes the column descriptions of a prepared statement (its XSQLDA);
    // drops all rows.
    void Describe(const void* columns);
    void Clear();
    // Copies the row held in the statement's column buffers.
    void Append(const void* columns);

    int RowCount() const { return rows_; }
    int ColumnCount() const { return static_cast<int>(columns_.size()); }
    const Column& ColumnAt(int column) const { return columns_[static_cast<size_t>(column)]; }

    bool IsNull(int row, int column) const { return nulls_[Index(row, column)] != 0; }
    std::int64_t Integer(int row, int column) const; // the stored number, unscaled
    double Float(int row, int column) const;
    TDateTime DateTime(int row, int column) const;
    std::string_view Bytes(int row, int column) const;

    // The class library's text form: integers in decimal, a date in the
    // regional short date format, a time in the regional long time format,
    // texts as stored; NULL gives an empty text.
    QString Text(int row, int column) const;

  private:
    size_t Index(int row, int column) const {
        return static_cast<size_t>(row) * columns_.size() + static_cast<size_t>(column);
    }

    std::vector<Column> columns_;
    std::vector<short> sourceTypes_;
    std::vector<std::int64_t> slots_;
    std::vector<std::uint8_t> nulls_;
    std::string bytes_;
    int rows_ = 0;
};
