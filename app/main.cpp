#include "app/CloseOnSignal.h"
#include "app/Program.h"
#include "platform/app/Application.h"
#include "platform/app/StartFailure.h"
#include "tools/pictures/Pictures.h"

#include <QApplication>
#include <exception>

int main(int argc, char** argv) {
    BlockCloseSignals();
    StartFailureWatchQt();
    QApplication qtApplication(argc, argv);
    StartFailureQtReady();
    TApplication application;
    application.SetHintHidePause(7000);
    application.SetTitle(QStringLiteral("Dorvel Settings program"));
    try {
        InitPictures();
        TProgram program;
        TCloseOnSignal closeOnSignal(program);
        return application.Run();
    } catch (const std::exception& error) {
        ReportStartFailure(error);
        return 1;
    }
}
