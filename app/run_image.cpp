#include "app/run_image.h"

#include <QPainter>
#include <QTime>

#include <algorithm>

#include "render/painter_surface.h"

ClockReading CurrentClockReading()
{
    const QTime now = QTime::currentTime();
    return {now.minute(), now.second()};
}

RunImage DrawRunImage(CalcParams& p, QSize size, qreal pixelRatio, RunAdditions additions,
                      const std::function<ClockReading()>& readClock, const RunControl& control,
                      const std::function<void()>& starting)
{
    RunImage run;
    run.image = QImage(QSize(std::max(size.width(), 1), std::max(size.height(), 1)) * pixelRatio, QImage::Format_RGB32);
    run.image.setDevicePixelRatio(pixelRatio);
    run.image.fill(Qt::white);
    {
        QPainter painter(&run.image);
        PainterSurface surface(painter, size.width(), size.height());
        if (auto refusal = RunRefusal(p, surface)) {
            run.outcome.refusal = std::move(*refusal);
        } else {
            if (starting)
                starting();
            run.outcome = RunCalculation(p, surface, readClock, additions, control);
        }
    }  // the surface draws what it holds back, then the painter ends
    return run;
}
