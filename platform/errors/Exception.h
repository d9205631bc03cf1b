#pragma once

#include <QString>
#include <exception>

// The error classes that handlers raise. Each carries the text that the
// standard error box shows; what() gives the same text in UTF-8.
class Exception : public std::exception {
public:
    explicit Exception(QString message) : message_(std::move(message)), utf8_(message_.toUtf8()) {}
    const QString& Message() const { return message_; }
    const char* what() const noexcept override { return utf8_.constData(); }

private:
    QString message_;
    QByteArray utf8_;
};

// A text that does not convert to a number or a date-time.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// A value outside what a control or component accepts.
class EInvalidOperation : public Exception {
public:
    using Exception::Exception;
};

// A failure reported by the database or the data-access components.
class EDatabaseError : public Exception {
public:
    using Exception::Exception;
};

// A file that cannot be created or opened.
class EFileError : public Exception {
public:
    using Exception::Exception;
};
