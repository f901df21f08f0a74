#include "field/field_line_tracer.h"

FieldLineSeeds::FieldLineSeeds(const CalcParams& p) : z0_(p.length / 500)
{
    // Seeds on the axis or a step of zero leave no line to follow; a line count
    // below 1 seeds none (and keeps lineCount = -1 from dividing by zero).
    if (!(p.radius > 0) || !(p.length > 0) || !(p.lineCount >= 1))
        return;
    i_ = p.lineCount;
    dr_ = p.radius / (p.lineCount + 1);
}

bool FieldLineSeeds::next(double& z0, double& r0)
{
    if (!(i_ >= 1))
        return false;
    z0 = z0_;
    r0 = i_ * dr_;
    i_ -= 1;
    return true;
}

void TracedLine::start(double z0, double r0)
{
    z0_ = z0;
    r0_ = r0;
    ends_.clear();
}

void TracedLine::handTo(FieldLineSink& sink) const
{
    sink.beginLine(z0_, r0_);
    double zPrev = z0_;
    float rPrev = static_cast<float>(r0_);
    for (const End& e : ends_) {
        sink.step(FieldLineStep{zPrev, rPrev, e.z, e.r});
        rPrev = static_cast<float>(e.r);
        zPrev = e.z;
    }
}

FieldLineTracer::FieldLineTracer(const CalcParams& p) : stepping_(p), slope_(p) {}

void FieldLineTracer::trace(double z0, double r0, TracedLine& line) const
{
    line.start(z0, r0);
    const auto slope = [this](double z, double r) { return slope_.slope(stepping_.R, stepping_.L, z, r); };
    FollowLine(stepping_, z0, r0, slope, [&line](const FieldLineStep& s) { line.addStepTo(s.z, s.r); });
}
