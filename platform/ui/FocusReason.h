#pragma once

#include <QFocusEvent>

// Whether a focus-out event moves the focus to another control of the same
// window. Deactivating the window (another program, a message box) and
// opening a popup or the menu bar keep the control as the window's focus,
// as the class library's controls see it: no exit, no end of the edit.
inline bool FocusMovesWithinWindow(const QFocusEvent* event) {
    switch (event->reason()) {
    case Qt::ActiveWindowFocusReason:
    case Qt::PopupFocusReason:
    case Qt::MenuBarFocusReason:
        return false;
    default:
        return true;
    }
}
