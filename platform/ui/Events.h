#pragma once

#include <QObject>
#include <functional>

// Event properties of components: a handler bound by the owner, called with
// the component that raised the event. An empty handler means unassigned.
using TNotifyEvent = std::function<void(QObject* Sender)>;

// Binds a method of a form or module as an event handler.
template <class C>
TNotifyEvent Bind(C* object, void (C::*method)(QObject*)) {
    return [object, method](QObject* sender) { (object->*method)(sender); };
}

// Raises an event when a handler is assigned.
inline void Fire(const TNotifyEvent& event, QObject* sender) {
    if (event)
        event(sender);
}
