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

// The shared state of one run: which line is traced next, which lines are
// done, and the ring of buffers. Line n goes into buffer n % buffers.size(), so
// it may start only once line n - buffers.size() has been handed to the sink.
class LineSchedule {
public:
    LineSchedule(const FieldLineTracer& tracer, FieldLineSeeds seeds, size_t bufferCount)
        : tracer_(tracer), seeds_(seeds), buffers_(bufferCount), done_(bufferCount, false)
    {
        seedsLeft_ = seeds_.next(nextZ0_, nextR0_);
    }

    // The calling thread: traces when it has to wait anyway, hands every
    // finished line on in order.
    void runCaller(FieldLineSink& sink)
    {
        std::unique_lock lock(mutex_);
        for (;;) {
            if (failure_)
                std::rethrow_exception(failure_);
            if (handedOn_ < started_ && done_[handedOn_ % buffers_.size()]) {
                const size_t slot = handedOn_ % buffers_.size();
                lock.unlock();
                buffers_[slot].handTo(sink);
                lock.lock();
                done_[slot] = false;
                ++handedOn_;
                changed_.notify_all();  // a buffer is free again
            } else if (handedOn_ == started_ && !seedsLeft_) {
                return;  // every line is out
            } else if (canStart()) {
                traceNext(lock);
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
                changed_.wait(lock, [&] { return stop_ || !seedsLeft_ || canStart(); });
                if (stop_ || !seedsLeft_)
                    return;
                traceNext(lock);
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
    bool canStart() const { return seedsLeft_ && !stop_ && started_ - handedOn_ < buffers_.size(); }

    // Takes the next seed and traces its line with the lock released.
    void traceNext(std::unique_lock<std::mutex>& lock)
    {
        const size_t slot = started_ % buffers_.size();
        const double z0 = nextZ0_;
        const double r0 = nextR0_;
        ++started_;
        seedsLeft_ = seeds_.next(nextZ0_, nextR0_);
        lock.unlock();
        tracer_.trace(z0, r0, buffers_[slot]);
        lock.lock();
        done_[slot] = true;
        changed_.notify_all();
    }

    const FieldLineTracer& tracer_;
    FieldLineSeeds seeds_;
    std::vector<TracedLine> buffers_;
    std::vector<bool> done_;  // per buffer: its line is traced and not yet handed on

    std::mutex mutex_;
    std::condition_variable changed_;
    bool seedsLeft_ = false;
    double nextZ0_ = 0;
    double nextR0_ = 0;
    size_t started_ = 0;  // lines taken from the seeds
    size_t handedOn_ = 0;  // lines handed to the sink
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

unsigned helperCount(const FieldLineSeeds& seeds)
{
    // One helper fewer than the processor has cores: the caller traces too.
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    unsigned lines = 0;
    FieldLineSeeds probe = seeds;
    double z0, r0;
    while (lines <= kMaxHelpers && probe.next(z0, r0))
        ++lines;
    return std::min({cores - 1, kMaxHelpers, lines > 0 ? lines - 1 : 0});
}

}  // namespace

void FollowLinesInOrder(const FieldLineTracer& tracer, FieldLineSeeds seeds, FieldLineSink& sink)
{
    const unsigned helpers = helperCount(seeds);
    // One buffer for each thread, and two more, so that the threads can run
    // ahead of the line being handed on.
    LineSchedule schedule(tracer, seeds, helpers + 3);
    Helpers running(schedule, helpers);
    schedule.runCaller(sink);
}
