#pragma once

#include "platform/chart/ChartAxis.h"
#include "platform/chart/ChartTransform.h"
#include "platform/ui/Events.h"

#include <QBrush>
#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QWidget>
#include <functional>
#include <vector>

class QPrinter;
class TChartSeries;
class TPieSeries;

// Mouse events of the chart, with the pressed keys and buttons.
using TMouseWheelEvent = std::function<void(QObject* Sender, Qt::KeyboardModifiers Shift,
                                            int WheelDelta, QPoint MousePos, bool& Handled)>;
using TMouseMoveEvent =
    std::function<void(QObject* Sender, Qt::KeyboardModifiers Shift, int X, int Y)>;

// The chart: an ordered list of series drawn in that order over a back wall,
// a left and a bottom axis, and its own navigation: dragging a rectangle
// right and down with the left button zooms to it, dragging left or up
// undoes the zoom, dragging with the right button pans. Zoom and panning fix
// both axes' ranges and then raise OnZoom or OnScroll.
class TChart : public QWidget {
    Q_OBJECT
  public:
    explicit TChart(QWidget* parent = nullptr);
    ~TChart() override;

    // Series, drawn in the order of adding. The chart does not own them.
    void AddSeries(TChartSeries* series);
    void RemoveSeries(TChartSeries* series);
    int SeriesCount() const { return int(series_.size()); }
    TChartSeries* Series(int index) const { return series_.at(index); }

    TChartAxis& LeftAxis() { return leftAxis_; }
    const TChartAxis& LeftAxis() const { return leftAxis_; }
    TChartAxis& BottomAxis() { return bottomAxis_; }
    const TChartAxis& BottomAxis() const { return bottomAxis_; }

    // Switched off while a pie is active.
    bool AllowZoom() const { return allowZoom_; }
    bool AllowPanning() const { return allowPanning_; }

    // Puts back the axes' flags and ranges that the first drag zoom since the
    // last undo saved (when one did), then raises OnUndoZoom.
    void UndoZoom();

    // Looks. The back wall is the plot area's background: its colour, then
    // its brush over it; the chart colour fills the rest. The back picture
    // is drawn centred inside the plot area. Margins are in percent of the
    // chart's width (left, right) and height (top, bottom).
    QColor ChartColor() const { return color_; }
    void SetChartColor(const QColor& color);
    void SetBackWallColor(const QColor& color);
    void SetBackWallBrush(const QBrush& brush);
    void SetBackImage(const QPixmap& picture);
    void SetMargins(int left, int top, int right, int bottom);

    // The chart's client rectangle and the cursor's position in it.
    QRect ClientRect() const { return rect(); }
    QPoint CursorPos() const;

    // The mapping for the chart's current size, axes and ranges.
    TChartTransform Transform() const;
    // Draws the whole chart into `target` (the widget, an image, a page).
    void Render(QPainter& painter, const QRect& target) const;

    // Prints the chart as one page in landscape orientation, proportions kept,
    // as a job named after the chart's objectName ("Chart1" when it has
    // none); the printer's orientation is put back afterwards, also when
    // printing fails (EInvalidOperation "Printer selected is not valid" when
    // the printer cannot start).
    void PrintLandscape(QPrinter* printer);

    TNotifyEvent OnZoom;
    TNotifyEvent OnScroll;
    TNotifyEvent OnUndoZoom;
    // Raised once per full notch (a delta of 120) of the vertical wheel,
    // with WheelDelta 120 or -120; touchpads' small steps add up to notches,
    // and a horizontal wheel raises nothing.
    TMouseWheelEvent OnMouseWheel;
    TMouseMoveEvent OnMouseMove;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    friend class TChartSeries;
    // Every change of what the chart shows: one repaint follows, however
    // many changes come before it (a refill changes the series tens of
    // thousands of times).
    void Changed();
    void SeriesChanged();
    void SeriesActiveChanged(TChartSeries* series);
    bool DataRange(bool horizontal, double& minimum, double& maximum) const;
    const TPieSeries* ActivePie() const;
    void DragZoom(const QRect& pixels);
    void Pan(const QPoint& delta);

    std::vector<TChartSeries*> series_;
    TChartAxis leftAxis_;
    TChartAxis bottomAxis_;
    bool allowZoom_ = true;
    bool allowPanning_ = true;
    TZoomState zoom_;
    QColor color_;
    QColor wallColor_;
    QBrush wallBrush_;
    QPixmap backImage_;
    int margins_[4] = {3, 4, 3, 4};

    bool repaintPending_ = false;

    enum class TDrag { None, Zoom, Pan };
    TDrag drag_ = TDrag::None;
    // The vertical wheel delta turned since the last full notch.
    static constexpr int WheelNotch = 120;
    int wheelDelta_ = 0;
    QPoint dragStart_;
    QPoint dragLast_;
    // The chart's picture while a zoom rectangle is dragged over it: each
    // move of the mouse draws the rectangle over the same picture. Any
    // change of the chart drops it.
    QImage dragPicture_;
};
