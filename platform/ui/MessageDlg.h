#pragma once

#include <QString>
#include <functional>
#include <vector>

enum class TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation };
enum class TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel };

// The class library's modal results.
enum TModalResult { mrNone = 0, mrOk = 1, mrCancel = 2, mrYes = 6, mrNo = 7 };

struct MessageRequest {
    QString Text; // a carriage return breaks the line
    TMsgDlgType Type;
    std::vector<TMsgDlgBtn> Buttons;
};

// Shows a modal box above the window that raised it (the active window, else
// a window of ours that stays on top), centred on that window, or on the
// screen when there is none, and returns the button pressed.
// With Yes and No, Yes is the default and Escape answers No; with OK alone,
// OK is the default. The box runs a nested event loop, so timers and the
// serial poll go on while it is open.
int MessageDlg(const QString& text, TMsgDlgType type, std::vector<TMsgDlgBtn> buttons);

// Replaces the real box, for tests: the hook gets every request (the standard
// error box included) and returns the answer. An empty hook restores the box.
using MessageBoxHook = std::function<int(const MessageRequest&)>;
void SetMessageBoxHook(MessageBoxHook hook);
