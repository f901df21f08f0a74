#include "app/run_record.h"


#include "app/number_texts.h"
#include "params/graph_choice.h"
#include "plot/picture_notes.h"

RenderOptions RenderOptionsOf(const RunRecord& run, OutputFormat format)
{
    RenderOptions o;
    o.params = run.settings;
    o.graph = run.settings.graphMode == kAxisGraph ? GraphKind::Axis : GraphKind::Lines;
    o.additions = run.additions;
    o.width = run.width;
    o.height = run.height;
    o.format = format;
    return o;
}

QString PictureDescription(const std::optional<RunRecord>& run)
{
    if (!run)
        return QStringLiteral("рисунок пуст");
    const CalcParams& p = run->settings;
    const bool lines = p.graphMode != kAxisGraph;
    const std::string_view graph = lines ? kFieldLinesGraphEntry : kAxisGraphEntry;
    QString text = QString::fromUtf8(graph.data(), static_cast<qsizetype>(graph.size())) +
                   QStringLiteral(": R = %1 м, L = %2 м, полуразмер области %3 м")
                       .arg(ValueLabelText(p.radius), ValueLabelText(p.length), ValueLabelText(p.halfRange));
    if (lines) {
        text += QStringLiteral(", число линий %1").arg(FieldValueText(p.lineCount));
        if (run->additions.exact == ExactLines::ThroughSeeds)
            text += QStringLiteral(", с точными линиями");
        if (run->additions.exact == ExactLines::EqualFlux)
            text += QStringLiteral(", с линиями равного потока");
        if (run->additions.arrows)
            text += QStringLiteral(", со стрелками");
        if (run->additions.fieldMap)
            text += QStringLiteral(", с модулем поля");
    } else if (run->comparison && run->comparison->refusal.empty()) {
        text += QStringLiteral(", с измерениями: ") + QString::fromStdString(PointCountText(run->comparison->pointCount));
        if (run->comparison->fitted)
            text += QStringLiteral(", подогнанными");
    }
    if (run->additions.scales)
        text += QStringLiteral(", со шкалами");
    if (const std::optional<CoilPair> pair = PairOf(run->additions.arrangement)) {
        text += QStringLiteral(", пара катушек: D = %1 м").arg(MetresText(pair->distance));
        if (pair->opposed)
            text += QStringLiteral(", встречное включение");
    }
    if (run->additions.uniformPercent)
        text += QStringLiteral(", однородная область %1 %").arg(FieldValueText(*run->additions.uniformPercent));
    for (const std::string& note : PictureNotes(run->drawn, run->additions))
        text += QStringLiteral(". ") + QString::fromStdString(note);
    return text;
}
