#include "platform/data/IBRowBuffer.h"

#include "platform/data/IBDateTime.h"

#include <cstring>
#include <ibase.h>

namespace {

TIBRowBuffer::Type TypeOf(short sqltype) {
    switch (sqltype & ~1) {
    case SQL_SHORT:
    case SQL_LONG:
    case SQL_INT64:
        return TIBRowBuffer::Type::Integer;
    case SQL_FLOAT:
    case SQL_DOUBLE:
    case SQL_D_FLOAT:
        return TIBRowBuffer::Type::Float;
    case SQL_TYPE_DATE:
        return TIBRowBuffer::Type::Date;
    case SQL_TYPE_TIME:
        return TIBRowBuffer::Type::Time;
    case SQL_TIMESTAMP:
        return TIBRowBuffer::Type::Timestamp;
    case SQL_TEXT:
    case SQL_VARYING:
        return TIBRowBuffer::Type::Text;
    case SQL_BOOLEAN:
        return TIBRowBuffer::Type::Boolean;
    default:
        return TIBRowBuffer::Type::Unsupported;
    }
}

std::int64_t PackText(size_t offset, size_t length) {
    return static_cast<std::int64_t>((offset << 16) | (length & 0xFFFF));
}

} // namespace

void TIBRowBuffer::Describe(const void* sqlda) {
    const auto* columns = static_cast<const XSQLDA*>(sqlda);
    Clear();
    columns_.clear();
    sourceTypes_.clear();
    for (int i = 0; i < columns->sqld; ++i) {
        const XSQLVAR& var = columns->sqlvar[i];
        Column column;
        const int length = var.aliasname_length > 0 ? var.aliasname_length : var.sqlname_length;
        column.name =
            QString::fromLatin1(var.aliasname_length > 0 ? var.aliasname : var.sqlname, length);
        column.type = TypeOf(var.sqltype);
        column.scale = -var.sqlscale;
        column.length = var.sqllen;
        columns_.push_back(column);
        sourceTypes_.push_back(static_cast<short>(var.sqltype & ~1));
    }
}

void TIBRowBuffer::Clear() {
    slots_.clear();
    nulls_.clear();
    bytes_.clear();
    rows_ = 0;
}

void TIBRowBuffer::Append(const void* sqlda) {
    const auto* columns = static_cast<const XSQLDA*>(sqlda);
    const size_t count = columns_.size();
    for (size_t i = 0; i < count; ++i) {
        const XSQLVAR& var = columns->sqlvar[i];
        const bool isNull = (var.sqltype & 1) && *var.sqlind < 0;
        nulls_.push_back(isNull ? 1 : 0);
        std::int64_t slot = 0;
        if (!isNull) {
            const char* data = var.sqldata;
            switch (sourceTypes_[i]) {
            case SQL_SHORT: {
                ISC_SHORT v;
                std::memcpy(&v, data, sizeof v);
                slot = v;
                break;
            }
            case SQL_LONG: {
                ISC_LONG v;
                std::memcpy(&v, data, sizeof v);
                slot = v;
                break;
            }
            case SQL_INT64:
                std::memcpy(&slot, data, 8);
                break;
            case SQL_FLOAT: {
                float f;
                std::memcpy(&f, data, sizeof f);
                const double d = f;
                std::memcpy(&slot, &d, 8);
                break;
            }
            case SQL_DOUBLE:
            case SQL_D_FLOAT:
                std::memcpy(&slot, data, 8);
                break;
            case SQL_TYPE_DATE: {
                ISC_DATE v;
                std::memcpy(&v, data, sizeof v);
                slot = v;
                break;
            }
            case SQL_TYPE_TIME: {
                ISC_TIME v;
                std::memcpy(&v, data, sizeof v);
                slot = v;
                break;
            }
            case SQL_TIMESTAMP: {
                ISC_TIMESTAMP v;
                std::memcpy(&v, data, sizeof v);
                slot = (static_cast<std::int64_t>(v.timestamp_date) << 32) | v.timestamp_time;
                break;
            }
            case SQL_TEXT: {
                size_t length = static_cast<size_t>(var.sqllen);
                while (length > 0 && data[length - 1] == ' ')
                    --length;
                slot = PackText(bytes_.size(), length);
                bytes_.append(data, length);
                break;
            }
            case SQL_VARYING: {
                unsigned short length;
                std::memcpy(&length, data, 2);
                slot = PackText(bytes_.size(), length);
                bytes_.append(data + 2, length);
                break;
            }
            case SQL_BOOLEAN:
                slot = *reinterpret_cast<const unsigned char*>(data) != 0;
                break;
            default:
                break;
            }
        }
        slots_.push_back(slot);
    }
    ++rows_;
}

std::int64_t TIBRowBuffer::Integer(int row, int column) const {
    return slots_[Index(row, column)];
}

double TIBRowBuffer::Float(int row, int column) const {
    const std::int64_t slot = slots_[Index(row, column)];
    switch (columns_[static_cast<size_t>(column)].type) {
    case Type::Float: {
        double d;
        std::memcpy(&d, &slot, 8);
        return d;
    }
    case Type::Integer: {
        double value = static_cast<double>(slot);
        for (int s = columns_[static_cast<size_t>(column)].scale; s > 0; --s)
            value /= 10;
        return value;
    }
    default:
        return DateTime(row, column);
    }
}

TDateTime TIBRowBuffer::DateTime(int row, int column) const {
    const std::int64_t slot = slots_[Index(row, column)];
    switch (columns_[static_cast<size_t>(column)].type) {
    case Type::Date:
        return IBDateTime::FromIscDate(static_cast<std::int32_t>(slot));
    case Type::Time:
        return IBDateTime::FromIscTime(static_cast<std::uint32_t>(slot));
    case Type::Timestamp:
        return IBDateTime::FromIsc(static_cast<std::int32_t>(slot >> 32),
                                   static_cast<std::uint32_t>(slot & 0xFFFFFFFF));
    default:
        return 0;
    }
}

std::string_view TIBRowBuffer::Bytes(int row, int column) const {
    const auto slot = static_cast<std::uint64_t>(slots_[Index(row, column)]);
    if (columns_[static_cast<size_t>(column)].type != Type::Text)
        return {};
    return std::string_view(bytes_).substr(slot >> 16, slot & 0xFFFF);
}

QString TIBRowBuffer::Text(int row, int column) const {
    if (IsNull(row, column))
        return {};
    const Column& c = columns_[static_cast<size_t>(column)];
    switch (c.type) {
    case Type::Integer:
        if (c.scale <= 0)
            return Regional::IntToStr(Integer(row, column));
        return Regional::FloatToStr(Float(row, column));
    case Type::Float:
        return Regional::FloatToStr(Float(row, column));
    case Type::Date:
        return Regional::DateToStr(DateTime(row, column));
    case Type::Time:
        return Regional::TimeToStr(DateTime(row, column));
    case Type::Timestamp:
        return Regional::DateTimeToStr(DateTime(row, column));
    case Type::Text: {
        const std::string_view bytes = Bytes(row, column);
        return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
    }
    case Type::Boolean:
        return Integer(row, column) ? "True" : "False";
    case Type::Unsupported:
        break;
    }
    return {};
}
