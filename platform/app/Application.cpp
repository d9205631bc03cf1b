#include "platform/app/Application.h"

#include "platform/regional/Regional.h"
#include "platform/ui/Handler.h"

#include <QApplication>
#include <QEvent>
#include <QLibraryInfo>
#include <QLocale>
#include <QSettings>
#include <QTranslator>

TApplication::TApplication() {
    qApp->installEventFilter(this);
    if (settingsFolder_.isValid())
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsFolder_.path());
    loadQtTranslations();
}

TApplication::~TApplication() {
    if (qApp)
        qApp->removeEventFilter(this);
}

void TApplication::loadQtTranslations() {
    auto* translator = new QTranslator(this);
    if (translator->load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

void TApplication::SetTitle(const QString& title) {
    title_ = title;
    // Qt names the window class after the application name. Not the display
    // name: Qt would append that to every caption.
    QCoreApplication::setApplicationName(title);
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
