#include "platform/data/Field.h"

#include "platform/data/IBCustomDataSet.h"

#include <cmath>

TField::TField(TIBCustomDataSet* dataSet, int index, QString fieldName)
    : dataSet_(dataSet), index_(index), fieldName_(std::move(fieldName)),
      displayLabel_(fieldName_) {}

void TField::SetDisplayLabel(const QString& label) {
    if (label == displayLabel_)
        return;
    displayLabel_ = label;
    dataSet_->NotifyLayoutChanged();
}

int TField::DisplayWidth() const {
    // A date and a time of day whose texts are as long as any.
    const TDateTime widest =
        Regional::EncodeDate(2000, 12, 28) + Regional::EncodeTime(23, 59, 59, 0);
    const TIBRowBuffer::Column& column = dataSet_->Rows().ColumnAt(index_);
    switch (column.type) {
    case TIBRowBuffer::Type::Text:
        return column.length;
    case TIBRowBuffer::Type::Integer: {
        // Sign and digits of the type's widest number, with its decimal separator.
        const int digits = column.length <= 2 ? 5 : column.length <= 4 ? 10 : 19;
        return 1 + digits + (column.scale > 0 ? 1 : 0);
    }
    case TIBRowBuffer::Type::Date:
        return int(Regional::DateToStr(widest).size());
    case TIBRowBuffer::Type::Time:
        return int(Regional::TimeToStr(widest).size());
    case TIBRowBuffer::Type::Timestamp:
        return int(Regional::DateTimeToStr(widest).size());
    case TIBRowBuffer::Type::Boolean:
        return 5; // False
    default:
        return 10;
    }
}

bool TField::IsNull() const {
    const int row = dataSet_->CurrentRow();
    return row < 0 || dataSet_->Rows().IsNull(row, index_);
}

QString TField::AsString() const {
    const int row = dataSet_->CurrentRow();
    return row < 0 ? QString() : dataSet_->Rows().Text(row, index_);
}

int TField::AsInteger() const {
    if (IsNull())
        return 0;
    const TIBRowBuffer& rows = dataSet_->Rows();
    const int row = dataSet_->CurrentRow();
    switch (rows.ColumnAt(index_).type) {
    case TIBRowBuffer::Type::Integer:
        if (rows.ColumnAt(index_).scale <= 0)
            return static_cast<int>(rows.Integer(row, index_));
        return static_cast<int>(Regional::Round(rows.Float(row, index_)));
    case TIBRowBuffer::Type::Float:
        return static_cast<int>(Regional::Round(rows.Float(row, index_)));
    case TIBRowBuffer::Type::Text:
        return Regional::StrToInt(AsString());
    case TIBRowBuffer::Type::Boolean:
        return static_cast<int>(rows.Integer(row, index_));
    default:
        return static_cast<int>(std::trunc(rows.DateTime(row, index_)));
    }
}

double TField::AsFloat() const {
    if (IsNull())
        return 0;
    const TIBRowBuffer& rows = dataSet_->Rows();
    if (rows.ColumnAt(index_).type == TIBRowBuffer::Type::Text)
        return static_cast<double>(Regional::StrToFloat(AsString()));
    return rows.Float(dataSet_->CurrentRow(), index_);
}

TDateTime TField::AsDateTime() const {
    if (IsNull())
        return 0;
    const TIBRowBuffer& rows = dataSet_->Rows();
    switch (rows.ColumnAt(index_).type) {
    case TIBRowBuffer::Type::Text:
        return Regional::StrToDateTime(AsString());
    case TIBRowBuffer::Type::Integer:
    case TIBRowBuffer::Type::Float:
        return rows.Float(dataSet_->CurrentRow(), index_);
    default:
        return rows.DateTime(dataSet_->CurrentRow(), index_);
    }
}
