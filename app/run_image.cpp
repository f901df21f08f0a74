#include "app/run_image.h"

#include <QTime>

#include "raster/raster_surface.h"
#include "surface/pixel_ratio.h"
#include "render/raster_image.h"

ClockReading CurrentClockReading()
{
    const QTime now = QTime::currentTime();
    return {now.minute(), now.second()};
}

RunImage DrawRunImage(CalcParams& p, QSize size, double pixelRatio, RunAdditions additions,
                      const std::function<ClockReading()>& readClock, const RunControl& control,
                      const std::function<void()>& starting)
{
    RunImage run;
    const double ratio = UsablePixelRatio(pixelRatio);
    RasterSurface surface(DevicePixels(size.width(), ratio), DevicePixels(size.height(), ratio), ratio);
    if (auto refusal = RunRefusal(p, surface)) {
        run.outcome.refusal = std::move(*refusal);
        return run;
    }
    if (starting)
        starting();
    run.outcome = RunCalculation(p, surface, readClock, additions, control);
    // A device pixel x of the picture is shown at x / ratio: the scales per logical pixel.
    p.scaleX /= ratio;
    p.scaleY /= ratio;
    if (run.outcome.done) {
        run.image = ImageOf(surface);
        run.image.setDevicePixelRatio(ratio);
    }
    return run;
}
