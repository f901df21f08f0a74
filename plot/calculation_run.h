#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <stop_token>
#include <string>

#include "measure/axis_comparison.h"
#include "measure/measurement_set.h"
#include "params/calc_params.h"
#include "params/coil_arrangement.h"
#include "params/coil_current.h"
#include "params/line_count_text.h"
#include "plot/run_control.h"
#include "surface/drawing_surface.h"
#include "texts/language.h"
#include "texts/message.h"

// The program's title, also the window caption before and during a run.
inline constexpr const char* kProgramTitle = "Зорекс";

// The largest number of field lines a run accepts.
inline constexpr double kMaxLineCount = kMostLineCount;

// The time of day to the whole second; hours are not needed.
struct ClockReading {
    int minute = 0;  // 0 to 59
    int second = 0;  // 0 to 59
};

// Whole seconds from start to end, across at most one change of the hour.
int ElapsedSeconds(ClockReading start, ClockReading end);

// The window caption after a run that took the given number of seconds.
Message RunCaption(int elapsedSeconds);

// Why a run with these parameters on this surface cannot be drawn, as one
// sentence for the user; nothing when it can.
std::optional<Message> RunRefusal(const CalcParams& p, const DrawingSurface& surface);

// The exact field lines drawn over the traced ones: none, the lines through
// the same seeds, or the lines on levels of equal flux.
enum class ExactLines { None, ThroughSeeds, EqualFlux };

// What a run may show besides the program's picture: the field-line graph
// its lines' additions, the axis graph measured values compared with it, and
// either graph the scales, the coils and the uniform region.
struct RunAdditions {
    ExactLines exact = ExactLines::None;  // the exact field lines over the traced ones, and through which points
    bool fieldMap = false;                // the field strength |H| as colours, under everything else
    bool arrows = false;                  // arrowheads along every line, pointing along the field
    // The winding's turns and current: the map's colour scale and the axis
    // graph's scale in mT rather than n*I/2.
    std::optional<CoilCurrent> winding{};
    bool scales = false;                // tick marks and numbers on the picture's edges and axes (plot/picture_scales.h)
    // Axis graph, with the coil's turns and current: measured values over the
    // curve (plot/comparison_drawing.h), fitted when asked (measure/axis_fit.h).
    std::shared_ptr<const MeasurementSet> measured{};
    bool fit = false;
    std::optional<AxisFit> foundFit{};  // with fit: already found for these values (the export tool's check), not searched again
    // The coils whose field is shown: the program's coil alone, or an
    // arrangement (a pair), whose field lines are its lines of equal flux.
    CoilArrangement arrangement{};
    // The outline of the region where |H| is within this many per cent of
    // its value at the centre (0 < P <= 100); none when empty.
    std::optional<double> uniformPercent{};
    // The scales' numbers, the map's colour scale and the notes twice as large
    // (plot/label_size.h), to be read across a classroom.
    bool largeLabels = false;
    // The language of the words drawn in the picture: the scales' units, the
    // colour scale's unit and the notes.
    Language language{};

    friend bool operator==(const RunAdditions&, const RunAdditions&) = default;
};

struct RunOutcome {
    bool done = false;     // false: refused or stopped
    Message caption;       // the window caption after the run
    Message refusal;       // the reason of a refused run, which changed nothing
    bool stopped = false;  // abandoned at a stop request: the picture is unfinished
    // The axis graph's comparison with the measured values, when they were
    // given with the coil's turns and current.
    std::optional<AxisComparison> comparison{};
    // The traced field lines cut after LineStepping::kMostSteps steps: none,
    // whatever the values, unless the tracer has gone wrong (a runaway line).
    size_t linesCut = 0;
};

// The comparison of the measured values with the axis graph that a run with
// these additions makes: with the coil's turns and current, on the axis graph
// alone; none otherwise. It may be a refusal (AxisComparison::refusal).
std::optional<AxisComparison> RunComparison(const CalcParams& p, const RunAdditions& additions,
                                            const std::stop_token& stop = {});

// The run's frame, set in the record as a run sets it: the plot window of the
// picture's size and the coils, taking in the measured values of a comparison
// that was not refused, and the picture's scales.
void SetRunFrame(CalcParams& p, const DrawingSurface& surface, const RunAdditions& additions,
                 const std::optional<AxisComparison>& comparison);

// The calculation run: clears the picture, fixes the plot window and scales,
// draws the axes, the winding and the selected graph, and times itself with
// the given clock. A refused run changes neither the record nor the picture.
// Additions asked for are drawn with the field-line graph: the map first, then
// the exact lines (plain, or on levels of equal flux) and the arrowheads along
// the lines; then, with either graph, the uniform region's outline (on the
// axis graph its stretch of the axis), the scales, and the map's colour scale
// last. Measured values with the coil's turns and current are compared with
// the axis graph: the plot window takes them in, and the ideal long coil's
// level, the curve (times k when fitted) and the points are drawn instead of
// the plain curve; a comparison refused (AxisComparison::refusal) leaves the
// picture as without measurements. For an arrangement of coils other than
// the program's coil, every coil's winding is drawn, the axis curve (and the
// field measurements are compared with) is the coils' sum, and the
// field-line graph shows the arrangement's lines of equal flux
// (field/flux_contours.h) in the graph's colour instead of the traced lines;
// a field that vanishes everywhere draws no lines and no map. A traced line
// ends after LineStepping::kMostSteps steps at the latest, which only a coil
// far shorter than the window asks for (field/line_stepping.h), and a note
// says so. Notes in words
// (plot/picture_notes.h) go over everything.
// The surface's pixels are the device's (surface/drawing_surface.h): at a
// pixel ratio r the picture is laid out for its size divided by r, and every
// line, mark and text lies where it lies at ratio 1 in logical pixels, while
// the lines, the map and the region's outline are computed at every device
// pixel. A window or a page shows the run sharp on its screen by handing
// over a surface of its widget's size times its devicePixelRatio, made with
// that ratio (RasterSurface(DevicePixels(w, r), DevicePixels(h, r), r)).
// A stop request of the control abandons the run at its next opportunity,
// leaving the picture unfinished and the record's plot window and scales set.
RunOutcome RunCalculation(CalcParams& p, DrawingSurface& surface, const std::function<ClockReading()>& readClock,
                          RunAdditions additions = {}, const RunControl& control = {});
