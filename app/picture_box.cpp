#include "app/picture_box.h"

#include <QPainter>

PictureBox::PictureBox(QWidget* parent) : QFrame(parent)
{
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);  // two pixels wide
    setFocusPolicy(Qt::StrongFocus);
}

void PictureBox::setImage(QImage image)
{
    image_ = std::move(image);
    update();
}

void PictureBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect inside = contentsRect();
    painter.fillRect(inside, Qt::white);
    painter.setClipRect(inside);
    painter.drawImage(inside.topLeft(), image_);
    painter.setClipping(false);
    drawFrame(&painter);
}
