// The page reaches the core through these names (embind): its workers for
// the runs, tables and files, the page itself for its lesson, its switches,
// its address and its texts.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include "about/program_texts.h"
#include "lesson/lesson_address.h"
#include "lesson/lesson_file.h"
#include "lesson/lesson_switches.h"
#include "lesson/lesson_texts.h"
#include "measure/measurement_file.h"
#include "measure/measurement_text.h"
#include "params/coil_size_text.h"
#include "params/coil_arrangement.h"
#include "params/coil_current.h"
#include "params/line_count_text.h"
#include "params/uniform_tolerance.h"
#include "web/page_calculation.h"

namespace {

using emscripten::val;

// The language the page has chosen (setLanguage), Russian until it chooses:
// every text returned here is written in it, and the pictures' words too.
// Like the page's lesson, it belongs to the page: each module (the page's
// own and every worker's) holds its choice, the only thing a module keeps.
Language& PageLanguage()
{
    static Language language;
    return language;
}

// The message written in the page's language.
std::string Written(const Message& message) { return Text(message, PageLanguage()); }

// A constant text of the core's tables in the page's language.
std::string Written(std::string_view russian) { return std::string(PageLanguage().translated(russian)); }

// The view with the page's language for the pictures' words.
PageView InLanguage(PageView view)
{
    view.language = PageLanguage();
    return view;
}

// Sets the language of the texts by its code ("ru", "en"); false, and nothing
// changed, for a language without a catalogue.
bool SetLanguage(const std::string& code)
{
    const std::optional<Language> language = Language::Named(code);
    if (language)
        PageLanguage() = *language;
    return language.has_value();
}

// The picture's pixels in place as a canvas's ImageData holds them: the bytes
// red, green, blue, alpha of each pixel in memory order (WebAssembly is
// little-endian), so that the page lays them on its canvas without a copy.
void ToImageDataOrder(std::vector<uint32_t>& pixels)
{
    for (uint32_t& argb : pixels)
        argb = (argb & 0xff00ff00u) | ((argb >> 16) & 0xffu) | ((argb & 0xffu) << 16);
}

// A run as a plain object; the pixels are copied out once, as a Uint32Array
// of ImageData's order (ToImageDataOrder).
val ObjectOf(PageRun run)
{
    ToImageDataOrder(run.pixels);
    val result = val::object();
    result.set("done", run.done);
    result.set("caption", Written(run.caption));
    result.set("refusal", Written(run.refusal));
    result.set("whole", run.whole);
    result.set("width", run.width);
    result.set("height", run.height);
    const val view(emscripten::typed_memory_view(run.pixels.size(), run.pixels.data()));
    result.set("pixels", view.call<val>("slice"));
    result.set("description", Written(run.description));
    return result;
}

char DecimalOf(const std::string& separator)
{
    return separator == "," ? ',' : '.';
}

// Measured values the page has read, which its lesson holds; none when made
// without arguments. The page's lesson object carries them beside its other
// values, and hands them to every call with it.
struct PageMeasured {
    std::shared_ptr<const MeasurementSet> set;
};

// The lesson with the measured values it holds.
Lesson With(Lesson lesson, const PageMeasured& measured)
{
    lesson.measured = measured.set;
    return lesson;
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

// Measured values as the page keeps them: {points, units, name, count}.
val MeasuredObject(const MeasurementSet& set)
{
    val result = val::object();
    result.set("points", PointsArray(set.points));
    result.set("units", MeasuredUnitsText(set.units));
    result.set("name", set.name);
    result.set("count", static_cast<double>(set.points.size()));
    return result;
}

// The contents of a measurement file read as the window reads the file, in
// the units named as the export tool names them ("cm:mT"): the measured
// values (MeasuredObject) or {refusal}.
val ReadMeasuredObject(const std::string& bytes, const std::string& name, const std::string& units)
{
    const MeasurementFileReading reading =
        MeasurementsOfFile(bytes, name, MeasuredUnitsFromText(units).value_or(MeasuredUnits{}));
    if (!reading.set) {
        val result = val::object();
        result.set("refusal", Written(reading.refusal));
        return result;
    }
    return MeasuredObject(*reading.set);
}

// The set of measured values as MeasuredObject gave them.
PageMeasured MeasuredOf(const val& points, const std::string& units, const std::string& name)
{
    std::vector<double> flat(points["length"].as<std::size_t>());
    val(emscripten::typed_memory_view(flat.size(), flat.data())).call<void>("set", points);
    MeasurementSet set;
    set.units = MeasuredUnitsFromText(units).value_or(MeasuredUnits{});
    set.name = name;
    for (std::size_t i = 0; i + 1 < flat.size(); i += 2)
        set.points.push_back({flat[i], flat[i + 1]});
    return {std::make_shared<const MeasurementSet>(std::move(set))};
}

// A lesson with its measured values as a plain object: {lesson, measured}
// (measured null without values).
val LessonObject(const Lesson& lesson)
{
    val result = val::object();
    result.set("lesson", lesson);
    result.set("measured", lesson.measured ? MeasuredObject(*lesson.measured) : val::null());
    return result;
}

// A lesson file read: {lesson, measured, notice} or {refusal}.
val ReadLessonObject(const std::string& bytes, const std::string& name)
{
    const LessonReading reading = ReadLessonFile(bytes, name);
    if (!reading.lesson) {
        val result = val::object();
        result.set("refusal", Written(reading.refusal));
        return result;
    }
    val result = LessonObject(*reading.lesson);
    result.set("notice", Written(UnknownKeysNotice(reading.unknownKeys)));
    return result;
}

// The lesson of the page's address: {lesson, measured, notice, named}.
val AddressReadingObject(const std::string& query)
{
    const LessonAddressReading reading = LessonOfAddress(query);
    val result = LessonObject(reading.lesson);
    result.set("notice", Written(WrongAddressNotice(reading.wrong)));
    result.set("named", reading.named);
    return result;
}

// The address of the lesson: {query, notice}.
val AddressObject(const Lesson& lesson, const PageMeasured& m)
{
    const Lesson l = With(lesson, m);
    val result = val::object();
    result.set("query", AddressOfLesson(l));
    result.set("notice", Written(AddressWithoutMeasurementsNotice(l)));
    return result;
}

std::string_view ScopeName(SwitchScope scope)
{
    switch (scope) {
    case SwitchScope::AnyGraph:
        return "anyGraph";
    case SwitchScope::FieldLines:
        return "fieldLines";
    case SwitchScope::ExactLines:
        return "exactLines";
    case SwitchScope::Measurements:
        return "measurements";
    }
    return "";
}

// The switches' rows, in the menu's order, as plain objects (scope by its name).
val SwitchRows()
{
    val rows = val::array();
    for (const LessonSwitch& s : LessonSwitches()) {
        val row = val::object();
        row.set("key", std::string(s.key));
        row.set("addressName", std::string(s.addressName));
        row.set("menuText", Written(s.menuText));
        row.set("objectName", std::string(s.objectName));
        row.set("words", Written(s.words));
        row.set("scope", std::string(ScopeName(s.scope)));
        rows.call<void>("push", row);
    }
    return rows;
}

// Whether each switch is in force for the lesson, by its key.
val SwitchesInForce(const Lesson& lesson, const PageMeasured& m)
{
    const Lesson l = With(lesson, m);
    val result = val::object();
    for (const LessonSwitch& s : LessonSwitches())
        result.set(std::string(s.key), SwitchInForce(s, l));
    return result;
}

// The lesson with the switch of the key turned on or off.
Lesson Turned(Lesson lesson, const std::string& key, bool on)
{
    if (const LessonSwitch* s = SwitchOfKey(key))
        s->turn(lesson, on);
    return lesson;
}

// What a run drew (PageRecord), kept by the worker that ran it for the values
// under the pointer and the comparison's line; empty for a refused run.
struct PageDrawn {
    std::shared_ptr<const PageRecord> record;
};

// The run as a plain object, with its record as `record`, which stays in the worker.
val RunObject(const Lesson& l, const PageMeasured& m, const PageView& v)
{
    PageRun run = RunPage(With(l, m), InLanguage(v));
    const PageDrawn drawn{run.record};
    val result = ObjectOf(std::move(run));
    result.set("record", val(drawn));
    return result;
}
PageDrawn RecordOf(const Lesson& l, const PageMeasured& m, const PageView& v)
{
    return {PageRecordOf(With(l, m), InLanguage(v))};
}
val LinesObject(const Lesson& l, const PageMeasured& m, const PageView& v)
{
    return ObjectOf(PageLines(With(l, m), InLanguage(v)));
}
std::string TableText(const Lesson& l, const PageMeasured& m, const PageView& v) { return PageTable(With(l, m), v); }
std::string SvgText(const Lesson& l, const PageMeasured& m, const PageView& v)
{
    return PageSvg(With(l, m), InLanguage(v));
}
std::string ReadoutText(const PageDrawn& drawn, double x, double y, const std::string& separator)
{
    return PageReadout(drawn.record.get(), x, y, separator, PageLanguage());
}

// The comparison's line of the lesson, the run on show being that of the
// shown lesson (the same measured values when sameMeasured) and its record.
std::string MeasurementLineText(const Lesson& lesson, const PageMeasured& m, const std::string& loadingName,
                                const Lesson& shownLesson, bool sameMeasured, const PageDrawn& drawn,
                                const std::string& separator)
{
    const Lesson shown = sameMeasured ? With(shownLesson, m) : shownLesson;
    return Written(PageMeasurementLine(With(lesson, m), loadingName, &shown, drawn.record.get(), separator));
}
// The same before any run is on show.
std::string PlainMeasurementLineText(const Lesson& lesson, const PageMeasured& m, const std::string& loadingName,
                                     const std::string& separator)
{
    return Written(PageMeasurementLine(With(lesson, m), loadingName, nullptr, nullptr, separator));
}

// A number typed into a box of the window's dialogs, read as that dialog
// reads it: "metres" the coil's dimensions, "pair" the distance D, "uniform"
// the tolerance P. {value} when usable, else {refusal}.
val NumberObject(const std::string& kind, const std::string& text)
{
    std::optional<double> value;
    Message refusal;
    if (kind == "metres") {
        const MetresReading r = MetresFromText(text);
        value = r.metres;
        refusal = r.refusal;
    } else if (kind == "pair") {
        const PairDistanceReading r = PairDistanceFromText(text);
        value = r.metres;
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
        result.set("refusal", Written(refusal));
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
    result.set("turnsRefusal", Written(turns.refusal));
    result.set("currentRefusal", Written(current.refusal));
    if (turns.turns && current.amperes) {
        result.set("turns", static_cast<double>(*turns.turns));
        result.set("amperes", *current.amperes);
    }
    return result;
}

// The lesson as a plain object: the coil and the region in metres, the graph
// ("axis" or "lines"), the line-count box's text, each switch by its key, the
// winding (turns 0: none), the pair (distance null: never set) and the
// uniform region. The measured values are not among them (PageMeasured).
void RegisterLesson()
{
    using Field = std::function<double(const Lesson&)>;
    emscripten::value_object<Lesson> lesson("Lesson");
    lesson.field("radius", Field([](const Lesson& l) { return l.params.radius; }),
                 std::function<void(Lesson&, double)>([](Lesson& l, double v) { l.params.radius = v; }));
    lesson.field("length", Field([](const Lesson& l) { return l.params.length; }),
                 std::function<void(Lesson&, double)>([](Lesson& l, double v) { l.params.length = v; }));
    lesson.field("halfRange", Field([](const Lesson& l) { return l.params.halfRange; }),
                 std::function<void(Lesson&, double)>([](Lesson& l, double v) { l.params.halfRange = v; }));
    lesson.field("graph", std::function<std::string(const Lesson&)>([](const Lesson& l) {
                     return std::string(ShowsFieldLines(l) ? "lines" : "axis");
                 }),
                 std::function<void(Lesson&, std::string)>([](Lesson& l, std::string g) {
                     l.params.graphMode = g == "lines" ? kFieldLinesGraph : kAxisGraph;
                 }));
    lesson.field("lineText", std::function<std::string(const Lesson&)>([](const Lesson& l) { return l.lineText; }),
                 std::function<void(Lesson&, std::string)>([](Lesson& l, std::string t) { SetLineText(l, std::move(t)); }));
    for (const LessonSwitch& s : LessonSwitches())
        lesson.field(s.key.data(), std::function<bool(const Lesson&)>(s.isOn), std::function<void(Lesson&, bool)>(s.turn));
    // The turns first: the current is kept only with them.
    lesson.field("turns", Field([](const Lesson& l) { return l.winding ? static_cast<double>(l.winding->turns) : 0.0; }),
                 std::function<void(Lesson&, double)>([](Lesson& l, double n) {
                     if (n > 0)
                         l.winding = CoilCurrent{static_cast<long>(n), l.winding ? l.winding->amperes : 0};
                     else
                         l.winding.reset();
                 }));
    lesson.field("amperes", Field([](const Lesson& l) { return l.winding ? l.winding->amperes : 0.0; }),
                 std::function<void(Lesson&, double)>([](Lesson& l, double a) {
                     if (l.winding)
                         l.winding->amperes = a;
                 }));
    lesson.field("pairOn", std::function<bool(const Lesson&)>([](const Lesson& l) { return l.pairOn; }),
                 std::function<void(Lesson&, bool)>([](Lesson& l, bool on) { l.pairOn = on; }));
    // The distance first: whether opposed is kept only with it.
    lesson.field("pairDistance",
                 std::function<val(const Lesson&)>([](const Lesson& l) { return l.pair ? val(l.pair->distance) : val::null(); }),
                 std::function<void(Lesson&, val)>([](Lesson& l, val d) {
                     if (d.isNumber())
                         l.pair = CoilPair{d.as<double>(), l.pair && l.pair->opposed};
                     else
                         l.pair.reset();
                 }));
    lesson.field("opposed", std::function<bool(const Lesson&)>([](const Lesson& l) { return l.pair && l.pair->opposed; }),
                 std::function<void(Lesson&, bool)>([](Lesson& l, bool on) {
                     if (l.pair)
                         l.pair->opposed = on;
                 }));
    lesson.field("uniformOn", std::function<bool(const Lesson&)>([](const Lesson& l) { return l.uniformOn; }),
                 std::function<void(Lesson&, bool)>([](Lesson& l, bool on) { l.uniformOn = on; }));
    lesson.field("uniformPercent", Field([](const Lesson& l) { return l.uniformPercent; }),
                 std::function<void(Lesson&, double)>([](Lesson& l, double p) { l.uniformPercent = p; }));
}

}  // namespace

EMSCRIPTEN_BINDINGS(zoreks)
{
    RegisterLesson();
    emscripten::value_object<PageView>("PageView")
        .field("width", &PageView::width)
        .field("height", &PageView::height)
        .field("pixelRatio", &PageView::pixelRatio)
        .field("lineShare", &PageView::lineShare)
        .field("lineShares", &PageView::lineShares)
        .field("decimalSeparator", &PageView::decimalSeparator);
    emscripten::function("startLesson", +[] { return Lesson{}; });
    emscripten::function("startView", +[] { return PageView{}; });  // what a caller leaves out
    emscripten::class_<PageMeasured>("Measured").constructor<>();
    emscripten::class_<PageDrawn>("Drawn").constructor<>();
    // The lesson, its switches, its address and its file.
    emscripten::function("switches", &SwitchRows);
    emscripten::function("inForce", &SwitchesInForce);
    emscripten::function("turned", &Turned);
    emscripten::function("lessonOfAddress", &AddressReadingObject);
    emscripten::function("addressOf", &AddressObject);
    emscripten::function("lessonFileText", +[](const Lesson& l, const PageMeasured& m) { return LessonFileText(With(l, m)); });
    emscripten::function("looksLikeLesson", +[](const std::string& bytes) { return LooksLikeLessonFile(bytes); });
    emscripten::function("readLesson", &ReadLessonObject);
    // The texts every view shows alike.
    emscripten::function("valueLabel", +[](double v, const std::string& s) { return ValueLabelText(v, DecimalOf(s)); });
    emscripten::function("metresText", +[](double v, const std::string& s) { return MetresText(v, DecimalOf(s)); });
    emscripten::function("fieldValueText", +[](double v, const std::string& s) { return FieldValueText(v, DecimalOf(s)); });
    emscripten::function("measurementLine", &MeasurementLineText);
    emscripten::function("plainMeasurementLine", &PlainMeasurementLineText);
    emscripten::function("measurementFileLine",
                         +[](const Lesson& l, const PageMeasured& m) { return Written(MeasurementFileLine(With(l, m))); });
    // The runs and what they make.
    emscripten::function("run", &RunObject);
    emscripten::function("record", &RecordOf);
    emscripten::function("lines", &LinesObject);
    emscripten::function("table", &TableText);
    emscripten::function("readout", &ReadoutText);
    emscripten::function("svg", &SvgText);
    // The dialogs' boxes and the measurement files.
    emscripten::function("coil", &CoilObject);
    emscripten::function("number", &NumberObject);
    emscripten::function("readMeasured", &ReadMeasuredObject);
    emscripten::function("measured", &MeasuredOf);
    emscripten::function("measuredHead", +[](const std::string& bytes) { return MeasurementFileHead(bytes); });
    emscripten::function("headBytes", +[] { return static_cast<double>(kFileHeadBytes); });
    emscripten::function("mostMeasuredBytes", +[] { return static_cast<double>(kMostMeasurementFileBytes); });
    emscripten::function("aboutText", +[] { return AboutText(PageLanguage()); });
    emscripten::function("authorsText", +[] { return AuthorsText(PageLanguage()); });
    // The language of every text above, and of the pictures' words: "ru", "en".
    emscripten::function("setLanguage", &SetLanguage);
}
