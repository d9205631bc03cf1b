#include "platform/app/Application.h"

#include "platform/regional/Regional.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QSettings>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

TEST(Application, TitleNamesTheProgramForTheDesktopAndHintPauseIsKept) {
    TApplication application;
    application.SetTitle("Dorvel Settings program");
    application.SetHintHidePause(7000);
    EXPECT_EQ(application.Title(), "Dorvel Settings program");
    EXPECT_EQ(application.HintHidePause(), 7000);
    // Qt names the window class after the application name.
    EXPECT_EQ(QCoreApplication::applicationName(), "Dorvel Settings program");
}

TEST(Application, QtsOwnSettingsGoToAFolderOfTheRunOnly) {
    QString written;
    {
        TApplication application;
        {
            QFileDialog dialog; // stores its history and view when it goes
        }
        written = QSettings(QSettings::UserScope, "QtProject").fileName();
        EXPECT_TRUE(QFileInfo::exists(written)) << written.toStdString();
        EXPECT_FALSE(written.startsWith(QDir::homePath() + "/.config")) << written.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(written)) << "gone with the application object";
}

TEST(Application, LoadsQtsTranslationsForTheUsersLanguage) {
    const QString source = "Look in:";
    const QLocale system;
    QLocale::setDefault(QLocale(QLocale::Dutch, QLocale::Netherlands));
    {
        TApplication application;
        EXPECT_NE(QCoreApplication::translate("QFileDialog", "Look in:"), source);
    }
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    {
        TApplication application;
        EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Look in:"), source);
    }
    QLocale::setDefault(system);
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Look in:"), source)
        << "the translation goes with the application object";
}

TEST(Application, ProgramFolderIsTheFolderOfTheProgramFile) {
    EXPECT_EQ(QDir(TApplication::ProgramFolder()),
              QDir(QFileInfo(QCoreApplication::applicationFilePath()).path()));
}

TEST(Application, RegionalChangeNoticeReloadsTheSettings) {
    const Regional::TFormatSettings system = Regional::FromLocale(QLocale::system());
    Regional::TFormatSettings odd = system;
    odd.DecimalSeparator = system.DecimalSeparator == '#' ? '~' : '#';
    odd.DateSeparator = '#';

    Regional::SetFormatSettings(odd);
    QEvent unrelated(QEvent::FontChange);
    QCoreApplication::sendEvent(qApp, &unrelated);
    EXPECT_EQ(Regional::FormatSettings().DecimalSeparator, odd.DecimalSeparator)
        << "nothing reloads without a notice, nor without the application object";
    QEvent notice(QEvent::LocaleChange);
    QCoreApplication::sendEvent(qApp, &notice);
    EXPECT_EQ(Regional::FormatSettings().DecimalSeparator, odd.DecimalSeparator);

    {
        TApplication application;
        QCoreApplication::sendEvent(qApp, &notice);
        EXPECT_EQ(Regional::FormatSettings().DecimalSeparator, system.DecimalSeparator);
        EXPECT_EQ(Regional::FormatSettings().DateSeparator, system.DateSeparator);
    }
    Regional::SetFormatSettings(system);
}

TEST(Application, RunDispatchesEventsUntilTheLoopEnds) {
    TApplication application;
    bool ran = false;
    QTimer::singleShot(0, [&] {
        ran = true;
        QCoreApplication::exit(3);
    });
    EXPECT_EQ(application.Run(), 3);
    EXPECT_TRUE(ran);
}

} // namespace
