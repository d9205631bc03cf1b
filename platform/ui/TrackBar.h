#pragma once

#include "platform/ui/Events.h"

#include <QSlider>

// A track bar: vertical unless told otherwise, with Min at the top (the Down
// key and dragging down raise the position), no tick marks. The groove is
// filled from the Max end up to the handle, never from the Min end.
class TTrackBar : public QSlider {
    Q_OBJECT
    Q_PROPERTY(int Min READ Min WRITE SetMin)
    Q_PROPERTY(int Max READ Max WRITE SetMax)
    Q_PROPERTY(int Position READ Position WRITE SetPosition)
  public:
    explicit TTrackBar(QWidget* parent = nullptr);

    int Min() const { return minimum(); }
    void SetMin(int value);
    int Max() const { return maximum(); }
    void SetMax(int value);
    int Position() const { return value(); }
    // Brings the position into Min..Max.
    void SetPosition(int position);

    // Raised on every change of the position, by the user or by code.
    TNotifyEvent OnChange;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    template <class Change> void changeFromCode(Change change);

    bool changing_ = false;
};
