#include "platform/ui/Handler.h"

#include "platform/errors/Exception.h"
#include "platform/ui/MessageDlg.h"

void RunHandler(const std::function<void()>& body) {
    try {
        body();
    } catch (const std::exception& error) {
        ShowException(error);
    }
}

void ShowException(const std::exception& error) {
    MessageDlg(ExceptionText(error), TMsgDlgType::mtError, {TMsgDlgBtn::mbOK});
}

QString ExceptionText(const std::exception& error) {
    const auto* own = dynamic_cast<const Exception*>(&error);
    return own ? own->Message() : QString::fromUtf8(error.what());
}
