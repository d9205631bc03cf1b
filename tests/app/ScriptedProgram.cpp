// The program as main() starts it, with a scripted user instead of a person:
// for the tests that send real signals to a real process, and for a second
// copy of the program. Usage: scripted-program <scenario> <database file>.
// It prints "ready" when the scenario's moment has come and then goes on
// running as the program does until it is closed.
//   chart     "Toon grafiek"
//   download  connect on COM1, "Toon grafiek", "Download gegevens"; ready
//             after ten records
//   box       as download, ready once a message box is open
#include "app/CloseOnSignal.h"
#include "app/ComportForm.h"
#include "app/MainForm.h"
#include "app/Program.h"
#include "eventlog/viewer/DataForm.h"
#include "platform/app/Application.h"
#include "tools/pictures/Pictures.h"

#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

struct Step {
    std::function<bool()> ready;
    std::function<void()> act;
};

std::vector<Step> scenario(const QString& name, TProgram& program) {
    TMainForm& main = *program.MainForm;
    TDataForm& log = *program.DataForm;
    const auto always = [] { return true; };
    const auto announce = [] {
        std::printf("ready\n");
        std::fflush(stdout);
    };
    if (name == "chart")
        return {{always, [&] { main.ui.Button2->click(); }}, {always, announce}};
    std::vector<Step> steps = {
        {always,
         [&] {
             program.ComportForm->ui.ComportSpinEdit->SetValue(1);
             program.ComportForm->ui.ConnectButton->click();
         }},
        {[&] { return !main.ui.VoltageEdit->text().isEmpty(); }, [&] { main.ui.Button2->click(); }},
        {always, [&] { log.ui.DownLoadButton->click(); }},
    };
    if (name == "download")
        steps.push_back({[&] { return log.ui.DownLoadBar->value() >= 10; }, announce});
    else
        steps.push_back({[] { return QApplication::activeModalWidget() != nullptr; }, announce});
    return steps;
}

} // namespace

int main(int argc, char** argv) {
    BlockCloseSignals();
    QApplication qtApplication(argc, argv);
    TApplication application;
    InitPictures();
    if (argc != 3)
        return 2;
    TProgram program;
    TCloseOnSignal closeOnSignal(program);
    program.MainForm->DatabaseFile = QString::fromLocal8Bit(argv[2]);

    // The steps are taken from a timer, so they go on inside message boxes.
    const std::vector<Step> steps = scenario(QString::fromLatin1(argv[1]), program);
    size_t next = 0;
    QTimer user;
    QObject::connect(&user, &QTimer::timeout, [&] {
        while (next < steps.size() && steps[next].ready())
            steps[next++].act();
        if (next == steps.size())
            user.stop();
    });
    user.start(20);
    return application.Run();
}
