#include "field/field_line_tracer.h"

#include <algorithm>
#include <span>

#include "field/run_stop.h"

FieldLineSeeds::FieldLineSeeds(const CalcParams& p, LineShare share) : z0_(p.length / 500), share_(share)
{
    if (!(share.count >= 1 && share.index >= 0 && share.index < share.count))
        return;  // no such share
    // Seeds on the axis or a step of zero leave no line to follow; a line count
    // below 1 seeds none (and keeps lineCount = -1 from dividing by zero).
    if (!(p.radius > 0) || !(p.length > 0) || !(p.lineCount >= 1))
        return;
    i_ = p.lineCount;
    dr_ = p.radius / (p.lineCount + 1);
}

bool FieldLineSeeds::next(double& z0, double& r0)
{
    for (; i_ >= 1; i_ -= 1, ++number_)
        if (number_ % share_.count == share_.index) {
            z0 = z0_;
            r0 = i_ * dr_;
            i_ -= 1;
            ++number_;
            return true;
        }
    return false;
}

TracedLine::~TracedLine()
{
    while (first_)  // one block after the other: a long chain would recurse deep
        first_ = std::move(first_->next);
}

void TracedLine::start(double z0, double r0)
{
    z0_ = z0;
    r0_ = r0;
    block_ = nullptr;
    size_ = 0;
}

void TracedLine::enterNextBlock()
{
    std::unique_ptr<Block>& next = block_ ? block_->next : first_;
    if (!next)
        next = std::make_unique_for_overwrite<Block>();  // the ends are written before they are read
    block_ = next.get();
}

void TracedLine::handTo(FieldLineSink& sink) const
{
    HandOver place;
    handOn(sink, place, size_);
}

void TracedLine::handOn(FieldLineSink& sink, HandOver& place, size_t upTo) const
{
    if (!place.begun_) {
        sink.beginLine(z0_, r0_);
        place.begun_ = true;
        place.zPrev_ = z0_;
        place.rPrev_ = static_cast<float>(r0_);
    }
    while (place.steps_ < upTo) {
        const size_t at = place.steps_ % kBlockSteps;
        if (at == 0)  // the step to come opens a block, linked before it was written
            place.block_ = place.steps_ == 0 ? first_.get() : place.block_->next.get();
        const size_t count = std::min(upTo - place.steps_, kBlockSteps - at);
        double zPrev = place.zPrev_;
        float rPrev = place.rPrev_;
        for (const End& e : std::span(place.block_->ends + at, count)) {
            sink.step(FieldLineStep{zPrev, rPrev, e.z, e.r});
            rPrev = static_cast<float>(e.r);
            zPrev = e.z;
        }
        place.zPrev_ = zPrev;
        place.rPrev_ = rPrev;
        place.steps_ += count;
    }
}

FieldLineTracer::FieldLineTracer(const CalcParams& p, std::stop_token stop)
    : stepping_(p), slope_(p), stop_(std::move(stop))
{
}

LineEnding FieldLineTracer::trace(double z0, double r0, TracedLine& line,
                                  const std::function<void(size_t steps)>& progress) const
{
    line.start(z0, r0);
    const auto slope = [this](double z, double r) { return slope_.slope(stepping_.R, stepping_.L, z, r); };
    return FollowLine(stepping_, z0, r0, slope, [&](const FieldLineStep& s) {
        line.addStepTo(s.z, s.r);
        if (line.size() % TracedLine::kBlockSteps == 0) {
            StopIfRequested(stop_);
            if (progress)
                progress(line.size());
        }
    });
}
