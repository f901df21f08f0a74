#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "export/render_options.h"
#include "measure/measurement_set.h"
#include "params/calc_params.h"
#include "params/coil_arrangement.h"
#include "params/coil_current.h"
#include "params/uniform_tolerance.h"
#include "plot/calculation_run.h"

// A lesson: everything the user chose for the picture, as the window, the web
// page and the export tool hold it, and as a lesson file keeps it. The coil
// and the region, the graph and the line-count box's text; the switches of the
// menu «Вид» and the fit; the winding's turns and current, the pair and the
// uniform region (each kept while switched off, as its dialog last took it);
// and the measured values as they were read. Runs, exports and files are made
// from it; no view assembles them itself.
struct Lesson {
    // R, L and a in metres and the graph kind, as the record holds them; its
    // line count is the number that lineText reads as (SetLineText). The
    // window's record is this one.
    CalcParams params = StartValues(kAxisGraph);
    std::string lineText = "7";  // the line-count box's text, as typed

    ExactLines exact = ExactLines::None;
    bool fieldMap = false;
    bool arrows = false;
    bool scales = false;
    bool largeLabels = false;  // the texts of the picture twice as large, for a classroom
    bool fit = false;

    std::optional<CoilCurrent> winding{};  // none: the field in units of n*I/2

    bool pairOn = false;
    std::optional<CoilPair> pair{};  // as the dialog «Пара катушек» last took it

    bool uniformOn = false;
    double uniformPercent = kStartUniformPercent;

    // The measured values as read: points in metres and tesla, the units the
    // file was written in, its name. None: no measurements open.
    std::shared_ptr<const MeasurementSet> measured{};

    // The same choices and the same measured values (compared by content).
    friend bool operator==(const Lesson& a, const Lesson& b);
};

// Sets the line-count box's text and the number it reads as.
void SetLineText(Lesson& lesson, std::string text);

// Whether the lesson draws the field lines (not the field on the axis).
bool ShowsFieldLines(const Lesson& lesson);

// The coils whose field is shown: the pair when it is on and set, else the
// program's coil alone.
CoilArrangement ArrangementOf(const Lesson& lesson);

// Whether the measured values are compared with the run: on the axis graph,
// with the winding's turns and current set.
bool ComparesMeasurements(const Lesson& lesson);

// What a run of the lesson adds to the program's picture.
RunAdditions AdditionsOf(const Lesson& lesson);

// The export tool's options that make the lesson's picture, or its table of
// numbers, at the given size in pixels and in the given format.
RenderOptions RenderOptionsOf(const Lesson& lesson, OutputFormat format, int width, int height);

