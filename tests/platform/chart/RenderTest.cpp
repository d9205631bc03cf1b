#include "ChartFixture.h"

#include "platform/chart/ChartTransform.h"
#include "platform/chart/MarkerPictures.h"
#include "platform/chart/PointSeries.h"

#include <QImage>
#include <QPainter>
#include <random>

namespace {

QImage Blank(int width = 300, int height = 200) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    return image;
}

// Paints one series without any chart, antialiased, as the chart does.
QImage Paint(const TChartSeries& series, const TChartTransform& transform, QImage image = Blank()) {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    series.Paint(painter, transform);
    return image;
}

// The plain way of drawing the same line: every point, one polyline for each
// run of segments ending in the same colour.
QImage PaintNaively(const TChartSeries& series, int width, const TChartTransform& transform) {
    QImage image = Blank();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    QPen pen(Qt::black, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    QPolygonF run;
    TColor runColor = 0;
    for (int i = 1; i < series.Count(); ++i) {
        const TColor color = series.ValueColor(i);
        if (!run.isEmpty() && color != runColor) {
            pen.setColor(ColorToQColor(runColor));
            painter.setPen(pen);
            painter.drawPolyline(run);
            run.clear();
        }
        if (run.isEmpty()) {
            run << transform.ToPixel(series.XValue(i - 1), series.YValue(i - 1));
            runColor = color;
        }
        run << transform.ToPixel(series.XValue(i), series.YValue(i));
    }
    pen.setColor(ColorToQColor(runColor));
    painter.setPen(pen);
    painter.drawPolyline(run);
    return image;
}

// The pixel that holds the point.
QColor At(const QImage& image, QPointF at) {
    return image.pixelColor(int(std::floor(at.x())), int(std::floor(at.y())));
}

// The share of pixels whose colours differ by more than `tolerance` in some
// channel, and the share of pixels the pictures draw on at all.
double Differing(const QImage& a, const QImage& b, int tolerance) {
    int differing = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QColor p = a.pixelColor(x, y);
            const QColor q = b.pixelColor(x, y);
            if (std::abs(p.red() - q.red()) > tolerance ||
                std::abs(p.green() - q.green()) > tolerance ||
                std::abs(p.blue() - q.blue()) > tolerance)
                ++differing;
        }
    }
    return double(differing) / (a.width() * a.height());
}

double Inked(const QImage& image) {
    int inked = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            inked += image.pixelColor(x, y) != QColor(Qt::white);
    return double(inked) / (image.width() * image.height());
}

const TChartTransform Unit(QRectF(10, 10, 280, 180), {0, 20}, {0, 10});
// Whole values lie in the middle of pixels.
const TChartTransform Centred(QRectF(10.5, 10.5, 280, 180), {0, 20}, {0, 10});

struct LineCase {
    const char* name;
    int width;
    int points;
    int colourEvery; // points between colour changes, 0 for one colour
    double noise;    // volts
    int spikeEvery = 0; // points between readings far off the curve, 0 for none
};

// A battery curve over far more points than pixel columns: a slow swing with
// noise, for the band a colour changing every so often, and for a unit's
// event mix the readings of charging and switching events far above and
// below the curve.
void Fill(TLineSeries& line, const LineCase& c) {
    std::mt19937 random(7);
    std::normal_distribution<double> noise(0, c.noise);
    line.SetLineWidth(c.width);
    for (int i = 0; i < c.points; ++i) {
        double y = std::clamp(5 + 3 * std::sin(i * 12.0 / c.points) + noise(random), 0.5, 9.5);
        if (c.spikeEvery && i % c.spikeEvery == 0)
            y = i / c.spikeEvery % 2 ? 9.5 : 0.5;
        const TColor color =
            c.colourEvery ? (i / c.colourEvery % 2 ? 0x00FFC8 : 0x0083FF) : 0x0000FF;
        line.AddXY(20.0 * i / c.points, y, QString(), color);
    }
}

// Top and bottom of the ink in each pixel column, -1 for a blank column.
std::vector<std::pair<int, int>> InkExtents(const QImage& image) {
    std::vector<std::pair<int, int>> extents;
    for (int x = 0; x < image.width(); ++x) {
        int top = -1;
        int bottom = -1;
        for (int y = 0; y < image.height(); ++y) {
            if (image.pixelColor(x, y).green() < 128) {
                if (top < 0)
                    top = y;
                bottom = y;
            }
        }
        extents.push_back({top, bottom});
    }
    return extents;
}

const TChartTransform Wide(QRectF(10, 10, 280, 180), {-1, 21}, {0, 10});

} // namespace

TEST(Render, EachSegmentTakesTheColourOfThePointAtWhichItEnds) {
    for (bool eachPoint : {false, true}) {
        SCOPED_TRACE(eachPoint ? "ColorEachPoint" : "series colour");
        TLineSeries line;
        line.SetSeriesColor(8421631);
        line.SetColorEachPoint(eachPoint);
        line.SetLineWidth(6);
        line.AddXY(0, 5, QString(), clBlue);
        line.AddXY(10, 5, QString(), clLime);
        line.AddXY(20, 5, QString(), 0x0000FF);

        const QImage image = Paint(line, Unit);
        EXPECT_EQ(At(image, Unit.ToPixel(5, 5)), QColor(0, 255, 0));
        EXPECT_EQ(At(image, Unit.ToPixel(15, 5)), QColor(255, 0, 0));
        EXPECT_EQ(At(image, Unit.ToPixel(15, 7)), QColor(Qt::white));
    }
}

TEST(Render, ANegativeColourIsPaintedBlack) {
    TLineSeries band;
    band.SetLineWidth(6);
    band.AddXY(0, 5, QString(), 0x00FF00);
    band.AddXY(20, 5, QString(), -257);
    EXPECT_EQ(At(Paint(band, Unit), Unit.ToPixel(10, 5)), QColor(0, 0, 0));
}

TEST(Render, ReducedLineLooksAsThePlainPolyline) {
    for (const LineCase& c :
         {LineCase{"voltage", 2, 20000, 0, 0}, LineCase{"band", 6, 20000, 1500, 0},
          LineCase{"sparse", 2, 300, 40, 0.3}, LineCase{"event mix", 2, 2000, 0, 0.1, 6},
          LineCase{"short band runs", 6, 2000, 33, 0}, LineCase{"long segments", 2, 40, 0, 1.5},
          LineCase{"long wide segments", 6, 40, 20, 1.5}}) {
        SCOPED_TRACE(c.name);
        TLineSeries line;
        Fill(line, c);
        const QImage reduced = Paint(line, Wide);
        const QImage naive = PaintNaively(line, c.width, Wide);
        EXPECT_GT(Inked(naive), 0.02);
        EXPECT_LT(Differing(reduced, naive, 64), 0.002);
        EXPECT_LT(Differing(reduced, naive, 160), 0.0005);
    }
}

TEST(Render, SteepSegmentsOfEverySlopeLookAsThePlainPolyline) {
    // Dozens of segments of one colour are covered pixel column by pixel
    // column down their rows: upright, leaning either way up to and past a
    // diagonal, thin and wide, the first and last running past the plot's
    // ends. Their sides must lie where the plain polyline's do; at the
    // sharp turns overlapping ends shade edge pixels a little more, so the
    // pixels near the points are left out.
    for (const int width : {2, 6}) {
        SCOPED_TRACE(testing::Message() << "width " << width);
        TLineSeries line;
        line.SetLineWidth(width);
        const double leans[] = {0, 0.05, 0.3, 0.7, 1.4142, 2.5};
        double x = -1.5;
        for (int i = 0; x < 21.5; ++i) {
            line.AddXY(x, i % 2 ? 9.2 - 0.3 * (i % 7) : 0.8 + 0.2 * (i % 5), QString(), clRed);
            x += leans[i % 6] * (i % 4 < 2 ? 1 : 0.5);
        }
        QImage covered = Paint(line, Wide);
        QImage naive = PaintNaively(line, width, Wide);
        EXPECT_GT(Inked(naive), 0.1);
        QPainter blank(&covered);
        QPainter blankNaive(&naive);
        for (QPainter* painter : {&blank, &blankNaive}) {
            painter->setPen(Qt::NoPen);
            painter->setBrush(Qt::white);
            for (int i = 0; i < line.Count(); ++i)
                painter->drawEllipse(Wide.ToPixel(line.XValue(i), line.YValue(i)), width + 3.0,
                                     width + 3.0);
        }
        blank.end();
        blankNaive.end();
        // Past the plot's ends only the chart's clipping hides the plain line.
        const QRect plot = Wide.PlotArea().toRect();
        EXPECT_LT(Differing(covered.copy(plot), naive.copy(plot), 64), 0.002);
        EXPECT_LT(Differing(covered.copy(plot), naive.copy(plot), 160), 0.0005);
    }
}

TEST(Render, ReducedNoisyLineKeepsItsOutlineWithinAPixel) {
    // Dozens of points a column, each off by a fraction of a pixel or by
    // several: the points a column drops only shade edge pixels (those
    // that the pen reaches from the neighbouring columns), so the outline
    // stays within a pixel of the plain one.
    for (const double noise : {0.02, 0.6}) {
        SCOPED_TRACE(testing::Message() << "noise " << noise);
        TLineSeries line;
        Fill(line, LineCase{"noise", 2, 20000, 0, noise});
        const QImage reducedImage = Paint(line, Wide);
        const QImage naiveImage = PaintNaively(line, 2, Wide);
        EXPECT_LT(Differing(reducedImage, naiveImage, 64), 0.015);

        const auto reduced = InkExtents(reducedImage);
        const auto naive = InkExtents(naiveImage);
        const auto near = [](const auto& some, const auto& other, size_t x) {
            int top = other[x].first;
            int bottom = other[x].second;
            for (size_t n = x - 1; n <= x + 1; ++n) {
                if (other[n].first >= 0) {
                    top = top < 0 ? other[n].first : std::min(top, other[n].first);
                    bottom = std::max(bottom, other[n].second);
                }
            }
            return some[x].first >= top - 1 && some[x].second <= bottom + 1;
        };
        for (size_t x = 1; x + 1 < naive.size(); ++x) {
            // The caps at the line's two ends are left out.
            if (naive[x - 1].first < 0 || naive[x + 1].first < 0)
                continue;
            EXPECT_TRUE(near(reduced, naive, x) && near(naive, reduced, x)) << "column " << x;
        }
    }
}

TEST(Render, ALineFarOutsideTheVisibleRangeIsCutToIt) {
    // Deeply zoomed: the neighbours of the visible stretch lie millions of
    // pixels away.
    TLineSeries line;
    line.SetLineWidth(4);
    line.AddXY(-1e6, -1e6, QString(), clRed);
    line.AddXY(1e6, 1e6, QString(), clRed);
    const TChartTransform zoomed(QRectF(0.5, 0.5, 300, 200), {-1, 1}, {-1, 1});
    const QImage image = Paint(line, zoomed);
    EXPECT_EQ(At(image, zoomed.ToPixel(0, 0)), QColor(255, 0, 0));
    EXPECT_EQ(At(image, zoomed.ToPixel(0.5, -0.5)), QColor(Qt::white));
}

TEST(Render, MarkersOnTheScreenLookAsTheirShapes) {
    // On the screen markers are copies of pictures made for quarter-pixel
    // places; they must cover what the shapes themselves cover.
    using Style = TSeriesPointerStyle;
    for (const Style style :
         {Style::psRectangle, Style::psCircle, Style::psTriangle, Style::psDownTriangle}) {
        SCOPED_TRACE(int(style));
        TPointSeries markers;
        markers.SetSeriesColor(clGreen);
        markers.SetPointerColor(clYellow);
        markers.SetPointerStyle(style);
        std::mt19937 random(3);
        std::uniform_real_distribution<double> place(0.5, 19.5);
        for (int i = 0; i < 40; ++i)
            markers.AddXY(place(random), place(random) / 2, QString(), 0x0000FF);

        QImage shapes = Blank();
        {
            QPainter painter(&shapes);
            painter.setRenderHint(QPainter::Antialiasing, true);
            painter.setPen(QPen(ColorToQColor(clGreen), 1));
            painter.setBrush(ColorToQColor(clYellow));
            for (int i = 0; i < markers.Count(); ++i)
                DrawMarker(painter, style, Unit.ToPixel(markers.XValue(i), markers.YValue(i)),
                           markers.PointerSize());
        }
        const QImage copies = Paint(markers, Unit);
        EXPECT_GT(Inked(shapes), 0.02);
        EXPECT_LT(Differing(copies, shapes, 64), 0.001);
    }
}

TEST(Render, MarkersAreOutlinedInTheSeriesColourAndFilled) {
    TPointSeries markers;
    markers.SetSeriesColor(clGreen);
    markers.SetPointerColor(clYellow);
    markers.SetPointerStyle(TSeriesPointerStyle::psRectangle);
    markers.SetPointerSize(6);
    markers.AddXY(10, 5, QString(), 0x0000FF);

    QImage image = Paint(markers, Centred);
    const QPointF centre = Centred.ToPixel(10, 5);
    EXPECT_EQ(At(image, centre), QColor(255, 255, 0));
    EXPECT_EQ(At(image, centre + QPointF(0, -6)), QColor(0, 128, 0));

    markers.SetColorEachPoint(true);
    image = Paint(markers, Centred);
    EXPECT_EQ(At(image, centre), QColor(255, 0, 0));
}

using RenderChart = ChartFixture;

TEST_F(RenderChart, InactiveSeriesAreNotDrawnAndThePictureSitsInThePlotCentre) {
    QPixmap picture(20, 20);
    picture.fill(QColor(10, 20, 30));
    chart.SetBackImage(picture);
    line.SetLineWidth(4);
    line.Clear();
    line.AddXY(0, 0, QString(), clRed);
    line.AddXY(100, 10, QString(), clRed);

    QImage image(chart.size(), QImage::Format_ARGB32_Premultiplied);
    {
        QPainter painter(&image);
        chart.Render(painter, chart.rect());
    }
    const TChartTransform transform = chart.Transform();
    EXPECT_EQ(At(image, transform.PlotArea().center() + QPointF(8, -8)), QColor(10, 20, 30));
    EXPECT_EQ(At(image, transform.ToPixel(25, 2.5)), QColor(255, 0, 0));

    line.SetActive(false);
    {
        QPainter painter(&image);
        chart.Render(painter, chart.rect());
    }
    EXPECT_EQ(At(image, transform.ToPixel(25, 2.5)), QColor(Qt::white));
}

TEST_F(RenderChart, WhileAZoomIsDraggedTheChartShowsEveryChangeAndSize) {
    // Each move of a drag draws the rectangle over a picture of the chart
    // kept from the move before; a change of the chart must not leave the
    // old picture on the screen.
    line.SetLineWidth(4);
    line.Clear();
    line.AddXY(0, 5, QString(), clRed);
    line.AddXY(100, 5, QString(), clRed);
    const QPoint onLine = Pixel(80, 5);
    Mouse(QEvent::MouseButtonPress, Qt::LeftButton, Pixel(10, 9));
    Mouse(QEvent::MouseMove, Qt::LeftButton, Pixel(30, 7));
    EXPECT_EQ(chart.grab().toImage().pixelColor(onLine), QColor(255, 0, 0));

    line.SetYValue(1, 9);
    Mouse(QEvent::MouseMove, Qt::LeftButton, Pixel(32, 7));
    const QImage moved = chart.grab().toImage();
    EXPECT_NE(moved.pixelColor(onLine), QColor(255, 0, 0));
    EXPECT_EQ(moved.pixelColor(Pixel(50, 7)), QColor(255, 0, 0));

    chart.resize(500, 250);
    Mouse(QEvent::MouseMove, Qt::LeftButton, Pixel(34, 7));
    const QImage resized = chart.grab().toImage();
    EXPECT_EQ(resized.size(), QSize(500, 250));
    EXPECT_EQ(resized.pixelColor(Pixel(50, 7)), QColor(255, 0, 0));
    Mouse(QEvent::MouseButtonRelease, Qt::LeftButton, Pixel(34, 7));
}

TEST_F(RenderChart, APartRepaintedShowsWhatTheWholeChartShowsThere) {
    // A button over the chart pressed repaints the chart behind it: only the
    // points there are drawn, and they must look as in a whole redraw.
    Fill(line, LineCase{"event mix", 2, 4000, 0, 0.1, 6});
    TLineSeries band;
    Fill(band, LineCase{"band", 6, 4000, 33, 0});
    TPointSeries markers;
    markers.SetPointerStyle(TSeriesPointerStyle::psTriangle);
    for (int i = 0; i < band.Count(); i += 7)
        markers.AddXY(band.XValue(i), line.YValue(i), QString(), 0x0000FF);
    chart.AddSeries(&band);
    chart.AddSeries(&markers);
    QImage whole(chart.size(), QImage::Format_ARGB32_Premultiplied);
    {
        QPainter painter(&whole);
        chart.Render(painter, chart.rect());
    }
    for (const QRect part : {QRect(500, 40, 129, 17), QRect(100, 60, 40, 200)}) {
        QImage image(chart.size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::black);
        {
            QPainter painter(&image);
            painter.setClipRect(part);
            chart.Render(painter, chart.rect());
        }
        // Straight runs merged from another first point may shade an edge
        // pixel a little otherwise.
        EXPECT_EQ(Differing(image.copy(part), whole.copy(part), 16), 0) << part.x();
    }
}

TEST_F(RenderChart, ThePieFillsTheChartWithItsSlices) {
    line.SetActive(false);
    pie.AddPie(3, "Vermogensstand: 40%", 0x00FFC8);
    pie.AddPie(1, "Vermogensstand: 75%", 0x0083FF);
    pie.SetActive(true);

    QImage image(chart.size(), QImage::Format_ARGB32_Premultiplied);
    {
        QPainter painter(&image);
        chart.Render(painter, chart.rect());
    }
    // The first slice starts at three o'clock and runs counter-clockwise for
    // three quarters: straight below the centre lies the second slice.
    const QPointF centre = chart.Transform().PlotArea().center();
    EXPECT_EQ(At(image, centre + QPointF(-20, -20)), ColorToQColor(0x00FFC8));
    EXPECT_EQ(At(image, centre + QPointF(30, 30)), ColorToQColor(0x0083FF));
    EXPECT_EQ(pie.SliceAt(chart.Transform().PlotArea(), QFontMetricsF(chart.font()),
                          centre + QPointF(-20, -20)),
              0);
    EXPECT_EQ(pie.SliceAt(chart.Transform().PlotArea(), QFontMetricsF(chart.font()), QPointF(1, 1)),
              -1);
}
