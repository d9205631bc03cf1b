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
    const auto* own = dynamic_cast<const Exception*>(&error);
    const QString text = own ? own->Message() : QString::fromUtf8(error.what());
    MessageDlg(text, TMsgDlgType::mtError, {TMsgDlgBtn::mbOK});
}
