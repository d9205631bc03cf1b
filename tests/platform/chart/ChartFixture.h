#pragma once

#include "platform/chart/Chart.h"
#include "platform/chart/LineSeries.h"
#include "platform/chart/PieSeries.h"

#include <QApplication>
#include <QMouseEvent>
#include <gtest/gtest.h>
#include <string>
#include <vector>

// A chart of the log window's size with a line over x 0..100, y 0..10 and an
// inactive pie, recording the navigation events it raises.
class ChartFixture : public ::testing::Test {
  protected:
    ChartFixture() {
        chart.setObjectName("Chart1");
        chart.resize(640, 313);
        chart.AddSeries(&pie);
        chart.AddSeries(&line);
        pie.SetActive(false);
        for (int i = 0; i <= 100; ++i)
            line.AddXY(i, i % 11, QString(), clRed);
        chart.OnZoom = [this](QObject* sender) { Record("zoom", sender); };
        chart.OnScroll = [this](QObject* sender) { Record("scroll", sender); };
        chart.OnUndoZoom = [this](QObject* sender) { Record("undo", sender); };
    }

    void Record(const char* name, QObject* sender) {
        EXPECT_EQ(sender, &chart);
        events.push_back(name);
    }

    void Mouse(QEvent::Type type, Qt::MouseButton button, QPoint at) {
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
        QMouseEvent event(type, QPointF(at), QPointF(chart.mapToGlobal(at)),
                          type == QEvent::MouseMove ? Qt::NoButton : button, held, Qt::NoModifier);
        QApplication::sendEvent(&chart, &event);
    }

    // Presses at `from`, moves in a few steps to `to` and releases there.
    void Drag(Qt::MouseButton button, QPoint from, QPoint to, int steps = 4) {
        Mouse(QEvent::MouseButtonPress, button, from);
        for (int i = 1; i <= steps; ++i)
            Mouse(QEvent::MouseMove, button, from + (to - from) * i / steps);
        Mouse(QEvent::MouseButtonRelease, button, to);
    }

    QPoint Pixel(double x, double y) const { return chart.Transform().ToPixel(x, y).toPoint(); }

    TChart chart;
    TPieSeries pie;
    TLineSeries line;
    std::vector<std::string> events;
};
