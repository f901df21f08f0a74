// The runs: the button «расчет» on the window's thread, live redraw on a
// thread of its own, and the picture a finished run leaves.
#include "app/form1.h"
#include "app/shown_language.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QTimer>

#include <chrono>
#include <optional>
#include <utility>

#include "app/live_runner.h"
#include "app/message_boxes.h"
#include "app/number_texts.h"
#include "app/picture_box.h"
#include "app/run_image.h"
#include "lesson/lesson_texts.h"
#include "plot/calculation_run.h"
#include "surface/blank_surface.h"

namespace {

// The wait cursor for as long as it lives.
class WaitCursor {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace

void Form1::runIfLive()
{
    if (liveAction_->isChecked())
        startLiveRun();
}

// The drawing is made by the rasteriser on a fresh picture of the picture
// box's size at its screen's pixel ratio, which replaces the picture only when
// the run is done: a refused run leaves the picture and the caption as they
// were. The pixels are the exported PNG's for the same run, size and scale.
void Form1::runCalculation()
{
    cancelLiveRun();
    live_->abandon();
    const QSize size = picture1_->size();
    const Lesson settings = lesson_;
    std::optional<WaitCursor> wait;
    RunAdditions additions = AdditionsOf(lesson_);
    additions.language = ShownLanguage();
    const RunImage run = DrawRunImage(lesson_.params, size, picture1_->devicePixelRatioF(), additions,
                                      CurrentClockReading, {},
                                      [&] {
                                          runCaption_ = kProgramTitle;
                                          showCaption();
                                          wait.emplace();
                                      });
    wait.reset();
    if (!run.outcome.done) {
        ShowProblem(this, QString::fromStdString(Text(run.outcome.refusal, ShownLanguage())));
        return;
    }
    liveStatusLabel_->hide();
    showRun(settings, lesson_.params, size, run.image.devicePixelRatio(), run.image, Text(run.outcome.caption, ShownLanguage()),
            run.outcome.comparison);
}

// A live run starts on its own thread with the values as they are now; a
// refused one shows its reason over the picture and stops the run going, as
// its values are outdated.
void Form1::startLiveRun()
{
    const QSize size = picture1_->size();
    if (auto refusal = RunRefusal(lesson_.params, BlankSurface(size.width(), size.height()))) {
        live_->cancel();
        liveProgressTimer_->stop();
        showLiveStatus(QString::fromStdString(Text(*refusal, ShownLanguage())));
        return;
    }
    live_->request(LiveRequest{lesson_, size, picture1_->devicePixelRatioF()});
    liveProgressTimer_->start();
}

void Form1::showLiveResult(LiveResult result)
{
    liveProgressTimer_->stop();
    liveStatusLabel_->hide();
    // The record keeps the values of the controls; the run's plot window and
    // scales are those it drew with.
    const CalcParams& drawn = result.drawn;
    CopyRunFrame(lesson_.params, drawn);
    showRun(std::move(result.request.lesson), drawn, result.request.size, result.request.pixelRatio,
            std::move(result.image), result.caption, std::move(result.comparison));
}

void Form1::showLiveStatus(const QString& text)
{
    liveStatusLabel_->setText(text);
    liveStatusLabel_->setAccessibleName(text);
    liveStatusLabel_->setFixedWidth(picture1_->contentsRect().width());
    liveStatusLabel_->move(picture1_->contentsRect().topLeft());
    liveStatusLabel_->adjustSize();
    liveStatusLabel_->show();
    liveStatusLabel_->raise();
}

// A live run that has been going for 0.3 s shows how far it is.
void Form1::showLiveProgress()
{
    if (!live_->running()) {
        liveProgressTimer_->stop();
        return;
    }
    if (live_->runningFor() < std::chrono::milliseconds(300))
        return;
    const int total = live_->linesTotal();
    const QString done = total > 0 ? QStringLiteral("расчет: линия %1 из %2").arg(live_->linesDone()).arg(total)
                                   : QStringLiteral("расчет…");
    showLiveStatus(done + QStringLiteral("  (Esc — отменить)"));
}

// Esc: a live run going is abandoned; else a full-screen window returns to
// its size.
void Form1::answerEscape()
{
    if (live_->running())
        cancelLiveRun();
    else if (isFullScreen())
        toggleFullScreen();
}

// F11: the window fills the screen, or returns to the size it had.
void Form1::toggleFullScreen()
{
    if (isFullScreen())
        showNormal();
    else
        showFullScreen();
    fullScreenAction_->setChecked(isFullScreen());
}

// Esc with a live run: the run is abandoned and the picture stays as it was.
void Form1::cancelLiveRun()
{
    if (!live_->running())
        return;
    live_->cancel();
    liveProgressTimer_->stop();
    liveStatusLabel_->hide();
}

void Form1::showRun(Lesson lesson, const CalcParams& drawn, QSize size, double pixelRatio, QImage image,
                    const std::string& caption, std::optional<AxisComparison> comparison)
{
    picture1_->setImage(std::move(image));
    lastRun_ = RecordOfRun(std::move(lesson), drawn, size, pixelRatio, std::move(comparison));
    showMeasurementStatus();
    picture1_->setAccessibleDescription(QString::fromStdString(Text(PictureDescription(&lastRun_->shown, LocaleDecimal()), ShownLanguage())));
    savePictureAction_->setEnabled(true);
    copyPictureAction_->setEnabled(true);
    runCaption_ = caption;
    showCaption();
    emit pictureShown();
}

// The screen's pixel ratio changed (the window moved to another screen, or
// the screen's scale was set anew): the next run draws at the new ratio, and
// with live redraw on a picture drawn at the old one is drawn again at once.
void Form1::followPixelRatio()
{
    if (lastRun_ && lastRun_->pixelRatio != picture1_->devicePixelRatioF())
        runIfLive();
}

// The picture as it is shown: its logical size at its pixel ratio.
void Form1::copyPicture()
{
    if (lastRun_)
        QGuiApplication::clipboard()->setImage(picture1_->image());
}
