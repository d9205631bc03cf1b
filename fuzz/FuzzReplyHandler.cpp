// Feeds arbitrary bytes through the main window's reply framing and dispatch,
// with a fixed regional setting and every message box answered at once.
#include "app/MainForm.h"
#include "app/Program.h"
#include "platform/regional/Regional.h"
#include "platform/ui/Handler.h"
#include "platform/ui/MessageDlg.h"
#include "tools/pictures/Pictures.h"

#include <QApplication>
#include <QTemporaryDir>
#include <cstdint>
#include <string>

namespace {

struct Harness {
    Harness() {
        static int argc = 1;
        static char name[] = "fuzz";
        static char* argv[] = {name, nullptr};
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qputenv("DORVEL_PORTS", folder.path().toLocal8Bit());
        application = new QApplication(argc, argv);
        InitPictures();
        Regional::TFormatSettings settings;
        settings.DecimalSeparator = ',';
        Regional::SetFormatSettings(settings);
        Regional::SetNowHook([] { return Regional::EncodeDate(2026, 12, 9); });
        SetMessageBoxHook([](const MessageRequest&) { return int(mrOk); });
        program = new TProgram;
        program->MainForm->DatabaseFile = folder.filePath("Data.gdb");
        program->MainForm->ComPort = 1;
    }
    QTemporaryDir folder;
    QApplication* application = nullptr;
    TProgram* program = nullptr;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Harness harness;
    TMainForm& form = *harness.program->MainForm;
    form.MultiCommPortDriver1->ReceivedText[1].assign(reinterpret_cast<const char*>(data), size);
    RunHandler([&] { form.MultiCommPortDriver1ReceiveData(nullptr, data, uint32_t(size)); });
    form.MultiCommPortDriver1->ReceivedText[1].clear();
    return 0;
}
