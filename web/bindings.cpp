// The page's worker reaches the calculation through these names (embind).
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include "about/program_texts.h"
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
    result.set("width", run.width);
    result.set("height", run.height);
    const val view(emscripten::typed_memory_view(run.pixels.size(), run.pixels.data()));
    result.set("pixels", view.call<val>("slice"));
    return result;
}

val RunObject(const PageSettings& settings) { return ObjectOf(RunPage(settings)); }
val LinesObject(const PageSettings& settings) { return ObjectOf(PageLines(settings)); }

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
        .field("width", &PageSettings::width)
        .field("height", &PageSettings::height)
        .field("lineShare", &PageSettings::lineShare)
        .field("lineShares", &PageSettings::lineShares);
    emscripten::function("run", &RunObject);
    emscripten::function("lines", &LinesObject);
    emscripten::function("table", &PageTable);
    emscripten::function("readout", &PageReadout);
    emscripten::function("svg", &PageSvg);
    emscripten::function("aboutText", &AboutText);
    emscripten::function("authorsText", &AuthorsText);
}
