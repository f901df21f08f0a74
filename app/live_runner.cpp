#include "app/live_runner.h"

#include <sys/resource.h>
#include <unistd.h>

#include "app/run_image.h"
#include "app/shown_language.h"

namespace {

// A live run's thread, and the helper threads it starts (they inherit it),
// yield to the window's thread, so that painting and input never wait for it.
void YieldToTheWindow()
{
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 10);  // fails harmlessly where it is not allowed
}

}  // namespace

LiveRunner::LiveRunner(Finished finished, QObject* parent) : QObject(parent), finished_(std::move(finished)) {}

LiveRunner::~LiveRunner()
{
    abandon();
}

void LiveRunner::request(LiveRequest request)
{
    waiting_ = std::move(request);
    if (running())
        stop_.request_stop();  // its end starts the waiting request
    else
        startWaiting();
}

void LiveRunner::cancel()
{
    waiting_.reset();
    stop_.request_stop();
}

void LiveRunner::abandon()
{
    cancel();
    if (worker_.joinable())
        worker_.join();
    ++generation_;  // the abandoned run's end, still on its way, is not heard
}

std::chrono::milliseconds LiveRunner::runningFor() const
{
    if (!running())
        return {};
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started_);
}

void LiveRunner::startWaiting()
{
    if (!waiting_)
        return;
    LiveRequest request = std::move(*waiting_);
    waiting_.reset();
    stop_ = std::stop_source();
    const unsigned generation = ++generation_;
    linesDone_ = 0;
    linesTotal_ = 0;
    started_ = std::chrono::steady_clock::now();
    worker_ = std::thread([this, generation, request = std::move(request), stop = stop_.get_token()] {
        YieldToTheWindow();
        const RunControl control{stop, [this](int done, int total) {
                                     linesTotal_ = total;
                                     linesDone_ = done;
                                 },
                                 {}};
        CalcParams p = request.lesson.params;
        RunAdditions additions = AdditionsOf(request.lesson);
        additions.language = request.language;
        RunImage run = DrawRunImage(p, request.size, request.pixelRatio, additions, CurrentClockReading, control);
        std::optional<LiveResult> result;
        if (run.outcome.done)
            result = LiveResult{request, p, std::move(run.image), Text(run.outcome.caption, request.language), std::move(run.outcome.comparison)};
        QMetaObject::invokeMethod(
            this, [this, generation, result = std::move(result)] { ended(generation, result); }, Qt::QueuedConnection);
    });
}

void LiveRunner::ended(unsigned generation, std::optional<LiveResult> result)
{
    if (generation != generation_)
        return;  // abandoned: its thread has been waited for already
    worker_.join();
    if (waiting_)
        startWaiting();  // a newer request: this result is outdated
    else if (result && !stop_.stop_requested())  // a run cancelled just as it ended is not shown either
        finished_(std::move(*result));
}
