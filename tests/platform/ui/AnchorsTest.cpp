#include "platform/ui/Anchors.h"

#include <QWidget>
#include <gtest/gtest.h>

namespace {

// A window at the log window's design size with one child per anchor set.
struct AnchoredWindow {
    QWidget window;
    QWidget* chart = new QWidget(&window);
    QWidget* panel = new QWidget(&window);
    QWidget* bar = new QWidget(&window);
    QWidget* rule = new QWidget(&window);
    QWidget* free = new QWidget(&window);

    AnchoredWindow() {
        window.resize(792, 556);
        chart->setGeometry(8, 8, 632, 321);
        panel->setGeometry(617, 248, 145, 49);
        bar->setGeometry(680, 382, 105, 12);
        rule->setGeometry(8, 336, 778, 17);
        free->setGeometry(300, 200, 100, 50);
        SetAnchors(chart, akLeft | akTop | akBottom);
        SetAnchors(panel, akTop | akRight);
        SetAnchors(bar, akLeft | akBottom);
        SetAnchors(rule, akLeft | akRight | akBottom);
        SetAnchors(free, 0);
    }
};

TEST(Anchors, ChildrenKeepTheirDistancesToAnchoredEdges) {
    for (bool shown : {true, false}) {
        AnchoredWindow w;
        if (shown)
            w.window.show();
        w.window.resize(892, 656);
        if (!shown)
            w.window.show();
        EXPECT_EQ(w.chart->geometry(), QRect(8, 8, 632, 421)) << shown;
        EXPECT_EQ(w.panel->geometry(), QRect(717, 248, 145, 49));
        EXPECT_EQ(w.bar->geometry(), QRect(680, 482, 105, 12));
        EXPECT_EQ(w.rule->geometry(), QRect(8, 436, 878, 17));
        // Its centre keeps its share of the window: 350 * 892 / 792, 225 * 656 / 556.
        EXPECT_EQ(w.free->geometry(), QRect(344, 240, 100, 50));
    }
}

TEST(Anchors, ShrinkingAndGrowingBackRestoresThePlaces) {
    AnchoredWindow w;
    w.window.show();
    w.window.resize(500, 400);
    w.window.resize(792, 556);
    EXPECT_EQ(w.chart->geometry(), QRect(8, 8, 632, 321));
    EXPECT_EQ(w.rule->geometry(), QRect(8, 336, 778, 17));
}

TEST(Anchors, APlaceSetByCodeCountsFromThen) {
    AnchoredWindow w;
    w.window.show();
    w.window.resize(892, 556);
    w.chart->resize(892 - 160, w.chart->height()); // as a resize handler would
    w.window.resize(892, 656);
    EXPECT_EQ(w.chart->geometry(), QRect(8, 8, 732, 421));
}

} // namespace
