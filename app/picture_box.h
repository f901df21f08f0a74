#pragma once

#include <QFrame>
#include <QImage>

// The picture of the main window: a white surface inside the platform's
// sunken two-pixel frame. A drawing is made off the screen on an image of the
// widget's full size and handed over whole; the widget shows it from the
// inner corner of the frame, so the frame covers its outermost pixels. The
// image is kept for repainting: uncovering the window never loses the picture,
// and resizing neither clears nor redraws it (beyond the image the surface is
// white).
class PictureBox final : public QFrame {
public:
    explicit PictureBox(QWidget* parent = nullptr);

    const QImage& image() const { return image_; }
    void setImage(QImage image);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage image_;
};
