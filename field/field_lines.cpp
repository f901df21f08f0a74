#include "field/field_lines.h"

#include <cmath>

#include "field/field_line_tracer.h"
#include "field/ordered_line_tracing.h"

namespace {

// Draws each step in the four quadrants of the meridian plane.
class MirroredDrawing final : public FieldLineSink {
public:
    MirroredDrawing(const CalcParams& p, DrawingSurface& surface) : p_(p), surface_(surface) {}

    void beginLine(double, double) override {}

    void step(const FieldLineStep& s) override
    {
        const double y0 = p_.yMax * p_.scaleY;  // the axis row
        const double k = p_.scaleX;             // distances from the axis use the horizontal scale
        const float xRight0 = pixel((s.zPrev - p_.zMin) * k);
        const float xRight1 = pixel((s.z - p_.zMin) * k);
        const float xLeft0 = pixel((-s.zPrev - p_.zMin) * k);
        const float xLeft1 = pixel((-s.z - p_.zMin) * k);
        const float yBelow0 = pixel(y0 + s.rPrev * k);
        const float yBelow1 = pixel(y0 + s.r * k);
        const float yAbove0 = pixel(y0 - s.rPrev * k);
        const float yAbove1 = pixel(y0 - s.r * k);
        if (!(std::isfinite(xRight1) && std::isfinite(xLeft1) && std::isfinite(yBelow1) && std::isfinite(yAbove1)))
            return;  // a step far beyond the picture: nothing of it could be seen
        surface_.drawLine(xRight0, yBelow0, xRight1, yBelow1, kGraphColour);
        surface_.drawLine(xRight0, yAbove0, xRight1, yAbove1, kGraphColour);
        surface_.drawLine(xLeft0, yBelow0, xLeft1, yBelow1, kGraphColour);
        surface_.drawLine(xLeft0, yAbove0, xLeft1, yAbove1, kGraphColour);
    }

private:
    static float pixel(double v) { return static_cast<float>(v); }

    const CalcParams& p_;
    DrawingSurface& surface_;
};

}  // namespace

void FollowFieldLines(const CalcParams& p, FieldLineSink& sink)
{
    if (p.lineCount < 1)
        return;  // no line at all; also keeps lineCount = -1 from dividing by zero
    if (!(p.radius > 0) || !(p.length > 0))
        return;  // seeds on the axis or a step of zero: there is no line to follow

    const FieldLineTracer tracer(p);
    FollowLinesInOrder(tracer, FieldLineSeeds(p), sink);
}

void TraceFieldLines(const CalcParams& p, DrawingSurface& surface)
{
    MirroredDrawing drawing(p, surface);
    FollowFieldLines(p, drawing);
}
