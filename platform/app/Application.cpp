#include "platform/app/Application.h"

#include "platform/regional/Regional.h"
#include "platform/ui/Handler.h"

#include <QApplication>
#include <QEvent>

TApplication::TApplication() {
    qApp->installEventFilter(this);
}

TApplication::~TApplication() {
    if (qApp)
        qApp->removeEventFilter(this);
}

void TApplication::SetTitle(const QString& title) {
    // Not Qt's display name: on X11 Qt would append it to every caption.
    title_ = title;
}

QString TApplication::ProgramFolder() {
    return QCoreApplication::applicationDirPath();
}

int TApplication::Run() {
    return QApplication::exec();
}

bool TApplication::eventFilter(QObject* watched, QEvent* event) {
    if (watched == qApp && event->type() == QEvent::LocaleChange)
        RunHandler([] { Regional::LoadFromSystem(); });
    return QObject::eventFilter(watched, event);
}
