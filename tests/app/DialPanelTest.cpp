#include "AppHarness.h"
#include "platform/ui/Beep.h"

#include <QEnterEvent>
#include <QTest>

namespace {

// The hidden panel of the main window, with reply lines put straight into
// the receive text of port 1, which is not open.
class DialPanelTest : public AppHarness {
  protected:
    void SetUp() override {
        AppHarness::SetUp();
        main().ComPort = 1;
        main().ui.FirmwareEdit->setText("SN-Stelpod108");
    }

    void receive(const std::string& bytes) {
        main().MultiCommPortDriver1->ReceivedText[1] += bytes;
        RunHandler([&] { main().MultiCommPortDriver1ReceiveData(nullptr, nullptr, 0); });
    }

    static void enter(QWidget* area) {
        const QPointF inside(10, 10);
        QEnterEvent event(inside, area->mapTo(area->window(), inside), area->mapToGlobal(inside));
        QApplication::sendEvent(area, &event);
    }

    std::vector<TJvDialButton*> knobs() {
        return {main().ui.JvDialButton1, main().ui.JvDialButton2, main().ui.JvDialButton3};
    }
};

} // namespace

TEST_F(DialPanelTest, UpperCaseKeyAlone_WidensTheWindowTo1100) {
    auto& ui = main().ui;
    const QRect before = main().frameGeometry();
    EXPECT_LT(before.width(), 528);
    for (char other : {'p', 'Q', '5', ' '}) {
        QTest::keyClick(ui.VoltageEdit, other);
        EXPECT_EQ(main().frameGeometry(), before) << other;
    }
    for (int twice = 0; twice < 2; ++twice) {
        QTest::keyClick(ui.VoltageEdit, 'P');
        EXPECT_EQ(main().frameGeometry().width(), 1100);
        EXPECT_EQ(main().frameGeometry().left(), before.left());
        EXPECT_EQ(main().height(), 380);
        // Still not resizable.
        EXPECT_EQ(main().minimumSize(), main().maximumSize());
    }
    EXPECT_TRUE(ui.VoltageEdit->text().isEmpty());
    EXPECT_TRUE(messages.empty());
}

TEST_F(DialPanelTest, PowerReplies_AreMirroredOnTheKnobsLabelsAndBar) {
    auto& ui = main().ui;
    for (TLabel* label : {ui.P11Label, ui.P21Label, ui.P31Label}) {
        EXPECT_EQ(label->text(), "0%");
        label->ensurePolished();
        EXPECT_TRUE(label->font().bold());
        EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(Qt::white));
    }
    EXPECT_EQ(ui.ProgressBar2->Position(), 0);

    receive("P1FF\r");
    EXPECT_EQ(ui.JvDialButton1->Position(), 100);
    EXPECT_EQ(ui.P11Label->text(), "100%");
    EXPECT_EQ(ui.ProgressBar2->Position(), 100);
    receive("P280\r");
    EXPECT_EQ(ui.JvDialButton2->Position(), 50);
    EXPECT_EQ(ui.P21Label->text(), ui.P2Label->text());
    EXPECT_EQ(ui.ProgressBar2->Position(), 50);
    // An unchanged knob raises no change: the bar keeps knob 2's value.
    receive("P1FF\r");
    EXPECT_EQ(ui.ProgressBar2->Position(), 50);
    EXPECT_EQ(main().LastCommand, "P2");

    ui.FirmwareEdit->setText("HM-Stelpod107");
    receive("P310\r");
    EXPECT_EQ(ui.TrackBar3->Position(), 128);
    EXPECT_EQ(ui.JvDialButton3->Position(), 50);
    EXPECT_EQ(ui.P31Label->text(), "50%");
    EXPECT_EQ(main().LastCommand, "E");
}

TEST_F(DialPanelTest, TurningAShownKnob_ChangesOnlyThePanel) {
    auto& ui = main().ui;
    QTest::keyClick(ui.VoltageEdit, 'P');
    enter(ui.JvTransparentButton3);
    const QString lastCommand = main().LastCommand;
    QTest::keyClick(ui.JvDialButton3, Qt::Key_End);
    EXPECT_EQ(ui.P31Label->text(), "100%");
    EXPECT_EQ(ui.ProgressBar2->Position(), 100);
    QTest::keyClick(ui.JvDialButton3, Qt::Key_Down);
    EXPECT_EQ(ui.P31Label->text(), "99%");
    EXPECT_EQ(ui.P3Label->text(), "0%");
    EXPECT_FALSE(ui.OkButton->isEnabled());
    EXPECT_EQ(main().LastCommand, lastCommand);
}

TEST_F(DialPanelTest, FocusLeavingAKnob_BeepsOnce) {
    int beeps = 0;
    SetBeepHook([&] { ++beeps; });
    auto& ui = main().ui;
    QTest::keyClick(ui.VoltageEdit, 'P');
    enter(ui.JvTransparentButton1);
    main().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main()));
    ui.JvDialButton1->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(ui.JvDialButton1->hasFocus());
    EXPECT_EQ(beeps, 0);

    // Another window coming forward (a message box, another program) takes
    // the focus from the window, not from the knob.
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    main().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main()));
    EXPECT_TRUE(ui.JvDialButton1->hasFocus());
    EXPECT_EQ(beeps, 0);

    ui.Edit1->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(beeps, 1);
    SetBeepHook({});
}

TEST_F(DialPanelTest, ProgramPictures_GiveThePanelItsPictureAndClosedOutlines) {
    auto& ui = main().ui;
    EXPECT_EQ(ui.Image3->pixmap().size(), QSize(502, 507));
    EXPECT_EQ(ui.Image3->size(), QSize(502, 507));
    EXPECT_FALSE(ui.Image2->isVisible());
    EXPECT_FALSE(ui.Image4->isVisible());
    const std::pair<QLabel*, QWidget*> outlines[] = {{ui.Image2, ui.ProgressBar2},
                                                     {ui.Image4, ui.JvDialButton1}};
    for (const auto& [picture, control] : outlines) {
        std::vector<QPoint> points(1024);
        const int last =
            main().GenRegion(points.data(), 1024, picture->pixmap().toImage(), 0, 0);
        ASSERT_GT(last, 2) << picture->objectName().toStdString();
        EXPECT_LT(last, 1023) << picture->objectName().toStdString();
        // Closed: the last point lies next to the start.
        EXPECT_LE(std::max(std::abs(points[last].x() - points[0].x()),
                           std::abs(points[last].y() - points[0].y())),
                  1)
            << picture->objectName().toStdString();
        EXPECT_FALSE(control->mask().isEmpty());
        EXPECT_TRUE(control->rect().contains(control->mask().boundingRect()));
    }
}

TEST_F(DialPanelTest, WindowCreation_ShapesTheBarAndTheKnobsByTheirOutlines) {
    auto& ui = main().ui;
    QImage bar(384, 96, QImage::Format_RGB32);
    bar.fill(Qt::white);
    for (int y = 10; y <= 40; ++y)
        for (int x = 20; x <= 300; ++x)
            bar.setPixel(x, y, qRgb(200, 0, 0));
    QImage knob(98, 98, QImage::Format_RGB32);
    knob.fill(Qt::white);
    for (int y = 0; y < 98; ++y)
        for (int x = 0; x < 98; ++x)
            if ((x - 49) * (x - 49) + (y - 49) * (y - 49) <= 40 * 40)
                knob.setPixel(x, y, qRgb(0, 0, 0));
    ui.Image2->setPixmap(QPixmap::fromImage(bar));
    ui.Image4->setPixmap(QPixmap::fromImage(knob));
    main().FormCreate(&main());

    const QRegion barMask = ui.ProgressBar2->mask();
    EXPECT_TRUE(barMask.contains(QPoint(20, 10)));
    EXPECT_TRUE(barMask.contains(QPoint(150, 25)));
    EXPECT_FALSE(barMask.contains(QPoint(19, 25)));
    EXPECT_FALSE(barMask.contains(QPoint(150, 50)));
    for (TJvDialButton* dial : knobs()) {
        EXPECT_TRUE(dial->mask().contains(QPoint(49, 49)));
        EXPECT_FALSE(dial->mask().contains(QPoint(2, 2)));
        EXPECT_EQ(dial->mask(), ui.JvDialButton1->mask());
    }

    // A picture without a shape leaves the control its whole rectangle.
    bar.fill(Qt::white);
    ui.Image2->setPixmap(QPixmap::fromImage(bar));
    main().FormCreate(&main());
    EXPECT_TRUE(ui.ProgressBar2->mask().isEmpty());
}
