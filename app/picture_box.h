#pragma once

#include <QFrame>
#include <QImage>
#include <QPointF>
#include <QString>

#include <functional>

// The picture of the main window: a white surface inside the platform's
// sunken two-pixel frame. A drawing is made off the screen on an image of the
// widget's full size, at the screen's pixel ratio, and handed over whole; the
// widget shows it at its logical size from the inner corner of the frame, so
// the frame covers its outermost pixels. The
// image is kept for repainting: uncovering the window never loses the picture,
// and resizing neither clears nor redraws it (beyond the image the surface is
// white).
//
// Resting the mouse on the picture shows as a tool tip what the readout gives
// for the position, in logical pixels from the inner corner; nothing while
// there is no readout or it gives an empty text.
class PictureBox final : public QFrame {
public:
    using Readout = std::function<QString(QPointF position)>;

    explicit PictureBox(QWidget* parent = nullptr);

    const QImage& image() const { return image_; }
    void setImage(QImage image);
    void setReadout(Readout readout) { readout_ = std::move(readout); }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QImage image_;
    Readout readout_;
};
