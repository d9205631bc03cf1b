#include "LogWindowFixture.h"

#include <QWheelEvent>
#include <QWindow>
#include <algorithm>

namespace {

// The lowest and highest voltage of the five rows.
constexpr double kLowVolts = 19.5;
constexpr double kHighVolts = 26.0;
// Where every refill puts the band.
constexpr double kRefillBand = 30.0;

// The log window's chart over the five rows, driven with the pointer: wheel
// steps at a chosen pixel, and press-move-release through the window.
class LogWindowChartNavigationTest : public LogWindowFixture {
  protected:
    void SetUp() override {
        LogWindowFixture::SetUp();
        activate();
        download(kFiveRecords);
        ASSERT_EQ(form.Series10->Count(), 5);
        ASSERT_EQ(chart().ClientRect().size(), QSize(640, 313));
    }

    TChartAxis& left() { return chart().LeftAxis(); }
    TChartAxis& bottom() { return chart().BottomAxis(); }

    QPoint pixel(double x, double y) { return chart().Transform().ToPixel(x, y).toPoint(); }

    // Presses at `from`, moves in steps to `to` and releases there, all given
    // in the chart's pixels and sent to the window under the pointer.
    void drag(Qt::MouseButton button, QPoint from, QPoint to) {
        QWindow* window = form.windowHandle();
        const auto at = [&](QPoint point) { return chart().mapTo(&form, point); };
        QTest::mousePress(window, button, {}, at(from));
        for (int step = 1; step <= 4; ++step)
            QTest::mouseMove(window, at(from + (to - from) * step / 4));
        QTest::mouseRelease(window, button, {}, at(to));
    }

    // One wheel step over the chart with the pointer at `at`.
    void wheel(QPoint at, int delta) {
        QCursor::setPos(chart().mapToGlobal(at));
        QWheelEvent event(QPointF(at), QPointF(chart().mapToGlobal(at)), QPoint(), QPoint(0, delta),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&chart(), &event);
    }

    // The band's height; all its points share it.
    double bandY() {
        const TChartSeries& band = *form.Series10;
        for (int i = 1; i < band.Count(); ++i)
            EXPECT_EQ(band.YValue(i), band.YValue(0)) << i;
        return band.YValue(0);
    }

    // 1 % of the visible voltage span above the visible minimum.
    static double bandOver(double minimum, double maximum) {
        return minimum + (maximum - minimum) / 100;
    }
    double bandOverTheLeftAxis() { return bandOver(left().Minimum(), left().Maximum()); }

    // Where an undo puts the band that lay at `band`: the automatic voltage
    // range, the band included, as it is when the undo runs.
    static double bandAfterUndo(double band) {
        return bandOver(std::min(kLowVolts, band), std::max(kHighVolts, band));
    }

    static void fix(TChartAxis& axis, double minimum, double maximum) {
        axis.SetAutomatic(false);
        axis.SetMinMax(minimum, maximum);
    }
};

} // namespace

// The point of the ranges under the pointer, anywhere in the chart's client
// area, becomes the centre of both ranges; forward narrows both spans to
// 85 %, back widens them to 115 %; the band follows the new voltage range.
TEST_F(LogWindowChartNavigationTest, WheelStep_ZoomsAboutThePixelUnderThePointer) {
    const double day = Regional::EncodeDate(2025, 3, 1);
    const QPoint pixels[] = {{320, 156}, {0, 0}, {160, 78}, {600, 300}};
    for (const QPoint at : pixels) {
        fix(left(), 10, 30);
        fix(bottom(), day, day + 20);
        // The value under the pointer, with the client area's width and height.
        const double cx = day + 20.0 * at.x() / 640;
        const double cy = 30 - 20.0 * at.y() / 313;

        wheel(at, 120);
        const std::string where = std::to_string(at.x()) + "," + std::to_string(at.y());
        EXPECT_NEAR((bottom().Minimum() + bottom().Maximum()) / 2, cx, 1e-9) << where;
        EXPECT_NEAR((left().Minimum() + left().Maximum()) / 2, cy, 1e-9) << where;
        EXPECT_NEAR(bottom().Maximum() - bottom().Minimum(), 17, 1e-9) << where;
        EXPECT_NEAR(left().Maximum() - left().Minimum(), 17, 1e-9) << where;
        EXPECT_FALSE(left().Automatic());
        EXPECT_FALSE(bottom().Automatic());
        EXPECT_NEAR(bandY(), bandOverTheLeftAxis(), 1e-9) << where;

        const double cx2 = bottom().Minimum() + 17.0 * at.x() / 640;
        const double cy2 = left().Maximum() - 17.0 * at.y() / 313;
        wheel(at, -120);
        EXPECT_NEAR((bottom().Minimum() + bottom().Maximum()) / 2, cx2, 1e-9) << where;
        EXPECT_NEAR((left().Minimum() + left().Maximum()) / 2, cy2, 1e-9) << where;
        EXPECT_NEAR(left().Maximum() - left().Minimum(), 17 * 1.15, 1e-9) << where;
        EXPECT_NEAR(bandY(), bandOverTheLeftAxis(), 1e-9) << where;
    }
    EXPECT_TRUE(boxes.empty());
}

// A drag down and right zooms, a drag with the right button pans, a drag
// up or left undoes the zoom: each moves the band to 1 % above the bottom
// of the voltage range then in view.
TEST_F(LogWindowChartNavigationTest, DragZoomPanAndUndo_MoveTheBand) {
    const double firstX = bottom().Minimum();
    const double lastX = bottom().Maximum();
    const double middleX = (firstX + lastX) / 2;
    EXPECT_EQ(bandY(), kRefillBand);

    drag(Qt::LeftButton, pixel(firstX, 25), pixel(middleX, 21));
    ASSERT_FALSE(left().Automatic());
    EXPECT_NEAR(left().Minimum(), 21, 0.1);
    EXPECT_NEAR(left().Maximum(), 25, 0.1);
    EXPECT_NEAR(bandY(), bandOverTheLeftAxis(), 1e-9);

    const double zoomedMinimum = left().Minimum();
    drag(Qt::RightButton, QPoint(300, 100), QPoint(340, 140));
    EXPECT_GT(left().Minimum(), zoomedMinimum);
    EXPECT_LT(bottom().Minimum(), firstX);
    EXPECT_NEAR(bandY(), bandOverTheLeftAxis(), 1e-9);

    const double band = bandY();
    drag(Qt::LeftButton, QPoint(400, 250), QPoint(200, 50));
    EXPECT_TRUE(left().Automatic());
    EXPECT_TRUE(bottom().Automatic());
    EXPECT_EQ(bottom().Minimum(), firstX);
    EXPECT_EQ(bottom().Maximum(), lastX);
    EXPECT_NEAR(bandY(), bandAfterUndo(band), 1e-9);
    EXPECT_TRUE(boxes.empty());
}

// The import refills the chart, which puts the band back at 30, and then
// undoes the zoom: the axes follow the data again and the band moves.
TEST_F(LogWindowChartNavigationTest, Import_UndoesTheZoom) {
    wheel(QPoint(320, 156), 120);
    ASSERT_FALSE(left().Automatic());
    click(form.ui.ExportBTN);
    ASSERT_EQ(boxes.back().Text, "De gegevens uit de tabel zijn succesvol geexporteerd.");

    click(form.ui.ImportBTN);
    ASSERT_EQ(boxes.back().Text, "De gegevens uit het bestand zijn succesvol geimporteerd.");
    EXPECT_EQ(gridIds(), "1 2 3 4 5");
    EXPECT_TRUE(left().Automatic());
    EXPECT_TRUE(bottom().Automatic());
    EXPECT_NEAR(bandY(), bandAfterUndo(kRefillBand), 1e-9);
}

// A pointer moving over the chart takes the input focus there, also away
// from a date edit.
TEST_F(LogWindowChartNavigationTest, PointerOverTheChart_TakesTheFocus) {
    click(form.ui.DatumTijd);
    click(form.ui.StartDateEdit);
    ASSERT_TRUE(form.ui.StartDateEdit->hasFocus());
    QTest::mouseMove(form.windowHandle(), chart().mapTo(&form, QPoint(200, 100)));
    EXPECT_TRUE(chart().hasFocus());
}
