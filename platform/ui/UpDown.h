#pragma once

#include <QWidget>
#include <functional>

class QToolButton;

// The arrow of an up-down control that was clicked.
enum TUDBtnType { btNext, btPrev };

using TUDClickEvent = std::function<void(QObject* Sender, TUDBtnType Button)>;

// Two small arrow buttons, up above down, with a position of their own that
// each click moves by one within Min..Max. A click that cannot move the
// position raises nothing. Holding an arrow repeats its clicks.
class TUpDown : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int Min READ Min WRITE SetMin)
    Q_PROPERTY(int Max READ Max WRITE SetMax)
    Q_PROPERTY(int Position READ Position WRITE SetPosition)
  public:
    explicit TUpDown(QWidget* parent = nullptr);

    int Min() const { return min_; }
    void SetMin(int value);
    int Max() const { return max_; }
    void SetMax(int value);
    int Position() const { return position_; }
    // Brings the position into Min..Max; raises no event.
    void SetPosition(int position);

    // Clicks an arrow as the user would.
    void Click(TUDBtnType button);

    QSize sizeHint() const override { return {17, 19}; }

    QToolButton* UpButton() const { return up_; }
    QToolButton* DownButton() const { return down_; }

    TUDClickEvent OnClick;

  private:
    QToolButton* up_;
    QToolButton* down_;
    int min_ = 0;
    int max_ = 100;
    int position_ = 0;
};
