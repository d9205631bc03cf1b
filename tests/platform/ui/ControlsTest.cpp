#include "platform/ui/Bevel.h"
#include "platform/ui/Button.h"
#include "platform/ui/ProgressBar.h"
#include "platform/ui/RadioButton.h"
#include "platform/ui/TrackBar.h"
#include "platform/ui/UpDown.h"

#include "platform/errors/Exception.h"
#include "support/MessageRecorder.h"

#include <QApplication>
#include <QImage>
#include <QTest>
#include <QToolButton>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

// --- Track bar -------------------------------------------------------------

struct PowerBar {
    TTrackBar bar;
    std::vector<int> changes;
    PowerBar() {
        bar.SetMax(255);
        bar.SetPosition(255);
        bar.OnChange = [this](QObject* sender) {
            EXPECT_EQ(sender, &bar);
            changes.push_back(bar.Position());
        };
    }
};

TEST(TrackBar, SetPositionClampsAndRaisesOnlyOnRealChange) {
    PowerBar power;
    EXPECT_EQ(power.bar.orientation(), Qt::Vertical);
    EXPECT_EQ(power.bar.tickPosition(), QSlider::NoTicks);
    power.bar.SetPosition(255);
    power.bar.SetPosition(300);
    EXPECT_TRUE(power.changes.empty());
    power.bar.SetPosition(128);
    power.bar.SetPosition(-4);
    power.bar.SetPosition(0);
    EXPECT_EQ(power.changes, (std::vector<int>{128, 0}));
}

TEST(TrackBar, PositionZeroIsAtTheTopAndDownRaisesIt) {
    PowerBar power;
    power.bar.resize(25, 169);
    power.bar.SetPosition(0);
    power.bar.show();
    // A click in the lower part pages the position up from 0 towards 255.
    QTest::mouseClick(&power.bar, Qt::LeftButton, {}, QPoint(12, 160));
    EXPECT_GT(power.bar.Position(), 0);
    power.bar.SetPosition(0);

    power.changes.clear();
    QTest::keyClick(&power.bar, Qt::Key_Down);
    QTest::keyClick(&power.bar, Qt::Key_Down);
    QTest::keyClick(&power.bar, Qt::Key_Up);
    EXPECT_EQ(power.changes, (std::vector<int>{1, 2, 1}));
}

// The groove is filled from the bottom up to the handle, so the fill shows
// the percentage that the settings window prints under the bar.
TEST(TrackBar, TheFillRisesFromTheBottomToTheHandle) {
    const auto filledRows = [](int position, int& lowestUnfilled) {
        PowerBar power;
        power.bar.resize(25, 169);
        power.bar.SetPosition(position);
        const QImage image = power.bar.grab().toImage();
        const QColor fill = power.bar.palette().color(QPalette::Highlight);
        int rows = 0;
        lowestUnfilled = -1;
        for (int y = 0; y < image.height(); ++y) {
            const QColor pixel = image.pixelColor(image.width() / 2, y);
            const bool filled = pixel.blue() - pixel.red() > (fill.blue() - fill.red()) / 2;
            rows += filled;
            if (!filled && y < image.height() - 4)
                lowestUnfilled = y;
        }
        return rows;
    };
    int lowestUnfilled = 0;
    EXPECT_EQ(filledRows(255, lowestUnfilled), 0) << "0 %";
    const int half = filledRows(128, lowestUnfilled);
    const int full = filledRows(0, lowestUnfilled);
    EXPECT_GT(full, 169 * 3 / 4) << "100 %";
    EXPECT_LT(lowestUnfilled, 20) << "filled below the handle at the top";
    EXPECT_NEAR(half, full / 2, 169 / 10) << "50 %";
}

TEST(TrackBar, UserChangeHandlerFailureGoesToTheErrorBox) {
    PowerBar power;
    MessageRecorder boxes;
    power.bar.OnChange = [](QObject*) { throw EInvalidOperation("kapot"); };
    QTest::keyClick(&power.bar, Qt::Key_Up);
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.Last().Text, "kapot");
    EXPECT_THROW(power.bar.SetPosition(10), EInvalidOperation) << "code changes are plain calls";
}

TEST(TrackBar, PropertiesFromAFormDescription) {
    TTrackBar bar;
    EXPECT_TRUE(bar.setProperty("Max", 255));
    EXPECT_TRUE(bar.setProperty("Position", 255));
    EXPECT_EQ(bar.Position(), 255);
}

// --- Button ----------------------------------------------------------------

// In every window, not only in dialogs, Enter, the keypad's Enter and Space
// press the button that has the focus, and only that one.
TEST(Button, EnterAndSpacePressTheFocusedButton) {
    QWidget window;
    auto* first = new TButton(&window);
    auto* second = new TButton(&window);
    second->move(0, 40);
    int firstClicks = 0;
    int secondClicks = 0;
    QObject::connect(first, &QPushButton::clicked, [&] { ++firstClicks; });
    QObject::connect(second, &QPushButton::clicked, [&] { ++secondClicks; });
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    second->setFocus(Qt::TabFocusReason);
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space})
        QTest::keyClick(QApplication::focusWidget(), key);
    EXPECT_EQ(secondClicks, 3);
    EXPECT_EQ(firstClicks, 0);
}

// --- Up-down ---------------------------------------------------------------

TEST(UpDown, EachClickMovesByOneUntilAnEnd) {
    TUpDown arrows;
    arrows.SetMin(-15000);
    arrows.SetMax(15000);
    EXPECT_EQ(arrows.Position(), 0);
    std::vector<TUDBtnType> clicks;
    arrows.OnClick = [&](QObject* sender, TUDBtnType button) {
        EXPECT_EQ(sender, &arrows);
        clicks.push_back(button);
    };
    arrows.resize(17, 19);
    arrows.show();
    QTest::mouseClick(arrows.UpButton(), Qt::LeftButton);
    QTest::mouseClick(arrows.DownButton(), Qt::LeftButton);
    QTest::mouseClick(arrows.DownButton(), Qt::LeftButton);
    EXPECT_EQ(arrows.Position(), -1);
    EXPECT_EQ(clicks, (std::vector<TUDBtnType>{btNext, btPrev, btPrev}));
    EXPECT_LT(arrows.UpButton()->geometry().top(), arrows.DownButton()->geometry().top());

    clicks.clear();
    arrows.SetPosition(15000);
    arrows.Click(btNext);
    EXPECT_TRUE(clicks.empty()) << "a click at the top end raises nothing";
    arrows.SetPosition(-15000);
    arrows.Click(btPrev);
    EXPECT_TRUE(clicks.empty());
    EXPECT_EQ(arrows.Position(), -15000);
    arrows.Click(btNext);
    EXPECT_EQ(clicks, std::vector<TUDBtnType>{btNext});
}

TEST(UpDown, FailingClickHandlerGoesToTheErrorBox) {
    TUpDown arrows;
    arrows.SetMax(10);
    arrows.resize(17, 19);
    arrows.show();
    MessageRecorder boxes;
    arrows.OnClick = [](QObject*, TUDBtnType) {
        throw EConvertError("'x' is not a valid floating point value");
    };
    QTest::mouseClick(arrows.UpButton(), Qt::LeftButton);
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.Last().Text, "'x' is not a valid floating point value");
}

// --- Progress bar ----------------------------------------------------------

TEST(ProgressBar, StepPastTheMaximumStartsAgain) {
    TProgressBar bar;
    EXPECT_EQ(bar.Step(), 10);
    EXPECT_FALSE(bar.isTextVisible());
    bar.SetMax(10);
    bar.SetStep(1);
    std::vector<int> positions;
    for (int i = 0; i < 12; ++i) {
        bar.StepIt();
        positions.push_back(bar.Position());
    }
    EXPECT_EQ(positions, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 1, 2}));

    bar.SetStep(4);
    bar.SetPosition(9); // 13 is 3 past 10
    bar.StepIt();
    EXPECT_EQ(bar.Position(), 3);
}

TEST(ProgressBar, EmptyRangeDoesNotMove) {
    TProgressBar bar;
    bar.SetStep(1);
    bar.SetMax(0);
    bar.StepIt();
    EXPECT_EQ(bar.Position(), 0);
    bar.resize(105, 12);
    QImage image(bar.size(), QImage::Format_ARGB32);
    bar.render(&image); // an empty range paints without the busy animation
}

TEST(ProgressBar, MaximumBelowMinimumIsRefused) {
    TProgressBar bar;
    bar.SetMax(100);
    bar.SetPosition(50);
    try {
        bar.SetMax(-1);
        FAIL() << "a negative maximum was accepted";
    } catch (const EInvalidOperation& error) {
        EXPECT_EQ(error.Message(), "TProgressBar property out of range");
    }
    EXPECT_EQ(bar.Max(), 100);
    EXPECT_EQ(bar.Position(), 50);
    EXPECT_THROW(bar.SetMin(101), EInvalidOperation);
    bar.SetMax(20);
    EXPECT_EQ(bar.Position(), 20) << "a lower maximum takes the position with it";
    bar.SetPosition(500);
    EXPECT_EQ(bar.Position(), 20);
}

TEST(ProgressBar, PropertiesFromAFormDescription) {
    TProgressBar bar;
    EXPECT_TRUE(bar.setProperty("Step", 1));
    EXPECT_EQ(bar.Step(), 1);
}

// --- Radio buttons ---------------------------------------------------------

struct BatteryChoice {
    QWidget panel;
    TRadioButton* nimh = new TRadioButton(&panel);
    TRadioButton* lood = new TRadioButton(&panel);
    QStringList clicks;
    BatteryChoice() {
        nimh->setText("NiMh accu");
        lood->setText("Lood accu");
        lood->setChecked(true);
        nimh->setGeometry(8, 0, 73, 17);
        lood->setGeometry(88, 0, 81, 17);
        nimh->OnClick = [this](QObject*) { clicks << "nimh"; };
        lood->OnClick = [this](QObject*) { clicks << "lood"; };
        panel.show();
    }
};

TEST(RadioButton, OnClickWhenItBecomesSelectedOnly) {
    BatteryChoice choice;
    choice.lood->setChecked(true);
    EXPECT_TRUE(choice.clicks.isEmpty()) << "already selected";
    choice.nimh->setChecked(true);
    EXPECT_FALSE(choice.lood->isChecked()) << "exclusive";
    choice.lood->setChecked(false); // not selected already: nothing
    QTest::mouseClick(choice.lood, Qt::LeftButton);
    QTest::mouseClick(choice.lood, Qt::LeftButton);
    EXPECT_EQ(choice.clicks, (QStringList{"nimh", "lood"}));
}

TEST(RadioButton, CodeMayClearTheSelection) {
    BatteryChoice choice;
    choice.lood->setChecked(false);
    EXPECT_FALSE(choice.lood->isChecked());
    EXPECT_FALSE(choice.nimh->isChecked());
    choice.lood->setChecked(true);
    EXPECT_EQ(choice.clicks, QStringList{"lood"});
}

TEST(RadioButton, FailingHandlerReachesCodeButBoxesForTheUser) {
    BatteryChoice choice;
    MessageRecorder boxes;
    choice.nimh->OnClick = [](QObject*) { throw EInvalidOperation("kapot"); };
    EXPECT_THROW(choice.nimh->setChecked(true), EInvalidOperation);
    EXPECT_TRUE(choice.nimh->isChecked());
    QTest::mouseClick(choice.lood, Qt::LeftButton);
    choice.lood->OnClick = [](QObject*) { throw EInvalidOperation("ook kapot"); };
    choice.nimh->OnClick = choice.lood->OnClick;
    QTest::mouseClick(choice.nimh, Qt::LeftButton);
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.Last().Text, "ook kapot");
}

// --- Bevel -----------------------------------------------------------------

TEST(Bevel, DrawsASunkenLineAtItsEdge) {
    for (const QString& shape : {QStringLiteral("bsTopLine"), QStringLiteral("bsBottomLine")}) {
        TBevel bevel;
        EXPECT_TRUE(bevel.setProperty("Shape", shape));
        bevel.resize(161, 17);
        QImage image(bevel.size(), QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        bevel.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        const int dark = shape == "bsTopLine" ? 0 : 15;
        EXPECT_EQ(image.pixel(80, dark), bevel.palette().color(QPalette::Dark).rgb())
            << shape.toStdString();
        EXPECT_EQ(image.pixel(80, dark + 1), bevel.palette().color(QPalette::Light).rgb());
        EXPECT_EQ(image.pixelColor(80, 8).alpha(), 0) << "nothing but the line";
    }
}

} // namespace
