// Live redraw as a user meets it: the real window on the offscreen platform,
// driven through its scroll bar. Manual time: what is measured is stated per
// benchmark.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <memory>

#include "app/form1.h"
#include "app/parameter_scroll_bar.h"
#include "app/system_desktop_actions.h"

namespace {

// The window with the field lines of the given coil and count, live redraw
// on or off, its first picture drawn.
std::unique_ptr<Form1> WindowWith(DesktopActions& desktop, int radius, int length, int region, const char* lines,
                                  bool live, bool additions = false)
{
    auto form = std::make_unique<Form1>(desktop);
    form->show();
    form->findChild<QListWidget*>("List1")->setCurrentRow(1);
    form->findChild<QLineEdit*>("Text1")->setText(QString::fromLatin1(lines));
    form->findChild<ParameterScrollBar*>("VScroll1")->setPosition(radius);
    form->findChild<ParameterScrollBar*>("VScroll2")->setPosition(length);
    form->findChild<ParameterScrollBar*>("VScroll3")->setPosition(region);
    if (additions) {
        form->findChild<QAction*>("exactLinesAction")->trigger();
        form->findChild<QAction*>("fieldMapAction")->trigger();
    }
    QTest::mouseClick(form->findChild<QPushButton*>("CmdOK"), Qt::LeftButton);
    if (live)
        form->findChild<QAction*>("liveAction")->trigger();
    return form;
}

// One "расчет" of the start coil with 200 lines at the start size, on the
// window's thread: the time of a single run, for comparison.
void SingleRun200Lines(benchmark::State& state)
{
    SystemDesktopActions desktop;
    auto form = WindowWith(desktop, 2, 10, 20, "200", false);
    auto* cmdOK = form->findChild<QPushButton*>("CmdOK");
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        QTest::mouseClick(cmdOK, Qt::LeftButton);
        state.SetIterationTime(clock.nsecsElapsed() * 1e-9);
    }
}

// Twelve steps of the region's bar 40 ms apart with live redraw on and 200
// lines: the time from the last step until the final picture is shown.
void LiveBurstToFinalPicture(benchmark::State& state)
{
    SystemDesktopActions desktop;
    auto form = WindowWith(desktop, 2, 10, 20, "200", true);
    auto* bar = form->findChild<ParameterScrollBar*>("VScroll3");
    int direction = Qt::Key_Down;
    for (auto _ : state) {
        QSignalSpy shown(form.get(), &Form1::pictureShown);
        for (int step = 0; step < 11; ++step) {
            QTest::keyClick(bar, Qt::Key(direction));
            QTest::qWait(40);
        }
        QTest::keyClick(bar, Qt::Key(direction));
        QElapsedTimer clock;
        clock.start();
        shown.clear();
        if (!shown.wait(60000))
            state.SkipWithError("no picture");
        state.SetIterationTime(clock.nsecsElapsed() * 1e-9);
        direction = direction == Qt::Key_Down ? Qt::Key_Up : Qt::Key_Down;  // stay near 2 m
    }
}

// The heaviest run the window accepts (the short coil over 10 m, 200 lines,
// exact lines and the strength map) going live: the longest time the event
// loop goes without running a 1 ms timer, as the counter max_blocked_ms.
void LiveRunEventLoopBlocked(benchmark::State& state)
{
    SystemDesktopActions desktop;
    auto form = WindowWith(desktop, 1, 1, 99, "200", true, true);
    auto* bar = form->findChild<ParameterScrollBar*>("VScroll3");
    int direction = Qt::Key_Up;
    double worst = 0;
    for (auto _ : state) {
        QSignalSpy shown(form.get(), &Form1::pictureShown);
        QElapsedTimer clock, sinceTick;
        double longest = 0;
        QTimer probe;
        probe.setInterval(1);
        QObject::connect(&probe, &QTimer::timeout, [&] {
            longest = std::max(longest, sinceTick.nsecsElapsed() * 1e-6);
            sinceTick.restart();
        });
        clock.start();
        QTest::keyClick(bar, Qt::Key(direction));
        sinceTick.start();
        probe.start();
        if (!shown.wait(120000))
            state.SkipWithError("no picture");
        probe.stop();
        state.SetIterationTime(clock.nsecsElapsed() * 1e-9);
        worst = std::max(worst, longest);
        direction = direction == Qt::Key_Up ? Qt::Key_Down : Qt::Key_Up;
    }
    state.counters["max_blocked_ms"] = worst;
}

}  // namespace

BENCHMARK(SingleRun200Lines)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(LiveBurstToFinalPicture)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(LiveRunEventLoopBlocked)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
