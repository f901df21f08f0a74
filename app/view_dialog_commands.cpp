// The dialogs of the menu «Вид»: the coil's dimensions, its turns and
// current, the pair of coils and the uniform region, each taken into the
// lesson.
#include "app/form1.h"

#include "app/coil_current_dialog.h"
#include "app/coil_pair_dialog.h"
#include "app/coil_size_dialog.h"
#include "app/parameter_scroll_bar.h"
#include "app/uniform_region_dialog.h"

// The values stay until the program ends; they show at the next run. False
// when the dialog was cancelled.
bool Form1::askCoilCurrent()
{
    CoilCurrentDialog dialog(lesson_.winding, this);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    lesson_.winding = dialog.coil();
    showMeasurementStatus();
    runIfLive();
    return true;
}

// The values stay until a scroll bar or the dialog changes them.
void Form1::askCoilSize()
{
    const CalcParams& p = lesson_.params;
    CoilSizeDialog dialog(CoilSize{p.radius, p.length, p.halfRange}, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    setTypedParameter(vScroll1_, &CalcParams::radius, label4_, dialog.size().radius);
    setTypedParameter(vScroll2_, &CalcParams::length, label5_, dialog.size().length);
    setTypedParameter(vScroll3_, &CalcParams::halfRange, label6_, dialog.size().halfRange);
    runIfLive();
}

// The values stay until the program ends; they show at the next run.
void Form1::askCoilPair()
{
    const double radius = lesson_.params.radius;
    CoilPairDialog dialog(lesson_.pairOn, lesson_.pair.value_or(CoilPair{radius, false}), radius, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    lesson_.pairOn = dialog.isOn();
    lesson_.pair = dialog.pair();
    showAdditionsChoice();
    runIfLive();
}

void Form1::askUniformRegion()
{
    UniformRegionDialog dialog(lesson_.uniformOn, lesson_.uniformPercent, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    lesson_.uniformOn = dialog.isOn();
    lesson_.uniformPercent = dialog.percent();
    runIfLive();
}
