#include "app/MainForm.h"
#include "platform/regional/Regional.h"
#include "platform/ui/UpDown.h"
#include "support/MessageRecorder.h"
#include "tools/pictures/Pictures.h"

#include <QProcess>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

// The calibration voltage starts at 36,00 in the regional number format, so
// that its arrows and "Kalibreren" convert it under every setting.
TEST(StartUp, TheCalibrationFieldShows36WithTheRegionalDecimalSeparator) {
    InitPictures();
    const Regional::TFormatSettings saved = Regional::FormatSettings();
    const struct {
        char separator;
        const char* start;
        const char* afterUp;
    } cases[] = {{'.', "36.00", "36.01"}, {',', "36,00", "36,01"}};
    for (const auto& c : cases) {
        Regional::TFormatSettings settings = saved;
        settings.DecimalSeparator = c.separator;
        settings.ThousandSeparator = c.separator == '.' ? ',' : '.';
        Regional::SetFormatSettings(settings);
        MessageRecorder boxes;
        TMainForm form;
        EXPECT_EQ(form.ui.Edit1->text(), c.start);
        QTest::mouseClick(form.ui.UpDown1->UpButton(), Qt::LeftButton);
        EXPECT_EQ(form.ui.Edit1->text(), c.afterUp);
        EXPECT_EQ(boxes.Count(), 0) << boxes.Texts().join('|').toStdString();
    }
    Regional::SetFormatSettings(saved);
}

// Without a display to connect to, the program ends with exit code 1 and the
// reason on standard error, instead of aborting.
TEST(StartUp, WithoutADisplayTheProgramEndsWithTheReason) {
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "xcb");
    environment.insert("DISPLAY", ":87");
    environment.remove("WAYLAND_DISPLAY");
    program.setProcessEnvironment(environment);
    program.start(DORVEL_PROGRAM, {});
    ASSERT_TRUE(program.waitForFinished(30000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 1);
    const QString errors = QString::fromLocal8Bit(program.readAllStandardError());
    EXPECT_TRUE(errors.contains("could not connect to display :87")) << errors.toStdString();
}

} // namespace
