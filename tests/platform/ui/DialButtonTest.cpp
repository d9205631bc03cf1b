#include "platform/errors/Exception.h"
#include "platform/ui/JvDialButton.h"
#include "platform/ui/JvTransparentButton.h"
#include "platform/ui/MessageDlg.h"

#include <QApplication>
#include <QEnterEvent>
#include <QFocusEvent>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

TEST(DialButtonTest, Position_StaysInRangeAndOnlyANewValueRaisesOnChange) {
    TJvDialButton knob;
    int changes = 0;
    knob.OnChange = [&](QObject* sender) {
        EXPECT_EQ(sender, &knob);
        ++changes;
    };
    knob.SetPosition(0);
    EXPECT_EQ(changes, 0);
    knob.SetPosition(150);
    EXPECT_EQ(knob.Position(), 100);
    knob.SetPosition(100);
    EXPECT_EQ(changes, 1);
    knob.SetPosition(-5);
    EXPECT_EQ(knob.Position(), 0);
    EXPECT_EQ(changes, 2);
}

TEST(DialButtonTest, KeysAndWheel_TurnTheKnob) {
    TJvDialButton knob;
    QTest::keyClick(&knob, Qt::Key_Up);
    QTest::keyClick(&knob, Qt::Key_Right);
    EXPECT_EQ(knob.Position(), 2);
    QTest::keyClick(&knob, Qt::Key_End);
    EXPECT_EQ(knob.Position(), 100);
    QTest::keyClick(&knob, Qt::Key_PageDown);
    EXPECT_EQ(knob.Position(), 90);
    QTest::keyClick(&knob, Qt::Key_Home);
    QTest::keyClick(&knob, Qt::Key_Left);
    EXPECT_EQ(knob.Position(), 0);
    QWheelEvent wheel(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, 360), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&knob, &wheel);
    EXPECT_EQ(knob.Position(), 3);
    EXPECT_EQ(knob.focusPolicy(), Qt::StrongFocus);
}

TEST(DialButtonTest, DraggingRound_PointsTheKnob) {
    TJvDialButton knob;
    knob.resize(98, 98);
    // Straight up is half way; the lower left is Min, the lower right Max.
    QTest::mousePress(&knob, Qt::LeftButton, {}, QPoint(49, 5));
    EXPECT_EQ(knob.Position(), 50);
    QTest::mouseRelease(&knob, Qt::LeftButton, {}, QPoint(49, 5));
    QTest::mousePress(&knob, Qt::LeftButton, {}, QPoint(90, 90));
    EXPECT_EQ(knob.Position(), 100);
    QTest::mouseRelease(&knob, Qt::LeftButton, {}, QPoint(90, 90));
    QTest::mousePress(&knob, Qt::LeftButton, {}, QPoint(8, 90));
    EXPECT_EQ(knob.Position(), 0);
}

// A turn by the user comes from the event loop: a failing handler shows the
// error box instead of unwinding through Qt.
TEST(DialButtonTest, FailingHandlerOfAUserTurn_ShowsTheErrorBox) {
    std::vector<QString> shown;
    SetMessageBoxHook([&](const MessageRequest& request) {
        shown.push_back(request.Text);
        return int(mrOk);
    });
    TJvDialButton knob;
    knob.OnChange = [](QObject*) { throw EInvalidOperation("kapot"); };
    QTest::keyClick(&knob, Qt::Key_Up);
    SetMessageBoxHook({});
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], "kapot");
}

TEST(DialButtonTest, FocusOutAndEnter_RaiseOnExitAndOnMouseEnter) {
    TJvDialButton knob;
    int exits = 0;
    knob.OnExit = [&](QObject*) { ++exits; };
    // Only a move to another control of the window leaves the knob.
    for (Qt::FocusReason reason :
         {Qt::TabFocusReason, Qt::BacktabFocusReason, Qt::MouseFocusReason, Qt::OtherFocusReason,
          Qt::ActiveWindowFocusReason, Qt::PopupFocusReason}) {
        QFocusEvent focusOut(QEvent::FocusOut, reason);
        QApplication::sendEvent(&knob, &focusOut);
    }
    EXPECT_EQ(exits, 4);

    TJvTransparentButton area;
    int enters = 0;
    area.OnMouseEnter = [&](QObject* sender) {
        EXPECT_EQ(sender, &area);
        ++enters;
    };
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QApplication::sendEvent(&area, &enter);
    EXPECT_EQ(enters, 1);
}
