#include "app/parameter_scroll_bar.h"

#include <QProxyStyle>

#include "params/scroll_position.h"

namespace {

// The bars are only a few rows high: a small thumb leaves room in the track
// for paging clicks above and below it.
class SmallThumbStyle final : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        if (metric == PM_ScrollBarSliderMin)
            return 8;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

}  // namespace

// Qt's vertical scroll bar has its smallest value at the top, so the bar holds
// the negated position: its arrows, track and keys then move the position the
// way they move the thumb.
ParameterScrollBar::ParameterScrollBar(int pageStep, QWidget* parent) : QScrollBar(Qt::Vertical, parent)
{
    auto* style = new SmallThumbStyle;
    style->setParent(this);
    setStyle(style);
    setRange(-kScrollTopEnd, -kScrollBottomEnd);
    setSingleStep(1);
    setPageStep(pageStep);
    setTracking(false);
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QScrollBar::valueChanged, this, [this](int value) { emit positionChanged(-value); });
}
