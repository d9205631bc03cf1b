#pragma once

#include "platform/regional/Regional.h"

#include <QByteArray>
#include <QString>

// A named parameter of a prepared statement. It holds the value set since
// the statement last ran; a parameter that is not set runs as NULL, and every
// execution leaves all parameters unset again, so a row never takes a value
// left over from the row before it.
class TIBParam {
  public:
    enum class Kind { Null, Integer, Float, DateTime, String };

    explicit TIBParam(QString name) : name_(std::move(name)) {}

    const QString& Name() const { return name_; }

    void SetAsInteger(long long value);
    void SetAsFloat(double value);
    // Runs as a timestamp: a DATE column keeps its date part, a TIME column
    // its time of day.
    void SetAsDateTime(TDateTime value);
    // The text as 8-bit characters, one byte per character.
    void SetAsString(const QString& value);
    void Clear(); // NULL

    Kind ValueKind() const { return kind_; }
    bool IsNull() const { return kind_ == Kind::Null; }
    long long Integer() const { return integer_; }
    double Float() const { return float_; }
    const QByteArray& Bytes() const { return bytes_; }

  private:
    QString name_;
    Kind kind_ = Kind::Null;
    long long integer_ = 0;
    double float_ = 0;
    QByteArray bytes_;
};
