#pragma once

#include <QImage>
#include <QObject>
#include <QSize>

#include <atomic>
#include <chrono>
#include <functional>
#include <optional>
#include <stop_token>
#include <string>
#include <thread>

#include "app/shown_language.h"
#include "lesson/lesson.h"
#include "params/calc_params.h"
#include "plot/calculation_run.h"

// What a live run is to draw: the lesson as the controls set it, and the
// picture's size in logical pixels and its screen's pixel ratio.
struct LiveRequest {
    Lesson lesson;
    QSize size;
    double pixelRatio = 1;
    Language language = ShownLanguage();  // of the picture's words and the caption, as asked
};

// A live run that has drawn its picture to the end.
struct LiveResult {
    LiveRequest request;
    CalcParams drawn;     // the record as the run left it: its plot window and scales
    QImage image;
    std::string caption;  // the window caption after the run
    std::optional<AxisComparison> comparison{};  // of the measured values, when it compared them
};

// Runs the calculations of live redraw one at a time on a thread of their own,
// so that the window keeps painting and answering meanwhile. The newest
// request wins: a request while a run is going asks that run to stop and is
// run as soon as it has ended, and a request that a newer one overtakes before
// it starts is never run. So after any burst of requests at most the run that
// was going and one run with the last request are made. A finished run is
// handed to `finished` on the thread of the runner's owner, and only when no
// newer request is waiting: an outdated picture never replaces a newer one.
class LiveRunner final : public QObject {
public:
    using Finished = std::function<void(LiveResult result)>;

    explicit LiveRunner(Finished finished, QObject* parent = nullptr);
    // Stops the run going and waits for its end.
    ~LiveRunner() override;
    LiveRunner(const LiveRunner&) = delete;
    LiveRunner& operator=(const LiveRunner&) = delete;

    void request(LiveRequest request);
    // Forgets the waiting request and asks the run going to stop, without waiting.
    void cancel();
    // The same, and waits until the run going has ended; its result is dropped.
    void abandon();

    bool running() const { return worker_.joinable(); }
    // How long the run going has been on.
    std::chrono::milliseconds runningFor() const;
    // Its field lines done of all; total 0 before the lines begin.
    int linesDone() const { return linesDone_; }
    int linesTotal() const { return linesTotal_; }

private:
    void startWaiting();
    void ended(unsigned generation, std::optional<LiveResult> result);

    Finished finished_;
    std::optional<LiveRequest> waiting_;
    std::thread worker_;
    std::stop_source stop_;
    unsigned generation_ = 0;  // of the run going; an ended run of another one was abandoned
    std::chrono::steady_clock::time_point started_;
    std::atomic<int> linesDone_ = 0;
    std::atomic<int> linesTotal_ = 0;
};
