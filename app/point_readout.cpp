#include "app/point_readout.h"

#include "app/number_texts.h"
#include "plot/measured_point_readout.h"
#include "plot/point_readout.h"

QString PointReadout(const RunRecord& run, QPointF position)
{
    // The window writes the numbers in its user's locale.
    const ReadoutNumbers numbers{[](double v) { return CoordinateText(v).toStdString(); },
                                 [](double v) { return FieldValueText(v).toStdString(); }};
    std::string text =
        PointReadout(run.drawn, run.width, run.height, position.x(), position.y(), numbers, run.additions);
    if (!text.empty() && run.comparison && run.additions.measured)
        text += MeasuredPointReadout(run.drawn, position.x(), position.y(), *run.comparison, *run.additions.measured,
                                     numbers);
    return QString::fromStdString(text);
}
