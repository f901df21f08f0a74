#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "export/render_options.h"
#include "measure/axis_comparison.h"
#include "lesson/lesson.h"
#include "plot/calculation_run.h"
#include "texts/language.h"
#include "texts/message.h"

// How the page shows a lesson's run: the picture's size in logical pixels
// and the screen's pixel ratio (surface/pixel_ratio.h), so that the picture
// has as many pixels as the screen shows it with; the share of the traced
// lines a run draws (LineShare; another worker draws the rest
// with PageLines, and the page lays them over its picture), and the decimal
// separator of the numbers in words. The page holds one lesson
// (lesson/lesson.h); the same lesson and view always give the same run, so
// the page keeps the lesson of the picture it shows, not the run.
struct PageView {
    int width = kStartPictureWidth;
    int height = kStartPictureHeight;
    double pixelRatio = 1;
    int lineShare = 0;
    int lineShares = 1;
    std::string decimalSeparator = ".";
    // The language of the words drawn in the picture; the binding sets it
    // from the page's choice of language.
    Language language{};
};

// What a run drew, kept for the values under the pointer: the record as the
// run left it (its plot window and scales, in device pixels), its additions,
// the picture's size in device pixels and its comparison with the measured values, its fit included.
struct PageRecord {
    CalcParams drawn;
    RunAdditions additions;
    int width = 0;
    int height = 0;
    std::optional<AxisComparison> comparison{};
};

// A run as the page shows it: the picture (0xffRRGGBB, row by row, in device
// pixels: DevicePixels of the view's size at its ratio) and the caption, or the sentence of a refusal (nothing else then).
struct PageRun {
    bool done = false;
    Message caption;
    Message refusal;
    // Every traced line is in the picture: its additions draw over the lines,
    // so the run ignored the share it was asked for (and PageLines draws none).
    bool whole = true;
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
    // What the picture shows, in words (PictureDescription).
    Message description;
    // The record of what was drawn, for PageReadout; none for a refusal.
    std::shared_ptr<const PageRecord> record{};
};

// The window's calculation run, timed by the clock of the day.
PageRun RunPage(const Lesson& lesson, const PageView& view);

// The traced lines of the view's share alone, on a white picture of the
// run's size: their pixels laid over a run of another share give the picture
// of the whole run. Nothing (done false) for a lesson that the run refuses or
// whose run is whole (PageRun::whole): an addition that draws over the lines.
PageRun PageLines(const Lesson& lesson, const PageView& view);

// The export tool's CSV table of the same run, byte for byte; empty for
// a lesson that the run refuses.
std::string PageTable(const Lesson& lesson, const PageView& view);

// The record that the run of the lesson leaves (PageRun::record), made
// without drawing: its comparison with the measured values (and their fit)
// is made as the run makes it. None for a lesson that the run refuses.
std::shared_ptr<const PageRecord> PageRecordOf(const Lesson& lesson, const PageView& view);

// The values under the pointer at (x, y) device pixels of the run's picture, rows as
// the window's tool tip has them (in SI units too with the coil's turns and
// current), separated by '\n', numbers with the given decimal separator;
// empty outside the picture or without a record (a refused run). The run's
// comparison is read from the record, neither made nor fitted again.
std::string PageReadout(const PageRecord* record, double x, double y, const std::string& decimalSeparator,
                        const Language& language);

// The run's picture as the export tool's SVG file, from the same SVG writer,
// at the view's size and pixel ratio as the tool's --size and --scale; empty for a lesson that the run refuses.
std::string PageSvg(const Lesson& lesson, const PageView& view);

// The line under the picture while measured values are open or being read
// (MeasurementLine), the run on show being that of the shown lesson, whose
// record holds its comparison; none: no run on show.
Message PageMeasurementLine(const Lesson& lesson, const std::string& loadingName, const Lesson* shown,
                                const PageRecord* shownRecord, const std::string& decimalSeparator);
