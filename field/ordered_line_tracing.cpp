#include "field/ordered_line_tracing.h"

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace {

// More helpers than this gain nothing on the lines of one picture.
constexpr unsigned kMaxHelpers = 7;

// A run with no more lines than this keeps all of them in buffers at once, so
// that a helper can begin with the last, innermost line: it is usually
// the longest (it leaves the coil near the axis and sweeps far out), and it
// can take longer than all the others together.
constexpr size_t kLinesAtOnce = 8;

// The shared state of one run. The lines in the window [handedOn, seeded),
// at most one per buffer, have their seeds; line n lives in buffer
// n % buffers.size(). The calling thread traces the first waiting line of the
// window and hands the lines on strictly in order; a helper starts on the
// window's last line, and then takes the first waiting ones too. A line makes
// its steps known a block at a time while it is traced, so that the calling
// thread, with nothing else to do, hands on the line in front as it grows
// instead of waiting for its end. Each line handed on frees its buffer for
// the next seed.
class LineSchedule {
public:
    LineSchedule(const FieldLineTracer& tracer, FieldLineSeeds seeds, size_t bufferCount)
        : tracer_(tracer), seeds_(seeds), lines_(bufferCount)
    {
        seedWindow();
    }

    // The calling thread: hands every line on in order, and traces when it
    // would have to wait anyway. A line that another thread is still tracing
    // goes out as far as it is known, when no line waits to be traced.
    // Returns how many lines were cut.
    size_t runCaller(FieldLineSink& sink)
    {
        size_t cut = 0;
        std::unique_lock lock(mutex_);
        TracedLine::HandOver front;  // how far the line in front is out
        for (;;) {
            if (failure_)
                std::rethrow_exception(failure_);
            if (handedOn_ == seeded_)
                return cut;  // every line is out
            Line& next = line(handedOn_);
            if (next.state == State::Done) {
                handOn(next, front, sink, lock);
                cut += next.ending == LineEnding::Cut;
                front = {};
                next.state = State::Empty;
                ++handedOn_;
                seedWindow();
                changed_.notify_all();  // new lines to trace
            } else if (Line* first = firstWaiting()) {
                trace(*first, lock);
            } else if (next.state == State::Tracing && next.known > front.steps()) {
                handOn(next, front, sink, lock);
            } else {
                changed_.wait(lock);
            }
        }
    }

    // A helper thread: traces lines until none is left or the run stops.
    void runHelper()
    {
        std::unique_lock lock(mutex_);
        try {
            for (;;) {
                changed_.wait(lock, [&] { return stop_ || handedOn_ == seeded_ || helpersLine(); });
                if (stop_ || handedOn_ == seeded_)
                    return;
                trace(*helpersLine(), lock);
            }
        } catch (...) {
            if (!lock.owns_lock())
                lock.lock();
            failure_ = std::current_exception();  // out of memory, say: the caller rethrows it
            stop_ = true;
            changed_.notify_all();
        }
    }

    // Makes the helpers return as soon as they have finished their line.
    void stop()
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
        changed_.notify_all();
    }

private:
    enum class State { Empty, Waiting, Tracing, Done };

    struct Line {
        State state = State::Empty;
        double z0 = 0;
        double r0 = 0;
        size_t known = 0;  // the steps written and made known; all of them once Done
        LineEnding ending = LineEnding::Done;  // how it ended, once Done
        TracedLine steps;  // the buffer, reused for every line that comes here
    };

    Line& line(size_t n) { return lines_[n % lines_.size()]; }

    // Seeds the lines that have come into the window.
    void seedWindow()
    {
        for (; seeded_ < handedOn_ + lines_.size(); ++seeded_) {
            Line& next = line(seeded_);
            if (!seeds_.next(next.z0, next.r0))
                return;
            next.state = State::Waiting;
        }
    }

    Line* firstWaiting()
    {
        for (size_t n = handedOn_; n < seeded_; ++n)
            if (line(n).state == State::Waiting)
                return &line(n);
        return nullptr;
    }

    // A helper's next line: the window's last one while nobody has taken it
    // (with few lines, the innermost), else the first waiting one.
    Line* helpersLine()
    {
        Line& last = line(seeded_ - 1);
        return last.state == State::Waiting ? &last : firstWaiting();
    }

    // Traces the line with the lock released, making its steps known as they come.
    void trace(Line& l, std::unique_lock<std::mutex>& lock)
    {
        l.state = State::Tracing;
        l.known = 0;
        lock.unlock();
        const LineEnding ending = tracer_.trace(l.z0, l.r0, l.steps, [&](size_t steps) { makeKnown(l, steps); });
        lock.lock();
        l.ending = ending;
        l.known = l.steps.size();
        l.state = State::Done;
        changed_.notify_all();
    }

    // The tracing thread: the line's first `steps` steps are written, and
    // are never written again while it is in the window.
    void makeKnown(Line& l, size_t steps)
    {
        std::lock_guard lock(mutex_);
        l.known = steps;
        if (&l == &line(handedOn_))
            changed_.notify_all();  // only the line in front is handed on as it grows
    }

    // Hands the known steps of the line in front on, with the lock released.
    void handOn(const Line& l, TracedLine::HandOver& front, FieldLineSink& sink, std::unique_lock<std::mutex>& lock)
    {
        const size_t upTo = l.known;
        lock.unlock();
        l.steps.handOn(sink, front, upTo);
        lock.lock();
    }

    const FieldLineTracer& tracer_;
    FieldLineSeeds seeds_;
    std::vector<Line> lines_;

    std::mutex mutex_;
    std::condition_variable changed_;
    size_t handedOn_ = 0;  // lines handed to the sink
    size_t seeded_ = 0;    // lines whose seeds are taken
    bool stop_ = false;
    std::exception_ptr failure_;
};

// Starts the helpers and makes sure they have ended when the run leaves,
// normally or by an exception.
class Helpers {
public:
    Helpers(LineSchedule& schedule, unsigned count) : schedule_(schedule)
    {
        try {
            for (unsigned k = 0; k < count; ++k)
                threads_.emplace_back([&schedule] { schedule.runHelper(); });
        } catch (const std::system_error&) {
            // no more threads to be had: the ones started, or the caller alone, do the work
        }
    }
    ~Helpers()
    {
        schedule_.stop();
        for (std::thread& t : threads_)
            t.join();
    }
    Helpers(const Helpers&) = delete;
    Helpers& operator=(const Helpers&) = delete;

private:
    LineSchedule& schedule_;
    std::vector<std::thread> threads_;
};

// The number of lines, counted up to limit + 1.
size_t lineCount(FieldLineSeeds seeds, size_t limit)
{
    size_t lines = 0;
    double z0, r0;
    while (lines <= limit && seeds.next(z0, r0))
        ++lines;
    return lines;
}

}  // namespace

size_t FollowLinesInOrder(const FieldLineTracer& tracer, FieldLineSeeds seeds, FieldLineSink& sink)
{
    // One helper fewer than the processor has cores, as the caller traces too.
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    return FollowLinesInOrder(tracer, seeds, sink, std::min(cores - 1, kMaxHelpers));
}

size_t FollowLinesInOrder(const FieldLineTracer& tracer, FieldLineSeeds seeds, FieldLineSink& sink, unsigned helpers)
{
    const size_t lines = lineCount(seeds, std::max<size_t>(kLinesAtOnce, helpers));
    if (lines == 0)
        return 0;
    helpers = static_cast<unsigned>(std::min<size_t>(helpers, lines - 1));  // no helper without a line of its own
    // Few lines all at once; else a buffer for each thread and two more, so
    // that the threads can run ahead of the line being handed on.
    const size_t buffers = lines <= kLinesAtOnce ? lines : helpers + 3;
    LineSchedule schedule(tracer, seeds, buffers);
    Helpers running(schedule, helpers);
    return schedule.runCaller(sink);
}
