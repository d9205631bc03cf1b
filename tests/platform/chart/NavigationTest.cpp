#include "ChartFixture.h"

#include "platform/errors/Exception.h"
#include "platform/ui/MessageDlg.h"

#include <QWheelEvent>

using Navigation = ChartFixture;
using Events = std::vector<std::string>;

TEST_F(Navigation, DragZoomFixesBothAxesToTheDraggedRectangle) {
    Drag(Qt::LeftButton, Pixel(20, 8), Pixel(60, 2));

    EXPECT_EQ(events, Events{"zoom"});
    EXPECT_FALSE(chart.LeftAxis().Automatic());
    EXPECT_FALSE(chart.BottomAxis().Automatic());
    EXPECT_NEAR(chart.BottomAxis().Minimum(), 20, 0.5);
    EXPECT_NEAR(chart.BottomAxis().Maximum(), 60, 0.5);
    EXPECT_NEAR(chart.LeftAxis().Minimum(), 2, 0.1);
    EXPECT_NEAR(chart.LeftAxis().Maximum(), 8, 0.1);
}

TEST_F(Navigation, DraggingLeftOrUpUndoesTheZoomAndPutsTheAutomaticRangesBack) {
    Drag(Qt::LeftButton, Pixel(20, 8), Pixel(60, 2));
    // A second zoom inside the first keeps what the first one saved.
    Drag(Qt::LeftButton, Pixel(30, 7), Pixel(40, 3));
    EXPECT_NEAR(chart.BottomAxis().Maximum(), 40, 0.5);

    Drag(Qt::LeftButton, Pixel(40, 3), Pixel(30, 7));

    EXPECT_EQ(events, (Events{"zoom", "zoom", "undo"}));
    EXPECT_TRUE(chart.LeftAxis().Automatic());
    EXPECT_TRUE(chart.BottomAxis().Automatic());
    EXPECT_EQ(chart.BottomAxis().Minimum(), 0);
    EXPECT_EQ(chart.BottomAxis().Maximum(), 100);
    EXPECT_EQ(chart.LeftAxis().Maximum(), 10);
}

TEST_F(Navigation, UndoByTheProgramPutsBackFixedRangesSavedByTheFirstZoom) {
    chart.LeftAxis().SetAutomatic(false);
    chart.LeftAxis().SetMinMax(1, 9);
    chart.BottomAxis().SetAutomatic(false);
    chart.BottomAxis().SetMinMax(10, 90);
    chart.OnUndoZoom = [this](QObject*) {
        // The saved ranges are back when the event runs.
        events.push_back("undo " + std::to_string(chart.BottomAxis().Minimum()));
    };
    Drag(Qt::LeftButton, Pixel(20, 8), Pixel(60, 2));

    chart.UndoZoom();

    EXPECT_EQ(events, (Events{"zoom", "undo 10.000000"}));
    EXPECT_FALSE(chart.LeftAxis().Automatic());
    EXPECT_EQ(chart.LeftAxis().Minimum(), 1);
    EXPECT_EQ(chart.LeftAxis().Maximum(), 9);
    EXPECT_EQ(chart.BottomAxis().Maximum(), 90);
}

TEST_F(Navigation, UndoWithoutAZoomChangesNothingButRaisesTheEvent) {
    chart.BottomAxis().SetAutomatic(false);
    chart.BottomAxis().SetMinMax(10, 90);
    Drag(Qt::LeftButton, Pixel(20, 8), Pixel(60, 2));
    chart.UndoZoom();
    chart.BottomAxis().SetMinMax(30, 50);

    chart.UndoZoom();

    EXPECT_EQ(events, (Events{"zoom", "undo", "undo"}));
    EXPECT_EQ(chart.BottomAxis().Minimum(), 30);
    EXPECT_EQ(chart.BottomAxis().Maximum(), 50);
}

TEST_F(Navigation, TheFirstZoomAfterAnUndoSavesAfresh) {
    Drag(Qt::LeftButton, Pixel(20, 8), Pixel(60, 2));
    chart.UndoZoom();
    // As the wheel does: fixed ranges, then a drag zoom from there.
    chart.LeftAxis().SetAutomatic(false);
    chart.LeftAxis().SetMinMax(2, 6);
    chart.BottomAxis().SetAutomatic(false);
    chart.BottomAxis().SetMinMax(5, 55);
    Drag(Qt::LeftButton, Pixel(10, 5), Pixel(30, 3));

    chart.UndoZoom();

    EXPECT_EQ(events, (Events{"zoom", "undo", "zoom", "undo"}));
    EXPECT_FALSE(chart.BottomAxis().Automatic());
    EXPECT_EQ(chart.BottomAxis().Minimum(), 5);
    EXPECT_EQ(chart.BottomAxis().Maximum(), 55);
    EXPECT_EQ(chart.LeftAxis().Minimum(), 2);
}

TEST_F(Navigation, AShortDragIsAClick) {
    const QPoint at = Pixel(50, 5);
    Drag(Qt::LeftButton, at, at + QPoint(10, 10));
    Drag(Qt::LeftButton, at, at - QPoint(10, 10));
    EXPECT_TRUE(events.empty());
    EXPECT_TRUE(chart.BottomAxis().Automatic());
}

TEST_F(Navigation, PanningMovesBothRangesWithThePointerAndRaisesOnScroll) {
    const QPoint from = Pixel(50, 5);
    const double perPixelX = 1 / (chart.Transform().ToPixelX(1) - chart.Transform().ToPixelX(0));
    Drag(Qt::RightButton, from, from + QPoint(64, 0), 4);

    EXPECT_EQ(events, Events(4, "scroll"));
    EXPECT_FALSE(chart.BottomAxis().Automatic());
    EXPECT_FALSE(chart.LeftAxis().Automatic());
    // The labels of the moved range may shift the plot area by a pixel.
    EXPECT_NEAR(chart.BottomAxis().Minimum(), -64 * perPixelX, 0.5);
    EXPECT_NEAR(chart.BottomAxis().Maximum() - chart.BottomAxis().Minimum(), 100, 1e-9);
    EXPECT_DOUBLE_EQ(chart.LeftAxis().Minimum(), 0);
    EXPECT_DOUBLE_EQ(chart.LeftAxis().Maximum(), 10);

    // Dragging down brings higher values into view.
    Drag(Qt::RightButton, from, from + QPoint(0, 20), 1);
    EXPECT_GT(chart.LeftAxis().Minimum(), 0);
    EXPECT_DOUBLE_EQ(chart.LeftAxis().Maximum() - chart.LeftAxis().Minimum(), 10);
}

TEST_F(Navigation, ThePieHidesTheAxesAndSwitchesZoomAndPanningOff) {
    pie.AddPie(3, "Vermogensstand: 40%", 0x00FFC8);
    pie.SetActive(true);
    EXPECT_FALSE(chart.LeftAxis().Visible());
    EXPECT_FALSE(chart.BottomAxis().Visible());
    EXPECT_FALSE(chart.AllowZoom());
    EXPECT_FALSE(chart.AllowPanning());

    line.SetActive(false);
    Drag(Qt::LeftButton, QPoint(100, 100), QPoint(300, 250));
    Drag(Qt::RightButton, QPoint(100, 100), QPoint(300, 250));
    EXPECT_TRUE(events.empty());

    pie.SetActive(false);
    EXPECT_TRUE(chart.LeftAxis().Visible());
    EXPECT_TRUE(chart.BottomAxis().Visible());
    EXPECT_TRUE(chart.AllowZoom());
    EXPECT_TRUE(chart.AllowPanning());
    line.SetActive(true);
    Drag(Qt::LeftButton, Pixel(20, 8), Pixel(60, 2));
    EXPECT_EQ(events, Events{"zoom"});
}

TEST_F(Navigation, WheelAndMoveReachTheirEvents) {
    std::vector<int> deltas;
    chart.OnMouseWheel = [&](QObject* sender, Qt::KeyboardModifiers shift, int delta, QPoint,
                             bool& handled) {
        EXPECT_EQ(sender, &chart);
        EXPECT_EQ(shift, Qt::ShiftModifier);
        deltas.push_back(delta);
        handled = delta > 0;
    };
    std::vector<QPoint> moves;
    chart.OnMouseMove = [&](QObject*, Qt::KeyboardModifiers, int x, int y) {
        moves.push_back({x, y});
    };

    for (int delta : {120, -120}) {
        QWheelEvent wheel(QPointF(50, 60), QPointF(chart.mapToGlobal(QPoint(50, 60))), QPoint(),
                          QPoint(0, delta), Qt::NoButton, Qt::ShiftModifier, Qt::NoScrollPhase,
                          false);
        QApplication::sendEvent(&chart, &wheel);
        EXPECT_EQ(wheel.isAccepted(), delta > 0);
    }
    Mouse(QEvent::MouseMove, Qt::NoButton, QPoint(70, 80));

    EXPECT_EQ(deltas, (std::vector<int>{120, -120}));
    EXPECT_EQ(moves, std::vector<QPoint>{QPoint(70, 80)});
    EXPECT_EQ(chart.ClientRect(), QRect(0, 0, 640, 313));
}

// Mice send a delta of 120 per notch; touchpads and high-resolution wheels
// send small steps with a pixel delta as well; a horizontal wheel sends its
// delta in x alone.
TEST_F(Navigation, TheWheelEventComesOncePerFullNotchOfVerticalDelta) {
    struct Case {
        const char* name;
        std::vector<QPoint> angles; // one wheel event each
        std::vector<int> raised;
    };
    const Case cases[] = {
        {"notches", {{0, 120}, {0, -120}}, {120, -120}},
        {"one event of two notches", {{0, 240}}, {120, 120}},
        {"touchpad steps", {{0, 15}, {0, 45}, {0, 45}, {0, 15}, {0, 15}}, {120}},
        {"steps that reverse", {{0, 90}, {0, -60}, {0, -60}, {0, 90}}, {-120}},
        {"horizontal wheel", {{120, 0}, {-240, 0}}, {}},
        {"tilted touchpad", {{-30, 60}, {40, 60}}, {120}},
    };
    for (const Case& c : cases) {
        TChart wheelChart;
        std::vector<int> raised;
        wheelChart.OnMouseWheel = [&](QObject*, Qt::KeyboardModifiers, int delta, QPoint,
                                      bool& handled) {
            raised.push_back(delta);
            handled = true;
        };
        for (QPoint angle : c.angles) {
            QWheelEvent wheel(QPointF(50, 60), QPointF(50, 60), angle / 8, angle, Qt::NoButton,
                              Qt::NoModifier, Qt::ScrollUpdate, false);
            QApplication::sendEvent(&wheelChart, &wheel);
            EXPECT_EQ(wheel.isAccepted(), angle.y() != 0) << c.name;
        }
        EXPECT_EQ(raised, c.raised) << c.name;
    }
}

TEST_F(Navigation, AnErrorFromAnEventLeavesTheChartUsable) {
    chart.OnZoom = [](QObject*) {
        throw EInvalidOperation("Axis Maximum Value must be >= Minimum");
    };
    std::vector<MessageRequest> shown;
    SetMessageBoxHook([&](const MessageRequest& request) {
        shown.push_back(request);
        return int(mrOk);
    });
    Drag(Qt::LeftButton, Pixel(20, 8), Pixel(60, 2));
    Drag(Qt::LeftButton, Pixel(60, 2), Pixel(20, 8));
    SetMessageBoxHook({});

    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].Text, "Axis Maximum Value must be >= Minimum");
    EXPECT_EQ(shown[0].Type, TMsgDlgType::mtError);
    // The zoom had been saved before its event failed, so the undo restores.
    EXPECT_EQ(events, Events{"undo"});
    EXPECT_TRUE(chart.BottomAxis().Automatic());
}
