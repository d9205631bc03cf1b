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
