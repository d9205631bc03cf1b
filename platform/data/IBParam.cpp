#include "platform/data/IBParam.h"

void TIBParam::SetAsInteger(long long value) {
    kind_ = Kind::Integer;
    integer_ = value;
}

void TIBParam::SetAsFloat(double value) {
    kind_ = Kind::Float;
    float_ = value;
}

void TIBParam::SetAsDateTime(TDateTime value) {
    kind_ = Kind::DateTime;
    float_ = value;
}

void TIBParam::SetAsString(const QString& value) {
    kind_ = Kind::String;
    bytes_ = value.toLatin1();
}

void TIBParam::Clear() {
    kind_ = Kind::Null;
}
