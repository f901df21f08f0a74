#include "app/picture_box.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

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

bool PictureBox::event(QEvent* event)
{
    if (event->type() != QEvent::ToolTip || !readout_)
        return QFrame::event(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const QString text = readout_(QPointF(help->pos() - contentsRect().topLeft()));
    if (text.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), text, this);
    return true;
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
