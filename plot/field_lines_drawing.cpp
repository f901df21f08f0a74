#include "plot/field_lines_drawing.h"

#include <cmath>

#include "field/field_line_tracer.h"

namespace {

float pixel(double v) { return static_cast<float>(v); }

}  // namespace

void MirroredDrawing::step(const FieldLineStep& s)
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

namespace {

// Counts the lines as they begin, for the run's progress.
class CountedLines final : public FieldLineSink {
public:
    CountedLines(FieldLineSink& sink, const RunControl& control, int total)
        : sink_(sink), control_(control), total_(total)
    {
    }
    void beginLine(double z, double r) override
    {
        control_.linesDone(begun_++, total_);
        sink_.beginLine(z, r);
    }
    void step(const FieldLineStep& s) override { sink_.step(s); }

private:
    FieldLineSink& sink_;
    const RunControl& control_;
    int total_;
    int begun_ = 0;
};

int seedCount(const CalcParams& p, LineShare share)
{
    FieldLineSeeds seeds(p, share);
    int n = 0;
    for (double z0, r0; seeds.next(z0, r0);)
        ++n;
    return n;
}

}  // namespace

size_t FollowFieldLines(const CalcParams& p, FieldLineSink& sink, const RunControl& control)
{
    if (!control.linesDone)
        return FollowFieldLines(p, sink, control.stop, control.lines);
    const int total = seedCount(p, control.lines);
    CountedLines counted(sink, control, total);
    const size_t cut = FollowFieldLines(p, counted, control.stop, control.lines);
    control.linesDone(total, total);
    return cut;
}

size_t TraceFieldLines(const CalcParams& p, DrawingSurface& surface, const RunControl& control)
{
    MirroredDrawing drawing(p, surface);
    return FollowFieldLines(p, drawing, control);
}
