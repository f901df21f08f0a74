// The page's worker reaches the calculation through these names (embind).
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include "about/program_texts.h"
#include "measure/measurement_file.h"
#include "measure/measurement_text.h"
#include "params/coil_arrangement.h"
#include "params/coil_current.h"
#include "params/coil_size_text.h"
#include "params/line_count_text.h"
#include "params/uniform_tolerance.h"
#include "web/page_calculation.h"

namespace {

using emscripten::val;

// A run as a plain object; the pixels are copied out as a Uint32Array.
val ObjectOf(const PageRun& run)
{
    val result = val::object();
    result.set("done", run.done);
    result.set("caption", run.caption);
    result.set("refusal", run.refusal);
    result.set("lineCount", run.lineCount);
    result.set("whole", run.whole);
    result.set("width", run.width);
    result.set("height", run.height);
    const val view(emscripten::typed_memory_view(run.pixels.size(), run.pixels.data()));
    result.set("pixels", view.call<val>("slice"));
    result.set("comparison", run.comparison);
    result.set("notes", run.notes);
    return result;
}

PageSettings StartSettings() { return {}; }

// Measured values the page has read, handed to every run and table that
// compares them; none when made without arguments.
struct PageMeasured {
    std::shared_ptr<const MeasurementSet> set;
};

// The settings with the measured values they compare.
PageSettings With(PageSettings settings, const PageMeasured& measured)
{
    settings.measured = measured.set;
    return settings;
}

MeasuredUnits UnitsNamed(const std::string& units)
{
    return MeasuredUnitsFromText(units).value_or(MeasuredUnits{});
}

// The points as a Float64Array of z and B, point after point, in metres and tesla.
val PointsArray(const std::vector<MeasuredPoint>& points)
{
    std::vector<double> flat;
    flat.reserve(2 * points.size());
    for (const MeasuredPoint& m : points)
        flat.insert(flat.end(), {m.z, m.b});
    return val(emscripten::typed_memory_view(flat.size(), flat.data())).call<val>("slice");
}

// The contents of a measurement file read as the window reads the file, in
// the units named as the export tool names them ("cm:mT"): {points, count}
// (count the number of points in words) or {refusal}.
val ReadMeasuredObject(const std::string& bytes, const std::string& name, const std::string& units)
{
    const MeasurementFileReading reading = MeasurementsOfFile(bytes, name, UnitsNamed(units));
    val result = val::object();
    if (!reading.set) {
        result.set("refusal", reading.refusal);
        return result;
    }
    result.set("points", PointsArray(reading.set->points));
    result.set("count", PointCountText(reading.set->points.size()));
    return result;
}

// The beginning of a measurement file as the reader will see it, as UTF-8.
std::string MeasuredHead(const std::string& bytes)
{
    DecodedText decoded;
    DecodeMeasurementText(bytes, decoded);
    return std::string(decoded.text);
}

// The set of points as ReadMeasuredObject gave them.
PageMeasured MeasuredOf(const val& points, const std::string& units)
{
    std::vector<double> flat(points["length"].as<std::size_t>());
    val(emscripten::typed_memory_view(flat.size(), flat.data())).call<void>("set", points);
    MeasurementSet set;
    set.units = UnitsNamed(units);
    for (std::size_t i = 0; i + 1 < flat.size(); i += 2)
        set.points.push_back({flat[i], flat[i + 1]});
    return {std::make_shared<const MeasurementSet>(std::move(set))};
}

// What a run drew (PageRecord), kept by the worker that ran it for the values
// under the pointer; empty for a refused run.
struct PageDrawn {
    std::shared_ptr<const PageRecord> record;
};

// The run as a plain object, with its record as `record`, which stays in the worker.
val RunObject(const PageSettings& s, const PageMeasured& m)
{
    const PageRun run = RunPage(With(s, m));
    val result = ObjectOf(run);
    result.set("record", val(PageDrawn{run.record}));
    return result;
}
PageDrawn RecordOf(const PageSettings& s, const PageMeasured& m) { return {PageRecordOf(With(s, m))}; }
val LinesObject(const PageSettings& s, const PageMeasured& m) { return ObjectOf(PageLines(With(s, m))); }
std::string TableText(const PageSettings& s, const PageMeasured& m) { return PageTable(With(s, m)); }
std::string SvgText(const PageSettings& s, const PageMeasured& m) { return PageSvg(With(s, m)); }
std::string ReadoutText(const PageDrawn& drawn, double x, double y, const std::string& separator)
{
    return PageReadout(drawn.record.get(), x, y, separator);
}

// A number typed into a box of the window's dialogs or given by the page's
// address, read as that dialog reads it: "metres" the coil's dimensions,
// "pair" the distance D, "uniform" the tolerance P, "lines" the line count
// the address carries. {value} when usable, else {refusal}.
val NumberObject(const std::string& kind, const std::string& text)
{
    std::optional<double> value;
    std::string refusal;
    if (kind == "metres") {
        const MetresReading r = MetresFromText(text);
        value = r.metres;
        refusal = r.refusal;
    } else if (kind == "pair") {
        const PairDistanceReading r = PairDistanceFromText(text);
        value = r.metres;
        refusal = r.refusal;
    } else if (kind == "lines") {
        const LineCountReading r = WrittenLineCount(text);
        value = r.lines;
        refusal = r.refusal;
    } else {
        const UniformPercentReading r = UniformPercentFromText(text);
        value = r.percent;
        refusal = r.refusal;
    }
    val result = val::object();
    if (value)
        result.set("value", *value);
    else
        result.set("refusal", refusal);
    return result;
}

// The texts of the boxes «Число витков N» and «Ток I, А» as the window's
// dialog reads them: {turns, amperes} when both are usable, and for each that
// is not the sentence that says why.
val CoilObject(const std::string& turnsText, const std::string& currentText)
{
    const TurnsReading turns = TurnsFromText(turnsText);
    const AmperesReading current = AmperesFromText(currentText);
    val result = val::object();
    result.set("turnsRefusal", turns.refusal);
    result.set("currentRefusal", current.refusal);
    if (turns.turns && current.amperes) {
        result.set("turns", static_cast<double>(*turns.turns));
        result.set("amperes", *current.amperes);
    }
    return result;
}

}  // namespace

EMSCRIPTEN_BINDINGS(zoreks)
{
    emscripten::value_object<PageSettings>("PageSettings")
        .field("radius", &PageSettings::radius)
        .field("length", &PageSettings::length)
        .field("halfRange", &PageSettings::halfRange)
        .field("graphEntry", &PageSettings::graphEntry)
        .field("lineText", &PageSettings::lineText)
        .field("exactLines", &PageSettings::exactLines)
        .field("fieldMap", &PageSettings::fieldMap)
        .field("arrows", &PageSettings::arrows)
        .field("equalFlux", &PageSettings::equalFlux)
        .field("turns", &PageSettings::turns)
        .field("amperes", &PageSettings::amperes)
        .field("scales", &PageSettings::scales)
        .field("pair", &PageSettings::pair)
        .field("pairDistance", &PageSettings::pairDistance)
        .field("opposed", &PageSettings::opposed)
        .field("uniformPercent", &PageSettings::uniformPercent)
        .field("fit", &PageSettings::fit)
        .field("decimalSeparator", &PageSettings::decimalSeparator)
        .field("width", &PageSettings::width)
        .field("height", &PageSettings::height)
        .field("lineShare", &PageSettings::lineShare)
        .field("lineShares", &PageSettings::lineShares);
    emscripten::function("startSettings", &StartSettings);  // what a caller leaves out
    emscripten::class_<PageMeasured>("Measured").constructor<>();
    emscripten::class_<PageDrawn>("Drawn");
    emscripten::function("run", &RunObject);
    emscripten::function("record", &RecordOf);
    emscripten::function("lines", &LinesObject);
    emscripten::function("table", &TableText);
    emscripten::function("readout", &ReadoutText);
    emscripten::function("svg", &SvgText);
    emscripten::function("coil", &CoilObject);
    emscripten::function("number", &NumberObject);
    emscripten::function("readMeasured", &ReadMeasuredObject);
    emscripten::function("measured", &MeasuredOf);
    emscripten::function("measuredHead", &MeasuredHead);
    emscripten::function("mostMeasuredBytes", +[] { return static_cast<double>(kMostMeasurementFileBytes); });
    emscripten::function("aboutText", &AboutText);
    emscripten::function("authorsText", &AuthorsText);
}
