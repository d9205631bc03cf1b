#include "platform/app/Application.h"

#include "platform/regional/Regional.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

TEST(Application, KeepsTitleAndHintPauseWithoutTouchingCaptions) {
    TApplication application;
    application.SetTitle("Dorvel Settings program");
    application.SetHintHidePause(7000);
    EXPECT_EQ(application.Title(), "Dorvel Settings program");
    EXPECT_EQ(application.HintHidePause(), 7000);
    EXPECT_TRUE(QGuiApplication::applicationDisplayName() != "Dorvel Settings program");
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
