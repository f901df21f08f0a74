#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <stop_token>

#include "field/angular_sum.h"
#include "field/field_lines.h"
#include "field/line_stepping.h"
#include "params/calc_params.h"

// The seeds of a run's field lines, outermost first: z = L/500 and
// r = i R/(lineCount + 1) for i = lineCount, lineCount - 1, ... while i >= 1;
// of them only the given share. A coil of zero radius or length has none.
class FieldLineSeeds {
public:
    explicit FieldLineSeeds(const CalcParams& p, LineShare share = {});

    // The next seed; false when every line has been seeded.
    bool next(double& z0, double& r0);

private:
    double i_ = 0;   // the counter of the line to come
    double dr_ = 0;  // spacing of the seeds across the radius
    double z0_;  // z of every seed
    LineShare share_;
    long long number_ = 0;  // of the line to come, from the outermost
};

// One traced field line: its seed and where each step ends, in order. A step
// starts where the one before it ended (r in single precision), the first one
// at the seed, so the ends alone, 16 bytes a step, give every step back.
// The ends lie in blocks that never move once written and are kept for the
// next line, so another thread can hand on the steps written so far while
// the line grows, and a run allocates nothing once its longest line is out.
class TracedLine {
    struct Block;

public:
    static constexpr size_t kBlockSteps = 1024;

    // How far a line has been handed to a sink: the seed, then steps() steps,
    // the last of which ended at (zPrev, rPrev), where the next one starts.
    class HandOver {
    public:
        size_t steps() const { return steps_; }

    private:
        friend class TracedLine;
        bool begun_ = false;
        size_t steps_ = 0;
        double zPrev_ = 0;
        float rPrev_ = 0;
        const Block* block_ = nullptr;  // the block of the step to come, once entered
    };

    TracedLine() = default;
    TracedLine(const TracedLine&) = delete;
    TracedLine& operator=(const TracedLine&) = delete;
    ~TracedLine();

    void start(double z0, double r0);
    void addStepTo(double z, double r)
    {
        if (size_ % kBlockSteps == 0)
            enterNextBlock();
        block_->ends[size_ % kBlockSteps] = {z, r};
        ++size_;
    }
    size_t size() const { return size_; }

    // Hands the line to the sink: its seed, then every step.
    void handTo(FieldLineSink& sink) const;

    // Hands the seed on if it is not out yet, then the steps from where
    // `place` stands up to the first `upTo`. It reads nothing but the seed and
    // those steps' blocks, so the thread that traces the line may go on adding
    // steps meanwhile, once it has made the first `upTo` known to this one.
    void handOn(FieldLineSink& sink, HandOver& place, size_t upTo) const;

private:
    struct End {
        double z;
        double r;
    };
    struct Block {
        End ends[kBlockSteps];
        std::unique_ptr<Block> next;  // linked before any step is written into it
    };

    void enterNextBlock();

    double z0_ = 0;
    double r0_ = 0;
    std::unique_ptr<Block> first_;  // the chain, reused from line to line: never shortened
    Block* block_ = nullptr;        // the block being written
    size_t size_ = 0;
};

// Follows single field lines of one run by Euler steps. Whatever a run's lines
// share (the coil, the step, the window, the prepared angles) is set up once;
// trace() may be called from several threads at once. A stop request of the
// run is met after the block of steps being written (field/run_stop.h).
class FieldLineTracer {
public:
    explicit FieldLineTracer(const CalcParams& p, std::stop_token stop = {});

    // Follows the line from (z0, r0) until it comes back to the mid-plane or
    // leaves the plot window, or is cut after LineStepping::maxSteps steps,
    // into line (its old steps are dropped), and says which. Each time a
    // block of the line is full, progress hears how many steps it has.
    LineEnding trace(double z0, double r0, TracedLine& line,
                     const std::function<void(size_t steps)>& progress = {}) const;

private:
    LineStepping stepping_;
    AngularSum slope_;
    std::stop_token stop_;
};
