#include "AppHarness.h"

#include <QTest>
#include <QWindow>

namespace {

// The hidden panel brought into view with its key, and the pointer moved
// over the main window as the window system moves it: whichever control
// lies on top at a place gets the move, and entering a hot area is seen by
// the area only when nothing lies above it.
class DialPanelPointerTest : public AppHarness {
  protected:
    void SetUp() override {
        AppHarness::SetUp();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&main()));
        QTest::keyClick(main().ui.VoltageEdit, 'P');
        ASSERT_EQ(main().width(), 1100 - (main().frameGeometry().width() - main().width()));
        main().ui.JvDialButton1->SetPosition(70);
        main().ui.JvDialButton2->SetPosition(40);
    }

    // Moves the pointer to the middle of a control, or to a place of the
    // window.
    void pointTo(QWidget* control) { pointTo(control->geometry().center()); }
    void pointTo(QPoint place) { QTest::mouseMove(main().windowHandle(), place); }

    bool shown(QWidget* control) { return control->isVisible(); }
};

} // namespace

TEST_F(DialPanelPointerTest, HotAreasAndLabelsLieAboveThePicture) {
    auto& ui = main().ui;
    ASSERT_TRUE(shown(ui.ProgressBar2));
    pointTo(QPoint(540, 30)); // the bare picture, left of the bar
    EXPECT_FALSE(shown(ui.ProgressBar2));

    pointTo(ui.JvTransparentButton1);
    EXPECT_TRUE(shown(ui.JvDialButton1));
    EXPECT_EQ(ui.JvDialButton1->pos(), QPoint(631, 92));
    EXPECT_TRUE(shown(ui.ProgressBar2));
    EXPECT_EQ(ui.ProgressBar2->Position(), 70);

    // Over a label, then into the second area: nothing is hidden.
    pointTo(ui.P21Label);
    EXPECT_TRUE(shown(ui.JvDialButton1));
    pointTo(ui.JvTransparentButton2);
    EXPECT_TRUE(shown(ui.JvDialButton1));
    EXPECT_TRUE(shown(ui.JvDialButton2));
    EXPECT_EQ(ui.JvDialButton2->pos(), QPoint(731, 92));
    EXPECT_EQ(ui.ProgressBar2->Position(), 40);
    pointTo(ui.P31Label);
    EXPECT_TRUE(shown(ui.JvDialButton2));

    // Onto the bare picture: knobs and bar go, the labels and values stay.
    pointTo(QPoint(560, 330));
    for (TJvDialButton* knob : {ui.JvDialButton1, ui.JvDialButton2, ui.JvDialButton3})
        EXPECT_FALSE(shown(knob));
    EXPECT_FALSE(shown(ui.ProgressBar2));
    EXPECT_TRUE(shown(ui.P21Label));
    EXPECT_EQ(ui.JvDialButton2->Position(), 40);

    // The same area again brings its knob back at the same place.
    pointTo(ui.JvTransparentButton3);
    EXPECT_TRUE(shown(ui.JvDialButton3));
    EXPECT_EQ(ui.JvDialButton3->pos(), QPoint(827, 122));
    EXPECT_TRUE(shown(ui.ProgressBar2));
    EXPECT_TRUE(messages.empty());
}
