#pragma once

#include <string>

#include "measure/measured_units.h"
#include "params/calc_params.h"
#include "plot/calculation_run.h"

// What one export computes and where it goes: the run's parameters and
// additions, the graph or table, the picture's size and the file. The export
// tool reads it from its command line; the window and the web page make it
// from the run they show.

// The picture's size when the program starts, in pixels.
inline constexpr int kStartPictureWidth = 651;
inline constexpr int kStartPictureHeight = 320;

// Limits of an exported picture, in device pixels: it must fit in memory as an image.
inline constexpr int kMaxPictureSide = 20000;
inline constexpr long long kMaxPicturePixels = 100'000'000;

// The kind of file written, chosen by the output file's extension.
enum class OutputFormat { Png, Svg, Pdf, Csv };

// What the tool computes: one of the program's graphs, or a table of the exact field.
enum class GraphKind {
    Axis,        // the field on the axis
    Lines,       // the field lines
    ExactLines,  // a table of the exact field lines through the same seeds
    Field,       // a table of the exact field on a grid over the field lines' window
};

// What one run of the export tool computes and where it writes it.
struct RenderOptions {
    CalcParams params;  // the program's start values, with the options applied
    GraphKind graph = GraphKind::Axis;
    RunAdditions additions;  // drawn with the field lines, the measured values with the axis graph
    int width = kStartPictureWidth;  // logical pixels
    int height = kStartPictureHeight;
    // The picture is drawn as a screen of this pixel ratio shows it
    // (surface/pixel_ratio.h): DevicePixels(width, r) x DevicePixels(height, r)
    // pixels in every format, with everything where it lies at ratio 1 in
    // logical pixels. The export tool's --scale K; a window's or a page's
    // devicePixelRatio for a picture as sharp as its screen.
    double pixelRatio = 1;
    std::string output;
    OutputFormat format = OutputFormat::Png;
    // The export tool's file of measured values and the units it is written
    // in, read into additions.measured before the run; the window and the page
    // hand over the set they read instead.
    std::string measuredFile{};
    MeasuredUnits measuredUnits{};
};
