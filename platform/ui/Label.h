#pragma once

#include <QLabel>

// A caption that sizes its width to its text, as the class library's labels
// do: it keeps its left edge, or its right edge when it is right-aligned.
class TLabel : public QLabel {
    Q_OBJECT
public:
    explicit TLabel(QWidget* parent = nullptr);

    void setText(const QString& text);

protected:
    bool event(QEvent* event) override;

private:
    void adjustWidth();
};
