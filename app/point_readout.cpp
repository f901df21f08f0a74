#include "app/point_readout.h"

#include "app/number_texts.h"
#include "app/shown_language.h"
#include "plot/measured_point_readout.h"

QString PointReadout(const RunRecord& run, QPointF position)
{
    // The window writes the numbers in its user's locale, the words in its language.
    const ReadoutNumbers numbers{[](double v) { return CoordinateText(v).toStdString(); },
                                 [](double v) { return FieldValueText(v).toStdString(); }, ShownLanguage()};
    const std::string text = RunPointReadout(run.drawn, run.width, run.height, position.x(), position.y(), numbers,
                                             AdditionsOf(run.shown.lesson), run.shown.comparison);
    return QString::fromStdString(text);
}
