#pragma once

#include <QScrollBar>

// A vertical scroll bar for one calculation parameter, positions 0 to 100
// with the largest at the top: the upper arrow, the track above the thumb and
// the Up and Page Up keys increase the position. The position changes when
// the thumb is released, not while it is dragged.
class ParameterScrollBar final : public QScrollBar {
    Q_OBJECT
public:
    ParameterScrollBar(int pageStep, QWidget* parent = nullptr);

    int position() const { return -value(); }
    void setPosition(int position) { setValue(-position); }

signals:
    void positionChanged(int position);
};
