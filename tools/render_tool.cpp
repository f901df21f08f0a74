#include "tools/render_tool.h"

#include <new>

#include "export/file_replacement.h"
#include "export/run_tables.h"
#include "export/table_writer.h"
#include "lesson/lesson_file.h"
#include "measure/axis_comparison.h"
#include "measure/measurement_file.h"
#include "plot/calculation_run.h"
#include "surface/blank_surface.h"
#include "tools/render_arguments.h"

namespace {

constexpr int kWritten = 0;
constexpr int kNotWritten = 1;
constexpr int kRefused = 2;

// A table is written to its file while it is computed, and the computation
// ends at the first piece that cannot be written.
int writeTableFile(const RenderOptions& o, std::ostream& err, const Language& language)
{
    FileReplacement file(o.output);
    TableWriter table([&file](std::string_view piece) { return file.write(piece); });
    try {
        WriteTable(o, table);
    } catch (const RunStopped&) {
        // the file refused a piece; commit() says why
    }
    if (auto problem = file.commit()) {
        err << Text(*problem, language) << '\n';
        return kNotWritten;
    }
    return kWritten;
}

// Puts the whole contents in place of the file at path.
int writeFile(const std::string& path, std::string_view contents, std::ostream& err, const Language& language)
{
    if (auto problem = ReplaceFile(path, contents)) {
        err << Text(*problem, language) << '\n';
        return kNotWritten;
    }
    return kWritten;
}

// The measured values compared with the run: those of the file the options
// name, read into their additions and the lesson, or the lesson file's; with
// the fit found when asked. Why they cannot be compared (or fitted) as
// asked, when they cannot.
std::optional<Message> takeMeasurements(RenderOptions& o, Lesson& lesson)
{
    if (!o.measuredFile.empty()) {
        MeasurementFileReading reading = ReadMeasurementFile(o.measuredFile, o.measuredUnits);
        if (!reading.set)
            return std::move(reading.refusal);
        o.additions.measured = reading.set;
        lesson.measured = std::move(reading.set);
    }
    if (!o.additions.measured)
        return std::nullopt;
    if (auto refusal = ComparisonRefusal(o.params, *o.additions.winding))
        return Message("Сравнить с измерениями нельзя: %1.").arg(*refusal);
    if (o.additions.fit) {
        const AxisComparison c = CompareMeasurements(o.params, *o.additions.winding, *o.additions.measured, true, {},
                                                     o.additions.arrangement);
        if (!c.fitRefusal.empty())
            return Message("Подогнать (--fit) нельзя: %1.").arg(c.fitRefusal);
        o.additions.foundFit = c.fit;
    }
    return std::nullopt;
}

int render(ParsedArguments parsed, std::ostream& err, const PicturePainter& paint)
{
    RenderOptions& o = parsed.options;
    const Language& language = parsed.language;
    // The window's reasons, before anything is computed or written.
    if (auto reason = RunRefusal(o.params, BlankSurface(o.width, o.height))) {
        err << Text(*reason, language) << '\n';
        return kRefused;
    }
    if (auto problem = takeMeasurements(o, parsed.lesson)) {
        err << Text(*problem, language) << '\n';
        return kRefused;
    }
    if (auto problem = OutputPathProblem(o.output)) {
        err << Text(*problem, language) << '\n';
        return kNotWritten;
    }
    if (parsed.writesLesson)
        return writeFile(o.output, LessonFileText(parsed.lesson), err, language);
    if (o.format == OutputFormat::Csv)
        return writeTableFile(o, err, language);
    std::string contents;
    if (auto problem = paint(o, contents)) {
        err << Text(*problem, language) << '\n';
        return kNotWritten;
    }
    if (contents.empty()) {
        err << Text(Message("Не хватает памяти для рисунка %1x%2.").count(o.width).count(o.height), language) << '\n';
        return kNotWritten;
    }
    return writeFile(o.output, contents, err, language);
}

}  // namespace

int RunRenderTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                  const PicturePainter& paint, const Language& otherwise)
{
    const ParsedArguments parsed = ParseRenderArguments(args, ReadLessonFileAt, otherwise);
    switch (parsed.action) {
    case ParsedArguments::Action::ShowHelp:
        out << parsed.language.translated(kRenderHelp) << std::flush;
        return out ? kWritten : kNotWritten;
    case ParsedArguments::Action::Refuse:
        err << Text(parsed.error, parsed.language) << '\n';
        return kRefused;
    case ParsedArguments::Action::Render:
        break;
    }
    if (!parsed.notice.empty())
        err << Text(parsed.notice, parsed.language) << '\n';
    try {
        return render(parsed, err, paint);
    } catch (const std::bad_alloc&) {
        err << Text(Message("Не хватает памяти для расчета."), parsed.language) << '\n';
        return kNotWritten;
    }
}
