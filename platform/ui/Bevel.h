#pragma once

#include <QWidget>

// A sunken line along the top or the bottom edge of its rectangle: a dark
// line over a light one. Shape is "bsTopLine" or "bsBottomLine".
class TBevel : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Shape READ Shape WRITE SetShape)
  public:
    explicit TBevel(QWidget* parent = nullptr);

    QString Shape() const { return shape_; }
    void SetShape(const QString& shape);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QString shape_ = QStringLiteral("bsBottomLine");
};
