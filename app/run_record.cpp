#include "app/run_record.h"

#include "plot/picture_notes.h"

RunRecord RecordOfRun(Lesson lesson, const CalcParams& drawn, QSize size, double pixelRatio,
                      std::optional<AxisComparison> comparison)
{
    std::vector<std::string> notes = PictureNotes(drawn, AdditionsOf(lesson));
    return RunRecord{ShownRun{std::move(lesson), std::move(comparison), std::move(notes)}, drawn, size.width(),
                     size.height(), pixelRatio};
}
