#pragma once

#include <QProgressBar>

// A progress bar without text. StepIt moves the position by Step; a step
// past Max starts the bar again from the beginning: the position becomes
// Min + (position + Step - Min) mod (Max - Min), so with 0..10 and step 1 the
// position after 10 is 1. With Min equal to Max a step changes nothing. A
// maximum below the minimum (or a minimum above the maximum) is refused with
// EInvalidOperation.
class TProgressBar : public QProgressBar {
    Q_OBJECT
    Q_PROPERTY(int Step READ Step WRITE SetStep)
    Q_PROPERTY(bool DoubleBuffered READ DoubleBuffered WRITE SetDoubleBuffered)
  public:
    explicit TProgressBar(QWidget* parent = nullptr);

    int Min() const { return minimum(); }
    void SetMin(int value);
    int Max() const { return maximum(); }
    void SetMax(int value);
    int Position() const { return value(); }
    // Brings the position into Min..Max.
    void SetPosition(int position);
    int Step() const { return step_; }
    void SetStep(int step) { step_ = step; }
    void StepIt();

    // Qt paints every widget double-buffered; the flag is only kept.
    bool DoubleBuffered() const { return doubleBuffered_; }
    void SetDoubleBuffered(bool on) { doubleBuffered_ = on; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    int step_ = 10;
    bool doubleBuffered_ = false;
};
