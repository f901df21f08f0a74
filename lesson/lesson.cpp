#include "lesson/lesson.h"

#include "params/line_count_text.h"

namespace {

bool SameMeasurements(const MeasurementSet* a, const MeasurementSet* b)
{
    if (a == nullptr || b == nullptr)
        return a == b;
    if (a->units != b->units || a->name != b->name ||
        a->points.size() != b->points.size())
        return false;
    for (size_t i = 0; i < a->points.size(); ++i)
        if (a->points[i].z != b->points[i].z || a->points[i].b != b->points[i].b)
            return false;
    return true;
}

}  // namespace

bool operator==(const Lesson& a, const Lesson& b)
{
    return a.params.radius == b.params.radius && a.params.length == b.params.length &&
           a.params.halfRange == b.params.halfRange && a.params.graphMode == b.params.graphMode &&
           a.lineText == b.lineText && a.exact == b.exact && a.fieldMap == b.fieldMap && a.arrows == b.arrows &&
           a.scales == b.scales && a.largeLabels == b.largeLabels && a.fit == b.fit && a.winding == b.winding && a.pairOn == b.pairOn &&
           a.pair == b.pair && a.uniformOn == b.uniformOn && a.uniformPercent == b.uniformPercent &&
           SameMeasurements(a.measured.get(), b.measured.get());
}

void SetLineText(Lesson& lesson, std::string text)
{
    lesson.params.lineCount = LineCountFromText(text);
    lesson.lineText = std::move(text);
}

bool ShowsFieldLines(const Lesson& lesson)
{
    return lesson.params.graphMode != kAxisGraph;
}

CoilArrangement ArrangementOf(const Lesson& lesson)
{
    return lesson.pairOn && lesson.pair ? PairArrangement(*lesson.pair) : SingleCoil();
}

bool ComparesMeasurements(const Lesson& lesson)
{
    return lesson.measured && !ShowsFieldLines(lesson) && lesson.winding;
}

RunAdditions AdditionsOf(const Lesson& lesson)
{
    RunAdditions a;
    a.exact = lesson.exact;
    a.fieldMap = lesson.fieldMap;
    a.arrows = lesson.arrows;
    a.scales = lesson.scales;
    a.largeLabels = lesson.largeLabels;
    a.winding = lesson.winding;
    if (ComparesMeasurements(lesson)) {
        a.measured = lesson.measured;
        a.fit = lesson.fit;
    }
    a.arrangement = ArrangementOf(lesson);
    if (lesson.uniformOn)
        a.uniformPercent = lesson.uniformPercent;
    return a;
}

RenderOptions RenderOptionsOf(const Lesson& lesson, OutputFormat format, int width, int height)
{
    RenderOptions o;
    o.params = StartValues(lesson.params.graphMode);
    o.params.radius = lesson.params.radius;
    o.params.length = lesson.params.length;
    o.params.halfRange = lesson.params.halfRange;
    o.params.lineCount = LineCountFromText(lesson.lineText);
    o.graph = ShowsFieldLines(lesson) ? GraphKind::Lines : GraphKind::Axis;
    o.additions = AdditionsOf(lesson);
    o.width = width;
    o.height = height;
    o.format = format;
    return o;
}
