#include "app/CloseOnSignal.h"
#include "app/Program.h"
#include "platform/app/Application.h"
#include "tools/pictures/Pictures.h"

#include <QApplication>
#include <cstdio>
#include <exception>

int main(int argc, char** argv) {
    BlockCloseSignals();
    QApplication qtApplication(argc, argv);
    TApplication application;
    application.SetHintHidePause(7000);
    application.SetTitle(QStringLiteral("Dorvel Settings program"));
    InitPictures();
    try {
        TProgram program;
        TCloseOnSignal closeOnSignal(program);
        return application.Run();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
}
