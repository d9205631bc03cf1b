#pragma once

#include "platform/ui/Events.h"

#include <QColor>
#include <QWidget>

// A knob: a silver dial with a black dot as its pointer, turned by dragging
// it round, by the mouse wheel and by the arrow, page, Home and End keys. It
// takes the focus when clicked or reached with Tab. The pointer sweeps 270
// degrees clockwise from the lower left (Min) to the lower right (Max).
class TJvDialButton : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int Min READ Min WRITE SetMin)
    Q_PROPERTY(int Max READ Max WRITE SetMax)
    Q_PROPERTY(int Position READ Position WRITE SetPosition)
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)
    Q_PROPERTY(int ButtonEdge READ ButtonEdge WRITE SetButtonEdge)
    Q_PROPERTY(int Radius READ Radius WRITE SetRadius)
    Q_PROPERTY(QColor Color READ Color WRITE SetColor)
  public:
    explicit TJvDialButton(QWidget* parent = nullptr);

    int Min() const { return min_; }
    // A minimum above the maximum moves the maximum along (and the reverse);
    // the position is brought into the new range.
    void SetMin(int value);
    int Max() const { return max_; }
    void SetMax(int value);
    int Position() const { return position_; }
    // Brings the position into Min..Max; raises OnChange only for a new value.
    void SetPosition(int position);
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }
    int ButtonEdge() const { return buttonEdge_; }
    void SetButtonEdge(int edge);
    int Radius() const { return radius_; }
    void SetRadius(int radius);
    QColor Color() const { return color_; }
    void SetColor(const QColor& color);

    TNotifyEvent OnChange;
    // Raised when the input focus moves from the knob to another control of
    // its window (not when the window itself is deactivated).
    TNotifyEvent OnExit;

    QSize sizeHint() const override { return {98, 98}; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    // The position that the pointer shows when it points at `point`.
    int positionAt(QPointF point) const;
    // The user's turn: runs from the event loop, so through RunHandler.
    void turnTo(int position);

    int min_ = 0;
    int max_ = 100;
    int position_ = 0;
    int tag_ = 0;
    int buttonEdge_ = 20;
    int radius_ = 37;
    QColor color_ = Qt::lightGray;
};
