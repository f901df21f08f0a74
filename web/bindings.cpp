// The page's worker reaches the calculation through these names (embind).
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include "about/program_texts.h"
#include "params/coil_current.h"
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
    return result;
}

PageSettings StartSettings() { return {}; }

val RunObject(const PageSettings& settings) { return ObjectOf(RunPage(settings)); }
val LinesObject(const PageSettings& settings) { return ObjectOf(PageLines(settings)); }

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
        .field("width", &PageSettings::width)
        .field("height", &PageSettings::height)
        .field("lineShare", &PageSettings::lineShare)
        .field("lineShares", &PageSettings::lineShares);
    emscripten::function("startSettings", &StartSettings);  // what a caller leaves out
    emscripten::function("run", &RunObject);
    emscripten::function("lines", &LinesObject);
    emscripten::function("table", &PageTable);
    emscripten::function("readout", &PageReadout);
    emscripten::function("svg", &PageSvg);
    emscripten::function("coil", &CoilObject);
    emscripten::function("aboutText", &AboutText);
    emscripten::function("authorsText", &AuthorsText);
}
