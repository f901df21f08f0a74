// The window's commands of the lesson file: opening a lesson or a table of
// measured values, saving the lesson, the recent files, a file dropped on the
// window, and the caption that names the lesson.
#include "app/form1.h"
#include "app/shown_language.h"

#include <QAction>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QSignalBlocker>
#include <QTimer>

#include <string_view>

#include "app/file_dialogs.h"
#include "app/lesson_saving.h"
#include "app/measurement_loader.h"
#include "app/message_boxes.h"
#include "lesson/lesson_file.h"
#include "lesson/lesson_switches.h"
#include "measure/measurement_file.h"
#include "params/graph_choice.h"

namespace {

// How much of a file tells whether it is a lesson.
constexpr qint64 kLessonSignBytes = 4096;

QString FromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The local file a drag carries, if it carries one.
QString DraggedFile(const QMimeData* data)
{
    if (data == nullptr || !data->hasUrls() || data->urls().isEmpty() || !data->urls().first().isLocalFile())
        return {};
    return data->urls().first().toLocalFile();
}

}  // namespace

void Form1::askFileToOpen()
{
    const QString extension = FromUtf8(kLessonExtension);
    const QString path =
        AskFileToOpen(this, QStringLiteral("Открыть"), "openDialog",
                      {QStringLiteral("Опыты и измерения (*%1 *.csv *.txt *.tsv *.dat)").arg(extension),
                       QStringLiteral("Опыты Зорекса (*%1)").arg(extension),
                       QStringLiteral("Таблицы измерений (*.csv *.txt *.tsv *.dat)"), QStringLiteral("Все файлы (*)")});
    if (!path.isEmpty())
        openFile(path);
}

// The file's first bytes decide: a lesson, or a table of measured values,
// which is read as "Открыть измерения…" reads it, with its units asked for.
void Form1::openFile(const QString& path)
{
    const QFileInfo info(path);
    QFile file(path);
    if (!info.exists() || info.isDir() || !file.open(QIODevice::ReadOnly)) {
        ShowProblem(this, QString::fromUtf8(info.exists() ? "Файл «%1» не открыт: его нельзя прочитать." : "Файла «%1» нет.")
                              .arg(QDir::toNativeSeparators(path)));
        return;
    }
    const QByteArray sign = file.peek(kLessonSignBytes);
    if (!LooksLikeLessonFile(std::string_view(sign.constData(), size_t(sign.size())))) {
        file.close();
        if (haveWinding())
            loadMeasurements(path);
        return;
    }
    if (file.size() > qint64(kMostMeasurementFileBytes)) {
        ShowProblem(this, QStringLiteral("Файл «%1» не открыт: он слишком велик для файла опыта.")
                              .arg(QFileInfo(path).fileName()));
        return;
    }
    openLesson(path, file.readAll());
}

// A lesson refused changes nothing; one read replaces every choice, the
// measured values being read are abandoned, and the lesson is run.
void Form1::openLesson(const QString& path, const QByteArray& bytes)
{
    const LessonReading reading = ReadLessonFile(std::string_view(bytes.constData(), size_t(bytes.size())),
                                                 QFileInfo(path).fileName().toStdString());
    if (!reading.lesson) {
        ShowProblem(this, QString::fromStdString(Text(reading.refusal, ShownLanguage())));
        return;
    }
    loader_->abandon();
    loadingPath_.clear();
    openMeasurementsAction_->setEnabled(true);
    lesson_ = *reading.lesson;
    lessonPath_ = path;
    savedMeasurements_ = lesson_.measured;
    rememberFile(path);
    showLesson();
    layout()->activate();  // the picture takes its place beside the measurements' line before the run
    runCalculation();
    showCaption();  // also when the run was refused
    if (!reading.unknownKeys.empty())
        ShowNotice(this, QString::fromUtf8(kProgramTitle),
                   QString::fromStdString(Text(UnknownKeysNotice(reading.unknownKeys), ShownLanguage())));
}

// Every control as the lesson has it, without a run.
void Form1::showLesson()
{
    const CalcParams p = lesson_.params;
    setTypedParameter(vScroll1_, &CalcParams::radius, label4_, p.radius);
    setTypedParameter(vScroll2_, &CalcParams::length, label5_, p.length);
    setTypedParameter(vScroll3_, &CalcParams::halfRange, label6_, p.halfRange);
    const bool lines = ShowsFieldLines(lesson_);
    {
        const QSignalBlocker quiet(list1_);
        const QList<QListWidgetItem*> entry =
            list1_->findItems(FromUtf8(lines ? kFieldLinesGraphEntry : kAxisGraphEntry), Qt::MatchExactly);
        if (!entry.isEmpty())
            list1_->setCurrentItem(entry.first());
    }
    label7_->setVisible(lines);
    text1_->setVisible(lines);
    {
        const QSignalBlocker quiet(text1_);
        text1_->setText(QString::fromStdString(lesson_.lineText));
    }
    showSwitches();
    closeMeasurementsAction_->setEnabled(lesson_.measured != nullptr);
    showAdditionsChoice();
    showMeasurementStatus();
}

void Form1::saveLesson()
{
    const std::optional<QString> path = SaveLessonFileAs(this, lesson_);
    if (!path)
        return;
    lessonPath_ = *path;
    savedMeasurements_ = lesson_.measured;
    rememberFile(*path);
    showCaption();
}

// The last run's caption, after the lesson file's name once there is one.
void Form1::showCaption()
{
    QString caption = QString::fromStdString(runCaption_);
    if (!lessonPath_.isEmpty())
        caption.prepend(QFileInfo(lessonPath_).fileName() + QStringLiteral(" — "));
    setWindowTitle(caption);
}

// The submenu "Недавние": a numbered command for each file, disabled while there is none.
void Form1::showRecentFiles()
{
    for (QAction* action : recentMenu_->actions()) {
        recentMenu_->removeAction(action);
        action->deleteLater();  // it may be the one being triggered
    }
    const QStringList paths = recentFiles_.paths();
    for (int i = 0; i < paths.size(); ++i) {
        QString name = QFileInfo(paths[i]).fileName();
        name.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* action = recentMenu_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(name));
        action->setObjectName(QStringLiteral("recentFileAction%1").arg(i + 1));
        action->setToolTip(paths[i]);
        connect(action, &QAction::triggered, this, [this, path = paths[i]] { openRecentFile(path); });
    }
    recentMenu_->setEnabled(!paths.isEmpty());
}

void Form1::rememberFile(const QString& path)
{
    recentFiles_.add(path);
    showRecentFiles();
}

void Form1::openRecentFile(const QString& path)
{
    if (QFileInfo::exists(path)) {
        openFile(path);
        return;
    }
    recentFiles_.remove(path);
    showRecentFiles();
    ShowProblem(this, QStringLiteral("Файла «%1» больше нет: он удален или перенесен. Он убран из списка недавних.")
                          .arg(QDir::toNativeSeparators(path)));
}

void Form1::dragEnterEvent(QDragEnterEvent* event)
{
    if (!DraggedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

// The file opens once the drop is over, so that its dialogs do not hold up
// the program it was dragged from.
void Form1::dropEvent(QDropEvent* event)
{
    const QString path = DraggedFile(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    QTimer::singleShot(0, this, [this, path] { openFile(path); });
}
