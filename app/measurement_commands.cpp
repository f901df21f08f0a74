// The window's commands of measured values: a table opened (its turns and
// current first, then its units, then read on a thread of its own), taken
// or refused, closed, and the line under the picture that sums it up.
#include "app/form1.h"
#include "app/shown_language.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QStatusBar>

#include <utility>

#include "app/file_dialogs.h"
#include "app/measurement_loader.h"
#include "app/measurement_units_dialog.h"
#include "app/message_boxes.h"
#include "app/number_texts.h"
#include "lesson/lesson_texts.h"

// The measured values are compared in tesla: the turns and the current come
// first. False when they are not given, and opening is abandoned.
bool Form1::haveWinding()
{
    if (!lesson_.winding && !askCoilCurrent())
        return false;  // cancelled: with nothing to say
    if (!lesson_.winding) {  // both boxes left empty: no SI units to compare in
        ShowProblem(this, QStringLiteral("Измерения сравниваются с расчетом в мТл: сначала задайте число витков и ток "
                                         "(Вид → Ток и витки…)."));
        return false;
    }
    return true;
}

// The turns and the current, then the file and its units.
void Form1::openMeasurements()
{
    if (!haveWinding())
        return;
    const QString path = AskFileToOpen(this, QStringLiteral("Открыть измерения"), "openMeasurementsDialog",
                                       {QStringLiteral("Таблицы измерений (*.csv *.txt *.tsv *.dat)"),
                                        QStringLiteral("Все файлы (*)")});
    if (!path.isEmpty())
        loadMeasurements(path);
}

// The file's units asked for; the file is read on the loader's thread.
void Form1::loadMeasurements(const QString& path)
{
    MeasurementUnitsDialog units(path, measuredUnits_, this);
    if (units.exec() != QDialog::Accepted)
        return;
    measuredUnits_ = units.units();
    loadingPath_ = path;
    openMeasurementsAction_->setEnabled(false);
    loader_->load(QFile::encodeName(path).toStdString(), measuredUnits_);
    showMeasurementStatus();
}

// A file that cannot be read changes nothing: the values open before stay.
void Form1::takeMeasurements(MeasurementFileReading reading)
{
    const QString path = std::exchange(loadingPath_, QString());
    openMeasurementsAction_->setEnabled(true);
    if (!reading.set) {
        showMeasurementStatus();
        ShowProblem(this, QStringLiteral("Измерения не открыты. ") + QString::fromStdString(Text(reading.refusal, ShownLanguage())));
        return;
    }
    lesson_.measured = std::move(reading.set);
    rememberFile(path);
    closeMeasurementsAction_->setEnabled(true);
    showAdditionsChoice();
    showMeasurementStatus();
    runIfLive();
}

void Form1::closeMeasurements()
{
    lesson_.measured.reset();
    closeMeasurementsAction_->setEnabled(false);
    showAdditionsChoice();
    showMeasurementStatus();
    runIfLive();
}

// The line under the picture, there only while measured values are open or
// being read: made with the first file.
void Form1::showMeasurementStatus()
{
    const bool shown = lesson_.measured || !loadingPath_.isEmpty();
    if (measurementLabel_ == nullptr) {
        if (!shown)
            return;
        measurementLabel_ = new QLabel(this);
        measurementLabel_->setObjectName(QStringLiteral("measurementLabel"));
        fitBox_ = new QCheckBox(QStringLiteral("По&догнать"), this);
        fitBox_->setObjectName(QStringLiteral("fitBox"));
        fitBox_->setToolTip(QStringLiteral("Найти сдвиг z0 нуля линейки от середины катушки и множитель k "
                                           "силы поля (метод наименьших квадратов)"));
        fitBox_->setChecked(fitAction_->isChecked());
        connect(fitBox_, &QCheckBox::toggled, fitAction_, &QAction::setChecked);
        statusBar()->addWidget(measurementLabel_, 1);
        statusBar()->addPermanentWidget(fitBox_);
    }
    fitBox_->setEnabled(fitAction_->isEnabled());
    fitBox_->setChecked(lesson_.fit);
    const std::string loading = loadingPath_.isEmpty() ? std::string() : QFileInfo(loadingPath_).fileName().toStdString();
    measurementLabel_->setText(QString::fromStdString(
        Text(MeasurementLine(lesson_, loading, lastRun_ ? &lastRun_->shown : nullptr, LocaleDecimal()), ShownLanguage())));
    const QString file = QString::fromStdString(Text(MeasurementFileLine(lesson_), ShownLanguage()));
    measurementLabel_->setToolTip(file);
    measurementLabel_->setAccessibleDescription(file);
    statusBar()->setVisible(shown);
}
