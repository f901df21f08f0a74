#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "export/render_options.h"
#include "measure/axis_comparison.h"
#include "measure/measurement_set.h"
#include "params/calc_params.h"
#include "plot/calculation_run.h"

// What the page's controls hold when "расчет" is pressed: the radius, the
// length and the half-size of the region in metres (from a slider, its
// position times 0.1 as the window's scroll bars give them; typed, to the
// millimetre as the dialog «Размеры катушки» reads it; from a link, the
// number it carries, as the export tool reads it), the text of the selected
// graph entry, the text of the line-count box, the View additions, the
// coil's turns and current, the pair, the uniform region, the measured values
// and the picture's size in pixels. The same settings always give the same
// run, so the page keeps the settings of the picture it shows, not the run.
struct PageSettings {
    double radius = 0.2;
    double length = 1;
    double halfRange = 2;
    std::string graphEntry;
    std::string lineText = "7";
    bool exactLines = false;
    bool fieldMap = false;
    bool arrows = false;
    bool equalFlux = false;
    // The turns N and the current I in amperes that give the field in SI
    // units, as the dialog «Ток и витки» read them; 0 turns: the unit n*I/2.
    int turns = 0;
    double amperes = 0;
    bool scales = false;
    // A second coil, as the dialog «Пара катушек» read it: D in metres.
    bool pair = false;
    double pairDistance = 0;
    bool opposed = false;
    // The uniform region's tolerance P in per cent, 0 < P <= 100; 0: none.
    double uniformPercent = 0;
    // Measured values, compared with the axis graph when the turns and the
    // current are set, fitted when asked; the binding hands the set over.
    std::shared_ptr<const MeasurementSet> measured{};
    bool fit = false;
    // The decimal separator of the numbers in words (the comparison's line).
    std::string decimalSeparator = ".";
    int width = kStartPictureWidth;
    int height = kStartPictureHeight;
    // The share of the traced lines a run draws (LineShare); another worker
    // draws the rest with PageLines, and the page lays them over its picture.
    int lineShare = 0;
    int lineShares = 1;
};

// The export tool's options that make the same picture (or its table of
// numbers) in the given format: every file and picture of the page is made
// from them, as the window's are from its last run.
RenderOptions RenderOptionsOf(const PageSettings& settings, OutputFormat format);

// What a run drew, kept for the values under the pointer: the record as the
// run left it (its plot window and scales), its additions, the picture's size
// and its comparison with the measured values, its fit included.
struct PageRecord {
    CalcParams drawn;
    RunAdditions additions;
    int width = 0;
    int height = 0;
    std::optional<AxisComparison> comparison{};
};

// A run as the page shows it: the picture (0xffRRGGBB, row by row) and the
// caption, or the sentence of a refusal (nothing else then).
struct PageRun {
    bool done = false;
    std::string caption;
    std::string refusal;
    double lineCount = 0;  // the number of lines as the box's text reads
    // Every traced line is in the picture: its additions draw over the lines,
    // so the run ignored the share it was asked for (and PageLines draws none).
    bool whole = true;
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
    // The comparison with the measured values in one line (ComparisonSummary),
    // when the run made one; the picture's notes in words (PictureNotes), each
    // ended by a full stop.
    std::string comparison;
    std::string notes;
    // The record of what was drawn, for PageReadout; none for a refusal.
    std::shared_ptr<const PageRecord> record{};
};

// The window's calculation run, timed by the clock of the day.
PageRun RunPage(const PageSettings& settings);

// The traced lines of the settings' share alone, on a white picture of the
// run's size: their pixels laid over a run of another share give the picture
// of the whole run. Nothing (done false) for settings that the run refuses or
// whose run is whole (PageRun::whole): an addition that draws over the lines.
PageRun PageLines(const PageSettings& settings);

// The export tool's CSV table of the same run, byte for byte; empty for
// settings that the run refuses.
std::string PageTable(const PageSettings& settings);

// The record that the run of the settings leaves (PageRun::record), made
// without drawing: its comparison with the measured values (and their fit)
// is made as the run makes it. None for settings that the run refuses.
std::shared_ptr<const PageRecord> PageRecordOf(const PageSettings& settings);

// The values under the pointer at (x, y) pixels of the run's picture, rows as
// the window's tool tip has them (in SI units too with the coil's turns and
// current), separated by '\n', numbers with the given decimal separator;
// empty outside the picture or without a record (a refused run). The run's
// comparison is read from the record, neither made nor fitted again.
std::string PageReadout(const PageRecord* record, double x, double y, const std::string& decimalSeparator);

// The run's picture as the export tool's SVG file, from the same SVG writer;
// empty for settings that the run refuses.
std::string PageSvg(const PageSettings& settings);
