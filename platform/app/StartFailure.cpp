#include "platform/app/StartFailure.h"

#include "platform/ui/Handler.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>

namespace {

QtMessageHandler& qtHandler() {
    static QtMessageHandler previous = nullptr;
    return previous;
}

void startMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type != QtFatalMsg) {
        qtHandler()(type, context, message);
        return;
    }
    std::fprintf(stderr, "%s\n", qPrintable(message));
    std::_Exit(1); // the application object is half made: nothing to clean up
}

} // namespace

void StartFailureWatchQt() {
    qtHandler() = qInstallMessageHandler(startMessage);
}

void StartFailureQtReady() {
    qInstallMessageHandler(qtHandler());
}

void ReportStartFailure(const std::exception& error) {
    const QString text = ExceptionText(error);
    std::fprintf(stderr, "%s: %s\n",
                 qPrintable(QFileInfo(QCoreApplication::applicationFilePath()).fileName()),
                 qPrintable(text));
    const QString platform = QGuiApplication::platformName();
    if (platform != QLatin1String("offscreen") && platform != QLatin1String("minimal"))
        ShowException(error);
}
