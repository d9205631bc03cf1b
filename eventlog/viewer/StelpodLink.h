#pragma once

#include <QString>

// What the log window needs of the main window: whether a Stelpod has
// answered, and the command transport.
class TStelpodLink {
public:
    virtual bool IsConnected() const = 0;
    virtual void SendString(const QString& Cmd) = 0;

protected:
    ~TStelpodLink() = default;
};
