#pragma once

#include <QObject>
#include <QString>
#include <exception>
#include <functional>
#include <utility>

// Every entry from the Qt event loop into the program's own code (a signal,
// a timer tick, an event override) runs through RunHandler, so an exception
// never unwinds through Qt's frames: it ends the handler and the standard
// error box shows its text. Events raised by our own components while our
// code runs are plain calls, so their exceptions reach the code that caused
// them, as the class library's do.
void RunHandler(const std::function<void()>& body);

// Shows the standard error box (error kind, button OK) for an exception that
// left a handler.
void ShowException(const std::exception& error);

// The text of an exception: our own exceptions' message, else what().
QString ExceptionText(const std::exception& error);

namespace HandlerDetail {

// A body with exactly the parameters of `body`, run through RunHandler; Qt
// passes a signal's leading arguments to a slot that takes fewer.
template <class Body, class... Args>
auto Guarded(Body body, void (Body::*)(Args...) const) {
    return [body = std::move(body)](Args... args) {
        RunHandler([&] { body(std::forward<Args>(args)...); });
    };
}

} // namespace HandlerDetail

// Connects a Qt signal to a body that runs through RunHandler. The body takes
// the signal's arguments, or fewer of them.
template <class Sender, class Signal, class Body>
QMetaObject::Connection BindEvent(Sender* sender, Signal signal, QObject* context, Body body) {
    return QObject::connect(sender, signal, context,
                            HandlerDetail::Guarded(std::move(body), &Body::operator()));
}
