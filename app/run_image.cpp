#include "app/run_image.h"

#include <QTime>

#include "raster/raster_surface.h"
#include "render/raster_image.h"

ClockReading CurrentClockReading()
{
    const QTime now = QTime::currentTime();
    return {now.minute(), now.second()};
}

RunImage DrawRunImage(CalcParams& p, QSize size, RunAdditions additions, const std::function<ClockReading()>& readClock,
                      const RunControl& control, const std::function<void()>& starting)
{
    RunImage run;
    RasterSurface surface(size.width(), size.height());
    if (auto refusal = RunRefusal(p, surface)) {
        run.outcome.refusal = std::move(*refusal);
        return run;
    }
    if (starting)
        starting();
    run.outcome = RunCalculation(p, surface, readClock, additions, control);
    if (run.outcome.done)
        run.image = ImageOf(surface);
    return run;
}
